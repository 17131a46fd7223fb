#pragma once

#include <optional>
#include <string>
#include <string_view>

// Code points in and out of UTF-8 and UTF-16. Callers choose what a malformed sequence means:
// text crossing COM is kept as it came, a file's text must be well formed.
namespace text {

inline bool IsSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDFFF; }

// Decodes the sequence at text[i] and moves i past it. A malformed sequence answers nothing and
// moves i past its lead byte only. Encoded surrogates are decoded like any other code point.
std::optional<char32_t> DecodeUtf8(std::string_view text, size_t& i);

// Decodes the unit or surrogate pair at text[i] and moves i past it; a lone surrogate is
// answered as itself.
char32_t DecodeUtf16(std::u16string_view text, size_t& i);

void AppendUtf8(std::string& out, char32_t c);
void AppendUtf16(std::u16string& out, char32_t c);

}  // namespace text
