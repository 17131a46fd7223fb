#pragma once

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

// What DllRegisterServer writes and DllUnregisterServer removes, all below HKEY_CURRENT_USER.
namespace win32::registration {

constexpr const char* ProgId = "Quorvel.Connect";

// GUIDs in registry form, "{xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx}".
struct Ids {
    std::string clsid;
    std::string libid;
    std::string connectIid;
};

enum class Bitness { Win32, Win64 };

struct Value {
    std::string key;
    std::string name;  // empty: the key's default value
    std::variant<std::string, uint32_t> data;
};

struct ValueName {
    std::string key;
    std::string name;
};

struct Plan {
    std::vector<Value> written;
    // Keys that are the add-in's alone: unregistration deletes each with everything below it.
    std::vector<std::string> ownedKeys;
    // Values written into keys that others may share: unregistration deletes only the values...
    std::vector<ValueName> sharedValues;
    // ...and then each of these keys, in this order, when nothing is left in it.
    std::vector<std::string> keysRemovedWhenEmpty;
};

Plan plan(const Ids& ids, const std::string& dllPath, Bitness bitness);

}  // namespace win32::registration
