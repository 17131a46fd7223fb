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

bool EnsureButton(const ErrorLabel& on, const Object& bar, automation::EventBinding& button, const ButtonSpec& spec) {
    if (button) return false;
    IgnoreErrors([&] { button.set(bar.get("Controls").toObject().call("Item", {spec.caption}).toObject()); });
    if (button) return false;
    on.step([&] { button.set(bar.get("Controls").toObject().call("Add", {outlook::msoControlButton}).toObject()); });
    const Object& added = button.get();
    on.step([&] { added.put("BeginGroup", spec.beginGroup); });
    on.step([&] { added.put("Caption", spec.caption); });
    on.step([&] { added.put("TooltipText", spec.tooltip); });
    on.step([&] { added.put("FaceId", spec.faceId); });
    on.step([&] { added.put("Style", outlook::msoButtonIconAndCaption); });
    return true;
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
