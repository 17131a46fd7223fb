#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "automation/dispatch.h"
#include "automation/object.h"
#include "automation/value.h"

namespace sim_test {

// Records "Source.Event" for every event of the objects it listens to, in arrival order.
class EventLog {
public:
    using Reaction = std::function<void(std::string_view event, automation::EventArgs& args)>;

    ~EventLog() {
        for (auto& listener : listeners_) listener->disconnect();
    }

    void listen(const automation::Object& source, automation::EventSet set, const std::string& name,
                Reaction reaction = {}) {
        listeners_.push_back(std::make_unique<Listener>(*this, source, set, name, std::move(reaction)));
    }
    void stopListening(size_t index) { listeners_.at(index)->disconnect(); }

    std::vector<std::string> entries;

private:
    class Listener : public automation::EventSink {
    public:
        Listener(EventLog& log, automation::Object source, automation::EventSet set, std::string name,
                 Reaction reaction)
            : log_(log), source_(std::move(source)), name_(std::move(name)), reaction_(std::move(reaction)) {
            cookie_ = source_.dispatch()->advise(set, *this);
        }
        void disconnect() {
            if (source_) source_.dispatch()->unadvise(cookie_);
            source_.clear();
        }
        void onEvent(std::string_view event, automation::EventArgs& args) override {
            log_.entries.push_back(name_ + "." + std::string(event));
            if (reaction_) reaction_(event, args);
        }

    private:
        EventLog& log_;
        automation::Object source_;
        std::string name_;
        Reaction reaction_;
        automation::Cookie cookie_ = 0;
    };

    std::vector<std::unique_ptr<Listener>> listeners_;
};

}  // namespace sim_test
