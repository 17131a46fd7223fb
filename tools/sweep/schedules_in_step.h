#pragma once

#include <string>
#include <vector>

#include "session.h"

// Whatever failed before, one more close of the settings item, with nothing failing, leaves each
// group schedule holding exactly what a rebuild from the directory would give: the entries it
// takes, in directory order, with their types, each resolved as far as it can be. A session the
// script shut down is connected again first, as when Outlook starts again. Answers what did not
// hold; nothing where the schedules are not kept (no security wrapper, or one refusing the
// directory) or there is no single settings item.
std::vector<std::string> SchedulesInStepAfterAClose(Session& session);
