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
    // The class and its interface, in this build's own registry view on 64-bit Windows (where the
    // view is not redirected, one key serves both builds): deleted whole when the server that
    // `serverKey` names is this library, or none.
    std::string serverKey;
    std::vector<std::string> classKeys;
    // This build's entry of the type library: deleted whole.
    std::vector<std::string> ownedKeys;
    // The other bitness's entry of the type library: while it stands, that build is registered.
    std::string otherBuildKey;
    // Keys both builds use: deleted whole only once the other build is not registered either.
    std::vector<std::string> sharedKeys;
    // Values written into keys that others may share: deleted with the shared keys, values only...
    std::vector<ValueName> sharedValues;
    // ...and then each of these keys, in this order, when nothing is left in it.
    std::vector<std::string> keysRemovedWhenEmpty;
};

Plan plan(const Ids& ids, const std::string& dllPath, Bitness bitness);

}  // namespace win32::registration
