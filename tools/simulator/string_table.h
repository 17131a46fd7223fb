#pragma once

#include <cstdint>
#include <map>
#include <string>

// The library's string table as the native build has it, made from the same resource files
// as the Windows string table.
const std::map<uint32_t, std::string>& StringTable();
