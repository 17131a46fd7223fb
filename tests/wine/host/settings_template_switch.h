#pragma once

#include "session.h"

namespace host {

// Puts the settings template beside the registered Quorvel.dll or takes it away, by renaming it.
Session::TemplateSwitch settingsTemplateSwitch();

}  // namespace host
