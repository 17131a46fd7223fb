#include "directory/people_resources_form.h"

#include "automation/counted_loop.h"
#include "directory/temporary_draft.h"
#include "host/globals.h"
#include "log/error_label.h"
#include "outlook/outlook_constants.h"
#include "outlook/outlook_module.h"
#include "session/addin.h"

using automation::EventArgs;
using automation::Object;

namespace {

std::unique_ptr<ui::Window> createWindow() {
    return ui::toolkit().createWindow(
        {"PeopleResourcesForm", "People & Resources", 7425, 5775, ui::Border::FixedSingle});
}

ui::ListBox& addList(ui::Window& window, const char* name, int left, int tabIndex) {
    return window.addListBox({name, {left, 360, 3375, 4350}, tabIndex}, true);
}

}  // namespace

PeopleResourcesForm::PeopleResourcesForm()
    : window_(createWindow()),
      people_(addList(*window_, "PeopleList", 240, 0)),
      resources_(addList(*window_, "ResourcesList", 3840, 1)),
      appointmentItem_(*this, automation::EventSet::Item,
                       {{"Close", [this](EventArgs&) { AppointmentItem_Close(); }}}) {
    window_->addLabel({"PeopleLabel", {240, 120, 3375, 255}, 2}, "People");
    window_->addLabel({"ResourcesLabel", {3840, 120, 3375, 255}, 3}, "Resources");
    ui::Button& save = window_->addButton({"SaveButton", {5520, 5160, 1695, 375}, 4}, "Save && Close");
    ui::Button& cancel = window_->addButton({"CancelButton", {3600, 5160, 1695, 375}, 5}, "Cancel");
    save.onClick = [this] { SaveButton_Click(); };
    cancel.onClick = [this] { CancelButton_Click(); };
    // Closing from the title bar acts as Cancel: unloading would drop the directory held here.
    window_->onCloseRequest = [this] { CancelButton_Click(); };
}

PeopleResourcesForm::~PeopleResourcesForm() {
    try {
        appointmentItem_.clear();
    } catch (...) {
    }
}

void PeopleResourcesForm::InitForm(const Object& recipients) { InitForm(DirectoryReading(recipients)); }

void PeopleResourcesForm::InitForm(const DirectoryReading& directory) {
    DirectoryList::Update peopleUpdate(people_);
    DirectoryList::Update resourcesUpdate(resources_);
    people_.RemoveAll();
    resources_.RemoveAll();
    // The entries read before a failure stay listed; the failure goes to the caller.
    for (const DirectoryReading::Entry& entry : directory.Entries()) {
        DirectoryList& list = entry.type == outlook::olResource ? resources_ : people_;
        list.Append(entry.name, DirectoryList::DirectoryEntry);
    }
    if (directory.Failure()) throw *directory.Failure();
}

void PeopleResourcesForm::ShowForm(const Object& appointment) {
    ErrorLabel on("ShowForm:");
    on.step([&] { window_->hide(); });
    on.step([&] { appointmentItem_.set(appointment); });
    int16_t version = 0;
    on.step([&] { version = Addin().GetOutlookVersion(); });
    Object copy;
    Object source;
    if (NeedsTemporaryDraft(version)) {
        DeleteLeftoverDrafts(on, AppointmentItem());
        on.step([&] { copy = AppointmentItem().call("Copy").toObject(); });
        on.step([&] { copy.put("ReminderSet", false); });
        on.step([&] { copy.put("MeetingStatus", outlook::olNonMeeting); });
        on.step([&] { copy.put("BusyStatus", outlook::olFree); });
        on.step([&] { copy.put("Subject", TemporaryDraftSubject); });
        on.step([&] { copy.call("Save"); });
        on.step([&] { source = GetSafeAppointmentItem(copy); });
    } else {
        source = AppointmentItem();
    }
    on.step([&] { people_.Clear(); });
    on.step([&] { resources_.Clear(); });
    Object recipients;
    on.step([&] { recipients = source.get("Recipients").toObject(); });
    if (!recipients) {
        on.step([&] { Addin().OutlookSecurityInfo(); });
    } else {
        AddRecipients(on, recipients);
        on.step([&] { window_->setCaption("People & Resources: " + AppointmentItem().get("Subject").toString()); });
        on.step([&] { window_->show(); });
    }
    if (copy) DeleteTemporaryDraft(on, copy);
}

void PeopleResourcesForm::AddRecipients(const ErrorLabel& on, const Object& recipients) {
    DirectoryList::Update peopleUpdate(people_);
    DirectoryList::Update resourcesUpdate(resources_);
    int16_t count = on.bound([&] { return recipients.get("Count").toInt16(); });
    automation::ForEachIndex(count, [&](int16_t index) {
        Object recipient;
        on.step([&] { recipient = recipients.call("Item", {index}).toObject(); });
        std::string name;
        if (!on.step([&] { name = recipient.get("Name").toString(); }) || name == OrganizerName) return;
        int16_t type = 0;
        // Guessing a type would tick a person as a room and book them so at the next save.
        if (!on.step([&] { type = recipient.get("Type").toInt16(); })) return;
        if (type == outlook::olResource)
            on.step([&] { resources_.AddItemIfNew(name, true); });
        else if (type == outlook::olRequired)
            on.step([&] { people_.AddItemIfNew(name, true); });
    });
}

void PeopleResourcesForm::SaveButton_Click() {
    ErrorLabel on("SaveButton_Click:");
    on.step([&] { window_->hide(); });
    Object target;
    on.step([&] { target = GetSafeAppointmentItem(AppointmentItem()); });
    on.step([&] { AppointmentItem().put("MeetingStatus", outlook::olNonMeeting); });
    std::string people = people_.ChosenNames();
    on.step([&] { target.put("RequiredAttendees", people); });
    std::string resources = resources_.ChosenNames();
    on.step([&] { target.put("Resources", resources); });
    bool resolved = IgnoreErrors([&] { AppointmentItem().get("Recipients").toObject().call("ResolveAll"); });
    if (!resolved) IgnoreErrors([] { Addin().OutlookSecurityInfo(); });
    on.step([&] { AppointmentItem().put("MeetingStatus", outlook::olMeeting); });
    target.clear();
    appointmentItem_.clear();
}

void PeopleResourcesForm::CancelButton_Click() {
    window_->hide();
    appointmentItem_.clear();
}

void PeopleResourcesForm::AppointmentItem_Close() {
    appointmentItem_.clear();
    window_->hide();
}
