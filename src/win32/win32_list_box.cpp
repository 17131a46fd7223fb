#include "win32/win32_list_box.h"

#include <algorithm>

#include "automation/error.h"
#include "win32/availability_mark.h"
#include "win32/com_boundary.h"
#include "win32/form_font.h"
#include "win32/list_accessible.h"
#include "win32/list_entry_text.h"
#include "win32/twips.h"
#include "win32/wide.h"
#include "win32/window_dpi.h"

namespace win32 {
namespace {

constexpr int32_t OutOfMemoryNumber = 7;
constexpr int32_t BadIndexNumber = 381;

[[noreturn]] void throwOutOfMemory() { throw automation::Error(OutOfMemoryNumber, "Out of memory"); }

// Messages after which other rows may be in view: scrolling, the keyboard, a new size or count.
bool mayScroll(HWND list, UINT message) {
    switch (message) {
    case WM_VSCROLL:
    case WM_MOUSEWHEEL:
    case WM_KEYDOWN:
    case WM_SIZE:
    case LB_SETTOPINDEX:
    case LB_SETCARETINDEX:
    case LB_SETCOUNT:
    case LB_ADDSTRING:
    case LB_DELETESTRING:
    case LB_RESETCONTENT:
        return true;
    // Dragging past the list's edge scrolls it.
    case WM_LBUTTONDOWN:
    case WM_MOUSEMOVE:
        return GetCapture() == list;
    }
    return false;
}

// Rows of `rowHeight` in `height` pixels, a partly shown last row counted, from `first` of `total`.
ui::Rows rowsShown(int first, int height, int rowHeight, int total) {
    const int rows = rowHeight > 0 ? (std::max(height, 0) + rowHeight - 1) / rowHeight : 0;
    return {first, std::max(0, std::min(rows, total - first))};
}

}  // namespace

LRESULT Win32ListBox::send(UINT message, WPARAM wParam, LPARAM lParam) const {
    return SendMessageW(handle(), message, wParam, lParam);
}

void Win32ListBox::checkIndex(int index) const {
    if (index < 0 || index >= count()) throw automation::Error(BadIndexNumber, "Invalid property array index");
}

Win32ListBox::Entry& Win32ListBox::entry(int index) {
    checkIndex(index);
    return entries_[static_cast<size_t>(index)];
}

const Win32ListBox::Entry& Win32ListBox::entry(int index) const {
    checkIndex(index);
    return entries_[static_cast<size_t>(index)];
}

Blueprint Win32ListBox::blueprint() const {
    const DWORD style = WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | LBS_NODATA |
                        LBS_OWNERDRAWFIXED | LBS_WANTKEYBOARDINPUT | (multiSelect_ ? LBS_MULTIPLESEL : 0);
    return {L"LISTBOX", "", style, WS_EX_CLIENTEDGE};
}

Win32ListBox::~Win32ListBox() {
    if (!accessible_) return;
    detachListAccessible(accessible_);
    IAccessible_Release(&accessible_->accessible);
}

IAccessible* Win32ListBox::accessible() {
    if (!accessible_) accessible_ = createListAccessible(*this);
    IAccessible_AddRef(&accessible_->accessible);
    return &accessible_->accessible;
}

void Win32ListBox::attached() {
    SetWindowLongPtrW(handle(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    baseProcedure_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(listProcedure)));
    showCount();
    // Chosen without a redraw each: a list box repaints an entry at every change of its choice.
    send(WM_SETREDRAW, FALSE);
    for (int index = 0; index < count(); ++index)
        if (entries_[static_cast<size_t>(index)].chosen) setSelected(index, true);
    send(WM_SETREDRAW, TRUE);
    InvalidateRect(handle(), nullptr, TRUE);
    lastRows_ = visibleRows();
}

LRESULT Win32ListBox::answerEntry(WPARAM index, LPARAM lParam, bool accessibleName) const {
    if (InSendMessageEx(nullptr) != ISMEX_NOSEND || index >= entries_.size()) return LB_ERR;
    return answerTextRequest(accessibleName ? this->accessibleName(static_cast<int>(index)) : wideText(entries_[index]),
                             lParam);
}

LRESULT CALLBACK Win32ListBox::listProcedure(HWND list, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<Win32ListBox*>(GetWindowLongPtrW(list, GWLP_USERDATA));
    return guardedMessage([&] { return self->answer(message, wParam, lParam); },
                          [&] { return CallWindowProcW(self->baseProcedure_, list, message, wParam, lParam); });
}

LRESULT Win32ListBox::answer(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == listEntryTextMessage()) return answerEntry(wParam, lParam, false);
    if (message == listEntryNameMessage()) return answerEntry(wParam, lParam, true);
    if (message == WM_GETOBJECT && static_cast<DWORD>(lParam) == static_cast<DWORD>(OBJID_CLIENT)) {
        IAccessible* object = accessible();
        const LRESULT answer = answerGetObject(object, wParam);
        IAccessible_Release(object);
        if (answer) return answer;
    }
    const LRESULT result = CallWindowProcW(baseProcedure_, handle(), message, wParam, lParam);
    if (updating_ == 0 && mayScroll(handle(), message)) notifyIfScrolled();
    return result;
}

