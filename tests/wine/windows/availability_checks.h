#pragma once

#include <windows.h>

#include "controller.h"

class PeopleResourcesForm;

namespace windowcheck {

// A form laid out as People & Resources, with marked lists, a search box and a legend: the
// entries' accessible names and marks' colours, the legend's text, the box's name and Esc, the
// lists' rows in view.
void checkAvailabilityMarks();
// The shown People & Resources form: marked names, its search box's name, Esc and narrowing;
// photographed with a filter typed and marks shown.
void checkFindInForm(HWND window, PeopleResourcesForm& form, Controller& controller);
// The system's folding of search keys: accents and case.
void checkSearchKeys();

}  // namespace windowcheck
