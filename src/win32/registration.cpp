#include "win32/registration.h"

#include <cwchar>
#include <string>
#include <vector>

#include "quorvel.h"
#include "win32/com_error.h"
#include "win32/module.h"
#include "win32/registration_data.h"
#include "win32/wide.h"

namespace win32 {
namespace {

using registration::Plan;

std::string guidText(const GUID& guid) {
    wchar_t text[40];
    StringFromGUID2(guid, text, 40);
    return narrow(text);
}

Plan currentPlan() {
    const registration::Ids ids{guidText(CLSID_Connect), guidText(LIBID_Quorvel), guidText(IID__Connect)};
    const auto bitness = sizeof(void*) == 8 ? registration::Bitness::Win64 : registration::Bitness::Win32;
    return registration::plan(ids, narrow(modulePath().c_str()), bitness);
}

LONG writeValue(const registration::Value& value) {
    HKEY key = nullptr;
    LONG status = RegCreateKeyExW(HKEY_CURRENT_USER, wide(value.key).c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                                  &key, nullptr);
    if (status != ERROR_SUCCESS) return status;
    const std::wstring name = wide(value.name);
    if (const auto* text = std::get_if<std::string>(&value.data)) {
        const std::wstring data = wide(*text);
        const auto bytes = static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t));
        status = RegSetValueExW(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()), bytes);
    } else {
        const DWORD number = std::get<uint32_t>(value.data);
        status = RegSetValueExW(key, name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof number);
    }
    RegCloseKey(key);
    return status;
}

LONG deleteTree(const std::wstring& path) {
    HKEY key = nullptr;
    LONG status = RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_ENUMERATE_SUB_KEYS, &key);
    if (status == ERROR_FILE_NOT_FOUND) return ERROR_SUCCESS;
    if (status != ERROR_SUCCESS) return status;
    std::vector<std::wstring> children;
    wchar_t name[256];
    for (DWORD index = 0;; ++index) {
        DWORD length = 256;
        if (RegEnumKeyExW(key, index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        children.emplace_back(name, length);
    }
    RegCloseKey(key);
    for (const std::wstring& child : children) {
        status = deleteTree(path + L"\\" + child);
        if (status != ERROR_SUCCESS) return status;
    }
    status = RegDeleteKeyW(HKEY_CURRENT_USER, path.c_str());
    return status == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : status;
}

LONG deleteValue(const registration::ValueName& value) {
    HKEY key = nullptr;
    LONG status = RegOpenKeyExW(HKEY_CURRENT_USER, wide(value.key).c_str(), 0, KEY_SET_VALUE, &key);
    if (status == ERROR_FILE_NOT_FOUND) return ERROR_SUCCESS;
    if (status != ERROR_SUCCESS) return status;
    status = RegDeleteValueW(key, wide(value.name).c_str());
    RegCloseKey(key);
    return status == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : status;
}

LONG deleteKeyIfEmpty(const std::string& path) {
    const std::wstring widePath = wide(path);
    HKEY key = nullptr;
    LONG status = RegOpenKeyExW(HKEY_CURRENT_USER, widePath.c_str(), 0, KEY_QUERY_VALUE, &key);
    if (status == ERROR_FILE_NOT_FOUND) return ERROR_SUCCESS;
    if (status != ERROR_SUCCESS) return status;
    DWORD subkeys = 0;
    DWORD values = 0;
    status = RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values, nullptr, nullptr,
                              nullptr, nullptr);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS || subkeys != 0 || values != 0) return status;
    status = RegDeleteKeyW(HKEY_CURRENT_USER, widePath.c_str());
    return status == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : status;
}

// Whether the class's server is the library at `path`, or no library at all.
bool servedBy(const std::string& serverKey, const std::wstring& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, wide(serverKey).c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return true;
    std::wstring server(MAX_PATH, L'\0');
    auto size = static_cast<DWORD>(server.size() * sizeof(wchar_t));
    DWORD type = 0;
    LONG status = RegQueryValueExW(key, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(server.data()), &size);
    if (status == ERROR_MORE_DATA) {
        server.resize(size / sizeof(wchar_t) + 1);
        status = RegQueryValueExW(key, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(server.data()), &size);
    }
    RegCloseKey(key);
    if (status == ERROR_FILE_NOT_FOUND) return true;
    if (status != ERROR_SUCCESS || type != REG_SZ) return false;
    server.resize(wcsnlen(server.c_str(), size / sizeof(wchar_t)));
    return server.empty() || _wcsicmp(server.c_str(), path.c_str()) == 0;
}

bool keyExists(const std::string& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, wide(path).c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

// Removes this build's own keys, and the shared ones once the other bitness is gone as well; goes
// on past failures and answers the first one.
LONG removePlan(const Plan& plan) {
    LONG first = ERROR_SUCCESS;
    auto note = [&first](LONG status) {
        if (first == ERROR_SUCCESS) first = status;
    };
    if (servedBy(plan.serverKey, modulePath()))
        for (const std::string& key : plan.classKeys) note(deleteTree(wide(key)));
    for (const std::string& key : plan.ownedKeys) note(deleteTree(wide(key)));
    if (keyExists(plan.otherBuildKey)) return first;
    for (const std::string& key : plan.sharedKeys) note(deleteTree(wide(key)));
    for (const registration::ValueName& value : plan.sharedValues) note(deleteValue(value));
    for (const std::string& key : plan.keysRemovedWhenEmpty) note(deleteKeyIfEmpty(key));
    return first;
}

}  // namespace

HRESULT registerServer() {
    try {
        if (modulePath().empty()) return lastErrorHresult();
        const Plan plan = currentPlan();
        for (const registration::Value& value : plan.written) {
            const LONG status = writeValue(value);
            if (status != ERROR_SUCCESS) {
                // Half a registration would leave Outlook an add-in it cannot load.
                removePlan(plan);
                return HRESULT_FROM_WIN32(status);
            }
        }
        return S_OK;
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

HRESULT unregisterServer() {
    try {
        const LONG status = removePlan(currentPlan());
        return status == ERROR_SUCCESS ? S_OK : HRESULT_FROM_WIN32(status);
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

}  // namespace win32
