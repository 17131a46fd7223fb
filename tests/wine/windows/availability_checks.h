#pragma once

#include "controller.h"

namespace windowcheck {

// A form laid out as People & Resources, with marked lists, a search box and a legend: the
// entries' accessible names and marks' colours, the legend's text, the box's name and Esc, the
// lists' rows in view; and a photograph with a filter typed and marks shown.
void checkAvailabilityMarks(Controller& controller);
// The system's folding of search keys: accents and case.
void checkSearchKeys();

}  // namespace windowcheck
