#include "session/object_store.h"

#include <algorithm>
#include <utility>

#include "automation/error.h"

cObjectStore::cObjectStore() : slots_(InitialUpperBound + 1) {}

cObjectStore::~cObjectStore() { DeleteAll(); }

void cObjectStore::Empty(size_t index) {
    Slot& slot = slots_[index];
    firstFree_ = std::min(firstFree_, index);
    // The slot reads as empty before the release, which may re-enter Delete on this registry.
    std::shared_ptr<void> released = std::exchange(slot.reference, nullptr);
    slot.identity = nullptr;
    released.reset();
}

void cObjectStore::DeleteAll() {
    for (size_t index = 0; index < slots_.size(); ++index) Empty(index);
}

void cObjectStore::Add(const automation::Object& obj) {
    Add(Slot{obj.identity(), std::make_shared<automation::Object>(obj)});
}

void cObjectStore::Add(const std::shared_ptr<automation::EventOwner>& obj) {
    Add(Slot{static_cast<const void*>(obj.get()), obj});
}

void cObjectStore::Add(Slot slot) {
    for (; firstFree_ < slots_.size(); ++firstFree_) {
        if (!slots_[firstFree_].reference) {
            slots_[firstFree_] = std::move(slot);
            return;
        }
    }
    int32_t upperBound = UpperBound();
    if (upperBound + Growth > INT16_MAX) throw automation::errors::overflow();
    slots_.resize(static_cast<size_t>(upperBound + Growth + 1));
    slots_[static_cast<size_t>(upperBound + 1)] = std::move(slot);
}

int16_t cObjectStore::SlotOf(const void* identity) const {
    for (size_t index = 0; index < slots_.size(); ++index)
        if (slots_[index].reference && slots_[index].identity == identity) return static_cast<int16_t>(index);
    return -1;
}

void cObjectStore::Delete(const void* identity) {
    int16_t index = SlotOf(identity);
    if (index >= 0) Empty(static_cast<size_t>(index));
}

int cObjectStore::Occupied() const {
    return static_cast<int>(std::count_if(slots_.begin(), slots_.end(), [](const Slot& slot) { return slot.reference != nullptr; }));
}
