#pragma once

#include <windows.h>

#include "automation/dispatch.h"
#include "win32/guid.h"

namespace win32 {

GUID toGUID(const Guid& guid);

// The interface a checked conversion asks QueryInterface for.
const IID& interfaceId(automation::Interface iface);

}  // namespace win32
