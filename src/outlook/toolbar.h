#pragma once

#include <cstdint>

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

// Takes over the button captioned as `spec` says, or appends a new one and sets it up; answers
// whether it appended one. A button already held is left alone.
bool EnsureButton(const ErrorLabel& on, const automation::Object& bar, automation::EventBinding& button,
                  const ButtonSpec& spec);

// Deletes every control of the bar, then the bar; a failing deletion goes on with the next.
void Remove(const ErrorLabel& on, automation::Object& bar);

}  // namespace toolbar
