#include "search_key.h"

#include <unicode/normalizer2.h>
#include <unicode/uchar.h>
#include <unicode/unistr.h>

namespace sim {

std::string FoldForSearch(const std::string& text) {
    UErrorCode status = U_ZERO_ERROR;
    const icu::Normalizer2* decomposition = icu::Normalizer2::getNFDInstance(status);
    const icu::UnicodeString source = icu::UnicodeString::fromUTF8(text);
    icu::UnicodeString decomposed = U_SUCCESS(status) ? decomposition->normalize(source, status) : source;
    if (U_FAILURE(status)) decomposed = source;
    icu::UnicodeString bare;
    for (int32_t at = 0; at < decomposed.length();) {
        const UChar32 character = decomposed.char32At(at);
        if (u_charType(character) != U_NON_SPACING_MARK) bare.append(character);
        at += U16_LENGTH(character);
    }
    std::string folded;
    bare.foldCase().toUTF8String(folded);
    return folded;
}

}  // namespace sim
