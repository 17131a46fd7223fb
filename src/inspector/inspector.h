#pragma once

#include <memory>
#include <string>

#include "automation/event_binding.h"
#include "outlook/toolbar.h"

// The wrapper of one appointment window: its "Quorvel" toolbar and the commands behind it.
class cInspector : public automation::EventOwner {
public:
    // Creates a wrapper and enters it in the window registry.
    static std::shared_ptr<cInspector> New();
    cInspector();
    ~cInspector() override;

    void Init(const automation::Object& inspector);
    void AddCommandBar();
    void RemoveCommandBar();

private:
    void DetachInspector();
    void Inspector_Close();
    void InviteButton_Click();
    void OrderButton_Click();

    // Its buttons' tags begin with it: a click elsewhere never reaches them.
    const std::string ownerTag_ = toolbar::NewOwnerTag();
    automation::EventBinding inspector_;
    automation::Object inspectorBar_;
    automation::EventBinding inviteButton_;
    automation::EventBinding orderButton_;
};
