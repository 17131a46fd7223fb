#pragma once

namespace win32 {

// Makes the Windows implementations of the portable interfaces current: platform services,
// the window toolkit and creation of COM components. Runs before the first Connect exists.
void installHostServices();

}  // namespace win32
