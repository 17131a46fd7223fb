#include "directory/settings_item.h"

#include "directory/directory_reading.h"
#include "directory/people_resources_form.h"
#include "explorer/explorer.h"
#include "host/globals.h"
#include "log/error_label.h"
#include "log/log.h"
#include "outlook/outlook_constants.h"
#include "outlook/outlook_module.h"
#include "platform/platform.h"
#include "session/addin.h"

using automation::EventArgs;
using automation::Object;

namespace {

const std::string SubjectFilter = std::string("[Subject] = '") + SettingsSubject + "'";
// 1 January 2099 00:00: far enough ahead that the item never shows among real appointments.
const automation::Date SettingsStart{72686};

Object CalendarFolder() { return Addin().NameSpace().call("GetDefaultFolder", {outlook::olFolderCalendar}).toObject(); }

Object FindSettingsItem(const Object& calendar) {
    return calendar.get("Items").toObject().call("Find", {SubjectFilter}).toObject();
}

}  // namespace

void GlobalInitSettings() {
    ErrorLabel on("GlobalInitSettings:");
    Object calendar;
    Object item;
    Object recipients;
    on.step([&] { calendar = CalendarFolder(); });
    on.step([&] { item = FindSettingsItem(calendar); });
    if (!item) return;
    on.step([&] { item = GetSafeAppointmentItem(item); });
    on.step([&] { recipients = item.get("Recipients").toObject(); });
    if (!recipients) {
        on.step([] { Addin().OutlookSecurityInfo(); });
        return;
    }
    on.step([&] { PeopleResourcesFormInstance::Get().InitForm(recipients); });
    on.step([&] { OrganizerName = item.get("Organizer").toString(); });
}

void cExplorer::SettingsButton_Click() {
    ErrorLabel on("SettingsButton_Click:");
    Object calendar;
    on.step([&] { calendar = CalendarFolder(); });
    // A search that failed says nothing about the item: creating one then would stand a second,
    // empty directory beside the real one.
    bool searched = on.step([&] { settingsItem_.set(FindSettingsItem(calendar)); });
    if (searched && !SettingsItem()) {
        std::string templatePath = platform::services().libraryFolder() + "\\QuorvelSettings.oft";
        on.step([&] {
            settingsItem_.set(Addin().OutlookInstance().call("CreateItemFromTemplate", {templatePath}).toObject());
        });
        on.step([&] { SettingsItem().put("Start", SettingsStart); });
        on.step([&] { SettingsItem().put("ReminderSet", false); });
        on.step([&] { SettingsItem().put("MeetingStatus", outlook::olNonMeeting); });
    }
    on.step([&] { SettingsItem().call("Display", {false}); });
}

void cExplorer::SettingsItem_Close() {
    LogError("SettingsItem_Close");
    ErrorLabel on("SettingsItem_Close:");
    Object item;
    Object recipients;
    on.step([&] { SettingsItem().call("Save"); });
    on.step([&] { item = GetSafeAppointmentItem(SettingsItem()); });
    on.step([&] { recipients = item.get("Recipients").toObject(); });
    // The directory is read once, for the lists and for the group schedules alike.
    DirectoryReading directory(recipients);
    on.step([&] { PeopleResourcesFormInstance::Get().InitForm(directory); });
    on.step([&] { OrganizerName = item.get("Organizer").toString(); });
    on.step([&] { UpdateGroupSchedule(directory); });
    directory.Release();
    recipients.clear();
    item.clear();
    settingsItem_.clear();
}

void cExplorer::SettingsItem_Send(EventArgs& args) {
    LogError("SettingsItem_Send: Cancelled");
    SettingsItem().call("Close", {outlook::olSave});
    settingsItem_.clear();
    args.at(0) = true;
}
