#pragma once

#include <cstdint>

namespace win32 {

// A GUID in its in-memory layout, for tables kept free of Windows headers.
struct Guid {
    uint32_t data1;
    uint16_t data2;
    uint16_t data3;
    uint8_t data4[8];
};

// Office and Outlook interfaces: {xxxxxxxx-0000-0000-C000-000000000046}.
constexpr Guid officeGuid(uint32_t data1) { return {data1, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}}; }

}  // namespace win32
