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

// Null where the system lacks it.
template <typename Function>
Function optional(HMODULE module, const char* function) {
    return module ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, function))) : nullptr;
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
    static const auto function = optional<GetDpiForWindowFunction>(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow");
    return function;
}

NormalizeStringFunction normalizeString() {
    static const auto function = [] {
        const auto inKernel = optional<NormalizeStringFunction>(GetModuleHandleW(L"kernel32.dll"), "NormalizeString");
        return inKernel ? inKernel : optional<NormalizeStringFunction>(LoadLibraryW(L"normaliz.dll"), "NormalizeString");
    }();
    return function;
}

LCMapStringExFunction lcMapStringEx() {
    static const auto function = optional<LCMapStringExFunction>(GetModuleHandleW(L"kernel32.dll"), "LCMapStringEx");
    return function;
}

RegCloseKeyFunction regCloseKey() {
    static const auto function = bound<RegCloseKeyFunction>("advapi32", "RegCloseKey");
    return function;
}

}  // namespace win32
