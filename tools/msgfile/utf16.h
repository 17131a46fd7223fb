#pragma once

#include <string>

namespace msgfile {

// Throws std::invalid_argument on malformed UTF-8 (bad or truncated sequences,
// overlong forms, encoded surrogates, code points above U+10FFFF).
std::u16string utf8ToUtf16(const std::string& text);

// Throws FormatError on an unpaired surrogate.
std::string utf16ToUtf8(const std::u16string& text);

}  // namespace msgfile
