#pragma once

#include "ui/widgets.h"

namespace win32 {

// The forms' windows as real Win32 windows.
class Win32Toolkit final : public ui::Toolkit {
public:
    std::unique_ptr<ui::Window> createWindow(const ui::WindowSpec& spec) override;
};

}  // namespace win32
