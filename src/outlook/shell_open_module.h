#pragma once

#include <cstdint>
#include <string>

// Opens a document, web address or mail link with the shell's "open" verb.
int32_t ShellOpen(const std::string& target, int32_t showCommand);
