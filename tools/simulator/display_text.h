#pragma once

#include <string>

// A caption as the user sees it: "&&" is one ampersand, a single "&" marks the access key.
std::string DisplayText(const std::string& caption);
