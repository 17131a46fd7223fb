#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace win32 {

// UTF-8 ⇄ the UTF-16 of Windows' wide-character functions and BSTRs.
std::wstring wide(std::string_view utf8);
std::string narrow(const wchar_t* text, size_t length);
std::string narrow(const wchar_t* text);  // null or NUL-terminated

}  // namespace win32
