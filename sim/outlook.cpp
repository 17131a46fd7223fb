#include "outlook.h"

#include <algorithm>

#include "application.h"
#include "command_bars.h"
#include "controls.h"
#include "explorer.h"
#include "folder.h"
#include "inspector.h"
#include "item.h"
#include "namespace.h"
#include "security_wrapper.h"
#include "text.h"
#include "windows.h"

namespace sim {
namespace {

int16_t folderType(FolderKind kind) {
    switch (kind) {
        case FolderKind::Calendar: return 9;
        case FolderKind::Inbox: return 6;
        case FolderKind::DeletedItems: return 3;
        case FolderKind::SentItems: return 5;
        case FolderKind::Drafts: return 16;
    }
    return 9;
}

template <typename T>
std::shared_ptr<T> required(const automation::Object& object, const char* what) {
    auto simulated = objectOf<T>(Value(object));
    if (!simulated) throw std::invalid_argument(std::string("not a simulated ") + what);
    return simulated;
}

std::shared_ptr<CommandBars> barsOf(const automation::Object& window) {
    if (auto explorer = objectOf<Explorer>(Value(window))) return explorer->commandBars();
    return required<Inspector>(window, "window")->commandBars();
}

}  // namespace

Outlook::Outlook()
    : context_(std::make_unique<Context>()),
      platform_(*context_),
      application_(SimObject::make<Application>(*context_)) {
    context_->application = application_.get();
}

Outlook::~Outlook() {
    if (!current_) return;
    automation::setComponentFactory(nullptr);
    platform::setServices(nullptr);
}

automation::Object Outlook::application() { return application_->object(); }

void Outlook::makeCurrent() {
    automation::setComponentFactory(this);
    platform::setServices(&platform_);
    current_ = true;
}

automation::Object Outlook::create(std::string_view progId) {
    if (!context_->wrapperInstalled) return automation::Object();
    if (equalNoCase(progId, "VeskSec1.VeskCurrentUser")) return SimObject::make<VeskCurrentUser>(*context_)->object();
    if (equalNoCase(progId, "VeskSec1.VeskAppointmentItem"))
        return SimObject::make<VeskAppointmentItem>(*context_)->object();
    if (equalNoCase(progId, "VeskSec1.VeskMAPIFolder")) return SimObject::make<VeskMAPIFolder>(*context_)->object();
    return automation::Object();
}

void Outlook::setVersion(std::string version) { context_->version = std::move(version); }

void Outlook::setCurrentUser(std::string name) { context_->currentUser = std::move(name); }

void Outlook::installSecurityWrapper(bool installed) { context_->wrapperInstalled = installed; }

void Outlook::setSecurityWrapperRefusesRecipients(bool refuses) { context_->wrapperRefusesRecipients = refuses; }

void Outlook::denyAccess(bool denied) { context_->accessDenied = denied; }

FreeBusyBook& Outlook::freeBusy() { return context_->freeBusy; }

void Outlook::markUnresolvable(const std::string& name) { context_->unresolvable.insert(name); }

bool Outlook::securityWrapperInstalled() const { return context_->wrapperInstalled; }

bool Outlook::securityWrapperRefusesRecipients() const { return context_->wrapperRefusesRecipients; }

bool Outlook::resolvable(const std::string& name) const { return context_->isResolvable(name); }

void Outlook::removeControl(int32_t id) {
    context_->removedControls.insert(id);
    for (const auto& explorer : application_->explorers()->list()) explorer->commandBars()->removeControl(id);
    for (const auto& inspector : application_->inspectors()->list()) inspector->commandBars()->removeControl(id);
}

void Outlook::failMember(const std::string& classDotMember, const std::string& description, int nthCall) {
    context_->failMember(classDotMember, description, nthCall);
}

void Outlook::clearFaults() { context_->clearFaults(); }

const std::map<std::string, long long>& Outlook::addinCalls() const { return context_->addinCalls; }

const std::map<std::string, long long>& Outlook::ownCalls() const { return context_->ownCalls; }

long long Outlook::calls() const { return context_->calls; }

void Outlook::resetCalls() { context_->calls = 0; }

int Outlook::addinReferences() const {
    int total = 0;
    for (const SimObject* object : context_->liveObjects()) total += object->outsideReferences();
    return total;
}

std::vector<std::string> Outlook::heldObjects() const {
    std::vector<std::string> held;
    for (const SimObject* object : context_->liveObjects()) {
        if (object->outsideReferences() > 0)
            held.push_back(object->className() + " x" + std::to_string(object->outsideReferences()));
    }
    std::sort(held.begin(), held.end());
    return held;
}

void Outlook::queueAlertAnswer(AlertAnswer answer, std::function<void()> whileShown) {
    context_->queueAnswer(answer, std::move(whileShown));
}

AlertAnswer Outlook::showMessageBox(const std::string& title, const std::string& text, bool hasCancel) {
    return context_->showAlert(title, text, "message box", hasCancel);
}

const std::vector<Alert>& Outlook::alerts() const { return context_->alerts; }

const std::vector<std::string>& Outlook::handlerFailures() const { return context_->handlerFailures; }

void Outlook::clearAlerts() { context_->alerts.clear(); }

automation::Object Outlook::openExplorer(FolderKind folder) {
    return application_->explorers()->open(folderOf(folder))->object();
}

void Outlook::closeExplorer(const automation::Object& explorer) { required<Explorer>(explorer, "explorer")->close(); }

void Outlook::switchFolder(const automation::Object& explorer, FolderKind folder) {
    required<Explorer>(explorer, "explorer")->switchTo(folderOf(folder));
}

void Outlook::activate(const automation::Object& window) {
    if (auto explorer = objectOf<Explorer>(Value(window))) {
        explorer->activate();
        return;
    }
    required<Inspector>(window, "window")->activate();
}

void Outlook::changeSelection(const automation::Object& explorer) {
    required<Explorer>(explorer, "explorer")->fire("SelectionChange");
}

automation::Object Outlook::displayItem(const automation::Object& item) {
    auto shown = itemOf(item);
    shown->display();
    return shown->inspector() ? shown->inspector()->object() : automation::Object();
}

automation::Object Outlook::openEmptyInspector() { return application_->inspectors()->open(nullptr)->object(); }

void Outlook::announceInspectorAgain(const automation::Object& inspector) {
    application_->inspectors()->announce(required<Inspector>(inspector, "inspector"));
}

bool Outlook::closeInspector(const automation::Object& inspector, bool saveChanges) {
    return required<Inspector>(inspector, "inspector")->close(saveChanges ? SaveMode::Save : SaveMode::Discard, true);
}

bool Outlook::sendFromInspector(const automation::Object& inspector) {
    auto item = required<Inspector>(inspector, "inspector")->item();
    return item && item->send();
}

bool Outlook::clickButton(const automation::Object& window, const std::string& caption) {
    auto button = barsOf(window)->controlCaptioned(caption);
    if (!button || !button->visible() || !button->enabled()) return false;
    button->click();
    return true;
}

void Outlook::fireStartup() { application_->fire("Startup"); }

void Outlook::fireNewMail(const std::string& subject) {
    addMail(FolderKind::Inbox, subject);
    application_->fire("NewMail");
}

void Outlook::fireReminder(const automation::Object& item) {
    automation::EventArgs args{Value(item)};
    application_->fire("Reminder", args);
}

void Outlook::fireQuit() { application_->fire("Quit"); }

void Outlook::endWithoutNotice() { context_->ended = true; }

bool Outlook::ended() const { return context_->ended; }

const std::vector<std::string>& Outlook::callsAfterEnd() const { return context_->callsAfterEnd; }

int Outlook::explorerCount() const { return static_cast<int>(application_->explorers()->list().size()); }

int Outlook::inspectorCount() const { return static_cast<int>(application_->inspectors()->list().size()); }

automation::Object Outlook::explorer(int index) {
    return application_->explorers()->list().at(static_cast<size_t>(index - 1))->object();
}

automation::Object Outlook::inspector(int index) {
    return application_->inspectors()->list().at(static_cast<size_t>(index - 1))->object();
}

automation::Object Outlook::activeInspector() {
    auto active = application_->inspectors()->active();
    return active ? active->object() : automation::Object();
}

int Outlook::groupScheduleShows(const automation::Object& explorer) const {
    return required<Explorer>(explorer, "explorer")->groupScheduleShows();
}

automation::Object Outlook::folder(FolderKind folder) { return folderOf(folder)->object(); }

automation::Object Outlook::addAppointment(const AppointmentSpec& appointment) {
    ItemState state;
    state.subject = appointment.subject;
    state.messageClass = appointment.messageClass;
    state.organizer = appointment.organizer;
    state.start = appointment.start;
    state.reminderSet = appointment.reminderSet;
    state.meetingStatus = appointment.meetingStatus;
    state.busyStatus = appointment.busyStatus;
    for (const auto& [name, type] : appointment.recipients)
        state.recipients.push_back(RecipientData{name, type, context_->isResolvable(name), ""});
    auto item = SimObject::make<Item>(*context_, ItemKind::Appointment, appointment.messageClass);
    item->seed(state, folderOf(FolderKind::Calendar));
    return item->object();
}

automation::Object Outlook::addAppointment(const std::string& subject) {
    AppointmentSpec appointment;
    appointment.subject = subject;
    return addAppointment(appointment);
}

automation::Object Outlook::addMail(FolderKind folder, const std::string& subject) {
    ItemState state;
    state.subject = subject;
    state.messageClass = "IPM.Note";
    auto item = SimObject::make<Item>(*context_, ItemKind::Mail, state.messageClass);
    item->seed(state, folderOf(folder));
    return item->object();
}

automation::Object Outlook::addMeetingRequest(const std::string& subject) {
    ItemState state;
    state.subject = subject;
    state.messageClass = "IPM.Schedule.Meeting.Request";
    auto item = SimObject::make<Item>(*context_, ItemKind::MeetingRequest, state.messageClass);
    item->seed(state, folderOf(FolderKind::Inbox));
    return item->object();
}

std::vector<automation::Object> Outlook::findItems(FolderKind folder, const std::string& subject) {
    std::vector<automation::Object> found;
    for (const auto& item : folderOf(folder)->items()) {
        if (item->subject() == subject) found.push_back(item->object());
    }
    return found;
}

std::vector<std::string> Outlook::subjects(FolderKind folder) const {
    std::vector<std::string> all;
    for (const auto& item : folderOf(folder)->items()) all.push_back(item->subject());
    return all;
}

std::vector<automation::Object> Outlook::hiddenItems() {
    std::vector<automation::Object> hidden;
    for (const auto& item : folderOf(FolderKind::Calendar)->hiddenItems()) hidden.push_back(item->object());
    return hidden;
}

std::vector<RecipientInfo> Outlook::recipients(const automation::Object& item) const {
    std::vector<RecipientInfo> infos;
    for (const auto& recipient : itemOf(item)->recipientList())
        infos.push_back({recipient->name, recipient->type, recipient->resolved});
    return infos;
}

std::string Outlook::requiredAttendees(const automation::Object& item) const { return itemOf(item)->names(1); }

std::string Outlook::resources(const automation::Object& item) const { return itemOf(item)->names(3); }

std::string Outlook::writtenRequiredAttendees(const automation::Object& item) const {
    return itemOf(item)->writtenNames(1);
}

std::string Outlook::writtenResources(const automation::Object& item) const { return itemOf(item)->writtenNames(3); }

bool Outlook::isSaved(const automation::Object& item) const { return itemOf(item)->isSaved(); }

std::shared_ptr<Folder> Outlook::folderOf(FolderKind kind) const {
    return application_->nameSpace()->defaultFolder(folderType(kind));
}

std::shared_ptr<Item> Outlook::itemOf(const automation::Object& item) const { return required<Item>(item, "item"); }

}  // namespace sim
