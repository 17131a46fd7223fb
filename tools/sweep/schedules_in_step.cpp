#include "schedules_in_step.h"

#include "automation/error.h"
#include "directory/settings_item.h"

using automation::Object;

namespace {

struct Kind {
    const char* subject;
    bool people;
    bool resources;
};

const Kind Kinds[] = {
    {"{B911D251-1842-4720-A131-F164B6C99078} - Quorvel All", true, true},
    {"{B911D251-1842-4720-A131-F164B6C99078} - Quorvel People", true, false},
    {"{B911D251-1842-4720-A131-F164B6C99078} - Quorvel Resources", false, true},
};

// The window showing the settings item itself; a mail may carry its subject too.
Object SettingsWindow(sim::Outlook& outlook, const Object& settings) {
    for (int index = 1; index <= outlook.inspectorCount(); ++index) {
        Object inspector = outlook.inspector(index);
        if (inspector.get("CurrentItem").toObject() == settings) return inspector;
    }
    return Object();
}

}  // namespace

std::vector<std::string> SchedulesInStepAfterAClose(Session& session) {
    sim::Outlook& outlook = session.outlook();
    if (session.ended() || !outlook.securityWrapperInstalled() || outlook.securityWrapperRefusesRecipients())
        return {};
    outlook.clearFaults();
    std::vector<Object> settings = outlook.findItems(sim::FolderKind::Calendar, SettingsSubject);
    if (settings.size() != 1) return {};
    // A session the script shut down: Outlook starts again over the same store, with a main window.
    try {
        if (!session.connected()) {
            session.connect();
            session.startupComplete();
        }
        if (outlook.explorerCount() == 0) outlook.openExplorer(sim::FolderKind::Calendar);
    } catch (const automation::Error& error) {
        return {"connecting again to close the settings item raised: " + error.description()};
    }
    if (!outlook.clickButton(outlook.explorer(1), "Settings")) return {};
    Object window;
    {
        sim::OwnCallScope looking = outlook.asSimulator();
        window = SettingsWindow(outlook, settings[0]);
    }
    if (!window) return {};
    outlook.closeInspector(window, true);

    sim::OwnCallScope looking = outlook.asSimulator();
    std::vector<std::string> problems;
    std::vector<Object> schedules = outlook.hiddenItems();
    for (const Kind& kind : Kinds) {
        std::vector<sim::RecipientInfo> expected;
        for (const sim::RecipientInfo& entry : outlook.recipients(settings[0]))
            if ((kind.people && entry.type == 1) || (kind.resources && entry.type == 3))
                expected.push_back({entry.name, entry.type, outlook.resolvable(entry.name)});
        Object found;
        for (const Object& schedule : schedules)
            if (schedule.get("Subject").toString() == kind.subject) found = schedule;
        if (!found)
            problems.push_back(std::string("group schedule \"") + kind.subject + "\" missing after a clean close");
        else if (outlook.recipients(found) != expected)
            problems.push_back(std::string("group schedule \"") + kind.subject +
                               "\" out of step with the directory after a clean close");
    }
    return problems;
}
