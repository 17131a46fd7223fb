#include "win32_window_driver.h"

#include <algorithm>
#include <stdexcept>

#include "win32/idle_work_pending.h"
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

// Generous: a slice is a few milliseconds. Only a broken timer reaches it.
constexpr DWORD IdleDeadlineMs = 60000;

// An entry's accessible name is its text, then ", " and its availability once known.
std::string availabilityOf(HWND list, int index, const std::wstring& text) {
    const std::wstring name = readListEntryName(list, index);
    const std::wstring prefix = text + L", ";
    if (name.compare(0, prefix.size(), prefix) != 0) return {};
    return win32::narrow(name.c_str() + prefix.size(), name.size() - prefix.size());
}

std::vector<ListEntryView> entriesOf(HWND list) {
    std::vector<ListEntryView> entries;
    const LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
    for (LRESULT index = 0; index < count; ++index) {
        const std::wstring text = readListEntryText(list, static_cast<int>(index));
        ListEntryView entry;
        entry.text = win32::narrow(text.data(), text.size());
        entry.chosen = SendMessageW(list, LB_GETSEL, index, 0) > 0;
        entry.availability = availabilityOf(list, static_cast<int>(index), text);
        entries.push_back(entry);
    }
    return entries;
}

int indexOf(HWND list, const std::string& entry) {
    const LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
    for (LRESULT index = 0; index < count; ++index) {
        const std::wstring text = readListEntryText(list, static_cast<int>(index));
        if (win32::narrow(text.data(), text.size()) == entry) return static_cast<int>(index);
    }
    throw std::invalid_argument("no entry \"" + entry + "\" in the list");
}

// A key as the keyboard delivers it to the focus: queued, then taken by a message loop, which
// gives it to the form's dialog manager first. Only keyboard messages are taken, so no timer runs.
void pressKey(HWND focus, WPARAM key, WPARAM character) {
    constexpr LPARAM Down = 0x00010001;
    constexpr LPARAM Up = static_cast<LPARAM>(0xC0010001);
    PostMessageW(focus, WM_KEYDOWN, key, Down);
    PostMessageW(focus, WM_CHAR, character, Down);
    PostMessageW(focus, WM_KEYUP, key, Up);
    MSG message;
    while (PeekMessageW(&message, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE)) DispatchMessageW(&message);
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
        view.firstVisible = static_cast<int>(SendMessageW(control, LB_GETTOPINDEX, 0, 0));
    } else if (hasClass(control, L"Edit")) {
        view.kind = ControlView::Kind::SearchBox;
        view.text = textOf(control);
    } else if ((style & SS_TYPEMASK) == SS_OWNERDRAW) {
        view.kind = ControlView::Kind::Legend;
        view.text = textOf(control);
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

HWND Win32WindowDriver::FindControl(const std::string& window, const std::string& control) const {
    HWND found = controlNamed(Find(window), control);
    if (!found) throw std::invalid_argument("no control " + control + " in " + window);
    return found;
}

bool Win32WindowDriver::IsForm(HWND window) const {
    const auto& forms = forms_.windows();
    return std::find(forms.begin(), forms.end(), window) != forms.end();
}

bool Win32WindowDriver::AllIdle() const {
    for (HWND form : forms_.windows())
        if (SendMessageW(form, idleWorkPendingMessage(), 0, 0) != 0) return false;
    return true;
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
        if (entries[index].text != entry) continue;
        const auto position = static_cast<WPARAM>(index);
        if (styleOf(box) & LBS_MULTIPLESEL) {
            SendMessageW(box, LB_SETCARETINDEX, position, FALSE);
            SendMessageW(box, LB_SETSEL, entries[index].chosen ? FALSE : TRUE, static_cast<LPARAM>(index));
        } else {
            SendMessageW(box, LB_SETCURSEL, position, 0);
        }
        SendMessageW(form, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(box), LBN_SELCHANGE), reinterpret_cast<LPARAM>(box));
        return;
    }
    throw std::invalid_argument("no entry \"" + entry + "\" in " + list);
}

void Win32WindowDriver::Close(const std::string& window) { SendMessageW(Find(window), WM_CLOSE, 0, 0); }

// As the user types: the earlier text selected, then each character typed over it, so that each
// makes a change of its own; an empty text is the selection deleted.
void Win32WindowDriver::Type(const std::string& window, const std::string& box, const std::string& text) {
    HWND edit = FindControl(window, box);
    if (!hasClass(edit, L"Edit")) throw std::invalid_argument(box + " in " + window + " is not a search box");
    SetFocus(edit);
    SendMessageW(edit, EM_SETSEL, 0, -1);
    const std::wstring characters = win32::wide(text);
    if (characters.empty() && GetWindowTextLengthW(edit) > 0) SendMessageW(edit, WM_CHAR, VK_BACK, 1);
    for (wchar_t character : characters) SendMessageW(edit, WM_CHAR, character, 1);
}

void Win32WindowDriver::Escape(const std::string& window, const std::string& control) {
    HWND target = FindControl(window, control);
    SetFocus(target);
    pressKey(target, VK_ESCAPE, VK_ESCAPE);
}

void Win32WindowDriver::Scroll(const std::string& window, const std::string& list, const std::string& entry) {
    HWND box = FindControl(window, list);
    if (!hasClass(box, L"ListBox")) throw std::invalid_argument("no list " + list + " in " + window);
    SendMessageW(box, LB_SETTOPINDEX, static_cast<WPARAM>(indexOf(box, entry)), 0);
}

// Every message is run, as Outlook's loop would while the user waits; each of a form's timer
// messages is a slice of its idle work.
int Win32WindowDriver::Idle(int slices) {
    int ran = 0;
    const DWORD start = GetTickCount();
    while ((slices < 0 || ran < slices) && !AllIdle()) {
        MSG message;
        while ((slices < 0 || ran < slices) && PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            const bool slice = message.message == WM_TIMER && IsForm(message.hwnd);
            TranslateMessage(&message);
            DispatchMessageW(&message);
            if (slice) ++ran;
        }
        const DWORD elapsed = GetTickCount() - start;
        if (elapsed >= IdleDeadlineMs) throw std::runtime_error("the add-in's idle work did not end in time");
        if ((slices < 0 || ran < slices) && !AllIdle())
            MsgWaitForMultipleObjects(0, nullptr, FALSE, IdleDeadlineMs - elapsed, QS_ALLINPUT);
    }
    return ran;
}

}  // namespace host
