#include "directory/directory_reading.h"

#include "automation/counted_loop.h"

using automation::Object;

DirectoryReading::DirectoryReading(const Object& recipients) : recipients_(recipients) {
    if (recipients_) ReadOn();
}

void DirectoryReading::Resume() {
    if (!failure_) return;
    failure_.reset();
    ReadOn();
    if (failure_) throw *failure_;
}

void DirectoryReading::ReadOn() {
    try {
        if (count_ < 0) count_ = recipients_.get("Count").toInt16();
        automation::ForEachIndex(static_cast<int32_t>(entries_.size()) + 1, count_, [&](int16_t index) {
            Object recipient = recipients_.call("Item", {index}).toObject();
            int16_t type = recipient.get("Type").toInt16();
            entries_.push_back({recipient.get("Name").toString(), type, index});
        });
    } catch (const automation::Error& error) {
        failure_ = error;
    }
}
