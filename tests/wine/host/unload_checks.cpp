#include "unload_checks.h"

#include <windows.h>
#include <objbase.h>

#include <string>

#include "win32/form_windows.h"

namespace host {
namespace {

constexpr const wchar_t* LibraryName = L"Quorvel.dll";

BOOL CALLBACK countFormWindow(HWND window, LPARAM count) {
    wchar_t className[64] = L"";
    GetClassNameW(window, className, static_cast<int>(std::size(className)));
    if (std::wstring(className) == win32::FormWindowClass) ++*reinterpret_cast<int*>(count);
    return TRUE;
}

int formWindowsOfThisThread() {
    int count = 0;
    EnumThreadWindows(GetCurrentThreadId(), countFormWindow, reinterpret_cast<LPARAM>(&count));
    return count;
}

class Report {
public:
    explicit Report(std::ostream& out) : out_(out) {}
    void check(bool holds, const std::string& what, const std::string& otherwise = "") {
        out_ << (holds ? "ok: " : "FAILED: ") << what << (holds || otherwise.empty() ? "" : " (" + otherwise + ")")
             << "\n";
        passed_ = passed_ && holds;
    }
    bool passed() const { return passed_; }

private:
    std::ostream& out_;
    bool passed_ = true;
};

}  // namespace

bool checkLibraryUnloaded(std::ostream& out) {
    Report report(out);
    const int windows = formWindowsOfThisThread();
    report.check(windows == 0, "after the add-in was unticked none of its windows is left",
                 std::to_string(windows) + " left");
    HMODULE library = GetModuleHandleW(LibraryName);
    if (!library) {
        report.check(false, "the library is still loaded before COM is asked to free it");
        return report.passed();
    }
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    report.check(!GetClassInfoExW(library, win32::FormWindowClass, &windowClass),
                 "the add-in's window class is unregistered");
    using CanUnloadNow = HRESULT(STDAPICALLTYPE*)();
    auto canUnloadNow = reinterpret_cast<CanUnloadNow>(reinterpret_cast<void*>(GetProcAddress(library, "DllCanUnloadNow")));
    report.check(canUnloadNow && canUnloadNow() == S_OK, "DllCanUnloadNow answers S_OK");
    CoFreeUnusedLibraries();
    report.check(!GetModuleHandleW(LibraryName), "CoFreeUnusedLibraries unloads the library");
    // A message hook left behind would now run code that is gone.
    PostThreadMessageW(GetCurrentThreadId(), WM_KEYDOWN, VK_TAB, 0);
    MSG message;
    const bool retrieved = PeekMessageW(&message, nullptr, WM_KEYDOWN, WM_KEYDOWN, PM_REMOVE);
    report.check(retrieved && message.wParam == VK_TAB,
                 "a key message taken from the queue afterwards reaches no hook of the library");
    return report.passed();
}

}  // namespace host
