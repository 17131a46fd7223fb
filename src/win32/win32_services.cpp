#include "win32/win32_services.h"

#include <cstring>
#include <vector>

#include "win32/late_bound_api.h"
#include "win32/module.h"
#include "win32/search_key.h"
#include "win32/wide.h"

namespace win32 {
namespace {

// The predefined roots are sign-extended handle values on 64-bit Windows.
HKEY rootKey(uint32_t root) { return reinterpret_cast<HKEY>(static_cast<LONG_PTR>(static_cast<LONG>(root))); }

bool isText(DWORD type) { return type == REG_SZ || type == REG_EXPAND_SZ; }

}  // namespace

platform::MessageBoxAnswer Win32Services::messageBox(const std::string& text, const std::string& title,
                                                     platform::MessageBoxButtons buttons) {
    const UINT style = (buttons == platform::MessageBoxButtons::OkCancel ? MB_OKCANCEL : MB_OK) | MB_TASKMODAL |
                       MB_SETFOREGROUND;
    const int answer = MessageBoxW(nullptr, wide(text).c_str(), wide(title).c_str(), style);
    return answer == IDOK ? platform::MessageBoxAnswer::Ok : platform::MessageBoxAnswer::Cancel;
}

int32_t Win32Services::shellOpen(const std::string& target, int32_t showCommand) {
    const HINSTANCE result = shellExecuteW()(nullptr, L"open", wide(target).c_str(), nullptr, nullptr, showCommand);
    return static_cast<int32_t>(reinterpret_cast<INT_PTR>(result));
}

int32_t Win32Services::regOpenKey(uint32_t root, const std::string& path, uint32_t access, uintptr_t& key) {
    key = 0;
    HKEY opened = nullptr;
    const LONG status = regOpenKeyExW()(rootKey(root), wide(path).c_str(), 0, access, &opened);
    if (status == ERROR_SUCCESS) key = reinterpret_cast<uintptr_t>(opened);
    return status;
}

int32_t Win32Services::regQueryValue(uintptr_t key, const std::string& name, uint32_t bufferSize,
                                     platform::RegistryData& data) {
    // As many characters as the caller's buffer holds bytes: a path fits as it did in one byte each.
    std::vector<BYTE> buffer(static_cast<size_t>(bufferSize) * sizeof(wchar_t));
    DWORD type = 0;
    auto size = static_cast<DWORD>(buffer.size());
    const LONG status =
        regQueryValueExW()(reinterpret_cast<HKEY>(key), wide(name).c_str(), nullptr, &type, buffer.data(), &size);
    if (status != ERROR_SUCCESS) return status;
    data.type = type;
    if (isText(type)) {
        std::wstring text(size / sizeof(wchar_t), L'\0');
        std::memcpy(text.data(), buffer.data(), text.size() * sizeof(wchar_t));
        data.bytes = narrow(text.data(), text.size());
    } else {
        data.bytes.assign(reinterpret_cast<const char*>(buffer.data()), size);
    }
    return status;
}

int32_t Win32Services::regCloseKey(uintptr_t key) { return win32::regCloseKey()(reinterpret_cast<HKEY>(key)); }

bool Win32Services::startProcess(const std::string& path) {
    if (path.empty()) return false;
    std::wstring commandLine = L"\"" + wide(path) + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return false;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

std::optional<std::string> Win32Services::loadString(uint32_t id) {
    // With a zero buffer size LoadStringW lends a pointer to the resource itself: no length limit.
    const wchar_t* text = nullptr;
    const int length = LoadStringW(module(), id, reinterpret_cast<LPWSTR>(&text), 0);
    if (length <= 0 || !text) return std::nullopt;
    return narrow(text, static_cast<size_t>(length));
}

std::string Win32Services::libraryFolder() {
    const std::wstring path = modulePath();
    const size_t separator = path.find_last_of(L"\\/");
    return narrow(path.c_str(), separator == std::wstring::npos ? 0 : separator);
}

bool Win32Services::fileExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(wide(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string Win32Services::timeOfDayText() {
    wchar_t text[64];
    const int length = GetTimeFormatW(LOCALE_USER_DEFAULT, 0, nullptr, nullptr, text, 64);
    return length > 0 ? narrow(text) : std::string();
}

std::string Win32Services::searchKey(const std::string& text) {
    try {
        const std::wstring key = searchKeyOf(wide(text));
        return narrow(key.c_str(), key.size());
    } catch (...) {
        std::string lower = text;
        for (char& letter : lower)
            if (letter >= 'A' && letter <= 'Z') letter = static_cast<char>(letter - 'A' + 'a');
        return lower;
    }
}

}  // namespace win32
