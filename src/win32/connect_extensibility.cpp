#include "host/connect.h"
#include "win32/com_boundary.h"
#include "win32/com_dispatch.h"
#include "win32/connect_object.h"
#include "win32/member_dispatch.h"
#include "win32/outlook_ids.h"

// IDTExtensibility2 of the Connect object: Outlook's connection events.
namespace win32 {
namespace {

ConnectObject* impl_from_IDTExtensibility2(IDTExtensibility2* iface) {
    return CONTAINING_RECORD(iface, ConnectObject, extensibility);
}

enum Member : DISPID {
    OnConnection = 1,
    OnDisconnection = 2,
    OnAddInsUpdate = 3,
    OnStartupComplete = 4,
    OnBeginShutdown = 5,
};

const std::vector<MemberName>& members() {
    static const std::vector<MemberName> names = {
        {u"OnConnection", OnConnection},
        {u"OnDisconnection", OnDisconnection},
        {u"OnAddInsUpdate", OnAddInsUpdate},
        {u"OnStartupComplete", OnStartupComplete},
        {u"OnBeginShutdown", OnBeginShutdown},
    };
    return names;
}

HRESULT STDMETHODCALLTYPE ext_QueryInterface(IDTExtensibility2* iface, REFIID iid, void** out) {
    return connectQueryInterface(impl_from_IDTExtensibility2(iface), iid, out);
}

ULONG STDMETHODCALLTYPE ext_AddRef(IDTExtensibility2* iface) {
    return connectAddRef(impl_from_IDTExtensibility2(iface));
}

ULONG STDMETHODCALLTYPE ext_Release(IDTExtensibility2* iface) {
    return connectRelease(impl_from_IDTExtensibility2(iface));
}

HRESULT STDMETHODCALLTYPE ext_OnConnection(IDTExtensibility2* iface, IDispatch* application, ext_ConnectMode mode,
                                           IDispatch*, SAFEARRAY**) {
    ConnectObject* This = impl_from_IDTExtensibility2(iface);
    if (!application) return E_POINTER;
    // Anything but Outlook's Application fails the connection before a session exists.
    IDispatch* outlook = nullptr;
    const HRESULT converted = IDispatch_QueryInterface(
        application, interfaceId(automation::Interface::OutlookApplication), reinterpret_cast<void**>(&outlook));
    if (FAILED(converted)) return converted;
    if (!outlook) return E_NOINTERFACE;
    return guarded(IID_IDTExtensibility2, [&] {
        This->addin->OnConnection(ComDispatch::adopt(outlook), static_cast<Connect::ConnectMode>(mode));
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE ext_OnDisconnection(IDTExtensibility2* iface, ext_DisconnectMode, SAFEARRAY**) {
    ConnectObject* This = impl_from_IDTExtensibility2(iface);
    return guarded(IID_IDTExtensibility2, [&] {
        This->addin->OnDisconnection();
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE ext_OnAddInsUpdate(IDTExtensibility2* iface, SAFEARRAY**) {
    ConnectObject* This = impl_from_IDTExtensibility2(iface);
    return guarded(IID_IDTExtensibility2, [&] {
        This->addin->OnAddInsUpdate();
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE ext_OnStartupComplete(IDTExtensibility2* iface, SAFEARRAY**) {
    ConnectObject* This = impl_from_IDTExtensibility2(iface);
    return guarded(IID_IDTExtensibility2, [&] {
        This->addin->OnStartupComplete();
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE ext_OnBeginShutdown(IDTExtensibility2* iface, SAFEARRAY**) {
    ConnectObject* This = impl_from_IDTExtensibility2(iface);
    return guarded(IID_IDTExtensibility2, [&] {
        This->addin->OnBeginShutdown();
        return S_OK;
    });
}

// Hosts call these events through the vtable; a late-bound caller reaches the same methods by
// name. The `custom` arrays are not used, so they are not read.

HRESULT STDMETHODCALLTYPE ext_GetTypeInfoCount(IDTExtensibility2*, UINT* count) {
    if (!count) return E_POINTER;
    *count = 0;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE ext_GetTypeInfo(IDTExtensibility2*, UINT, LCID, ITypeInfo** info) {
    if (info) *info = nullptr;
    return DISP_E_BADINDEX;
}

HRESULT STDMETHODCALLTYPE ext_GetIDsOfNames(IDTExtensibility2*, REFIID iid, LPOLESTR* names, UINT count, LCID,
                                            DISPID* ids) {
    if (!IsEqualIID(iid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
    return guarded(IID_IDTExtensibility2, [&] { return idsOfNames(members(), names, count, ids); });
}

HRESULT invokeOnConnection(IDTExtensibility2* iface, DISPPARAMS& params, UINT* argumentError) {
    VARIANT application, mode;
    VariantInit(&application);
    VariantInit(&mode);
    HRESULT hr = argumentAs(params, 0, VT_DISPATCH, application, argumentError);
    if (SUCCEEDED(hr)) hr = argumentAs(params, 1, VT_I4, mode, argumentError);
    if (SUCCEEDED(hr))
        hr = ext_OnConnection(iface, V_DISPATCH(&application), static_cast<ext_ConnectMode>(V_I4(&mode)), nullptr,
                              nullptr);
    VariantClear(&application);
    return hr;
}

HRESULT STDMETHODCALLTYPE ext_Invoke(IDTExtensibility2* iface, DISPID dispid, REFIID iid, LCID, WORD flags,
                                     DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception, UINT* argumentError) {
    if (!IsEqualIID(iid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
    if (!(flags & DISPATCH_METHOD)) return DISP_E_MEMBERNOTFOUND;
    if (result) VariantInit(result);
    HRESULT hr = S_OK;
    switch (dispid) {
    case OnConnection:
        hr = expectArguments(params, 4);
        return SUCCEEDED(hr) ? invokeOutcome(invokeOnConnection(iface, *params, argumentError), exception) : hr;
    case OnDisconnection:
        hr = expectArguments(params, 2);
        return SUCCEEDED(hr) ? invokeOutcome(ext_OnDisconnection(iface, ext_dm_HostShutdown, nullptr), exception) : hr;
    case OnAddInsUpdate:
        hr = expectArguments(params, 1);
        return SUCCEEDED(hr) ? invokeOutcome(ext_OnAddInsUpdate(iface, nullptr), exception) : hr;
    case OnStartupComplete:
        hr = expectArguments(params, 1);
        return SUCCEEDED(hr) ? invokeOutcome(ext_OnStartupComplete(iface, nullptr), exception) : hr;
    case OnBeginShutdown:
        hr = expectArguments(params, 1);
        return SUCCEEDED(hr) ? invokeOutcome(ext_OnBeginShutdown(iface, nullptr), exception) : hr;
    default:
        return DISP_E_MEMBERNOTFOUND;
    }
}

}  // namespace

const IDTExtensibility2Vtbl connectExtensibilityVtbl = {
    ext_QueryInterface, ext_AddRef,           ext_Release,           ext_GetTypeInfoCount,
    ext_GetTypeInfo,    ext_GetIDsOfNames,    ext_Invoke,            ext_OnConnection,
    ext_OnDisconnection, ext_OnAddInsUpdate,  ext_OnStartupComplete, ext_OnBeginShutdown,
};

}  // namespace win32
