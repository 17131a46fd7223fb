#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "sim_object.h"

namespace sim {

// A button on a command bar. A user's click and Execute both raise Click, as Office does, to the
// sinks of every button sharing the clicked one's Tag (with no Tag: its Id and caption), the
// clicked button as Ctrl; unless a handler sets CancelDefault, the built-in command runs once.
class CommandBarButton : public SimObject {
public:
    CommandBarButton(Context& session, int32_t id, std::string caption, std::function<void()> command);

    int32_t type() const { return 1; }
    int32_t id() const { return id_; }
    const std::string& caption() const { return caption_; }
    const std::string& tag() const { return tag_; }
    bool visible() const { return visible_; }
    bool enabled() const { return enabled_; }
    // Raises Click on every connected button Office takes for this control, then runs the
    // command once unless a handler set CancelDefault.
    void click();
    void setOwner(std::function<void(const CommandBarButton*)> removeFromOwner) {
        removeFromOwner_ = std::move(removeFromOwner);
    }

private:
    void checkUsable() const override;
    bool sharesClicksWith(const CommandBarButton& other) const;
    std::vector<std::shared_ptr<CommandBarButton>> clickPeers() const;

    int32_t id_;
    std::string caption_;
    std::string tooltip_;
    std::string tag_;
    int32_t faceId_ = 0;
    int32_t style_ = 0;
    bool beginGroup_ = false;
    bool visible_ = true;
    bool enabled_ = true;
    bool deleted_ = false;
    std::function<void()> command_;
    std::function<void(const CommandBarButton*)> removeFromOwner_;
};

// The controls of one command bar, in bar order.
class CommandBarControls : public SimObject {
public:
    explicit CommandBarControls(Context& session);

    using ButtonList = std::vector<std::shared_ptr<CommandBarButton>>;
    const ButtonList& list() const { return *buttons_; }
    void addBuiltIn(int32_t id, const std::string& caption, std::function<void()> command);
    std::shared_ptr<CommandBarButton> captioned(const std::string& caption) const;
    void removeId(int32_t id);

private:
    std::shared_ptr<CommandBarButton> insert(std::shared_ptr<CommandBarButton> button, size_t position);

    std::shared_ptr<ButtonList> buttons_ = std::make_shared<ButtonList>();
};

}  // namespace sim