// The form's handler may destroy the list, so nothing of it is touched after.
void Win32ListBox::notifyIfScrolled() {
    const ui::Rows now = visibleRows();
    if (now.first == lastRows_.first && now.count == lastRows_.count) return;
    lastRows_ = now;
    runHandler(onScrolled);
}

// Before the window is made the list would show its first rows, as many as its height holds at
// the screen's DPI inside its edge.
ui::Rows Win32ListBox::visibleRows() const {
    if (!handle()) {
        const int dpi = screenDpi();
        HFONT font = createFormFont(dpi, false);
        const int rowHeight = lineHeightOf(font);
        DeleteObject(font);
        const int height = twipsToPixels(heightTwips_, dpi) - 2 * GetSystemMetrics(SM_CYEDGE);
        return rowsShown(0, height, rowHeight, count());
    }
    RECT client{};
    GetClientRect(handle(), &client);
    const auto first = static_cast<int>(send(LB_GETTOPINDEX));
    const auto rowHeight = static_cast<int>(send(LB_GETITEMHEIGHT));
    return rowsShown(std::max(first, 0), client.bottom, rowHeight, static_cast<int>(shownCount_));
}

// Only the entry's row is drawn again; accessibility hears that its name changed.
void Win32ListBox::setMark(int index, ui::Availability mark) {
    Entry& changed = entry(index);
    if (changed.mark == mark) return;
    changed.mark = mark;
    if (!handle() || static_cast<size_t>(index) >= shownCount_) return;
    RECT row{};
    if (send(LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&row)) != LB_ERR)
        InvalidateRect(handle(), &row, FALSE);
    NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, handle(), OBJID_CLIENT, index + 1);
}

std::wstring Win32ListBox::accessibleName(int index) const {
    const Entry& named = entry(index);
    const std::string words = ui::availabilityWords(named.mark);
    if (words.empty()) return wideText(named);
    return wideText(named) + L", " + wide(words);
}

const std::wstring& Win32ListBox::wideText(const Entry& entry) const {
    if (!entry.converted) {
        entry.wideText = wide(entry.text);
        entry.converted = true;
    }
    return entry.wideText;
}

// New entries reach an empty list box in one message; a few more, one each, since a list box
// that already has entries is not told to keep their choices when its count is set.
bool Win32ListBox::showCount() {
    if (!handle()) return true;
    if (shownCount_ == 0 && !entries_.empty()) {
        if (send(LB_SETCOUNT, entries_.size()) < 0) return false;
        shownCount_ = entries_.size();
    }
    for (; shownCount_ < entries_.size(); ++shownCount_)
        if (send(LB_ADDSTRING) < 0) return false;
    return true;
}

