#include "dpi_checks.h"

#include <algorithm>
#include <cstdio>
#include <memory>

#include "check.h"
#include "message_pump.h"
#include "screen_capture.h"
#include "ui/widgets.h"
#include "win32/wide.h"
#include "window_inspection.h"

namespace windowcheck {
namespace {

using checks::expect;

constexpr UINT DpiChangedMessage = 0x02E0;
constexpr DWORD ScreenTimeoutMs = 10000;

std::string rectText(const RECT& rect) {
    return std::to_string(rect.left) + "," + std::to_string(rect.top) + "," + std::to_string(rect.right) + "," +
           std::to_string(rect.bottom);
}

int fontHeightOf(HWND control) {
    auto font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
    LOGFONTW described{};
    return font && GetObjectW(font, sizeof described, &described) ? static_cast<int>(described.lfHeight) : 0;
}

// Where Windows would put the window on a monitor of the new DPI: its corner kept, as far as
// the screen allows, the frame as it is around the client area the form asks for.
RECT suggestedPlace(HWND window, const FormExpectation& expected) {
    RECT frame{};
    GetWindowRect(window, &frame);
    const SIZE client = clientSize(window);
    const int width = twipsToPixels(expected.clientWidthTwips, ChangedDpi) + (frame.right - frame.left) - client.cx;
    const int height = twipsToPixels(expected.clientHeightTwips, ChangedDpi) + (frame.bottom - frame.top) - client.cy;
    const int left = std::max(0, std::min<int>(frame.left, GetSystemMetrics(SM_CXSCREEN) - width));
    const int top = std::max(0, std::min<int>(frame.top, GetSystemMetrics(SM_CYSCREEN) - height));
    return {left, top, left + width, top + height};
}

}  // namespace

void reportGeometry(const std::string& kind, HWND window, const FormExpectation& expected) {
    const SIZE client = clientSize(window);
    std::string layout = "client " + std::to_string(client.cx) + "x" + std::to_string(client.cy);
    for (const Child& child : children(window)) {
        layout += " | " + win32::narrow(child.className.c_str()) + " " + rectText(child.rect) + " font " +
                  std::to_string(fontHeightOf(child.handle));
        if (isClass(child, L"ListBox"))
            layout += " items " + std::to_string(SendMessageW(child.handle, LB_GETITEMHEIGHT, 0, 0));
    }
    std::printf("GEOMETRY %s %s %s\n", kind.c_str(), expected.name.c_str(), layout.c_str());
}

void checkDpiChange(HWND window, const FormExpectation& expected, Controller& controller) {
    const std::string& name = expected.name;
    const int from = windowDpi(window).cy;
    RECT suggested = suggestedPlace(window, expected);
    SendMessageW(window, DpiChangedMessage, MAKEWPARAM(ChangedDpi, ChangedDpi), reinterpret_cast<LPARAM>(&suggested));
    RECT placed{};
    GetWindowRect(window, &placed);
    const SIZE client = clientSize(window);
    expect(EqualRect(&placed, &suggested) && client.cx == twipsToPixels(expected.clientWidthTwips, ChangedDpi) &&
               client.cy == twipsToPixels(expected.clientHeightTwips, ChangedDpi),
           name + ": told of a move from " + std::to_string(from) + " to " + std::to_string(ChangedDpi) +
               " dpi, the window takes the place suggested, with its client area at " + std::to_string(ChangedDpi) +
               " dpi");
    reportGeometry("rescaled", window, expected);
    expect(pollUntil([&] { return screenShows(window); }, ScreenTimeoutMs),
           name + ": the screen shows the rescaled window as it drew itself");
    expect(controller.ready(name + "_rescaled", window), name + ": the controller went on after the rescaled window");
}

}  // namespace windowcheck

namespace windowcheck {

void checkLabelWidenedAtChangedDpi() {
    constexpr int ClientTwips = 1500;
    constexpr int LeftTwips = 120;
    std::unique_ptr<ui::Window> form =
        ui::toolkit().createWindow({"WideningCheck", "Widening", ClientTwips, 900, ui::Border::FixedSingle});
    form->addLabel({"Long", {LeftTwips, 120, 600, 255}, 0}, "Accessible to everyone, everywhere");
    form->show();
    const HWND window = FindWindowW(nullptr, L"Widening");
    const HWND label = window ? GetWindow(window, GW_CHILD) : nullptr;
    expect(label != nullptr, "a window with a label too narrow for its text is shown");
    if (!label) return;
    FormExpectation expected;
    expected.clientWidthTwips = ClientTwips;
    expected.clientHeightTwips = 900;
    RECT suggested = suggestedPlace(window, expected);
    SendMessageW(window, DpiChangedMessage, MAKEWPARAM(ChangedDpi, ChangedDpi), reinterpret_cast<LPARAM>(&suggested));
    const SIZE labelSize = clientSize(label);
    expect(labelSize.cx == clientSize(window).cx - twipsToPixels(LeftTwips, ChangedDpi),
           "told of a move to " + std::to_string(ChangedDpi) +
               " dpi, a label too narrow for its text widens to the edge of the new client area");
}

}  // namespace windowcheck
