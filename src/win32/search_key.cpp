#include "win32/search_key.h"

#include <vector>

#include "win32/late_bound_api.h"

namespace win32 {
namespace {

constexpr int NormalizationD = 2;
// NormalizeString's estimate may fall short more than once; a few rounds settle any text.
constexpr int NormalizeRounds = 4;

int lengthOf(const std::wstring& text) { return static_cast<int>(text.size()); }

// A conversion that answers the room it needs when given none, then fills that room; empty when
// it fails.
template <typename Convert>
std::wstring converted(Convert convert) {
    const int room = convert(nullptr, 0);
    if (room <= 0) return std::wstring();
    std::wstring result(static_cast<size_t>(room), L'\0');
    const int written = convert(result.data(), room);
    return written > 0 ? result.substr(0, static_cast<size_t>(written)) : std::wstring();
}

// Each character apart from the marks on it (canonical decomposition); empty on failure.
std::wstring decomposed(const std::wstring& text) {
    if (const NormalizeStringFunction normalize = normalizeString()) {
        int room = normalize(NormalizationD, text.c_str(), lengthOf(text), nullptr, 0);
        for (int round = 0; round < NormalizeRounds && room > 0; ++round) {
            std::wstring result(static_cast<size_t>(room), L'\0');
            const int written = normalize(NormalizationD, text.c_str(), lengthOf(text), result.data(), room);
            if (written > 0) return result.substr(0, static_cast<size_t>(written));
            if (GetLastError() != ERROR_INSUFFICIENT_BUFFER) break;
            room = -written;
        }
    }
    return converted([&](wchar_t* out, int room) {
        return FoldStringW(MAP_COMPOSITE, text.c_str(), lengthOf(text), out, room);
    });
}

std::wstring withoutNonspacingMarks(const std::wstring& text) {
    std::vector<WORD> types(text.size());
    if (!GetStringTypeW(CT_CTYPE3, text.c_str(), lengthOf(text), types.data())) return text;
    std::wstring kept;
    for (size_t i = 0; i < text.size(); ++i)
        if (!(types[i] & C3_NONSPACING)) kept += text[i];
    return kept;
}

// Lower case by the user's locale (linguistic casing where the system has it); the system's
// plain lower case if that fails.
std::wstring lowerCase(const std::wstring& text) {
    if (const LCMapStringExFunction mapEx = lcMapStringEx()) {
        const std::wstring result = converted([&](wchar_t* out, int room) {
            return mapEx(nullptr, LCMAP_LOWERCASE | LCMAP_LINGUISTIC_CASING, text.c_str(), lengthOf(text), out, room,
                         nullptr, nullptr, 0);
        });
        if (!result.empty()) return result;
    }
    std::wstring result = converted([&](wchar_t* out, int room) {
        return LCMapStringW(LOCALE_USER_DEFAULT, LCMAP_LOWERCASE, text.c_str(), lengthOf(text), out, room);
    });
    if (!result.empty()) return result;
    result = text;
    CharLowerBuffW(result.data(), static_cast<DWORD>(result.size()));
    return result;
}

}  // namespace

std::wstring searchKeyOf(const std::wstring& text) {
    if (text.empty()) return text;
    const std::wstring apart = decomposed(text);
    const std::wstring bare = apart.empty() ? text : withoutNonspacingMarks(apart);
    return lowerCase(bare);
}

}  // namespace win32
