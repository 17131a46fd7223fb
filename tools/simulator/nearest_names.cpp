#include "nearest_names.h"

#include <algorithm>
#include <cctype>

namespace {

// Long inputs are compared by their start: enough to suggest, and bounded in time.
constexpr size_t ComparedLength = 64;

std::string Lowered(const std::string& text) {
    std::string result = text.substr(0, ComparedLength);
    std::transform(result.begin(), result.end(), result.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return result;
}

size_t EditDistance(const std::string& from, const std::string& to) {
    std::vector<size_t> row(to.size() + 1);
    for (size_t column = 0; column <= to.size(); ++column) row[column] = column;
    for (size_t line = 1; line <= from.size(); ++line) {
        size_t diagonal = row[0];
        row[0] = line;
        for (size_t column = 1; column <= to.size(); ++column) {
            size_t above = row[column];
            size_t replace = diagonal + (from[line - 1] == to[column - 1] ? 0 : 1);
            row[column] = std::min({above + 1, row[column - 1] + 1, replace});
            diagonal = above;
        }
    }
    return row[to.size()];
}

std::string MemberPart(const std::string& name) {
    size_t dot = name.find('.');
    return dot == std::string::npos ? std::string() : name.substr(dot + 1);
}

}  // namespace

std::vector<std::string> NearestNames(const std::string& wanted, const std::vector<std::string>& names, size_t count) {
    std::string key = Lowered(wanted);
    std::string member = MemberPart(key);
    std::vector<std::pair<size_t, std::string>> scored;
    for (const std::string& name : names) {
        std::string candidate = Lowered(name);
        bool sameMember = !member.empty() && MemberPart(candidate) == member;
        scored.emplace_back(sameMember ? 0 : 1 + EditDistance(key, candidate), name);
    }
    std::stable_sort(scored.begin(), scored.end(),
                     [](const auto& left, const auto& right) { return left.first < right.first; });
    std::vector<std::string> nearest;
    for (size_t index = 0; index < scored.size() && index < count; ++index) nearest.push_back(scored[index].second);
    return nearest;
}
