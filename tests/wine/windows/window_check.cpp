// Opens each of the add-in's forms with the Win32 toolkit, as Quorvel.dll does inside Outlook,
// checks its window through Win32, and holds it on the screen until the controlling script has
// taken its screenshot (see controller.h). The exit status is the number of failed checks.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <memory>
#include <string>
#include <vector>

#include "check.h"
#include "directory/people_resources_form.h"
#include "log/main_form.h"
#include "ui/widgets.h"
#include "win32/form_windows.h"
#include "availability_checks.h"
#include "controller.h"
#include "dpi_checks.h"
#include "form_scenarios.h"
#include "idle_work_checks.h"
#include "list_accessibility_checks.h"
#include "list_checks.h"
#include "message_count.h"
#include "message_pump.h"
#include "screen_capture.h"
#include "win32/host_services.h"
#include "win32/module.h"
#include "window_inspection.h"

namespace {

using checks::expect;
using windowcheck::FormScenario;

constexpr DWORD WindowTimeoutMs = 10000;
constexpr DWORD ScreenTimeoutMs = 10000;

HWND findButton(HWND window, const std::wstring& text) {
    for (const windowcheck::Child& child : windowcheck::children(window))
        if (windowcheck::isClass(child, L"Button") && child.text == text) return child.handle;
    return nullptr;
}

// The user presses the button that closes the form; the window goes away as the form decides.
void close(HWND window, const FormScenario& scenario) {
    const std::string& name = scenario.expected.name;
    HWND button = findButton(window, scenario.closingButton);
    if (button) SendMessageW(button, BM_CLICK, 0, 0);
    windowcheck::pumpPending();
    if (scenario.closingUnloads)
        expect(button && !IsWindow(window), name + ": its closing button destroys the window");
    else
        expect(button && IsWindow(window) && !IsWindowVisible(window), name + ": its closing button hides the window");
}

void check(const FormScenario& scenario, windowcheck::Controller& controller) {
    const std::string& name = scenario.expected.name;
    scenario.open();
    HWND window = nullptr;
    const bool appeared = windowcheck::pollUntil(
        [&] {
            window = FindWindowW(nullptr, scenario.expected.caption.c_str());
            return window && IsWindowVisible(window);
        },
        WindowTimeoutMs);
    expect(appeared, name + ": the window appears");
    if (!appeared) return;
    windowcheck::checkWindow(window, scenario.expected);
    expect(windowcheck::pollUntil([&] { return windowcheck::screenShows(window); }, ScreenTimeoutMs),
           name + ": the screen shows the window as it drew itself");
    expect(controller.ready(name, window), name + ": the controller went on");
    if (name == "people_resources") {
        windowcheck::checkListKeys(window, name);
        windowcheck::checkListNames(window, name);
        windowcheck::checkFindInForm(window, PeopleResourcesFormInstance::Get(), controller);
    }
    windowcheck::reportGeometry("made", window, scenario.expected);
    if (windowcheck::windowDpi(window).cy != windowcheck::ChangedDpi)
        windowcheck::checkDpiChange(window, scenario.expected, controller);
    close(window, scenario);
    if (name == "people_resources") windowcheck::checkListMessages(name);
}

// Forms made but not yet shown, as at Outlook's start, cost no window.
void checkNoWindowBeforeShowing() {
    MainFormInstance::Get();
    PeopleResourcesFormInstance::Get().PeopleList().Append("Anna Berg", DirectoryList::DirectoryEntry);
    expect(FindWindowW(win32::FormWindowClass, nullptr) == nullptr, "forms not yet shown have no window");
    PeopleResourcesFormInstance::Unload();
}

// Controls added out of their tab order take it all the same when the window is made.
void checkTabOrderOfControlsAddedOutOfIt() {
    std::unique_ptr<ui::Window> form =
        ui::toolkit().createWindow({"TabOrderCheck", "Tab order", 3000, 900, ui::Border::FixedSingle});
    form->addButton({"Third", {2040, 240, 840, 375}, 2}, "Third");
    form->addButton({"First", {120, 240, 840, 375}, 0}, "First");
    form->addButton({"Second", {1080, 240, 840, 375}, 1}, "Second");
    form->show();
    std::vector<std::wstring> order;
    for (HWND stop : windowcheck::tabOrder(FindWindowW(win32::FormWindowClass, L"Tab order")))
        order.push_back(windowcheck::windowText(stop));
    expect(order == std::vector<std::wstring>{L"First", L"Second", L"Third"},
           "controls added out of their tab order are tabbed through in it");
}

// Activated, a form gives the focus straight to its first control, or back to the one that had it,
// as a dialog does: the form's own window never holds it in between.
void checkFocusOnActivation() {
    std::unique_ptr<ui::Window> form =
        ui::toolkit().createWindow({"FocusCheck", "Focus", 3000, 900, ui::Border::FixedSingle});
    form->addSearchBox({"Box", {120, 240, 1800, 315}, 0});
    form->addButton({"Button", {2040, 240, 840, 375}, 1}, "Button");
    // Shown once, so that the window is there to be watched the next time.
    form->show();
    form->hide();
    HWND window = FindWindowW(win32::FormWindowClass, L"Focus");
    const std::vector<HWND> stops = windowcheck::tabOrder(window);
    windowcheck::MessageCount focusings(window, WM_SETFOCUS, windowcheck::MessageCount::Way::Sent);
    form->show();
    expect(stops.size() == 2 && GetFocus() == stops[0] && focusings.count() == 0,
           "a form shown gives the focus to its first control, not to its own window first");
    if (stops.size() != 2) return;
    SetFocus(stops[1]);
    HWND other = CreateWindowExW(0, L"STATIC", L"Elsewhere", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100,
                                 nullptr, nullptr, nullptr, nullptr);
    SetActiveWindow(other);
    SetActiveWindow(window);
    expect(GetFocus() == stops[1] && focusings.count() == 0,
           "activated again, a form gives the focus back to the control that had it");
    DestroyWindow(other);
}

}  // namespace

int main() {
    if (const wchar_t* sender = std::wcsstr(GetCommandLineW(), windowcheck::SendListTextSwitch))
        return windowcheck::sendListText(sender + std::wcslen(windowcheck::SendListTextSwitch));
    // Lines reach the controlling script at once, not when a buffer fills.
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    // Resources and the library folder come from this program, as from the DLL inside Outlook.
    win32::setModule(GetModuleHandleW(nullptr));
    win32::installHostServices();
    windowcheck::Controller controller;
    checkNoWindowBeforeShowing();
    checkTabOrderOfControlsAddedOutOfIt();
    checkFocusOnActivation();
    windowcheck::checkListAccessibility();
    windowcheck::checkListChoosing();
    windowcheck::checkListNamedInAShownWindow();
    if (windowcheck::windowDpi(nullptr).cy != windowcheck::ChangedDpi) windowcheck::checkLabelWidenedAtChangedDpi();
    windowcheck::checkListTextRequests();
    windowcheck::checkSearchKeys();
    windowcheck::checkIdleWork();
    windowcheck::checkAvailabilityMarks();
    for (const FormScenario& scenario : windowcheck::formScenarios()) check(scenario, controller);
    windowcheck::unloadForms();
    return checks::summary();
}
