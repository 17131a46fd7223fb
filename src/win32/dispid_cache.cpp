#include "win32/dispid_cache.h"

#include <cstring>
#include <map>
#include <string>

namespace win32 {
namespace {

struct Key {
    GUID type;
    std::string member;
};

struct KeyOrder {
    using is_transparent = void;
    template <typename A, typename B>
    bool operator()(const A& a, const B& b) const {
        const int byType = std::memcmp(&a.type, &b.type, sizeof(GUID));
        if (byType != 0) return byType < 0;
        return std::string_view(a.member) < std::string_view(b.member);
    }
};

struct Lookup {
    const GUID& type;
    std::string_view member;
};

// Never destroyed: nothing of the add-in is torn down while the process ends.
std::map<Key, DISPID, KeyOrder>& cache() {
    static auto& dispids = *new std::map<Key, DISPID, KeyOrder>;
    return dispids;
}

}  // namespace

std::optional<DISPID> cachedDispid(const GUID& type, std::string_view member) {
    auto found = cache().find(Lookup{type, member});
    if (found == cache().end()) return std::nullopt;
    return found->second;
}

void cacheDispid(const GUID& type, std::string_view member, DISPID dispid) {
    cache().emplace(Key{type, std::string(member)}, dispid);
}

}  // namespace win32
