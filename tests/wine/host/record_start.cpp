#include <windows.h>

#include <string>

#include "win32/wide.h"

// record_start.exe: stands in for a program the add-in starts or a document it opens through the
// shell. Appends its own command line, in UTF-8, as one line to C:\started.txt, so that a test can
// see exactly what reached Windows.
int main() {
    const std::string line = win32::narrow(GetCommandLineW()) + "\n";
    HANDLE file = CreateFileW(L"C:\\started.txt", FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 1;
    DWORD written = 0;
    const BOOL wrote = WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    CloseHandle(file);
    return wrote ? 0 : 1;
}
