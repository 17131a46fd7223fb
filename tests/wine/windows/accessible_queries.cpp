#include "accessible_queries.h"

namespace windowcheck {

VARIANT child(LONG id) {
    VARIANT variant;
    variant.vt = VT_I4;
    variant.lVal = id;
    return variant;
}

std::wstring nameOf(IAccessible* accessible, LONG id) {
    BSTR name = nullptr;
    if (FAILED(IAccessible_get_accName(accessible, child(id), &name)) || !name) return L"";
    std::wstring text(name, SysStringLen(name));
    SysFreeString(name);
    return text;
}

}  // namespace windowcheck
