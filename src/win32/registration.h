#pragma once

#include <windows.h>

namespace win32 {

// Self-registration for the current user, from the table in registration_data.h.
HRESULT registerServer();
HRESULT unregisterServer();

}  // namespace win32
