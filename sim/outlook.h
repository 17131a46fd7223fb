#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "automation/component_factory.h"
#include "automation/object.h"
#include "automation/value.h"
#include "context.h"
#include "fake_platform.h"

namespace sim {

class Application;
class Folder;
class Item;

enum class FolderKind { Calendar, Inbox, DeletedItems, SentItems, Drafts };

struct RecipientInfo {
    std::string name;
    int16_t type = 1;
    bool resolved = false;
    bool operator==(const RecipientInfo& other) const {
        return name == other.name && type == other.type && resolved == other.resolved;
    }
};

// An appointment a test puts into the calendar, already saved.
struct AppointmentSpec {
    std::string subject;
    automation::Date start;
    std::vector<std::pair<std::string, int16_t>> recipients;  // name, type; resolved when resolvable
    std::string organizer;                                    // empty: the current user
    int16_t meetingStatus = 0;
    int16_t busyStatus = 2;
    bool reminderSet = false;
    std::string messageClass = "IPM.Appointment";
};

// One simulated Outlook session and the control panel of tests and the simulator command.
// Objects handed out here are counted references like the add-in's own: drop them before
// checking addinReferences().
class Outlook : public automation::ComponentFactory {
public:
    Outlook();
    Outlook(const Outlook&) = delete;
    Outlook& operator=(const Outlook&) = delete;
    ~Outlook();

    automation::Object application();
    FakePlatform& platform() { return platform_; }
    FreeBusyBook& freeBusy();
    // Makes this session the process's component factory and platform services, until destroyed.
    void makeCurrent();
    // The security wrapper library's ProgIDs while it is installed; Nothing for anything else.
    automation::Object create(std::string_view progId) override;

    void setVersion(std::string version);
    void setCurrentUser(std::string name);
    void installSecurityWrapper(bool installed);
    void setSecurityWrapperRefusesRecipients(bool refuses);
    void denyAccess(bool denied);
    void markUnresolvable(const std::string& name);
    bool securityWrapperInstalled() const;
    bool securityWrapperRefusesRecipients() const;
    // What a recipient of that name's Resolve would answer.
    bool resolvable(const std::string& name) const;
    // Takes the built-in control out of every window's command bars, now and later.
    void removeControl(int32_t id);

    void failMember(const std::string& classDotMember, const std::string& description, int nthCall = 0);
    void clearFaults();
    // Every "Class.Member" of the objects alive in this session, sorted.
    std::vector<std::string> memberNames() const;
    // Every "Class.Member" a fault can be injected into, read from a specimen of each simulated class.
    static const std::vector<std::string>& failableMembers();
    // Calls made while the answer is alive are the simulator's own (unless `when` is false),
    // counted apart and never failed.
    OwnCallScope asSimulator(bool when = true) { return OwnCallScope(*context_, when); }
    // The add-in's calls into Outlook per "Class.Member", and the simulator's own.
    const std::map<std::string, long long>& addinCalls() const;
    const std::map<std::string, long long>& ownCalls() const;
    long long calls() const;
    void resetCalls();
    int addinReferences() const;
    std::vector<std::string> heldObjects() const;

    // The answer to the next alert offering Cancel; `whileShown` runs while that alert is up.
    void queueAlertAnswer(AlertAnswer answer, std::function<void()> whileShown = {});
    const std::vector<Alert>& alerts() const;
    // A real message box a library in this process showed: logged and answered like the fake one's.
    AlertAnswer showMessageBox(const std::string& title, const std::string& text, bool hasCancel);
    // The errors the add-in's event handlers returned, as "Event: description".
    const std::vector<std::string>& handlerFailures() const;
    void clearAlerts();

    // User actions, each raising the events Outlook raises, in its order.
    automation::Object openExplorer(FolderKind folder);
    void closeExplorer(const automation::Object& explorer);
    void switchFolder(const automation::Object& explorer, FolderKind folder);
    void activate(const automation::Object& window);
    void changeSelection(const automation::Object& explorer);
    // Displays the item and answers its inspector.
    automation::Object displayItem(const automation::Object& item);
    automation::Object openEmptyInspector();
    // Outlook announces an open window a second time.
    void announceInspectorAgain(const automation::Object& inspector);
    // The user closes the window, answering the save prompt; false when a handler cancelled.
    bool closeInspector(const automation::Object& inspector, bool saveChanges = false);
    // The user presses Send; false when a handler cancelled.
    bool sendFromInspector(const automation::Object& inspector);
    // Clicks the visible, enabled control with that caption; false when the window has none.
    bool clickButton(const automation::Object& window, const std::string& caption);
    void fireStartup();
    void fireNewMail(const std::string& subject);
    void fireReminder(const automation::Object& item);
    void fireQuit();
    // The process ends without a word to the add-in, as Outlook 2010 and later end after Quit;
    // calls that still reach an object are recorded from now on.
    void endWithoutNotice();
    bool ended() const;
    const std::vector<std::string>& callsAfterEnd() const;

    // Windows as they are now; indexes start at 1, as in Explorers.Item.
    int explorerCount() const;
    int inspectorCount() const;
    automation::Object explorer(int index);
    automation::Object inspector(int index);
    automation::Object activeInspector();
    int groupScheduleShows(const automation::Object& explorer) const;

    // The store.
    automation::Object folder(FolderKind folder);
    automation::Object addAppointment(const AppointmentSpec& appointment);
    automation::Object addAppointment(const std::string& subject);
    automation::Object addMail(FolderKind folder, const std::string& subject);
    automation::Object addMeetingRequest(const std::string& subject);
    std::vector<automation::Object> findItems(FolderKind folder, const std::string& subject);
    std::vector<std::string> subjects(FolderKind folder) const;
    // The calendar's hidden items (the group schedules).
    std::vector<automation::Object> hiddenItems();
    std::vector<RecipientInfo> recipients(const automation::Object& item) const;
    std::string requiredAttendees(const automation::Object& item) const;
    std::string resources(const automation::Object& item) const;
    // What the add-in last wrote to RequiredAttendees and Resources, before Outlook tidied it.
    std::string writtenRequiredAttendees(const automation::Object& item) const;
    std::string writtenResources(const automation::Object& item) const;
    bool isSaved(const automation::Object& item) const;

private:
    std::shared_ptr<Folder> folderOf(FolderKind kind) const;
    std::shared_ptr<Item> itemOf(const automation::Object& item) const;

    // Declared first so that it outlives every object of the session.
    std::unique_ptr<Context> context_;
    FakePlatform platform_;
    std::shared_ptr<Application> application_;
    bool current_ = false;
};

}  // namespace sim
