#pragma once

#include <cstdint>
#include <string>

namespace win32 {

// Basic's error numbers travel through COM as HRESULTs of the control facility
// (0x800A0000 + number); every other failure keeps its HRESULT as the error's number.
int32_t hresultFromErrorNumber(int32_t number);
int32_t errorNumberFromHresult(int32_t hresult);

// The Basic runtime's text for its own error numbers that servers raise without a description,
// or empty for other numbers.
std::string basicErrorText(int32_t number);

// The description of a failure that brought no text of its own: "Automation error 0x80004005".
std::string automationErrorText(int32_t hresult);

// A system message without the line break and spaces Windows puts at its end.
std::string trimMessage(std::string message);

}  // namespace win32
