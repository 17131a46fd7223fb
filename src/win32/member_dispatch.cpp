#include "win32/member_dispatch.h"

#include <string>

namespace win32 {

HRESULT idsOfNames(const std::vector<MemberName>& members, LPOLESTR* names, UINT count, DISPID* ids) {
    if (!names || !ids || count == 0) return E_INVALIDARG;
    for (UINT i = 0; i < count; ++i) ids[i] = DISPID_UNKNOWN;
    if (!names[0]) return DISP_E_UNKNOWNNAME;
    // The name is read in place: asking a DISPID never allocates.
    const std::optional<int32_t> found = findMember(members, reinterpret_cast<const char16_t*>(names[0]));
    if (!found) return DISP_E_UNKNOWNNAME;
    ids[0] = *found;
    return count == 1 ? S_OK : DISP_E_UNKNOWNNAME;
}

HRESULT expectArguments(const DISPPARAMS* params, UINT count) {
    if (!params || params->cArgs != count || params->cNamedArgs != 0) return DISP_E_BADPARAMCOUNT;
    if (count && !params->rgvarg) return E_INVALIDARG;
    return S_OK;
}

HRESULT argumentAs(const DISPPARAMS& params, UINT position, VARTYPE type, VARIANT& out, UINT* argumentError) {
    // DISPPARAMS holds the arguments last first.
    const UINT slot = params.cArgs - 1 - position;
    VARIANT value;
    VariantInit(&value);
    HRESULT hr = VariantCopyInd(&value, &params.rgvarg[slot]);
    if (SUCCEEDED(hr)) hr = VariantChangeType(&out, &value, 0, type);
    VariantClear(&value);
    if (FAILED(hr)) {
        if (argumentError) *argumentError = slot;
        return DISP_E_TYPEMISMATCH;
    }
    return S_OK;
}

HRESULT invokeOutcome(HRESULT hr, EXCEPINFO* exception) {
    if (SUCCEEDED(hr) || !exception) return hr;
    *exception = EXCEPINFO{};
    exception->scode = hr;
    IErrorInfo* info = nullptr;
    if (GetErrorInfo(0, &info) == S_OK && info) {
        IErrorInfo_GetSource(info, &exception->bstrSource);
        IErrorInfo_GetDescription(info, &exception->bstrDescription);
        IErrorInfo_Release(info);
    }
    return DISP_E_EXCEPTION;
}

}  // namespace win32
