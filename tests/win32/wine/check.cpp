#include "check.h"

#include <cstdio>

namespace checks {
namespace {
int failed = 0;
int passed = 0;
}  // namespace

void expect(bool holds, const std::string& what) {
    std::printf("%s: %s\n", holds ? "ok" : "FAILED", what.c_str());
    ++(holds ? passed : failed);
}

int summary() {
    std::printf("%d passed, %d failed\n", passed, failed);
    return failed;
}

}  // namespace checks