int Win32ListBox::addItem(const std::string& text) {
    Entry added;
    added.text = text;
    entries_.push_back(std::move(added));
    if (updating_ == 0 && !showCount()) {
        entries_.pop_back();
        throwOutOfMemory();
    }
    return count() - 1;
}

void Win32ListBox::removeItem(int index) {
    checkIndex(index);
    showCount();
    entries_.erase(entries_.begin() + index);
    if (!handle()) return;
    send(LB_DELETESTRING, static_cast<WPARAM>(index));
    shownCount_ = entries_.size();
}

void Win32ListBox::clear() {
    entries_.clear();
    if (!handle()) return;
    send(LB_RESETCONTENT);
    shownCount_ = 0;
}

std::string Win32ListBox::text(int index) const { return entry(index).text; }

bool Win32ListBox::selected(int index) const {
    if (!handle()) return entry(index).chosen;
    checkIndex(index);
    return static_cast<size_t>(index) < shownCount_ && send(LB_GETSEL, static_cast<WPARAM>(index)) > 0;
}

std::vector<int> Win32ListBox::chosenIndexes() const {
    std::vector<int> chosen;
    if (!handle()) {
        for (int index = 0; index < count(); ++index)
            if (entries_[static_cast<size_t>(index)].chosen) chosen.push_back(index);
    } else if (multiSelect_) {
        const LRESULT number = send(LB_GETSELCOUNT);
        chosen.resize(static_cast<size_t>(std::max<LRESULT>(number, 0)));
        if (!chosen.empty())
            chosen.resize(static_cast<size_t>(std::max<LRESULT>(
                send(LB_GETSELITEMS, chosen.size(), reinterpret_cast<LPARAM>(chosen.data())), 0)));
    } else if (const LRESULT current = send(LB_GETCURSEL); current >= 0) {
        chosen.push_back(static_cast<int>(current));
    }
    return chosen;
}

void Win32ListBox::setSelected(int index, bool chosen) {
    checkIndex(index);
    if (!handle()) {
        if (chosen && !multiSelect_)
            for (Entry& other : entries_) other.chosen = false;
        entries_[static_cast<size_t>(index)].chosen = chosen;
        return;
    }
    if (!showCount()) throwOutOfMemory();
    if (multiSelect_) {
        send(LB_SETSEL, chosen ? TRUE : FALSE, static_cast<LPARAM>(index));
    } else if (chosen) {
        send(LB_SETCURSEL, static_cast<WPARAM>(index));
    } else if (send(LB_GETCURSEL) == index) {
        send(LB_SETCURSEL, static_cast<WPARAM>(-1));
    }
}

void Win32ListBox::unselectAll() {
    if (!handle()) {
        for (Entry& entry : entries_) entry.chosen = false;
    } else if (multiSelect_) {
        send(LB_SETSEL, FALSE, static_cast<LPARAM>(-1));
    } else {
        send(LB_SETCURSEL, static_cast<WPARAM>(-1));
    }
}

// Without redrawing, the list box also leaves its scroll bar alone until the update ends.
void Win32ListBox::beginUpdate() {
    if (updating_++ == 0 && handle()) send(WM_SETREDRAW, FALSE);
}

// A list box without room for every entry shows those it has; the next change tries again. The
// rows in view are compared once, for the whole update.
void Win32ListBox::endUpdate() {
    if (--updating_ > 0 || !handle()) return;
    showCount();
    send(WM_SETREDRAW, TRUE);
    InvalidateRect(handle(), nullptr, TRUE);
    notifyIfScrolled();
}

// A click toggles an entry of a multi-select list; the caret is on the entry clicked.
void Win32ListBox::command(WORD notification) {
    if (notification != LBN_SELCHANGE) return;
    const LRESULT index = send(multiSelect_ ? LB_GETCARETINDEX : LB_GETCURSEL);
    if (index >= 0) notifyToggled(static_cast<int>(index));
}

void Win32ListBox::notifyToggled(int index) {
    if (onToggled) runHandler([toggled = onToggled, index] { toggled(index); });
}

