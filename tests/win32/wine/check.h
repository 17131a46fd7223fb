#pragma once

#include <string>

// Counts and reports the expectations of one check program.
namespace checks {

void expect(bool holds, const std::string& what);
// The program's exit status: the number of failed expectations.
int summary();

}  // namespace checks
