#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "sim_object.h"

namespace sim {

class CommandBarButton;
class CommandBarControls;

// A command the host window runs when its built-in control executes.
struct BuiltInCommand {
    int32_t id;
    std::string caption;
    std::function<void()> run;
};

class CommandBar : public SimObject {
public:
    CommandBar(Context& session, std::string name, int16_t position, bool temporary, bool builtIn);

    const std::string& name() const { return name_; }
    const std::shared_ptr<CommandBarControls>& controls() const { return controls_; }
    void setOwner(std::function<void(const CommandBar*)> removeFromOwner) {
        removeFromOwner_ = std::move(removeFromOwner);
    }

private:
    void checkUsable() const override;

    std::string name_;
    int16_t position_;
    int16_t protection_ = 0;
    bool visible_ = false;
    bool temporary_;
    bool builtIn_;
    bool deleted_ = false;
    std::shared_ptr<CommandBarControls> controls_;
    std::function<void(const CommandBar*)> removeFromOwner_;
};

// The command bars of one explorer or inspector window.
class CommandBars : public SimObject {
public:
    // The window's built-in bars; its built-in commands sit on the menu bar, less any the
    // session has removed.
    CommandBars(Context& session, const std::vector<BuiltInCommand>& commands);

    // The first control, across the bars in order, captioned exactly so; null when none.
    std::shared_ptr<CommandBarButton> controlCaptioned(const std::string& caption) const;
    void removeControl(int32_t id);

private:
    std::shared_ptr<CommandBar> addBar(std::string name, int16_t position, bool temporary, bool builtIn);
    std::shared_ptr<CommandBar> barAt(const Value& index) const;
    Value findControl(Args& args) const;

    using BarList = std::vector<std::shared_ptr<CommandBar>>;
    // Shared so that a bar outliving its window can still ask to leave the list safely.
    std::shared_ptr<BarList> bars_ = std::make_shared<BarList>();
};

}  // namespace sim
