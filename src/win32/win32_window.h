#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "ui/widgets.h"
#include "win32/form_windows.h"
#include "win32/idle_works.h"
#include "win32/win32_controls.h"

namespace win32 {

// A form as a real modeless top-level window. It only draws and reports the user's actions;
// what they do is up to the portable form. The window and its controls are made when the form is
// first shown: a form that stays hidden costs no window at all.
class Win32Window final : public ui::Window {
public:
    explicit Win32Window(const ui::WindowSpec& spec);
    ~Win32Window() override;

    void setCaption(const std::string& caption) override;
    std::string caption() const override { return caption_; }
    void show() override;
    void hide() override;
    bool isVisible() const override;

    ui::Label& addLabel(const ui::ControlSpec& spec, const std::string& text) override;
    ui::LinkLabel& addLinkLabel(const ui::ControlSpec& spec, const std::string& text) override;
    ui::Button& addButton(const ui::ControlSpec& spec, const std::string& caption, bool isDefault,
                          bool isCancel) override;
    ui::ListBox& addListBox(const ui::ControlSpec& spec, bool multiSelect, bool marked) override;
    ui::SearchBox& addSearchBox(const ui::ControlSpec& spec) override;
    void addAvailabilityLegend(const ui::ControlSpec& spec) override;
    ui::Picture& addPicture(const ui::ControlSpec& spec, int bitmapId) override;
    void addSeparator(const ui::ControlSpec& spec) override;
    // The window is made, hidden, if it is not yet: the timers are its.
    std::unique_ptr<ui::IdleWork> startIdleWork(std::function<bool()> step) override;

private:
    static LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);

    void makeWindow();
    void makeControl(size_t index);
    void placeInTabOrder(size_t index);
    // The label that names a list or a search box (as its accessible name): for a list the
    // nearest label above it on its left edge, for a box the nearest on its row to its left; -1
    // for none.
    int labelOf(size_t named) const;
    void placeLabelsBeforeNamedControls();
    // Answers the idle-work message (win32/idle_work_pending.h) for senders on this thread.
    LRESULT answerIdleWorkPending() const;
    LRESULT answerWindowName(HWND named, LPARAM request) const;
    // Where a control goes, in pixels at the window's DPI.
    RECT placeOf(size_t index) const;
    // The client area the form asks for, at the window's DPI; the frame around it stays as it is.
    void fitClientArea();
    bool focusControl();
    // WM_DPICHANGED: the fonts, the controls and the list entries at the new DPI.
    void rescale(int dpi);
    template <typename Control, typename... Args>
    Control& add(const ui::ControlSpec& spec, Args&&... args);
    Win32Control* control(HWND child) const;
    Win32Control* control(int id) const;
    HFONT linkFont();
    UINT itemHeight() const;

    ui::WindowSpec spec_;
    // Made with the window, before it: the window class must exist as long as the window.
    std::unique_ptr<FormWindowScope> scope_;
    HWND window_ = nullptr;
    std::string caption_;
    int dpi_ = 96;
    HFONT font_ = nullptr;
    HFONT linkFont_ = nullptr;
    std::vector<std::unique_ptr<Win32Control>> controls_;
    std::vector<ui::ControlSpec> specs_;  // of controls_: name, place and tab index
    int defaultButton_ = 0;
    int cancelButton_ = 0;
    HWND lastFocus_ = nullptr;
    std::shared_ptr<IdleWorks> idleWorks_;  // made with the first idle work
};

}  // namespace win32
