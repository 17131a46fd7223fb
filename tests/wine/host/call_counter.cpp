#include "call_counter.h"

#include <cctype>
#include <map>
#include <utility>

namespace host {
namespace {

// Low numbers are the standard DISPIDs' (DISPID_VALUE is 0).
constexpr DISPID FirstMemberDispid = 1000;

struct Table {
    std::map<std::string, DISPID> byName;  // folded
    std::map<DISPID, std::string> names;
    std::map<std::pair<std::string, std::string>, int> lookups;
    ::CallCounts counts;
};

std::string folded(std::string_view name) {
    std::string key(name);
    for (char& c : key) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return key;
}

Table& table() {
    static Table instance;
    return instance;
}

}  // namespace

DISPID dispidOf(std::string_view member) {
    Table& t = table();
    const std::string key = folded(member);
    auto found = t.byName.find(key);
    if (found != t.byName.end()) return found->second;
    const DISPID dispid = FirstMemberDispid + static_cast<DISPID>(t.byName.size());
    t.byName.emplace(key, dispid);
    t.names.emplace(dispid, std::string(member));
    return dispid;
}

std::optional<std::string> memberOf(DISPID dispid) {
    auto found = table().names.find(dispid);
    if (found == table().names.end()) return std::nullopt;
    return found->second;
}

void countNameLookup(const std::string& className, std::string_view member) {
    ++table().counts.nameLookups;
    ++table().lookups[{className, std::string(member)}];
}

void countInvoke() { ++table().counts.invokes; }

::CallCounts callCounts() { return table().counts; }

std::vector<std::string> repeatedNameLookups() {
    std::vector<std::string> repeated;
    for (const auto& [key, count] : table().lookups)
        if (count > 1) repeated.push_back(key.first + "." + key.second + " asked " + std::to_string(count) + " times");
    return repeated;
}

void forgetNameLookups() { table().lookups.clear(); }

}  // namespace host
