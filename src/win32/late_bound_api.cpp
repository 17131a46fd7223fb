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

ShellExecuteWFunction shellExecuteW() {
    static const auto function = bound<ShellExecuteWFunction>("shell32.dll", "ShellExecuteW");
    return function;
}

RegOpenKeyExWFunction regOpenKeyExW() {
    static const auto function = bound<RegOpenKeyExWFunction>("advapi32", "RegOpenKeyExW");
    return function;
}

RegQueryValueExWFunction regQueryValueExW() {
    static const auto function = bound<RegQueryValueExWFunction>("advapi32", "RegQueryValueExW");
    return function;
}

GetDpiForWindowFunction getDpiForWindow() {
    static const auto function = reinterpret_cast<GetDpiForWindowFunction>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    return function;
}

RegCloseKeyFunction regCloseKey() {
    static const auto function = bound<RegCloseKeyFunction>("advapi32", "RegCloseKey");
    return function;
}

}  // namespace win32
