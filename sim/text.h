#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace sim {

// Compares as Jet and IDispatch do: letters without regard to case.
bool equalNoCase(std::string_view a, std::string_view b);
std::string trimmed(std::string_view text);
// The names of a "; "-separated list, blanks trimmed and empty pieces left out.
std::vector<std::string> splitNames(std::string_view list);
std::string joinNames(const std::vector<std::string>& names);

}  // namespace sim
