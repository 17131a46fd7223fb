#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "window_inspection.h"

namespace windowcheck {

struct ButtonExpectation {
    std::wstring text;   // as the form gives it, with "&" marks
    std::wstring drawn;  // as the button shows it
};

struct ListEntry {
    std::wstring ending;  // the entry's text, or its end (a log line starts with the time of day)
    bool chosen;
};
using ListExpectation = std::vector<ListEntry>;

// What one form's window must look like to Win32.
struct FormExpectation {
    std::string name;
    std::wstring caption;
    int clientWidthTwips = 0;
    int clientHeightTwips = 0;
    std::vector<ButtonExpectation> buttons;
    std::vector<std::wstring> labels;    // the texts of labels and links, with "&" marks
    std::vector<ListExpectation> lists;  // from left to right
    int pictures = 0;
    std::wstring legend;  // the window text of the availability legend, if the form has one
    // The tab stops in order: a button by its text, a list box as "list N" counted from the left,
    // an edit box as "search box".
    std::vector<std::wstring> tabStops;
    FontFaces font;  // of every control that shows text
};

// Records one expectation for each property of the window and its controls.
void checkWindow(HWND window, const FormExpectation& expected);

}  // namespace windowcheck
