#include "win32/member_names.h"

#include <algorithm>

namespace win32 {
namespace {

char16_t foldCase(char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c; }

bool sameName(std::u16string_view a, std::u16string_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char16_t x, char16_t y) { return foldCase(x) == foldCase(y); });
}

}  // namespace

std::optional<int32_t> findMember(const std::vector<MemberName>& members, std::u16string_view name) {
    for (const MemberName& member : members)
        if (sameName(member.name, name)) return member.dispid;
    return std::nullopt;
}

}  // namespace win32
