#pragma once

#include <string>

namespace sim {

// `text` without case and accents, for finding: decomposed, its nonspacing marks dropped, folded
// to lower case, by the Unicode rules of a library the system keeps.
std::string FoldForSearch(const std::string& text);

}  // namespace sim
