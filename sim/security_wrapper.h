#pragma once

#include <memory>

#include "sim_object.h"

namespace sim {

class Folder;
class Item;

// The optional security wrapper library: reaches what Outlook's guard protects without asking.

class VeskCurrentUser : public SimObject {
public:
    explicit VeskCurrentUser(Context& session);
};

// Stands for the appointment given to its Item property.
class VeskAppointmentItem : public SimObject {
public:
    explicit VeskAppointmentItem(Context& session);

private:
    Item& item() const;

    std::shared_ptr<Item> item_;
};

// Stands for the folder given to its Item property and opens its hidden items.
class VeskMAPIFolder : public SimObject {
public:
    explicit VeskMAPIFolder(Context& session);

private:
    std::shared_ptr<Folder> folder_;
};

class HiddenItems : public SimObject {
public:
    HiddenItems(Context& session, std::shared_ptr<Folder> folder);

private:
    std::shared_ptr<Folder> folder_;
};

}  // namespace sim
