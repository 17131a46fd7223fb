#include "exit_trace.h"

#include <windows.h>

#include <string>

namespace host {
namespace {

volatile LONG exiting = 0;

}  // namespace

void beginExitTrace() { InterlockedExchange(&exiting, 1); }

void traceCall(std::string_view method, std::string_view className) {
    if (!exiting) return;
    std::string line = "after exit: ";
    line.append(method).append(" ").append(className).append("\n");
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_ERROR_HANDLE), line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
}

}  // namespace host
