#pragma once

#include <string>

namespace sim {

// The subject a Jet filter of the form [Subject] = 'value' asks for. Quotes may be ' or ", a quote
// inside the value is doubled. Raises automation::Error for any other filter.
std::string subjectOfFilter(const std::string& filter);

}  // namespace sim
