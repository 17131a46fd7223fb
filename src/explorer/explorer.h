#pragma once

#include <memory>
#include <string>

#include "automation/event_binding.h"
#include "outlook/toolbar.h"

class DirectoryReading;

// Forgets what the session learnt about the group schedules; called at each connection.
void ResetGroupScheduleState();

// The wrapper of one Outlook main window: its toolbar, its buttons' commands and the settings
// item opened from it. The window registry's reference keeps it alive until its window closes.
class cExplorer : public automation::EventOwner {
public:
    // Creates a wrapper and enters it in the window registry.
    static std::shared_ptr<cExplorer> New();
    cExplorer();
    ~cExplorer() override;

    const automation::Object& Explorer() const { return explorer_.get(); }
    const automation::Object& SettingsItem() const { return settingsItem_.get(); }

    void Init(const automation::Object& explorer);
    void AddCommandBar();
    void RemoveCommandBar();
    void OnFolderSwitch() { AddCommandBar(); }
    void OnSelectionChange() {}

    // Button handlers.
    void NewMeetingButton_Click();
    void GroupScheduleButton_Click();
    void InfoButton_Click();
    void SettingsButton_Click();
    void AboutButton_Click();

private:
    void ReleaseObjects();
    void ReleaseToolbar();
    void DetachExplorer();
    void Explorer_Close();
    void SettingsItem_Close();
    void SettingsItem_Send(automation::EventArgs& args);
    // Brings the three group schedules in step with the directory read at the close.
    void UpdateGroupSchedule(DirectoryReading& directory);

    // Its buttons' tags begin with it: a click elsewhere never reaches them.
    const std::string ownerTag_ = toolbar::NewOwnerTag();
    automation::EventBinding explorer_;
    automation::EventBinding settingsItem_;
    automation::EventBinding newMeetingButton_;
    automation::EventBinding groupScheduleButton_;
    automation::EventBinding infoButton_;
    automation::EventBinding settingsButton_;
    automation::EventBinding aboutButton_;
    automation::Object explorerBar_;
};
