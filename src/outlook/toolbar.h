#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "automation/event_binding.h"
#include "log/error_label.h"

// The "Quorvel" toolbar that explorer and inspector windows carry, with its buttons.
namespace toolbar {

inline constexpr const char* Name = "Quorvel";

struct ButtonSpec {
    const char* caption;  // also the look-up key
    const char* tooltip;
    int16_t faceId;
    bool beginGroup;
};

// Finds the window's bar by name, or creates it temporary at the top, then makes it protected
// and visible. Only a failing creation or property is logged; the look-up is silent.
void Ensure(const ErrorLabel& on, const automation::Object& window, automation::Object& bar);

// Office raises a button's Click on every button it takes for the same control, telling them
// apart by Tag. Each window wrapper takes a tag of its own for its life, and its buttons' tags
// begin with it.
std::string NewOwnerTag();

// Takes over the button captioned as `spec` says, or appends a new one and sets it up, tagging it
// as its owner's; answers whether it appended one. A button already held is left alone.
bool EnsureButton(const ErrorLabel& on, const automation::Object& bar, automation::EventBinding& button,
                  const ButtonSpec& spec, const std::string& ownerTag);

// Click handlers for `button` that run `handler` only when the clicked control (Ctrl) is that
// button: the same object, or a control with its tag.
automation::EventBinding::Handlers OwnClick(const automation::EventBinding& button, std::function<void()> handler);

// Deletes every control of the bar, then the bar; a failing deletion goes on with the next.
void Remove(const ErrorLabel& on, automation::Object& bar);

}  // namespace toolbar
