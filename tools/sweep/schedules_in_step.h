#pragma once

#include <string>
#include <vector>

#include "session.h"

// Whatever failed before, one more close of the settings item, with nothing failing, leaves each
// group schedule holding exactly what a rebuild from the directory would give: the entries it
// takes, in directory order, with their types, each resolved as far as it can be. Answers what
// did not hold; nothing where the session cannot close the settings item from a main window.
std::vector<std::string> SchedulesInStepAfterAClose(Session& session);
