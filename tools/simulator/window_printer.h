#pragma once

#include <ostream>

#include "window_driver.h"

// Prints a window of the add-in as a user would see it: caption, texts, lists and buttons.
void PrintWindow(std::ostream& out, const WindowView& window);
