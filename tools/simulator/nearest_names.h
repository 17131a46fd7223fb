#pragma once

#include <string>
#include <vector>

// The names nearest to a misspelt one, nearest first, compared without regard to case: those
// sharing its part after the dot, then those fewest edits away.
std::vector<std::string> NearestNames(const std::string& wanted, const std::vector<std::string>& names, size_t count);
