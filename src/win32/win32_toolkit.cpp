#include "win32/win32_toolkit.h"

#include "win32/win32_window.h"

namespace win32 {

std::unique_ptr<ui::Window> Win32Toolkit::createWindow(const ui::WindowSpec& spec) {
    return std::make_unique<Win32Window>(spec);
}

}  // namespace win32
