#include "win32/late_bound_api.h"

#include <string>

#include "automation/error.h"

namespace win32 {
namespace {

constexpr int32_t FileNotFoundNumber = 53;        // the library is missing
constexpr int32_t EntryPointNotFoundNumber = 453;  // the library lacks the function

// Loaded once and kept, as a Basic Declare does; these are system libraries Outlook has anyway.
FARPROC bind(const char* library, const char* function) {
    HMODULE module = LoadLibraryA(library);
    if (!module) throw automation::Error(FileNotFoundNumber, std::string("File not found: ") + library);
    FARPROC address = GetProcAddress(module, function);
    if (!address)
        throw automation::Error(EntryPointNotFoundNumber,
                                std::string("Can't find DLL entry point ") + function + " in " + library);
    return address;
}

template <typename Function>
Function bound(const char* library, const char* function) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(bind(library, function)));
}

}  // namespace

ShellExecuteAFunction shellExecuteA() {
    static const auto function = bound<ShellExecuteAFunction>("shell32.dll", "ShellExecuteA");
    return function;
}

RegOpenKeyExAFunction regOpenKeyExA() {
    static const auto function = bound<RegOpenKeyExAFunction>("advapi32", "RegOpenKeyExA");
    return function;
}

RegQueryValueExAFunction regQueryValueExA() {
    static const auto function = bound<RegQueryValueExAFunction>("advapi32", "RegQueryValueExA");
    return function;
}

RegCloseKeyFunction regCloseKey() {
    static const auto function = bound<RegCloseKeyFunction>("advapi32", "RegCloseKey");
    return function;
}

}  // namespace win32
