#pragma once

// The library's version, as its version resource gives it.
namespace version {
constexpr int Major = 1;
constexpr int Minor = 1;
constexpr int Revision = 4;
constexpr const char* Text = "1.01.0004";
}  // namespace version
