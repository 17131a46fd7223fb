#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace win32 {

// UTF-8 ⇄ the UTF-16 of Windows' wide-character functions and BSTRs.
std::wstring wide(std::string_view utf8);
std::string narrow(const wchar_t* text, size_t length);
std::string narrow(const wchar_t* text);  // null or NUL-terminated

// UTF-8 ⇄ the ANSI code page of the "A" functions. Text that has no exact ANSI form yields
// nothing, so that it is never replaced by a look-alike name.
bool toAnsi(std::string_view utf8, std::string& ansi);
std::string fromAnsi(std::string_view ansi);

}  // namespace win32
