#include "win32/form_windows.h"

#include <algorithm>
#include <vector>

#include "win32/com_boundary.h"
#include "win32/com_error.h"
#include "win32/module.h"

namespace win32 {
namespace {

int scopes = 0;
HHOOK keyHook = nullptr;
// Never destroyed: the forms that use it are not torn down while the process ends either.
std::vector<HWND>& formWindows() {
    static auto& windows = *new std::vector<HWND>;
    return windows;
}

bool isFormWindow(HWND window) {
    const auto& windows = formWindows();
    return std::find(windows.begin(), windows.end(), window) != windows.end();
}

// Outlook's message loop does not know our windows; this hook lets IsDialogMessage see their
// keyboard messages first, as a dialog's own loop would.
void giveDialogKeys(MSG& msg) {
    if (msg.message < WM_KEYFIRST || msg.message > WM_KEYLAST || !msg.hwnd) return;
    HWND root = GetAncestor(msg.hwnd, GA_ROOT);
    if (isFormWindow(root) && IsDialogMessageW(root, &msg)) {
        msg.message = WM_NULL;
        msg.wParam = 0;
        msg.lParam = 0;
    }
}

LRESULT CALLBACK dialogKeysHook(int code, WPARAM removal, LPARAM message) {
    const auto next = [&] { return CallNextHookEx(keyHook, code, removal, message); };
    return guardedMessage(
        [&] {
            if (code == HC_ACTION && removal == PM_REMOVE) giveDialogKeys(*reinterpret_cast<MSG*>(message));
            return next();
        },
        next);
}

}  // namespace

FormWindowScope::FormWindowScope(WNDPROC windowProcedure) {
    if (scopes == 0) {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = windowProcedure;
        windowClass.hInstance = module();
        windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        windowClass.lpszClassName = FormWindowClass;
        if (!RegisterClassExW(&windowClass)) throw comError(lastErrorHresult());
        keyHook = SetWindowsHookExW(WH_GETMESSAGE, dialogKeysHook, nullptr, GetCurrentThreadId());
        holdModule();
    }
    ++scopes;
}

FormWindowScope::~FormWindowScope() {
    if (--scopes > 0) return;
    // A class registered by a library outlives it unless removed: its window procedure would
    // point into unloaded code.
    if (keyHook) UnhookWindowsHookEx(keyHook);
    keyHook = nullptr;
    UnregisterClassW(FormWindowClass, module());
    releaseModule();
}

void addFormWindow(HWND window) { formWindows().push_back(window); }

void removeFormWindow(HWND window) {
    auto& windows = formWindows();
    windows.erase(std::remove(windows.begin(), windows.end(), window), windows.end());
}

}  // namespace win32
