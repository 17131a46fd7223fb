#include "host/connect.h"
#include "win32/com_boundary.h"
#include "win32/connect_object.h"
#include "win32/member_dispatch.h"
#include "win32/variant_convert.h"

// IRibbonExtensibility of the Connect object: the ribbon XML for each kind of window.
namespace win32 {
namespace {

constexpr DISPID GetCustomUIId = 1;

ConnectObject* impl_from_IRibbonExtensibility(IRibbonExtensibility* iface) {
    return CONTAINING_RECORD(iface, ConnectObject, ribbon);
}

HRESULT STDMETHODCALLTYPE ribbon_QueryInterface(IRibbonExtensibility* iface, REFIID iid, void** out) {
    return connectQueryInterface(impl_from_IRibbonExtensibility(iface), iid, out);
}

ULONG STDMETHODCALLTYPE ribbon_AddRef(IRibbonExtensibility* iface) {
    return connectAddRef(impl_from_IRibbonExtensibility(iface));
}

ULONG STDMETHODCALLTYPE ribbon_Release(IRibbonExtensibility* iface) {
    return connectRelease(impl_from_IRibbonExtensibility(iface));
}

// "No customisation" is an empty string, handed over as an empty BSTR rather than null.
HRESULT STDMETHODCALLTYPE ribbon_GetCustomUI(IRibbonExtensibility* iface, BSTR ribbonId, BSTR* ribbonXml) {
    ConnectObject* This = impl_from_IRibbonExtensibility(iface);
    if (!ribbonXml) return E_POINTER;
    *ribbonXml = nullptr;
    return guarded(IID_IRibbonExtensibility, [&] {
        *ribbonXml = toBstr(This->addin->IRibbonExtensibility_GetCustomUI(fromBstr(ribbonId)));
        return S_OK;
    });
}

// Office asks GetCustomUI through the vtable; a late-bound caller reaches it by name.

HRESULT STDMETHODCALLTYPE ribbon_GetTypeInfoCount(IRibbonExtensibility*, UINT* count) {
    if (!count) return E_POINTER;
    *count = 0;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE ribbon_GetTypeInfo(IRibbonExtensibility*, UINT, LCID, ITypeInfo** info) {
    if (info) *info = nullptr;
    return DISP_E_BADINDEX;
}

HRESULT STDMETHODCALLTYPE ribbon_GetIDsOfNames(IRibbonExtensibility*, REFIID iid, LPOLESTR* names, UINT count,
                                               LCID, DISPID* ids) {
    if (!IsEqualIID(iid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
    return guarded(IID_IRibbonExtensibility, [&] {
        static const std::vector<MemberName> members = {{u"GetCustomUI", GetCustomUIId}};
        return idsOfNames(members, names, count, ids);
    });
}

HRESULT STDMETHODCALLTYPE ribbon_Invoke(IRibbonExtensibility* iface, DISPID dispid, REFIID iid, LCID, WORD flags,
                                        DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception,
                                        UINT* argumentError) {
    if (!IsEqualIID(iid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
    if (dispid != GetCustomUIId || !(flags & (DISPATCH_METHOD | DISPATCH_PROPERTYGET))) return DISP_E_MEMBERNOTFOUND;
    if (result) VariantInit(result);
    HRESULT hr = expectArguments(params, 1);
    if (FAILED(hr)) return hr;
    VARIANT ribbonId;
    VariantInit(&ribbonId);
    hr = argumentAs(*params, 0, VT_BSTR, ribbonId, argumentError);
    if (FAILED(hr)) return hr;
    BSTR xml = nullptr;
    hr = invokeOutcome(ribbon_GetCustomUI(iface, V_BSTR(&ribbonId), &xml), exception);
    VariantClear(&ribbonId);
    if (SUCCEEDED(hr) && result) {
        V_VT(result) = VT_BSTR;
        V_BSTR(result) = xml;
    } else {
        SysFreeString(xml);
    }
    return hr;
}

}  // namespace

const IRibbonExtensibilityVtbl connectRibbonVtbl = {
    ribbon_QueryInterface, ribbon_AddRef,        ribbon_Release, ribbon_GetTypeInfoCount,
    ribbon_GetTypeInfo,    ribbon_GetIDsOfNames, ribbon_Invoke,  ribbon_GetCustomUI,
};

}  // namespace win32
