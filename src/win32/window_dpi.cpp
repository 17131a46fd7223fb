#include "win32/window_dpi.h"

#include "win32/late_bound_api.h"

namespace win32 {

int screenDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}

int windowDpi(HWND window) {
    const GetDpiForWindowFunction ofWindow = getDpiForWindow();
    const UINT dpi = ofWindow ? ofWindow(window) : 0;
    return dpi ? static_cast<int>(dpi) : screenDpi();
}

}  // namespace win32
