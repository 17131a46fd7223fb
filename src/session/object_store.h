#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "automation/event_binding.h"
#include "automation/object.h"

// The window registry: an unkeyed set of strong references compared by identity. Its references
// are what keep the window wrappers (and the inspectors they wrap) alive.
class cObjectStore {
public:
    static constexpr int16_t InitialUpperBound = 32;
    static constexpr int16_t Growth = 16;

    cObjectStore();
    ~cObjectStore();
    cObjectStore(const cObjectStore&) = delete;
    cObjectStore& operator=(const cObjectStore&) = delete;

    void DeleteAll();
    void Add(const automation::Object& obj);
    void Add(const std::shared_ptr<automation::EventOwner>& obj);
    void Delete(const automation::Object& obj) { Delete(obj.identity()); }
    void Delete(const automation::EventOwner* obj) { Delete(static_cast<const void*>(obj)); }
    bool Exists(const automation::Object& obj) const { return Exists(obj.identity()); }
    bool Exists(const automation::EventOwner* obj) const { return Exists(static_cast<const void*>(obj)); }

    int16_t UpperBound() const { return static_cast<int16_t>(slots_.size() - 1); }
    // How many slots hold an object.
    int Occupied() const;
    // The slot that holds `identity` first, or -1.
    int16_t SlotOf(const void* identity) const;

private:
    struct Slot {
        const void* identity = nullptr;
        std::shared_ptr<void> reference;
    };

    void Add(Slot slot);
    void Delete(const void* identity);
    bool Exists(const void* identity) const { return SlotOf(identity) >= 0; }
    void Empty(size_t index);

    std::vector<Slot> slots_;
    // No slot below this index is empty, so a scan for the first empty slot may start here.
    size_t firstFree_ = 0;
};
