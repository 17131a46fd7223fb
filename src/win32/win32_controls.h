#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "ui/widgets.h"

namespace win32 {

// A child window of a form. The form routes its notifications here by control ID.
class Win32Control {
public:
    Win32Control(HWND handle, int id) : handle_(handle), id_(id) {}
    virtual ~Win32Control() = default;
    Win32Control(const Win32Control&) = delete;
    Win32Control& operator=(const Win32Control&) = delete;

    HWND handle() const { return handle_; }
    int id() const { return id_; }
    // A WM_COMMAND notification from the control.
    virtual void command(WORD) {}
    virtual bool isLink() const { return false; }

private:
    HWND handle_;
    int id_;
};

// Runs a user-interface handler from a window procedure. A handler may destroy the control it
// belongs to, so it runs from a copy; a failure it does not trap is shown to the user, as the
// Basic runtime shows an untrapped error, and never leaves the window procedure.
void runHandler(const std::function<void()>& handler) noexcept;

// A label laid out one line high keeps its text on that line: where the dialog font is wider than
// the one the form was laid out with, the label widens rightwards as far as its window allows.
void widenToText(HWND label);

class Win32Label final : public ui::Label, public Win32Control {
public:
    Win32Label(HWND handle, int id, std::string text);
    void setText(const std::string& text) override;
    std::string text() const override { return text_; }

private:
    std::string text_;
};

class Win32LinkLabel final : public ui::LinkLabel, public Win32Control {
public:
    Win32LinkLabel(HWND handle, int id, std::string text);
    void setText(const std::string& text) override;
    std::string text() const override { return text_; }
    void command(WORD notification) override;
    bool isLink() const override { return true; }

private:
    std::string text_;
};

class Win32Button final : public ui::Button, public Win32Control {
public:
    Win32Button(HWND handle, int id, std::string caption) : Win32Control(handle, id), caption_(std::move(caption)) {}
    std::string caption() const override { return caption_; }
    void command(WORD notification) override;
    void click() { runHandler(onClick); }

private:
    std::string caption_;
};

class Win32ListBox final : public ui::ListBox, public Win32Control {
public:
    Win32ListBox(HWND handle, int id, bool multiSelect) : Win32Control(handle, id), multiSelect_(multiSelect) {}
    int addItem(const std::string& text) override;
    void removeItem(int index) override;
    void clear() override;
    int count() const override;
    std::string text(int index) const override;
    int32_t itemData(int index) const override;
    void setItemData(int index, int32_t data) override;
    bool selected(int index) const override;
    void setSelected(int index, bool chosen) override;
    void unselectAll() override;
    void beginUpdate() override;
    void endUpdate() override;
    void command(WORD notification) override;

private:
    void checkIndex(int index) const;
    LRESULT send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;

    bool multiSelect_;
};

class Win32Picture final : public ui::Picture, public Win32Control {
public:
    Win32Picture(HWND handle, int id, HBITMAP bitmap) : Win32Control(handle, id), bitmap_(bitmap) {}
    ~Win32Picture() override;

private:
    HBITMAP bitmap_;
};

}  // namespace win32