// The list box tells accessibility of the changes its own input makes, but not of those made by
// message, so this does; a child ID is the entry's index plus one.
bool Win32ListBox::choose(int index, bool chosen) {
    if (index < 0 || static_cast<size_t>(index) >= shownCount_) return false;
    if ((send(LB_GETSEL, static_cast<WPARAM>(index)) > 0) == chosen) return false;
    if (multiSelect_)
        send(LB_SETSEL, chosen ? TRUE : FALSE, static_cast<LPARAM>(index));
    else
        send(LB_SETCURSEL, chosen ? static_cast<WPARAM>(index) : static_cast<WPARAM>(-1));
    const DWORD event = !chosen ? EVENT_OBJECT_SELECTIONREMOVE
                        : multiSelect_ ? EVENT_OBJECT_SELECTIONADD
                                       : EVENT_OBJECT_SELECTION;
    NotifyWinEvent(event, handle(), OBJID_CLIENT, index + 1);
    NotifyWinEvent(EVENT_OBJECT_STATECHANGE, handle(), OBJID_CLIENT, index + 1);
    notifyToggled(index);
    return true;
}

void Win32ListBox::focusEntry(int index, bool anchor) {
    SetFocus(handle());
    send(LB_SETCARETINDEX, static_cast<WPARAM>(index), FALSE);
    if (anchor && multiSelect_) send(LB_SETANCHORINDEX, static_cast<WPARAM>(index));
    NotifyWinEvent(EVENT_OBJECT_FOCUS, handle(), OBJID_CLIENT, index + 1);
}

// As the system's own list box paints an entry of text: highlighted when chosen, the text one
// pixel in, a focus rectangle on the caret while the list has the focus. A marked list draws the
// mark in its own colours before the text, also on a chosen entry.
void Win32ListBox::draw(const DRAWITEMSTRUCT& item) const {
    RECT box = item.rcItem;
    // Drawn over itself, the focus rectangle goes again.
    if (item.itemAction == ODA_FOCUS) {
        DrawFocusRect(item.hDC, &box);
        return;
    }
    // An empty list with the focus.
    if (item.itemID >= entries_.size()) {
        if (item.itemState & ODS_FOCUS) DrawFocusRect(item.hDC, &box);
        return;
    }
    const bool chosen = (item.itemState & ODS_SELECTED) != 0;
    HGDIOBJ previousFont = SelectObject(item.hDC, reinterpret_cast<HGDIOBJ>(send(WM_GETFONT)));
    const COLORREF previousBack = SetBkColor(item.hDC, GetSysColor(chosen ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    const COLORREF previousText = SetTextColor(item.hDC, GetSysColor(chosen ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    const Entry& shown = entries_[item.itemID];
    const int rowHeight = box.bottom - box.top;
    const int textLeft = box.left + 1 + (marked_ ? markRoom(rowHeight) : 0);
    const std::wstring& text = wideText(shown);
    ExtTextOutW(item.hDC, textLeft, box.top, ETO_OPAQUE | ETO_CLIPPED, &box, text.c_str(),
                static_cast<UINT>(text.size()), nullptr);
    if (marked_) drawMark(item.hDC, markBox(box.left + 1, box.top, rowHeight), shown.mark);
    if (item.itemState & ODS_FOCUS) DrawFocusRect(item.hDC, &box);
    SetTextColor(item.hDC, previousText);
    SetBkColor(item.hDC, previousBack);
    SelectObject(item.hDC, previousFont);
}

int Win32ListBox::entryStartingWith(wchar_t letter) const {
    const int total = count();
    const auto caret = static_cast<int>(send(LB_GETCARETINDEX));
    for (int step = 1; step <= total; ++step) {
        const int index = ((caret < 0 ? -1 : caret) + step) % total;
        const std::wstring& text = wideText(entries_[static_cast<size_t>(index)]);
        if (!text.empty() && CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, text.c_str(), 1, &letter, 1) == CSTR_EQUAL)
            return index;
    }
    return -1;
}

}  // namespace win32
