#include "directory/directory_reading.h"

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
        // The counter is wider than Outlook's indexes, so a count of 32,767 ends the loop.
        for (int32_t index = static_cast<int32_t>(entries_.size()) + 1; index <= count_; ++index) {
            Object recipient = recipients_.call("Item", {static_cast<int16_t>(index)}).toObject();
            int16_t type = recipient.get("Type").toInt16();
            entries_.push_back({recipient.get("Name").toString(), type, static_cast<int16_t>(index)});
        }
    } catch (const automation::Error& error) {
        failure_ = error;
    }
}
