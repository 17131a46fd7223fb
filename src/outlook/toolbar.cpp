#include "outlook/toolbar.h"

#include "outlook/outlook_constants.h"

using automation::Object;

namespace toolbar {

void Ensure(const ErrorLabel& on, const Object& window, Object& bar) {
    if (!bar) {
        IgnoreErrors([&] { bar = window.get("CommandBars").toObject().call("Item", {Name}).toObject(); });
        if (!bar)
            on.step([&] {
                bar = window.get("CommandBars").toObject().call("Add", {Name, outlook::msoBarTop, false, true}).toObject();
            });
    }
    on.step([&] { bar.put("Protection", outlook::ToolbarProtection); });
    on.step([&] { bar.put("Visible", true); });
}

namespace {

bool IsOwnClick(const automation::EventArgs& args, const automation::EventBinding& button) {
    bool own = false;
    IgnoreErrors([&] {
        const Object clicked = args.at(0).toObject();
        const Object& mine = button.get();
        own = clicked.is(mine) || clicked.get("Tag").toString() == mine.get("Tag").toString();
    });
    return own;
}

}  // namespace

std::string NewOwnerTag() {
    static unsigned long owners = 0;
    return "Quorvel " + std::to_string(++owners);
}

bool EnsureButton(const ErrorLabel& on, const Object& bar, automation::EventBinding& button, const ButtonSpec& spec,
                  const std::string& ownerTag) {
    if (button) return false;
    const std::string tag = ownerTag + " " + spec.caption;
    IgnoreErrors([&] { button.set(bar.get("Controls").toObject().call("Item", {spec.caption}).toObject()); });
    if (button) {
        // A button left by the window's earlier wrapper now clicks for this one.
        on.step([&] { button.get().put("Tag", tag); });
        return false;
    }
    on.step([&] { button.set(bar.get("Controls").toObject().call("Add", {outlook::msoControlButton}).toObject()); });
    const Object& added = button.get();
    on.step([&] { added.put("Tag", tag); });
    on.step([&] { added.put("BeginGroup", spec.beginGroup); });
    on.step([&] { added.put("Caption", spec.caption); });
    on.step([&] { added.put("TooltipText", spec.tooltip); });
    on.step([&] { added.put("FaceId", spec.faceId); });
    on.step([&] { added.put("Style", outlook::msoButtonIconAndCaption); });
    return true;
}

automation::EventBinding::Handlers OwnClick(const automation::EventBinding& button, std::function<void()> handler) {
    return {{"Click", [&button, handler](automation::EventArgs& args) {
                 if (IsOwnClick(args, button)) handler();
             }}};
}

void Remove(const ErrorLabel& on, Object& bar) {
    if (!bar) return;
    Object controls;
    on.step([&] { controls = bar.get("Controls").toObject(); });
    int16_t count = on.bound([&] { return controls.get("Count").toInt16(); });
    // From the last control down, so each deletion leaves the indexes still to come unchanged.
    for (int16_t index = count; index >= 1; --index)
        on.step([&] { controls.call("Item", {index}).toObject().call("Delete"); });
    on.step([&] { bar.call("Delete"); });
}

}  // namespace toolbar
