#include "win32/win32_window.h"

#include "win32/com_error.h"
#include "win32/module.h"
#include "win32/twips.h"
#include "win32/wide.h"
#include "win32/window_names.h"

namespace win32 {
namespace {

constexpr int FirstControlId = 100;
constexpr double FontPoints = 8.25;
constexpr COLORREF LinkColour = RGB(0, 0, 255);

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

// "MS Shell Dlg" names the system's dialog font: Microsoft Sans Serif on Windows (the metrics the
// forms were laid out with, scalable to any DPI, unlike the bitmap MS Sans Serif) and Tahoma
// where that is missing.
HFONT createFont(int dpi, bool underlined) {
    return CreateFontW(fontHeight(FontPoints, dpi), 0, 0, 0, FW_NORMAL, FALSE, underlined, FALSE, DEFAULT_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS,
                       L"MS Shell Dlg");
}

[[noreturn]] void throwLastError() { throw comError(lastErrorHresult()); }

}  // namespace

Win32Window::Win32Window(const ui::WindowSpec& spec) : scope_(windowProcedure), caption_(spec.caption) {
    HDC screen = GetDC(nullptr);
    dpiX_ = GetDeviceCaps(screen, LOGPIXELSX);
    dpiY_ = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);

    const FrameStyle frame = frameStyle(spec.border);
    RECT bounds{0, 0, twipsToPixels(spec.clientWidth, dpiX_), twipsToPixels(spec.clientHeight, dpiY_)};
    AdjustWindowRectEx(&bounds, frame.style, FALSE, frame.extendedStyle);
    // No owner: the forms are modeless windows of their own beside Outlook's.
    CreateWindowExW(frame.extendedStyle, FormWindowClass, wide(caption_).c_str(), frame.style, CW_USEDEFAULT,
                    CW_USEDEFAULT, bounds.right - bounds.left, bounds.bottom - bounds.top, nullptr, nullptr, module(),
                    this);
    if (!window_) throwLastError();
    setWindowName(window_, spec.name);
    addFormWindow(window_);
    font_ = createFont(dpiY_, false);
}

Win32Window::~Win32Window() {
    for (const auto& control : controls_) clearWindowName(control->handle());
    if (window_) {
        clearWindowName(window_);
        DestroyWindow(window_);
    }
    if (font_) DeleteObject(font_);
    if (linkFont_) DeleteObject(linkFont_);
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
    return self->handle(message, wParam, lParam);
}

// A handler run from here may destroy this window and its object, so after one runs nothing
// of the object is touched.
LRESULT Win32Window::handle(UINT message, WPARAM wParam, LPARAM lParam) {
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
    // Focus returns to the control that had it, as in a dialog.
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE) {
            HWND focus = GetFocus();
            if (focus && IsChild(window_, focus)) lastFocus_ = focus;
        }
        break;
    case WM_SETFOCUS: {
        HWND target = lastFocus_ && IsWindow(lastFocus_) ? lastFocus_ : GetNextDlgTabItem(window_, nullptr, FALSE);
        if (target) SetFocus(target);
        return 0;
    }
    // The title bar's close button only asks; the form decides.
    case WM_CLOSE:
        runHandler(onCloseRequest);
        return 0;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

void Win32Window::setCaption(const std::string& caption) {
    caption_ = caption;
    SetWindowTextW(window_, wide(caption).c_str());
}

void Win32Window::show() {
    ShowWindow(window_, SW_SHOWNORMAL);
    SetForegroundWindow(window_);
}

void Win32Window::hide() { ShowWindow(window_, SW_HIDE); }

bool Win32Window::isVisible() const { return IsWindowVisible(window_) != FALSE; }

HWND Win32Window::createChild(const wchar_t* windowClass, const std::string& text, DWORD style, DWORD extendedStyle,
                              const ui::ControlSpec& spec, HFONT font) {
    const int id = FirstControlId + static_cast<int>(controls_.size());
    // Siblings that overlap, such as a label whose box reaches into the list below it, never
    // paint over each other.
    HWND child = CreateWindowExW(extendedStyle, windowClass, wide(text).c_str(),
                                 WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | style,
                                 twipsToPixels(spec.rect.left, dpiX_), twipsToPixels(spec.rect.top, dpiY_),
                                 twipsToPixels(spec.rect.width, dpiX_), twipsToPixels(spec.rect.height, dpiY_),
                                 window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), module(), nullptr);
    if (!child) throwLastError();
    setWindowName(child, spec.name);
    SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return child;
}

// Takes the new child into the form, placing it in the tab order by its tab index.
template <typename Control, typename... Args>
Control& Win32Window::add(const ui::ControlSpec& spec, HWND child, Args&&... args) {
    auto created = std::make_unique<Control>(child, GetDlgCtrlID(child), std::forward<Args>(args)...);
    Control& result = *created;
    HWND after = HWND_TOP;
    for (size_t i = 0; i < controls_.size(); ++i)
        if (tabIndexes_[i] <= spec.tabIndex) after = controls_[i]->handle();
    SetWindowPos(child, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    tabIndexes_.push_back(spec.tabIndex);
    controls_.push_back(std::move(created));
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
    if (!linkFont_) linkFont_ = createFont(dpiY_, true);
    return linkFont_;
}

ui::Label& Win32Window::addLabel(const ui::ControlSpec& spec, const std::string& text) {
    return add<Win32Label>(spec, createChild(L"STATIC", text, SS_LEFT, 0, spec, font_), text);
}

ui::LinkLabel& Win32Window::addLinkLabel(const ui::ControlSpec& spec, const std::string& text) {
    return add<Win32LinkLabel>(spec, createChild(L"STATIC", text, SS_LEFT | SS_NOTIFY, 0, spec, linkFont()), text);
}

ui::Button& Win32Window::addButton(const ui::ControlSpec& spec, const std::string& caption, bool isDefault,
                                   bool isCancel) {
    const DWORD style = WS_TABSTOP | (isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
    Win32Button& button = add<Win32Button>(spec, createChild(L"BUTTON", caption, style, 0, spec, font_), caption);
    if (isDefault) defaultButton_ = button.id();
    if (isCancel) {
        cancelButton_ = button.id();
        markCancelButton(button.handle());
    }
    return button;
}

ui::ListBox& Win32Window::addListBox(const ui::ControlSpec& spec, bool multiSelect) {
    const DWORD style = WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | (multiSelect ? LBS_MULTIPLESEL : 0);
    return add<Win32ListBox>(spec, createChild(L"LISTBOX", "", style, WS_EX_CLIENTEDGE, spec, font_), multiSelect);
}

ui::Picture& Win32Window::addPicture(const ui::ControlSpec& spec, int bitmapId) {
    HWND child = createChild(L"STATIC", "", SS_BITMAP, 0, spec, font_);
    auto bitmap = static_cast<HBITMAP>(
        LoadImageW(module(), MAKEINTRESOURCEW(bitmapId), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
    if (bitmap) SendMessageW(child, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap));
    return add<Win32Picture>(spec, child, bitmap);
}

void Win32Window::addSeparator(const ui::ControlSpec& spec) {
    add<Win32Control>(spec, createChild(L"STATIC", "", SS_ETCHEDHORZ, 0, spec, font_));
}

}  // namespace win32
