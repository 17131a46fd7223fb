#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "automation/error.h"
#include "automation/object.h"

// The directory as read once from the settings item's recipients: each entry's name and type, in
// collection order. Closing the settings item reads it once and hands it to both the reload of
// the People & Resources lists and the group schedules.
//
// A reading calls what InitForm always called, Count and then Item, Type and Name of each entry,
// and stops at the first call that fails, keeping that failure; Resume carries on from there.
// It keeps the recipients collection, so that an entry can be taken again by its index, but no
// entry's own object.
class DirectoryReading {
public:
    struct Entry {
        std::string name;
        int16_t type;
        int16_t index;  // its position in the collection, from 1
    };

    DirectoryReading() = default;
    // Reads `recipients` (nothing: a reading without a collection, complete and empty).
    explicit DirectoryReading(const automation::Object& recipients);

    // Reads on from where the reading stopped, if it did; raises the failure that stops it again.
    void Resume();

    const automation::Object& Recipients() const { return recipients_; }
    bool HasCollection() const { return static_cast<bool>(recipients_); }
    // The failure that stopped the reading, if any.
    const std::optional<automation::Error>& Failure() const { return failure_; }
    // The entries read, in collection order.
    const std::vector<Entry>& Entries() const { return entries_; }
    // Lets go of the collection.
    void Release() { recipients_.clear(); }

private:
    void ReadOn();

    automation::Object recipients_;
    int16_t count_ = -1;  // not read yet
    std::vector<Entry> entries_;
    std::optional<automation::Error> failure_;
};
