#include "win32/utf16.h"

#include "text/unicode.h"

namespace win32 {

namespace {
constexpr char32_t Replacement = 0xFFFD;
}

std::u16string toUtf16(std::string_view utf8) {
    std::u16string out;
    out.reserve(utf8.size());
    for (size_t i = 0; i < utf8.size();) text::AppendUtf16(out, text::DecodeUtf8(utf8, i).value_or(Replacement));
    return out;
}

std::string toUtf8(std::u16string_view utf16) {
    std::string out;
    out.reserve(utf16.size());
    for (size_t i = 0; i < utf16.size();) text::AppendUtf8(out, text::DecodeUtf16(utf16, i));
    return out;
}

}  // namespace win32
