#include "win32_window_driver.h"

#include <algorithm>
#include <stdexcept>

#include "win32/list_entry_text.h"
#include "win32/wide.h"
#include "win32/window_names.h"

namespace host {
namespace {

std::string textOf(HWND window) {
    const int length = GetWindowTextLengthW(window);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(window, text.data(), length + 1);
    return win32::narrow(text.data(), static_cast<size_t>(copied));
}

std::wstring classOf(HWND window) {
    wchar_t name[32] = {};
    GetClassNameW(window, name, 32);
    return name;
}

bool hasClass(HWND window, const wchar_t* name) { return lstrcmpiW(classOf(window).c_str(), name) == 0; }

LONG styleOf(HWND window) { return GetWindowLongW(window, GWL_STYLE); }

// The form's controls in the order the form added them: their IDs count up.
std::vector<HWND> controlsOf(HWND form) {
    std::vector<HWND> controls;
    for (HWND child = GetWindow(form, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        controls.push_back(child);
    std::sort(controls.begin(), controls.end(),
              [](HWND a, HWND b) { return GetDlgCtrlID(a) < GetDlgCtrlID(b); });
    return controls;
}

HWND controlNamed(HWND form, const std::string& name) {
    for (HWND control : controlsOf(form))
        if (win32::windowName(control) == name) return control;
    return nullptr;
}

std::vector<std::pair<std::string, bool>> entriesOf(HWND list) {
    std::vector<std::pair<std::string, bool>> entries;
    const LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
    for (LRESULT index = 0; index < count; ++index) {
        const std::wstring text = readListEntryText(list, static_cast<int>(index));
        const bool chosen = SendMessageW(list, LB_GETSEL, index, 0) > 0;
        entries.emplace_back(win32::narrow(text.data(), text.size()), chosen);
    }
    return entries;
}

ControlView viewOf(HWND control) {
    ControlView view;
    view.name = win32::windowName(control);
    const LONG style = styleOf(control);
    if (hasClass(control, L"Button")) {
        view.kind = ControlView::Kind::Button;
        view.text = textOf(control);
        view.isDefault = (style & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
        view.isCancel = win32::isCancelButton(control);
    } else if (hasClass(control, L"ListBox")) {
        view.kind = ControlView::Kind::ListBox;
        view.multiSelect = (style & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) != 0;
        view.entries = entriesOf(control);
    } else if ((style & SS_TYPEMASK) == SS_BITMAP) {
        view.kind = ControlView::Kind::Picture;
    } else if ((style & SS_TYPEMASK) == SS_ETCHEDHORZ) {
        view.kind = ControlView::Kind::Separator;
    } else {
        view.kind = style & SS_NOTIFY ? ControlView::Kind::LinkLabel : ControlView::Kind::Label;
        view.text = textOf(control);
    }
    return view;
}

}  // namespace

std::vector<WindowView> Win32WindowDriver::Windows() {
    std::vector<WindowView> views;
    for (HWND form : forms_.windows()) {
        WindowView view{win32::windowName(form), textOf(form), IsWindowVisible(form) != FALSE, {}};
        for (HWND control : controlsOf(form)) view.controls.push_back(viewOf(control));
        views.push_back(view);
    }
    return views;
}

HWND Win32WindowDriver::Find(const std::string& window) const {
    for (HWND form : forms_.windows())
        if (win32::windowName(form) == window) return form;
    throw std::invalid_argument("no window " + window + " is loaded");
}

void Win32WindowDriver::Click(const std::string& window, const std::string& control) {
    HWND form = Find(window);
    HWND target = controlNamed(form, control);
    if (target && hasClass(target, L"Button")) {
        SendMessageW(target, BM_CLICK, 0, 0);
        return;
    }
    if (target && hasClass(target, L"Static") && (styleOf(target) & SS_NOTIFY)) {
        SendMessageW(target, WM_LBUTTONDOWN, MK_LBUTTON, 0);
        SendMessageW(target, WM_LBUTTONUP, 0, 0);
        return;
    }
    throw std::invalid_argument("no button or link " + control + " in " + window);
}

// As a click on the entry: the caret moves there, the entry toggles (or becomes the choice of a
// single-choice list), and the list tells its form.
void Win32WindowDriver::Tick(const std::string& window, const std::string& list, const std::string& entry) {
    HWND form = Find(window);
    HWND box = controlNamed(form, list);
    if (!box || !hasClass(box, L"ListBox")) throw std::invalid_argument("no list " + list + " in " + window);
    const auto entries = entriesOf(box);
    for (size_t index = 0; index < entries.size(); ++index) {
        if (entries[index].first != entry) continue;
        const auto position = static_cast<WPARAM>(index);
        if (styleOf(box) & LBS_MULTIPLESEL) {
            SendMessageW(box, LB_SETCARETINDEX, position, FALSE);
            SendMessageW(box, LB_SETSEL, entries[index].second ? FALSE : TRUE, static_cast<LPARAM>(index));
        } else {
            SendMessageW(box, LB_SETCURSEL, position, 0);
        }
        SendMessageW(form, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(box), LBN_SELCHANGE), reinterpret_cast<LPARAM>(box));
        return;
    }
    throw std::invalid_argument("no entry \"" + entry + "\" in " + list);
}

void Win32WindowDriver::Close(const std::string& window) { SendMessageW(Find(window), WM_CLOSE, 0, 0); }

}  // namespace host
