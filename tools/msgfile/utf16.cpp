#include "utf16.h"

#include <stdexcept>

#include "format_error.h"
#include "text/unicode.h"

namespace msgfile {

std::u16string utf8ToUtf16(const std::string& text) {
    std::u16string out;
    for (size_t i = 0; i < text.size();) {
        std::optional<char32_t> c = text::DecodeUtf8(text, i);
        if (!c || text::IsSurrogate(*c)) throw std::invalid_argument("invalid UTF-8 text");
        text::AppendUtf16(out, *c);
    }
    return out;
}

std::string utf16ToUtf8(const std::u16string& text) {
    std::string out;
    for (size_t i = 0; i < text.size();) {
        char32_t c = text::DecodeUtf16(text, i);
        if (text::IsSurrogate(c)) throw FormatError("unpaired surrogate in UTF-16 text");
        text::AppendUtf8(out, c);
    }
    return out;
}

}  // namespace msgfile
