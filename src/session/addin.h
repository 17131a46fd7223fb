#pragma once

#include <cstdint>
#include <string>

#include "automation/event_binding.h"

// The session: holds Outlook's application, namespace and window collections, receives their
// events and offers the version, alert and look-up services.
class cAddin : public automation::EventOwner {
public:
    cAddin();

    const automation::Object& NameSpace() const { return nameSpace_; }
    void NameSpace(const automation::Object& value) { nameSpace_ = value; }
    const automation::Object& OutlookInstance() const { return outlookInstance_.get(); }
    void OutlookInstance(const automation::Object& value) { outlookInstance_.set(value); }
    const automation::Object& Explorers() const { return explorers_.get(); }
    void Explorers(const automation::Object& value) { explorers_.set(value); }
    const automation::Object& Inspectors() const { return inspectors_.get(); }
    void Inspectors(const automation::Object& value) { inspectors_.set(value); }

    void Init(const automation::Object& oApp, const std::string& sProgId);
    void Startup();
    void Destruct();
    std::string GetCurrentUserName();
    int16_t OutlookAlert(const std::string& title, const std::string& text);
    int16_t OutlookSecurityInfo();
    automation::Object GetItemFromID(const std::string& EID, const std::string& SID);
    int16_t GetOutlookVersion();

private:
    void OutlookInstance_Startup();
    void OutlookInstance_ItemSend(automation::EventArgs& args);
    void OutlookInstance_Quit();
    void Explorers_NewExplorer(const automation::Object& Explorer);
    void Inspectors_NewInspector(const automation::Object& Inspector);

    automation::Object nameSpace_;
    automation::EventBinding outlookInstance_;
    automation::EventBinding explorers_;
    automation::EventBinding inspectors_;
    std::string title_;
    std::string userName_;
    // Startup comes once: from OnStartupComplete, or at a connection after Outlook's start.
    bool startedUp_ = false;
};
