#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "sim_object.h"

namespace sim {

class Item;

struct RecipientData {
    std::string name;
    int16_t type = 1;
    bool resolved = false;
    std::string address;
};

using RecipientList = std::vector<std::shared_ptr<RecipientData>>;

// A view of one recipient of an item (or of the current user, with no item). Views handed out
// by the security wrapper library are not guarded.
class Recipient : public SimObject {
public:
    Recipient(Context& session, std::shared_ptr<RecipientData> data, std::shared_ptr<Item> owner, bool guarded);

private:
    void changed();

    std::shared_ptr<RecipientData> data_;
    std::shared_ptr<Item> owner_;
};

// An address-book entry as a recipient names it.
class AddressEntry : public SimObject {
public:
    AddressEntry(Context& session, std::string name, std::string address);
    const std::string& name() const { return name_; }
    const std::string& address() const { return address_; }

private:
    std::string name_;
    std::string address_;
};

}  // namespace sim
