#pragma once

#include <windows.h>

#include <string>
#include <vector>

// What Win32 tells about a window and its child controls, read from outside the toolkit.
namespace windowcheck {

struct Child {
    HWND handle;
    std::wstring className;  // as registered: "Button", "Static", "ListBox"
    std::wstring text;
    DWORD style;
    RECT rect;  // in the parent's client coordinates
};

std::wstring windowText(HWND window);
std::wstring className(HWND window);
// The direct children, in z-order.
std::vector<Child> children(HWND window);
bool isClass(const Child& child, const wchar_t* name);
// A static control that shows text (not a picture, a line or a control that draws itself).
bool showsText(const Child& child);

SIZE clientSize(HWND window);
// Pixels per logical inch of the window's device context.
SIZE windowDpi(HWND window);
int twipsToPixels(int twips, int dpi);

int listCount(HWND list);
bool listChosen(HWND list, int index);
std::wstring listText(HWND list, int index);

// The text as a button or label draws it: "&&" is a literal "&", a lone "&" underlines the next
// letter and is not drawn.
std::wstring drawnText(const std::wstring& text);

// The room the control's text needs, drawn in the control's font as the control draws it, and the
// room the control gives it, in pixels.
struct TextRoom {
    SIZE needed;
    SIZE available;
    bool fits() const { return needed.cx <= available.cx && needed.cy <= available.cy; }
};
TextRoom textRoom(const Child& child);

// The face of the font the control draws with, as requested, and the family of the font file
// the system drew it from (a substitute's name is answered by GetTextFace as asked).
struct FontFaces {
    std::wstring requested;
    std::wstring realised;
    bool operator==(const FontFaces& other) const { return requested == other.requested && realised == other.realised; }
};
FontFaces fontFaces(HWND control);

// The tab stops from the first, as Tab moves through them.
std::vector<HWND> tabOrder(HWND window);

}  // namespace windowcheck
