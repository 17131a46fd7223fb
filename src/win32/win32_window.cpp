#include "win32/win32_window.h"

#include <algorithm>
#include <numeric>

#include "win32/availability_legend.h"
#include "win32/com_boundary.h"
#include "win32/com_error.h"
#include "win32/form_font.h"
#include "win32/idle_work_pending.h"
#include "win32/list_entry_text.h"
#include "win32/module.h"
#include "win32/twips.h"
#include "win32/wide.h"
#include "win32/win32_list_box.h"
#include "win32/win32_search_box.h"
#include "win32/window_dpi.h"
#include "win32/window_names.h"

namespace win32 {
namespace {

constexpr int FirstControlId = 100;
constexpr COLORREF LinkColour = RGB(0, 0, 255);
// Windows 8.1 and later send it to a per-monitor aware window that moves to a monitor of another
// DPI; the SDK declares it only for such targets.
constexpr UINT DpiChangedMessage = 0x02E0;

struct FrameStyle {
    DWORD style;
    DWORD extendedStyle;
};

FrameStyle frameStyle(ui::Border border) {
    switch (border) {
    case ui::Border::FixedSingle: return {WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, 0};
    case ui::Border::FixedDialog: return {WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, WS_EX_DLGMODALFRAME};
    case ui::Border::Sizable: break;
    }
    return {WS_OVERLAPPEDWINDOW, 0};
}

bool isList(const Win32Control* control) { return dynamic_cast<const Win32ListBox*>(control) != nullptr; }

bool isNamedByLabel(const Win32Control* control) {
    return isList(control) || dynamic_cast<const Win32SearchBox*>(control) != nullptr;
}

// A list's label stands above it on its left edge; a box's on its row, left of it.
bool mayName(const ui::Rect& label, const ui::Rect& named, bool namedIsList) {
    if (namedIsList) return label.left == named.left && label.top < named.top;
    const bool sameRow = label.top < named.top + named.height && named.top < label.top + label.height;
    return sameRow && label.left + label.width <= named.left;
}

// Of two labels that may name a control, the nearer.
bool nearer(const ui::Rect& label, const ui::Rect& other, bool namedIsList) {
    return namedIsList ? label.top > other.top : label.left > other.left;
}

[[noreturn]] void throwLastError() { throw comError(lastErrorHresult()); }

// A host that reads hidden forms through their windows, as the scenario runs under Wine do, asks
// for each form's window to be made with the form.
bool windowsMadeAtOnce() {
    static const bool atOnce = GetEnvironmentVariableW(L"QUORVEL_WINDOWS_AT_ONCE", nullptr, 0) > 0;
    return atOnce;
}

}  // namespace

Win32Window::Win32Window(const ui::WindowSpec& spec) : spec_(spec), caption_(spec.caption) {
    if (windowsMadeAtOnce()) makeWindow();
}

Win32Window::~Win32Window() {
    if (Win32Control* cancel = control(cancelButton_); cancel && cancel->handle()) unmarkCancelButton(cancel->handle());
    if (idleWorks_) idleWorks_->stopAll();
    if (window_) DestroyWindow(window_);
    if (font_) DeleteObject(font_);
    if (linkFont_) DeleteObject(linkFont_);
}

// Makes the window and whichever controls have none yet. A failure leaves what was made; the
// next showing makes the rest.
void Win32Window::makeWindow() {
    if (!window_) {
        if (!scope_) scope_ = std::make_unique<FormWindowScope>(windowProcedure);
        dpi_ = screenDpi();
        const FrameStyle frame = frameStyle(spec_.border);
        RECT bounds{0, 0, twipsToPixels(spec_.clientWidth, dpi_), twipsToPixels(spec_.clientHeight, dpi_)};
        AdjustWindowRectEx(&bounds, frame.style, FALSE, frame.extendedStyle);
        // No owner: the forms are modeless windows of their own beside Outlook's.
        CreateWindowExW(frame.extendedStyle, FormWindowClass, wide(caption_).c_str(), frame.style, CW_USEDEFAULT,
                        CW_USEDEFAULT, bounds.right - bounds.left, bounds.bottom - bounds.top, nullptr, nullptr,
                        module(), this);
        if (!window_) throwLastError();
        addFormWindow(window_);
        // Made on a monitor of another DPI than the screen's, the window takes its monitor's; the
        // frame measured around the client area fits that at any DPI.
        dpi_ = windowDpi(window_);
        fitClientArea();
        if (!font_) font_ = createFormFont(dpi_, false);
    }
    // A new child goes below its siblings, so made in tab order the controls are in tab order. A
    // label that names a control is made just before it, where screen readers look for it.
    std::vector<size_t> order(controls_.size());
    std::iota(order.begin(), order.end(), size_t{0});
    std::stable_sort(order.begin(), order.end(),
                     [&](size_t a, size_t b) { return specs_[a].tabIndex < specs_[b].tabIndex; });
    for (size_t index : order) {
        if (controls_[index]->handle()) continue;
        const int label = isNamedByLabel(controls_[index].get()) ? labelOf(index) : -1;
        if (label >= 0 && !controls_[static_cast<size_t>(label)]->handle()) makeControl(static_cast<size_t>(label));
        makeControl(index);
    }
    placeLabelsBeforeNamedControls();
}

int Win32Window::labelOf(size_t named) const {
    const ui::Rect& place = specs_[named].rect;
    const bool namedIsList = isList(controls_[named].get());
    int found = -1;
    for (size_t index = 0; index < controls_.size(); ++index) {
        const ui::Rect& label = specs_[index].rect;
        if (!dynamic_cast<const Win32Label*>(controls_[index].get()) || !mayName(label, place, namedIsList)) continue;
        if (found < 0 || nearer(label, specs_[static_cast<size_t>(found)].rect, namedIsList))
            found = static_cast<int>(index);
    }
    return found;
}

// Screen readers name a list or an edit box after the label just before it in z-order, as
// Windows names any control without text of its own. Labels take no part in the tab order, so
// it stays.
void Win32Window::placeLabelsBeforeNamedControls() {
    for (size_t index = 0; index < controls_.size(); ++index) {
        const HWND named = controls_[index]->handle();
        if (!named || !isNamedByLabel(controls_[index].get())) continue;
        const int label = labelOf(index);
        if (label < 0 || !controls_[static_cast<size_t>(label)]->handle()) continue;
        const HWND labelWindow = controls_[static_cast<size_t>(label)]->handle();
        const HWND before = GetWindow(named, GW_HWNDPREV);
        if (before != labelWindow)
            SetWindowPos(labelWindow, before ? before : HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
}

// A label that names a list ends where the list begins: above it in z-order, it would cover
// the list's edge.
RECT Win32Window::placeOf(size_t index) const {
    const ui::Rect& rect = specs_[index].rect;
    RECT place{twipsToPixels(rect.left, dpi_), twipsToPixels(rect.top, dpi_),
               twipsToPixels(rect.left + rect.width, dpi_), twipsToPixels(rect.top + rect.height, dpi_)};
    for (size_t list = 0; list < controls_.size(); ++list)
        if (isList(controls_[list].get()) && labelOf(list) == static_cast<int>(index))
            place.bottom = std::min(place.bottom, static_cast<LONG>(twipsToPixels(specs_[list].rect.top, dpi_)));
    return place;
}

void Win32Window::fitClientArea() {
    RECT frame{};
    RECT client{};
    GetWindowRect(window_, &frame);
    GetClientRect(window_, &client);
    const int width = twipsToPixels(spec_.clientWidth, dpi_) + (frame.right - frame.left) - client.right;
    const int height = twipsToPixels(spec_.clientHeight, dpi_) + (frame.bottom - frame.top) - client.bottom;
    if (width == frame.right - frame.left && height == frame.bottom - frame.top) return;
    SetWindowPos(window_, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// As the window would have been made at that DPI: each control placed from its twips, in the new
// fonts, then fitted to its content; owner-drawn lists are told their entries' new height, which
// WM_MEASUREITEM gave them only once.
void Win32Window::rescale(int dpi) {
    dpi_ = dpi;
    const HFONT oldFont = font_;
    const HFONT oldLinkFont = linkFont_;
    font_ = createFormFont(dpi_, false);
    linkFont_ = oldLinkFont ? createFormFont(dpi_, true) : nullptr;
    for (size_t index = 0; index < controls_.size(); ++index) {
        Win32Control& control = *controls_[index];
        if (!control.handle()) continue;
        const RECT place = placeOf(index);
        SetWindowPos(control.handle(), nullptr, place.left, place.top, place.right - place.left,
                     place.bottom - place.top, SWP_NOZORDER | SWP_NOACTIVATE);
        const HFONT font = control.blueprint().underlined ? linkFont() : font_;
        SendMessageW(control.handle(), WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
        if (isList(&control)) SendMessageW(control.handle(), LB_SETITEMHEIGHT, 0, itemHeight());
        control.fitContent();
    }
    if (oldFont) DeleteObject(oldFont);
    if (oldLinkFont) DeleteObject(oldLinkFont);
}

LRESULT CALLBACK Win32Window::windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<Win32Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<Win32Window*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self) return DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        removeFormWindow(window);
        self->window_ = nullptr;
        return DefWindowProcW(window, message, wParam, lParam);
    }
    return guardedMessage([&] { return self->handle(message, wParam, lParam); },
                          [&] { return DefWindowProcW(window, message, wParam, lParam); });
}

// A handler run from here may destroy this window and its object, so after one runs nothing
// of the object is touched.
LRESULT Win32Window::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == idleWorkPendingMessage()) return answerIdleWorkPending();
    if (message == windowNameMessage()) return answerWindowName(reinterpret_cast<HWND>(wParam), lParam);
    switch (message) {
    case WM_COMMAND:
        // Esc, through IsDialogMessage, presses the cancel button.
        if (LOWORD(wParam) == IDCANCEL) {
            if (auto* cancel = dynamic_cast<Win32Button*>(control(cancelButton_))) cancel->click();
            return 0;
        }
        if (Win32Control* source = control(static_cast<int>(LOWORD(wParam)))) {
            source->command(HIWORD(wParam));
            return 0;
        }
        break;
    case DM_GETDEFID:
        if (defaultButton_) return MAKELRESULT(defaultButton_, DC_HASDEFID);
        return 0;
    // The lists draw their own entries and find them by their first letter.
    case WM_MEASUREITEM:
        reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemHeight = itemHeight();
        return TRUE;
    case WM_DRAWITEM:
        if (auto* list = dynamic_cast<Win32ListBox*>(control(static_cast<int>(wParam)))) {
            list->draw(*reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
            return TRUE;
        }
        if (auto* legend = dynamic_cast<Win32AvailabilityLegend*>(control(static_cast<int>(wParam)))) {
            legend->draw(*reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
            return TRUE;
        }
        break;
    case WM_CHARTOITEM:
        if (auto* list = dynamic_cast<Win32ListBox*>(control(reinterpret_cast<HWND>(lParam))))
            return list->entryStartingWith(static_cast<wchar_t>(LOWORD(wParam)));
        break;
    case WM_VKEYTOITEM:
        return -1;
    case WM_CTLCOLORSTATIC:
        if (Win32Control* label = control(reinterpret_cast<HWND>(lParam)); label && label->isLink()) {
            auto* dc = reinterpret_cast<HDC>(wParam);
            SetTextColor(dc, LinkColour);
            SetBkMode(dc, TRANSPARENT);
            return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
        }
        break;
    case WM_SETCURSOR:
        if (Win32Control* under = control(reinterpret_cast<HWND>(wParam)); under && under->isLink()) {
            SetCursor(LoadCursorW(nullptr, IDC_HAND));
            return TRUE;
        }
        break;
    // Focus returns to the control that had it, as in a dialog: straight to it, not through the
    // window first as the default activation would.
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE) {
            HWND focus = GetFocus();
            if (focus && IsChild(window_, focus)) lastFocus_ = focus;
        } else if (!HIWORD(wParam) && focusControl()) {
            return 0;
        }
        break;
    case WM_SETFOCUS:
        focusControl();
        return 0;
    // Moved to a monitor of another DPI: in the place the system suggests, laid out anew (labels
    // widen as far as the new client area allows).
    case DpiChangedMessage: {
        const auto* suggested = reinterpret_cast<const RECT*>(lParam);
        if (LOWORD(wParam) == 0 || !suggested) return 0;
        SetWindowPos(window_, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                     suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
        rescale(LOWORD(wParam));
        return 0;
    }
    // A step may destroy the window and this object; the works outlive it until the step returns.
    case WM_TIMER:
        if (const std::shared_ptr<IdleWorks> works = idleWorks_; works && works->tick(wParam)) return 0;
        break;
    // The title bar's close button only asks; the form decides.
    case WM_CLOSE:
        runHandler(onCloseRequest);
        return 0;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

// The control that had the focus last, or else the first in the tab order.
bool Win32Window::focusControl() {
    HWND target = lastFocus_ && IsWindow(lastFocus_) ? lastFocus_ : GetNextDlgTabItem(window_, nullptr, FALSE);
    if (target) SetFocus(target);
    return target != nullptr;
}

void Win32Window::setCaption(const std::string& caption) {
    caption_ = caption;
    SetWindowTextW(window_, wide(caption).c_str());
}

void Win32Window::show() {
    makeWindow();
    ShowWindow(window_, SW_SHOWNORMAL);
    SetForegroundWindow(window_);
}

void Win32Window::hide() {
    if (window_) ShowWindow(window_, SW_HIDE);
}

bool Win32Window::isVisible() const { return window_ && IsWindowVisible(window_); }

void Win32Window::makeControl(size_t index) {
    Win32Control& made = *controls_[index];
    const Blueprint blueprint = made.blueprint();
    const RECT place = placeOf(index);
    // Siblings that overlap never paint over each other.
    HWND child = CreateWindowExW(blueprint.extendedStyle, blueprint.windowClass, wide(blueprint.text).c_str(),
                                 WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | blueprint.style, place.left, place.top,
                                 place.right - place.left, place.bottom - place.top, window_,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(made.id())), module(), nullptr);
    if (!child) throwLastError();
    SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(blueprint.underlined ? linkFont() : font_), FALSE);
    made.attach(child);
}

// A control added to a window already made takes its place in the tab order by its tab index.
// Labels, which take no part in it, may stand elsewhere (before the list they name).
void Win32Window::placeInTabOrder(size_t index) {
    HWND after = HWND_TOP;
    for (size_t earlier = 0; earlier < index; ++earlier)
        if (specs_[earlier].tabIndex <= specs_[index].tabIndex && !dynamic_cast<const Win32Label*>(controls_[earlier].get()))
            after = controls_[earlier]->handle();
    SetWindowPos(controls_[index]->handle(), after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

template <typename Control, typename... Args>
Control& Win32Window::add(const ui::ControlSpec& spec, Args&&... args) {
    const int id = FirstControlId + static_cast<int>(controls_.size());
    auto created = std::make_unique<Control>(id, std::forward<Args>(args)...);
    Control& result = *created;
    controls_.push_back(std::move(created));
    specs_.push_back(spec);
    if (window_) {
        makeControl(controls_.size() - 1);
        placeInTabOrder(controls_.size() - 1);
        placeLabelsBeforeNamedControls();
    }
    return result;
}

Win32Control* Win32Window::control(HWND child) const {
    for (const auto& candidate : controls_)
        if (candidate->handle() == child) return candidate.get();
    return nullptr;
}

Win32Control* Win32Window::control(int id) const {
    for (const auto& candidate : controls_)
        if (candidate->id() == id) return candidate.get();
    return nullptr;
}

HFONT Win32Window::linkFont() {
    if (!linkFont_) linkFont_ = createFormFont(dpi_, true);
    return linkFont_;
}

// A list entry is one line of the form's font high, as in a list box that draws its own text.
UINT Win32Window::itemHeight() const { return static_cast<UINT>(lineHeightOf(font_)); }

LRESULT Win32Window::answerIdleWorkPending() const {
    if (InSendMessageEx(nullptr) != ISMEX_NOSEND) return -1;
    return idleWorks_ ? idleWorks_->running() : 0;
}

LRESULT Win32Window::answerWindowName(HWND named, LPARAM request) const {
    if (InSendMessageEx(nullptr) != ISMEX_NOSEND) return LB_ERR;
    if (named == window_) return answerTextRequest(wide(spec_.name), request);
    for (size_t index = 0; index < controls_.size(); ++index)
        if (controls_[index]->handle() == named) return answerTextRequest(wide(specs_[index].name), request);
    return LB_ERR;
}

std::unique_ptr<ui::IdleWork> Win32Window::startIdleWork(std::function<bool()> step) {
    makeWindow();
    if (!idleWorks_) idleWorks_ = std::make_shared<IdleWorks>(window_);
    return idleWorks_->start(std::move(step));
}

ui::Label& Win32Window::addLabel(const ui::ControlSpec& spec, const std::string& text) {
    return add<Win32Label>(spec, text);
}

ui::LinkLabel& Win32Window::addLinkLabel(const ui::ControlSpec& spec, const std::string& text) {
    return add<Win32LinkLabel>(spec, text);
}

ui::Button& Win32Window::addButton(const ui::ControlSpec& spec, const std::string& caption, bool isDefault,
                                   bool isCancel) {
    Win32Button& button = add<Win32Button>(spec, caption, isDefault, isCancel);
    if (isDefault) defaultButton_ = button.id();
    if (isCancel) cancelButton_ = button.id();
    return button;
}

ui::ListBox& Win32Window::addListBox(const ui::ControlSpec& spec, bool multiSelect, bool marked) {
    return add<Win32ListBox>(spec, multiSelect, marked, spec.rect.height);
}

ui::SearchBox& Win32Window::addSearchBox(const ui::ControlSpec& spec) { return add<Win32SearchBox>(spec); }

void Win32Window::addAvailabilityLegend(const ui::ControlSpec& spec) { add<Win32AvailabilityLegend>(spec); }

ui::Picture& Win32Window::addPicture(const ui::ControlSpec& spec, int bitmapId) { return add<Win32Picture>(spec, bitmapId); }

void Win32Window::addSeparator(const ui::ControlSpec& spec) { add<Win32Separator>(spec); }

}  // namespace win32
