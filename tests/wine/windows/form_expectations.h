#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace windowcheck {

struct ButtonExpectation {
    std::wstring text;   // as the form gives it, with "&" marks
    std::wstring drawn;  // as the button shows it
};

struct ListExpectation {
    // Each entry's text, or the end of it (a log line starts with the time of day).
    std::vector<std::wstring> endings;
    std::vector<bool> chosen;
};

// What one form's window must look like to Win32.
struct FormExpectation {
    std::string name;
    std::wstring caption;
    int clientWidthTwips = 0;
    int clientHeightTwips = 0;
    std::vector<ButtonExpectation> buttons;
    std::vector<std::wstring> labels;  // the texts of labels and links, with "&" marks
    std::vector<ListExpectation> lists;  // from left to right
    int pictures = 0;
    // The tab stops in order: a button by its text, a list box as "list N" counted from the left.
    std::vector<std::wstring> tabStops;
    std::wstring fontFace;  // of every control that shows text
};

// Records one expectation for each property of the window and its controls.
void checkWindow(HWND window, const FormExpectation& expected);

}  // namespace windowcheck
