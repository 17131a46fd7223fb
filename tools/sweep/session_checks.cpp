#include "session_checks.h"

#include <set>

#include "automation/error.h"
#include "directory/temporary_draft.h"
#include "directory/settings_item.h"
#include "schedules_in_step.h"

namespace {

// Deleted Items is where a deleted draft rightly goes.
const sim::FolderKind LivingFolders[] = {sim::FolderKind::Calendar, sim::FolderKind::Inbox, sim::FolderKind::SentItems,
                                         sim::FolderKind::Drafts};

std::string Listed(const std::vector<std::string>& names) {
    std::string text;
    for (const std::string& name : names) text += (text.empty() ? "" : ", ") + name;
    return text;
}

}  // namespace

int SessionChecks::SettingsItems() {
    int count = 0;
    for (const std::string& subject : session_.outlook().subjects(sim::FolderKind::Calendar))
        if (subject == SettingsSubject) ++count;
    return count;
}

void SessionChecks::AfterLine() {
    if (SettingsItems() > 0) settingsEverExisted_ = true;
}

std::vector<std::string> SessionChecks::AtEnd() {
    std::vector<std::string> problems;
    sim::Outlook& outlook = session_.outlook();
    int settings = SettingsItems();
    if (settings > 1) problems.push_back(std::to_string(settings) + " settings items");
    if (settings == 0 && settingsEverExisted_) problems.push_back("the settings item is gone");

    std::set<std::string> schedules;
    sim::OwnCallScope looking = outlook.asSimulator();
    for (const automation::Object& schedule : outlook.hiddenItems()) {
        std::string subject = schedule.get("Subject").toString();
        if (!schedules.insert(subject).second) problems.push_back("group schedule \"" + subject + "\" twice");
    }
    for (sim::FolderKind folder : LivingFolders)
        for (const std::string& subject : outlook.subjects(folder))
            if (subject == TemporaryDraftSubject) problems.push_back("a temporary draft is left");

    if (session_.ended()) {
        // The process ends: what the add-in holds goes with it, but nothing may call in after Quit.
        if (!outlook.callsAfterEnd().empty())
            problems.push_back("calls into Outlook after Quit: " + Listed(outlook.callsAfterEnd()));
        return problems;
    }
    for (const std::string& found : SchedulesInStepAfterAClose(session_)) problems.push_back(found);
    if (session_.connected()) {
        try {
            session_.shutdown();
        } catch (const automation::Error& error) {
            problems.push_back("the shut-down raised: " + error.description());
        }
    }
    if (outlook.addinReferences() > 0) problems.push_back("references held after shut-down: " + Listed(outlook.heldObjects()));
    return problems;
}
