#include "directory/people_resources_form.h"

#include "automation/counted_loop.h"
#include "directory/availability_summary.h"
#include "directory/temporary_draft.h"
#include "host/globals.h"
#include "log/error_label.h"
#include "outlook/outlook_constants.h"
#include "outlook/outlook_module.h"
#include "platform/platform.h"
#include "session/addin.h"

using automation::EventArgs;
using automation::Object;

namespace {

std::unique_ptr<ui::Window> createWindow() {
    return ui::toolkit().createWindow(
        {"PeopleResourcesForm", "People & Resources", 7425, 6375, ui::Border::FixedSingle});
}

ui::SearchBox& addFindBox(ui::Window& window) {
    window.addLabel({"FindLabel", {240, 135, 555, 255}, 5}, "Find:");
    return window.addSearchBox({"FindBox", {840, 90, 6345, 315}, 0});
}

ui::ListBox& addList(ui::Window& window, const char* name, int left, int tabIndex) {
    return window.addListBox({name, {left, 765, 3375, 3945}, tabIndex}, true, true);
}

ui::Label& addSummary(ui::Window& window) {
    window.addAvailabilityLegend({"Legend", {240, 4800, 6975, 255}, 8});
    return window.addLabel({"SummaryLabel", {240, 5130, 6975, 450}, 9}, "");
}

std::vector<ChosenAvailability> chosenOf(const DirectoryList& list, const AvailabilityCheck& check) {
    std::vector<ChosenAvailability> chosen;
    for (int entry : list.ChosenEntries()) {
        FreeBusyReading reading = check.Known(list.Text(entry));
        reading.state = list.Availability(entry);
        chosen.push_back({list.Text(entry), reading});
    }
    return chosen;
}

}  // namespace

PeopleResourcesForm::PeopleResourcesForm()
    : window_(createWindow()),
      findBox_(addFindBox(*window_)),
      people_(addList(*window_, "PeopleList", 240, 1)),
      resources_(addList(*window_, "ResourcesList", 3840, 2)),
      summary_(addSummary(*window_)),
      availability_(people_, resources_, [this] { UpdateSummary(); }),
      appointmentItem_(*this, automation::EventSet::Item,
                       {{"Close", [this](EventArgs&) { AppointmentItem_Close(); }}}) {
    window_->addLabel({"PeopleLabel", {240, 525, 3375, 255}, 6}, "People");
    window_->addLabel({"ResourcesLabel", {3840, 525, 3375, 255}, 7}, "Resources");
    ui::Button& save = window_->addButton({"SaveButton", {5520, 5760, 1695, 375}, 3}, "Save && Close");
    ui::Button& cancel = window_->addButton({"CancelButton", {3600, 5760, 1695, 375}, 4}, "Cancel");
    save.onClick = [this] { SaveButton_Click(); };
    cancel.onClick = [this] { CancelButton_Click(); };
    findBox_.onChange = [this] { FindBox_Change(); };
    for (DirectoryList* list : {&people_, &resources_}) {
        list->OnToggled = [this](int) {
            UpdateSummary();
            WakeIdle();
        };
        list->OnScrolled = [this] { WakeIdle(); };
    }
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
    Finish();
    if (!findBox_.text().empty()) findBox_.setText("");
    people_.ForgetAvailability();
    resources_.ForgetAvailability();
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
        // Availability, and the line that sums it up, is worked out only once the window is there,
        // while Outlook is idle.
        summary_.setText("");
        on.step([&] { window_->show(); });
        if (window_->isVisible()) {
            availability_.Start(AppointmentItem());
            namesToFold_ = true;
            WakeIdle();
        }
    }
    if (copy) DeleteTemporaryDraft(on, copy);
}

bool PeopleResourcesForm::IdleStep() {
    constexpr int NamesPerStep = 1000;
    if (!availability_.Step() && namesToFold_) {
        const bool people = people_.FoldSearchKeys(NamesPerStep);
        const bool resources = resources_.FoldSearchKeys(NamesPerStep);
        namesToFold_ = people || resources;
    }
    idleRunning_ = namesToFold_ || availability_.Pending();
    return idleRunning_;
}

void PeopleResourcesForm::WakeIdle() {
    if (idleRunning_ || !(namesToFold_ || availability_.Pending())) return;
    idleRunning_ = true;
    idleWork_ = window_->startIdleWork([this] { return IdleStep(); });
}

void PeopleResourcesForm::FindBox_Change() {
    const std::string key = platform::services().searchKey(findBox_.text());
    people_.SetFilter(key);
    resources_.SetFilter(key);
    UpdateSummary();
    WakeIdle();
}

void PeopleResourcesForm::UpdateSummary() {
    std::vector<ChosenAvailability> chosen = chosenOf(people_, availability_);
    std::vector<ChosenAvailability> resources = chosenOf(resources_, availability_);
    chosen.insert(chosen.end(), resources.begin(), resources.end());
    const int hidden = people_.HiddenChosenCount() + resources_.HiddenChosenCount();
    summary_.setText(AvailabilitySummary(chosen, availability_.Recurring(), hidden));
}

void PeopleResourcesForm::Finish() {
    availability_.Stop();
    idleWork_.reset();
    idleRunning_ = false;
    appointmentItem_.clear();
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
    availability_.Stop();
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
    Finish();
}

void PeopleResourcesForm::CancelButton_Click() {
    window_->hide();
    Finish();
}

void PeopleResourcesForm::AppointmentItem_Close() {
    Finish();
    window_->hide();
}
