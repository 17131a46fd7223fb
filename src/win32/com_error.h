#pragma once

#include <windows.h>
#include <oaidl.h>

#include <string>

#include "automation/error.h"

namespace win32 {

// The error a failed COM call raises in the product. Its description is the callee's own
// (from EXCEPINFO), else the system's message for the HRESULT, else "Automation error 0x…".
// Takes over and frees the EXCEPINFO's strings.
automation::Error comError(HRESULT hresult, EXCEPINFO* exception = nullptr);

// The HRESULT of the calling thread's last Win32 error (E_FAIL when it set none).
HRESULT lastErrorHresult();

// Windows' text for an HRESULT, or empty when it has none.
std::string systemMessage(HRESULT hresult);

}  // namespace win32
