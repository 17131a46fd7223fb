#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace win32 {

struct MemberName {
    std::u16string_view name;
    int32_t dispid;
};

// The DISPID of `name` among `members`, compared as Automation does: without regard to the
// case of ASCII letters.
std::optional<int32_t> findMember(const std::vector<MemberName>& members, std::u16string_view name);

}  // namespace win32
