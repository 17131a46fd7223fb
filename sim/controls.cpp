#include "controls.h"

#include <algorithm>

namespace sim {
namespace {

constexpr int32_t msoControlButton = 1;
constexpr int32_t CustomControlId = 1;

}  // namespace

CommandBarButton::CommandBarButton(Context& session, int32_t id, std::string caption, std::function<void()> command)
    : SimObject(session, "CommandBarButton"), id_(id), caption_(std::move(caption)), command_(std::move(command)) {
    property("Type", [](Args&) { return Value(msoControlButton); });
    property("Id", [this](Args&) { return Value(id_); });
    property("Caption", [this](Args&) { return Value(caption_); });
    writable("Caption", [this](const Value& value) { caption_ = value.toString(); });
    property("TooltipText", [this](Args&) { return Value(tooltip_); });
    writable("TooltipText", [this](const Value& value) { tooltip_ = value.toString(); });
    property("Tag", [this](Args&) { return Value(tag_); });
    writable("Tag", [this](const Value& value) { tag_ = value.toString(); });
    property("FaceId", [this](Args&) { return Value(faceId_); });
    writable("FaceId", [this](const Value& value) { faceId_ = value.toInt32(); });
    property("Style", [this](Args&) { return Value(style_); });
    writable("Style", [this](const Value& value) { style_ = value.toInt32(); });
    property("BeginGroup", [this](Args&) { return Value(beginGroup_); });
    writable("BeginGroup", [this](const Value& value) { beginGroup_ = value.toBool(); });
    property("Visible", [this](Args&) { return Value(visible_); });
    writable("Visible", [this](const Value& value) { visible_ = value.toBool(); });
    property("Enabled", [this](Args&) { return Value(enabled_); });
    writable("Enabled", [this](const Value& value) { enabled_ = value.toBool(); });
    method("Execute", [this](Args&) {
        click();
        return Value();
    });
    method("Delete", [this](Args&) {
        std::shared_ptr<SimObject> keep = shared_from_this();
        deleted_ = true;
        if (removeFromOwner_) removeFromOwner_(this);
        return Value();
    });
    offerEvents(automation::EventSet::CommandBarButton);
}

void CommandBarButton::checkUsable() const {
    if (deleted_) throw fail::failed("Method 'Use' of object 'CommandBarButton' failed");
}

bool CommandBarButton::sharesClicksWith(const CommandBarButton& other) const {
    if (other.deleted_) return false;
    if (!tag_.empty()) return other.tag_ == tag_;
    return other.tag_.empty() && other.id_ == id_ && other.caption_ == caption_;
}

std::vector<std::shared_ptr<CommandBarButton>> CommandBarButton::clickPeers() const {
    std::vector<std::shared_ptr<CommandBarButton>> peers;
    for (const std::weak_ptr<SimObject>& held : context().commandBarButtons) {
        auto peer = std::dynamic_pointer_cast<CommandBarButton>(held.lock());
        if (peer && (peer.get() == this || sharesClicksWith(*peer))) peers.push_back(peer);
    }
    return peers;
}

void CommandBarButton::click() {
    std::shared_ptr<SimObject> keep = shared_from_this();
    automation::EventArgs args{Value(object()), Value(false)};
    for (const std::shared_ptr<CommandBarButton>& peer : clickPeers()) peer->fire("Click", args);
    bool cancelDefault = args[1].toBool();
    args.clear();
    if (!cancelDefault && command_) command_();
}

CommandBarControls::CommandBarControls(Context& session) : SimObject(session, "CommandBarControls") {
    property("Count", [this](Args&) { return Value(static_cast<int32_t>(buttons_->size())); });
    property("Item", [this](Args& args) {
        const Value& index = required(args, 0);
        if (index.isString()) {
            auto button = captioned(index.toString());
            if (!button) throw fail::invalidArgument();
            return objectValue(button);
        }
        int32_t position = index.toInt32();
        if (position < 1 || position > static_cast<int32_t>(buttons_->size())) throw fail::invalidArgument();
        return objectValue((*buttons_)[position - 1]);
    });
    method("Add", [this](Args& args) {
        if (optional(args, 0, Value(msoControlButton)).toInt32() != msoControlButton) throw fail::invalidArgument();
        int32_t id = optional(args, 1, Value(CustomControlId)).toInt32();
        size_t position = buttons_->size();
        if (given(args, 3)) {
            int32_t before = args[3].toInt32();
            if (before < 1 || before > static_cast<int32_t>(buttons_->size()) + 1) throw fail::invalidArgument();
            position = static_cast<size_t>(before - 1);
        }
        return objectValue(insert(make<CommandBarButton>(context(), id, "", nullptr), position));
    });
}

std::shared_ptr<CommandBarButton> CommandBarControls::insert(std::shared_ptr<CommandBarButton> button,
                                                             size_t position) {
    std::weak_ptr<ButtonList> list = buttons_;
    button->setOwner([list](const CommandBarButton* gone) {
        if (auto buttons = list.lock())
            buttons->erase(
                std::remove_if(buttons->begin(), buttons->end(), [gone](const auto& b) { return b.get() == gone; }),
                buttons->end());
    });
    buttons_->insert(buttons_->begin() + static_cast<std::ptrdiff_t>(position), button);
    std::vector<std::weak_ptr<SimObject>>& everyButton = context().commandBarButtons;
    everyButton.erase(std::remove_if(everyButton.begin(), everyButton.end(),
                                     [](const std::weak_ptr<SimObject>& held) { return held.expired(); }),
                      everyButton.end());
    everyButton.push_back(button);
    return button;
}

void CommandBarControls::addBuiltIn(int32_t id, const std::string& caption, std::function<void()> command) {
    insert(make<CommandBarButton>(context(), id, caption, std::move(command)), buttons_->size());
}

std::shared_ptr<CommandBarButton> CommandBarControls::captioned(const std::string& caption) const {
    for (const auto& button : *buttons_) {
        if (button->caption() == caption) return button;
    }
    return nullptr;
}

void CommandBarControls::removeId(int32_t id) {
    buttons_->erase(std::remove_if(buttons_->begin(), buttons_->end(), [id](const auto& b) { return b->id() == id; }),
                    buttons_->end());
}

}  // namespace sim
