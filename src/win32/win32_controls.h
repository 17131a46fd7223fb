#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "ui/widgets.h"

namespace win32 {

// What a control's window is made of.
struct Blueprint {
    const wchar_t* windowClass;
    std::string text;
    DWORD style;
    DWORD extendedStyle = 0;
    bool underlined = false;
};

// A child window of a form. A form makes its windows only when first shown, so until then a
// control has no window and keeps what it shows in memory; the form routes the window's
// notifications here by control ID.
class Win32Control {
public:
    explicit Win32Control(int id) : id_(id) {}
    virtual ~Win32Control() = default;
    Win32Control(const Win32Control&) = delete;
    Win32Control& operator=(const Win32Control&) = delete;

    HWND handle() const { return handle_; }
    int id() const { return id_; }
    virtual Blueprint blueprint() const = 0;
    // The form made the control's window: from now on the window shows what the control holds.
    void attach(HWND handle);
    // A WM_COMMAND notification from the control.
    virtual void command(WORD) {}
    virtual bool isLink() const { return false; }
    // Placed anew in another font, as at another DPI: the control fits itself to what it shows.
    virtual void fitContent() {}

private:
    virtual void attached() {}

    HWND handle_ = nullptr;
    int id_;
};

// Runs a user-interface handler from a window procedure. A handler may destroy the control it
// belongs to, so it runs from a copy; a failure it does not trap is shown to the user, as the
// Basic runtime shows an untrapped error, and never leaves the window procedure.
void runHandler(const std::function<void()>& handler) noexcept;

// The window's text, as GetWindowText gives it.
std::wstring windowText(HWND window);

// A label laid out one line high keeps its text on that line: where the dialog font is wider than
// the one the form was laid out with, the label widens rightwards as far as its window allows.
void widenToText(HWND label);
// A label's new text, shown by its window once it has one.
void showLabelText(HWND label, const std::string& text);

class Win32Label final : public ui::Label, public Win32Control {
public:
    Win32Label(int id, std::string text) : Win32Control(id), text_(std::move(text)) {}
    void setText(const std::string& text) override;
    std::string text() const override { return text_; }
    Blueprint blueprint() const override { return {L"STATIC", text_, SS_LEFT}; }
    void fitContent() override { widenToText(handle()); }

private:
    void attached() override { widenToText(handle()); }

    std::string text_;
};

class Win32LinkLabel final : public ui::LinkLabel, public Win32Control {
public:
    Win32LinkLabel(int id, std::string text) : Win32Control(id), text_(std::move(text)) {}
    void setText(const std::string& text) override;
    std::string text() const override { return text_; }
    Blueprint blueprint() const override { return {L"STATIC", text_, SS_LEFT | SS_NOTIFY, 0, true}; }
    void command(WORD notification) override;
    bool isLink() const override { return true; }
    void fitContent() override { widenToText(handle()); }

private:
    void attached() override { widenToText(handle()); }

    std::string text_;
};

class Win32Button final : public ui::Button, public Win32Control {
public:
    Win32Button(int id, std::string caption, bool isDefault, bool isCancel)
        : Win32Control(id), caption_(std::move(caption)), isDefault_(isDefault), isCancel_(isCancel) {}
    std::string caption() const override { return caption_; }
    Blueprint blueprint() const override;
    void command(WORD notification) override;
    void click() { runHandler(onClick); }

private:
    void attached() override;

    std::string caption_;
    bool isDefault_;
    bool isCancel_;
};

class Win32Picture final : public ui::Picture, public Win32Control {
public:
    Win32Picture(int id, int bitmapId) : Win32Control(id), bitmapId_(bitmapId) {}
    ~Win32Picture() override;
    Blueprint blueprint() const override { return {L"STATIC", "", SS_BITMAP}; }
    // Shown again, the bitmap gives the control its size once more.
    void fitContent() override;

private:
    void attached() override;

    int bitmapId_;
    HBITMAP bitmap_ = nullptr;
};

// An etched horizontal line.
class Win32Separator final : public Win32Control {
public:
    using Win32Control::Win32Control;
    Blueprint blueprint() const override { return {L"STATIC", "", SS_ETCHEDHORZ}; }
    // Placed anew, it takes the shape the system gives a new etched line.
    void fitContent() override;
};

}  // namespace win32
