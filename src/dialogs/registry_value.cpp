#include <cstdint>
#include <string>

#include "dialogs/about_form.h"
#include "platform/platform.h"

namespace {

// Read access only: a standard user may not open the machine's keys for writing.
constexpr uint32_t KEY_READ_MASK = 0x20019;
constexpr uint32_t QueryBufferSize = 1024;
constexpr uint32_t REG_SZ_TYPE = 1;
constexpr uint32_t REG_DWORD_TYPE = 4;

uint32_t LittleEndianNumber(const std::string& bytes) {
    uint32_t number = 0;
    for (size_t index = bytes.size() < 4 ? bytes.size() : 4; index > 0; --index)
        number = (number << 8) | static_cast<unsigned char>(bytes[index - 1]);
    return number;
}

}  // namespace

bool GetKeyValue(uint32_t root, const std::string& keyPath, const std::string& valueName, std::string& value) {
    platform::Services& services = platform::services();
    uintptr_t key = 0;
    bool read = false;
    if (services.regOpenKey(root, keyPath, KEY_READ_MASK, key) == 0) {
        platform::RegistryData data;
        if (services.regQueryValue(key, valueName, QueryBufferSize, data) == 0) {
            std::string text = data.bytes;
            if (!text.empty() && text.back() == '\0') text.pop_back();
            if (data.type == REG_SZ_TYPE) value = text;
            // The number in decimal: its bytes as stored, read as one little-endian value.
            if (data.type == REG_DWORD_TYPE) value = std::to_string(LittleEndianNumber(data.bytes));
            read = true;
        }
    }
    if (!read) value.clear();
    services.regCloseKey(key);
    return read;
}
