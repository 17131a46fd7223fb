#include "context.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "automation/error.h"
#include "sim_object.h"

namespace sim {
namespace {

std::string lowered(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

}  // namespace

Context::~Context() {
    for (SimObject* object : live_) object->detach();
}

void Context::enroll(SimObject* object) { live_.insert(object); }

void Context::withdraw(SimObject* object) { live_.erase(object); }

void Context::beforeMember(const std::string& className, const std::string& member) {
    ++calls;
    std::string key = className + "." + member;
    if (ownCallDepth > 0) {
        ++ownCalls[key];
        return;
    }
    ++addinCalls[key];
    auto fault = faults_.find(lowered(key));
    if (fault == faults_.end()) return;
    ++fault->second.seen;
    bool due = fault->second.nthCall == 0 || fault->second.seen == fault->second.nthCall;
    if (due) throw automation::Error(static_cast<int32_t>(0x80004005u), fault->second.description);
}

void Context::noteCallAfterEnd(const std::string& className, std::string_view what) {
    if (ended && ownCallDepth == 0) callsAfterEnd.push_back(className + "." + std::string(what));
}

void Context::failMember(const std::string& key, const std::string& description, int nthCall) {
    faults_[lowered(key)] = Fault{description, nthCall, 0};
}

AlertAnswer Context::showAlert(const std::string& title, const std::string& text, const std::string& how,
                               bool hasCancel) {
    alerts.push_back({title, text, how});
    // A single-button alert has only one answer and leaves the queue alone.
    if (!hasCancel || answers_.empty()) return AlertAnswer::Ok;
    QueuedAnswer next = std::move(answers_.front());
    answers_.pop_front();
    if (next.whileShown) next.whileShown();
    return next.answer;
}

void Context::queueAnswer(AlertAnswer answer, std::function<void()> whileShown) {
    answers_.push_back({answer, std::move(whileShown)});
}

std::string Context::nextEntryId() {
    char id[49];
    std::snprintf(id, sizeof id, "00000000A1B2C3D4E5F60718293A4B5C0700%012X", ++entryIds_);
    return id;
}

double Context::nextModificationTime() {
    // From 1 January 2026, 09:00:00.
    constexpr double Start = 46023.375;
    return Start + ++modifications_ / 86400.0;
}

bool Context::isResolvable(const std::string& name) const { return !name.empty() && unresolvable.count(name) == 0; }

}  // namespace sim
