#include "win32/wide.h"

#include <cstring>

#include "win32/utf16.h"

namespace win32 {

std::wstring wide(std::string_view utf8) {
    const std::u16string utf16 = toUtf16(utf8);
    return std::wstring(utf16.begin(), utf16.end());
}

std::string narrow(const wchar_t* text, size_t length) {
    if (!text) return std::string();
    return toUtf8(std::u16string(text, text + length));
}

std::string narrow(const wchar_t* text) { return narrow(text, text ? std::wcslen(text) : 0); }

}  // namespace win32
