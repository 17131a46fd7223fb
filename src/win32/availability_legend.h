#pragma once

#include <windows.h>

#include <string>

#include "win32/win32_controls.h"

namespace win32 {

// One row explaining the marks: each state's mark and its words. Its window text gives the same
// words, which screen readers read.
class Win32AvailabilityLegend final : public Win32Control {
public:
    using Win32Control::Win32Control;
    Blueprint blueprint() const override;
    // WM_DRAWITEM.
    void draw(const DRAWITEMSTRUCT& item) const;
};

}  // namespace win32
