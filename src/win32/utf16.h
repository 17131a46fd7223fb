#pragma once

#include <string>
#include <string_view>

namespace win32 {

// Text crosses the COM boundary as UTF-16 and lives in the product as UTF-8. Neither direction
// fails: a lone surrogate from a COM string is kept in its three-byte form so that text read and
// written back is unchanged, and a malformed UTF-8 sequence becomes U+FFFD.
std::u16string toUtf16(std::string_view utf8);
std::string toUtf8(std::u16string_view utf16);

}  // namespace win32
