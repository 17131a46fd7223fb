#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "automation/value.h"
#include "recipient.h"
#include "recurrence.h"
#include "sim_object.h"

namespace sim {

class Folder;
class Inspector;

enum class ItemKind { Appointment, Mail, MeetingRequest };

// What closing an item does with unsaved changes (Outlook's OlInspectorClose values).
enum class SaveMode { Save = 0, Discard = 1, Prompt = 2 };

// The SaveMode argument of a Close call; any other value raises "The parameter is incorrect."
SaveMode saveModeArgument(const Args& args);

// The properties Save keeps and Close with discard goes back to.
struct ItemState {
    std::string subject;
    std::string messageClass;
    std::string organizer;
    // A new appointment's time in this session: Thursday 14 January 2027, 10:00 to 11:00.
    automation::Date start{46401 + 10.0 / 24};
    automation::Date end{46401 + 11.0 / 24};
    WeeklySeries series;
    bool reminderSet = false;
    int16_t meetingStatus = 0;
    int16_t busyStatus = 2;
    std::vector<RecipientData> recipients;
};

// An Outlook item: an appointment, a mail or a meeting request.
class Item : public SimObject {
public:
    Item(Context& session, ItemKind kind, std::string messageClass);

    ItemKind kind() const { return kind_; }
    const std::string& subject() const { return state_.subject; }
    void setSubject(std::string subject);
    const std::string& messageClass() const { return state_.messageClass; }
    const std::string& entryId() const { return entryId_; }
    const WeeklySeries& series() const { return state_.series; }
    // The user sets the appointment's time, and makes it a weekly series (a count of 0: none).
    void setTime(automation::Date start, automation::Date end);
    void setSeries(WeeklySeries series);
    ItemState snapshot() const;
    // Takes the given properties as the saved ones.
    void restore(const ItemState& state);
    // Puts the item, saved with these properties, into the folder.
    void seed(const ItemState& state, const std::shared_ptr<Folder>& folder);
    bool isSaved() const { return saved_; }
    RecipientList& recipientList() { return recipients_; }
    void changed() { saved_ = false; }
    std::string names(int16_t type) const;
    std::string organizer() const;
    // Replaces the recipients of that type with the names of a ";"-separated list, unresolved.
    void setNames(int16_t type, const std::string& list);
    // The list last written for that type, exactly as written, before Outlook tidied it.
    std::string writtenNames(int16_t type) const;

    // Where the first Save puts the item instead of the default folder of its type.
    void setHome(std::shared_ptr<Folder> folder, bool hidden);
    std::shared_ptr<Folder> folder() const { return folder_.lock(); }
    void enterFolder(const std::shared_ptr<Folder>& folder);
    void save();
    // The item's Send event, then Application ItemSend; false when either was cancelled.
    bool send();
    // The item's Close event and the save decision; false when the close was cancelled.
    bool prepareClose(SaveMode mode, bool cancellable);
    bool close(SaveMode mode, bool cancellable);
    void display();
    std::shared_ptr<Inspector> inspector() const { return inspector_.lock(); }
    void setInspector(const std::shared_ptr<Inspector>& inspector) { inspector_ = inspector; }

private:
    void addMembers();
    void addAppointmentMembers();
    void checkUsable() const override;
    std::shared_ptr<Item> self();
    std::shared_ptr<Folder> defaultFolder(int16_t type) const;
    int16_t defaultFolderType() const;
    void moveTo(const std::shared_ptr<Folder>& target);
    void recordSent();
    void remove();
    std::shared_ptr<Item> copy() const;

    ItemKind kind_;
    ItemState state_;
    RecipientList recipients_;
    std::map<int16_t, std::string> writtenNames_;
    ItemState savedState_;
    bool everSaved_ = false;
    bool saved_ = false;
    bool deleted_ = false;
    bool hidden_ = false;
    std::string entryId_;
    double modified_ = 0;
    std::weak_ptr<Folder> folder_;
    std::weak_ptr<Folder> home_;
    std::weak_ptr<Inspector> inspector_;
};

}  // namespace sim
