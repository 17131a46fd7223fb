#include "outlook/shell_open_module.h"

#include "platform/platform.h"

int32_t ShellOpen(const std::string& target, int32_t showCommand) {
    return platform::services().shellOpen(target, showCommand);
}
