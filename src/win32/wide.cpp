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

bool toAnsi(std::string_view utf8, std::string& ansi) {
    const std::wstring text = wide(utf8);
    ansi.clear();
    if (text.empty()) return true;
    const int length = static_cast<int>(text.size());
    BOOL lossy = FALSE;
    const int size = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), length, nullptr, 0, nullptr, &lossy);
    if (size <= 0 || lossy) return false;
    ansi.resize(static_cast<size_t>(size));
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), length, ansi.data(), size, nullptr, &lossy);
    return !lossy;
}

std::string fromAnsi(std::string_view ansi) {
    if (ansi.empty()) return std::string();
    const int length = static_cast<int>(ansi.size());
    const int size = MultiByteToWideChar(CP_ACP, 0, ansi.data(), length, nullptr, 0);
    std::wstring text(static_cast<size_t>(size > 0 ? size : 0), L'\0');
    MultiByteToWideChar(CP_ACP, 0, ansi.data(), length, text.data(), size);
    return narrow(text.data(), text.size());
}

}  // namespace win32
