#pragma once

// Reads the type library embedded in the DLL back and checks what it describes.
void checkTypeLibrary(const wchar_t* dllPath);
