#pragma once

#include <windows.h>

#include <string>

#include "win32/win32_controls.h"

namespace win32 {

// A one-line edit box. Esc in it clears it and goes no further: the form's cancel button does
// not hear of it.
class Win32SearchBox final : public ui::SearchBox, public Win32Control {
public:
    using Win32Control::Win32Control;
    std::string text() const override { return text_; }
    void setText(const std::string& text) override;
    Blueprint blueprint() const override;
    void command(WORD notification) override;

private:
    void attached() override;
    static LRESULT CALLBACK boxProcedure(HWND box, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT answer(UINT message, WPARAM wParam, LPARAM lParam);

    std::string text_;
    WNDPROC baseProcedure_ = nullptr;
};

}  // namespace win32
