#pragma once

#include <string>
#include <vector>

// Splits a command line into words; "double quotes" keep blanks, "" inside them is one quote.
// A line whose first word starts with # is a comment. Raises std::invalid_argument for an
// unterminated quote.
std::vector<std::string> Tokenize(const std::string& line);
