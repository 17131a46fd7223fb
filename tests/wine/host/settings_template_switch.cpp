#include "settings_template_switch.h"

#include <windows.h>
#include <objbase.h>

#include <stdexcept>
#include <string>

namespace host {
namespace {

constexpr const wchar_t* TemplateName = L"QuorvelSettings.oft";
constexpr const wchar_t* AwayName = L"QuorvelSettings.oft.away";

// The folder of the library registered for the add-in's ProgID.
std::wstring libraryFolder() {
    CLSID clsid;
    if (FAILED(CLSIDFromProgID(L"Quorvel.Connect", &clsid))) throw std::runtime_error("Quorvel.Connect is not registered");
    wchar_t clsidText[40] = {};
    StringFromGUID2(clsid, clsidText, 40);
    const std::wstring key = std::wstring(L"CLSID\\") + clsidText + L"\\InprocServer32";
    wchar_t path[MAX_PATH + 1] = {};
    DWORD size = MAX_PATH * sizeof(wchar_t);
    HKEY server = nullptr;
    LONG status = RegOpenKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_QUERY_VALUE, &server);
    if (status == ERROR_SUCCESS) {
        status = RegQueryValueExW(server, nullptr, nullptr, nullptr, reinterpret_cast<BYTE*>(path), &size);
        RegCloseKey(server);
    }
    if (status != ERROR_SUCCESS) throw std::runtime_error("the add-in's class names no library");
    std::wstring folder = path;
    return folder.substr(0, folder.find_last_of(L"\\/"));
}

bool exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

}  // namespace

Session::TemplateSwitch settingsTemplateSwitch() {
    return [](bool present) {
        const std::wstring folder = libraryFolder();
        const std::wstring here = folder + L"\\" + TemplateName;
        const std::wstring away = folder + L"\\" + AwayName;
        const std::wstring& from = present ? away : here;
        const std::wstring& to = present ? here : away;
        if (exists(to) && !exists(from)) return;
        if (!MoveFileExW(from.c_str(), to.c_str(), 0)) throw std::runtime_error("cannot move the settings template");
    };
}

}  // namespace host
