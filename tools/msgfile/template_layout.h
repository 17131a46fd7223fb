#pragma once

#include "compound_storage.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

// Where an Outlook template keeps its properties inside the compound file.
namespace msgfile::layout {

// {0006F046-0000-0000-C000-000000000046}
constexpr Clsid kTemplateClsid = {0x46, 0xF0, 0x06, 0x00, 0x00, 0x00, 0x00, 0x00,
                                  0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46};

constexpr std::uint32_t kSubjectTag = 0x0037001F;
constexpr std::uint32_t kMessageClassTag = 0x001A001F;
constexpr std::uint32_t kMessageFlagsTag = 0x0E070003;
constexpr std::uint32_t kStoreSupportMaskTag = 0x340D0003;

constexpr std::size_t kPropertyHeaderSize = 32;
constexpr std::size_t kPropertyEntrySize = 16;
constexpr std::size_t kMaxTemplateSize = 64 * 1024 * 1024;

constexpr const char* kPropertiesStream = "__properties_version1.0";
constexpr const char* kNameIdStorage = "__nameid_version1.0";
constexpr const char* kNameIdStreams[] = {"__substg1.0_00020102", "__substg1.0_00030102", "__substg1.0_00040102"};

inline std::string valueStreamName(std::uint32_t tag) {
    char name[24];
    std::snprintf(name, sizeof name, "__substg1.0_%08X", static_cast<unsigned>(tag));
    return name;
}

}  // namespace msgfile::layout
