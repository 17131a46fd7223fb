#pragma once

#include <ostream>

#include "ui/headless/headless_toolkit.h"

// Prints a window of the add-in as a user would see it: caption, texts, lists and buttons.
void PrintWindow(std::ostream& out, const ui::headless::HeadlessWindow& window);
