#include "command_bars.h"

#include <algorithm>

#include "controls.h"

namespace sim {
namespace {

constexpr int16_t msoBarTop = 1;

automation::Error methodFailed(const std::string& method, const std::string& className) {
    return fail::failed("Method '" + method + "' of object '" + className + "' failed");
}

}  // namespace

CommandBar::CommandBar(Context& session, std::string name, int16_t position, bool temporary, bool builtIn)
    : SimObject(session, "CommandBar"),
      name_(std::move(name)),
      position_(position),
      temporary_(temporary),
      builtIn_(builtIn),
      controls_(make<CommandBarControls>(session)) {
    property("Name", [this](Args&) { return Value(name_); });
    property("BuiltIn", [this](Args&) { return Value(builtIn_); });
    property("Protection", [this](Args&) { return Value(int32_t{protection_}); });
    writable("Protection", [this](const Value& value) { protection_ = value.toInt16(); });
    property("Visible", [this](Args&) { return Value(visible_); });
    writable("Visible", [this](const Value& value) { visible_ = value.toBool(); });
    property("Position", [this](Args&) { return Value(int32_t{position_}); });
    writable("Position", [this](const Value& value) { position_ = value.toInt16(); });
    property("Controls", [this](Args&) { return objectValue(controls_); });
    method("Delete", [this](Args&) {
        if (builtIn_) throw methodFailed("Delete", "CommandBar");
        std::shared_ptr<SimObject> keep = shared_from_this();
        deleted_ = true;
        if (removeFromOwner_) removeFromOwner_(this);
        return Value();
    });
}

void CommandBar::checkUsable() const {
    if (deleted_) throw methodFailed("Use", "CommandBar");
}

CommandBars::CommandBars(Context& session, const std::vector<BuiltInCommand>& commands)
    : SimObject(session, "CommandBars") {
    auto menuBar = addBar("Menu Bar", msoBarTop, false, true);
    addBar("Standard", msoBarTop, false, true);
    for (const BuiltInCommand& command : commands) {
        if (session.removedControls.count(command.id) == 0)
            menuBar->controls()->addBuiltIn(command.id, command.caption, command.run);
    }

    property("Count", [this](Args&) { return Value(static_cast<int32_t>(bars_->size())); });
    property("Item", [this](Args& args) { return objectValue(barAt(required(args, 0))); });
    method("Add", [this](Args& args) {
        std::string name = optional(args, 0, Value("")).toString();
        if (name.empty()) name = "Custom " + std::to_string(bars_->size() + 1);
        auto existing =
            std::find_if(bars_->begin(), bars_->end(), [&](const auto& bar) { return bar->name() == name; });
        if (existing != bars_->end()) throw methodFailed("Add", "CommandBars");
        int16_t position = optional(args, 1, Value(msoBarTop)).toInt16();
        bool temporary = optional(args, 3, Value(false)).toBool();
        return objectValue(addBar(name, position, temporary, false));
    });
    method("FindControl", [this](Args& args) { return findControl(args); });
}

std::shared_ptr<CommandBar> CommandBars::addBar(std::string name, int16_t position, bool temporary, bool builtIn) {
    auto bar = make<CommandBar>(context(), std::move(name), position, temporary, builtIn);
    std::weak_ptr<BarList> list = bars_;
    bar->setOwner([list](const CommandBar* gone) {
        if (auto bars = list.lock())
            bars->erase(std::remove_if(bars->begin(), bars->end(), [gone](const auto& b) { return b.get() == gone; }),
                        bars->end());
    });
    bars_->push_back(bar);
    return bar;
}

std::shared_ptr<CommandBar> CommandBars::barAt(const Value& index) const {
    if (index.isString()) {
        for (const auto& bar : *bars_) {
            if (bar->name() == index.toString()) return bar;
        }
        throw fail::invalidArgument();
    }
    int32_t position = index.toInt32();
    if (position < 1 || position > static_cast<int32_t>(bars_->size())) throw fail::invalidArgument();
    return (*bars_)[position - 1];
}

Value CommandBars::findControl(Args& args) const {
    for (const auto& bar : *bars_) {
        for (const auto& control : bar->controls()->list()) {
            if (given(args, 0) && required(args, 0).toInt32() != control->type()) continue;
            if (given(args, 1) && required(args, 1).toInt32() != control->id()) continue;
            if (given(args, 2) && required(args, 2).toString() != control->tag()) continue;
            if (given(args, 3) && required(args, 3).toBool() && !control->visible()) continue;
            return objectValue(control);
        }
    }
    return nothing();
}

std::shared_ptr<CommandBarButton> CommandBars::controlCaptioned(const std::string& caption) const {
    for (const auto& bar : *bars_) {
        if (auto control = bar->controls()->captioned(caption)) return control;
    }
    return nullptr;
}

void CommandBars::removeControl(int32_t id) {
    for (const auto& bar : *bars_) bar->controls()->removeId(id);
}

}  // namespace sim
