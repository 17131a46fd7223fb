#include "win32/connect_object.h"

#include <new>

#include "host/connect.h"
#include "win32/com_boundary.h"
#include "win32/host_services.h"
#include "win32/module.h"
#include "win32/variant_convert.h"

namespace win32 {
namespace {

ConnectObject* impl_from__Connect(_Connect* iface) { return CONTAINING_RECORD(iface, ConnectObject, dispatch); }

ConnectObject* impl_from_ISupportErrorInfo(ISupportErrorInfo* iface) {
    return CONTAINING_RECORD(iface, ConnectObject, errorInfo);
}

HRESULT loadTypeInfo(ConnectObject* This) {
    if (This->typeInfo) return S_OK;
    ITypeLib* library = nullptr;
    HRESULT hr = LoadTypeLibEx(modulePath().c_str(), REGKIND_NONE, &library);
    if (FAILED(hr)) return hr;
    hr = ITypeLib_GetTypeInfoOfGuid(library, IID__Connect, &This->typeInfo);
    ITypeLib_Release(library);
    return hr;
}

// _Connect

HRESULT STDMETHODCALLTYPE connect_QueryInterface(_Connect* iface, REFIID iid, void** out) {
    return connectQueryInterface(impl_from__Connect(iface), iid, out);
}

ULONG STDMETHODCALLTYPE connect_AddRef(_Connect* iface) { return connectAddRef(impl_from__Connect(iface)); }

ULONG STDMETHODCALLTYPE connect_Release(_Connect* iface) { return connectRelease(impl_from__Connect(iface)); }

HRESULT STDMETHODCALLTYPE connect_GetTypeInfoCount(_Connect*, UINT* count) {
    if (!count) return E_POINTER;
    *count = 1;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE connect_GetTypeInfo(_Connect* iface, UINT index, LCID, ITypeInfo** info) {
    return guarded(IID__Connect, [&] { return connectGetTypeInfo(impl_from__Connect(iface), index, info); });
}

HRESULT STDMETHODCALLTYPE connect_GetIDsOfNames(_Connect* iface, REFIID iid, LPOLESTR* names, UINT count, LCID,
                                                DISPID* ids) {
    if (!IsEqualIID(iid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
    return guarded(IID__Connect, [&] { return connectGetIDsOfNames(impl_from__Connect(iface), names, count, ids); });
}

HRESULT STDMETHODCALLTYPE connect_Invoke(_Connect* iface, DISPID dispid, REFIID iid, LCID, WORD flags,
                                         DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception,
                                         UINT* argumentError) {
    if (!IsEqualIID(iid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
    return guarded(IID__Connect, [&] {
        return connectInvoke(impl_from__Connect(iface), dispid, flags, params, result, exception, argumentError);
    });
}

HRESULT STDMETHODCALLTYPE connect_OnLoad(_Connect* iface, IRibbonUI* ribbonUI) {
    ConnectObject* This = impl_from__Connect(iface);
    return guarded(IID__Connect, [&] {
        This->addin->OnLoad(objectFromUnknown(reinterpret_cast<IUnknown*>(ribbonUI)));
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE connect_OnInviteButton(_Connect* iface, IRibbonControl* control) {
    ConnectObject* This = impl_from__Connect(iface);
    return guarded(IID__Connect, [&] {
        This->addin->OnInviteButton(objectFromUnknown(reinterpret_cast<IUnknown*>(control)));
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE connect_OnOrderButton(_Connect* iface, IRibbonControl* control) {
    ConnectObject* This = impl_from__Connect(iface);
    return guarded(IID__Connect, [&] {
        This->addin->OnOrderButton(objectFromUnknown(reinterpret_cast<IUnknown*>(control)));
        return S_OK;
    });
}

const _ConnectVtbl connectVtbl = {
    connect_QueryInterface, connect_AddRef,        connect_Release,        connect_GetTypeInfoCount,
    connect_GetTypeInfo,    connect_GetIDsOfNames, connect_Invoke,         connect_OnLoad,
    connect_OnInviteButton, connect_OnOrderButton,
};

// ISupportErrorInfo: every interface of the object describes its failures.

HRESULT STDMETHODCALLTYPE errorInfo_QueryInterface(ISupportErrorInfo* iface, REFIID iid, void** out) {
    return connectQueryInterface(impl_from_ISupportErrorInfo(iface), iid, out);
}

ULONG STDMETHODCALLTYPE errorInfo_AddRef(ISupportErrorInfo* iface) {
    return connectAddRef(impl_from_ISupportErrorInfo(iface));
}

ULONG STDMETHODCALLTYPE errorInfo_Release(ISupportErrorInfo* iface) {
    return connectRelease(impl_from_ISupportErrorInfo(iface));
}

HRESULT STDMETHODCALLTYPE errorInfo_InterfaceSupportsErrorInfo(ISupportErrorInfo*, REFIID iid) {
    const bool ours = IsEqualIID(iid, IID__Connect) || IsEqualIID(iid, IID_IDTExtensibility2) ||
                      IsEqualIID(iid, IID_IRibbonExtensibility);
    return ours ? S_OK : S_FALSE;
}

const ISupportErrorInfoVtbl errorInfoVtbl = {
    errorInfo_QueryInterface,
    errorInfo_AddRef,
    errorInfo_Release,
    errorInfo_InterfaceSupportsErrorInfo,
};

void destroy(ConnectObject* This) {
    delete This->addin;
    if (This->typeInfo) ITypeInfo_Release(This->typeInfo);
    delete This;
    releaseModule();
}

}  // namespace

HRESULT connectQueryInterface(ConnectObject* This, REFIID iid, void** out) {
    if (!out) return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) || IsEqualIID(iid, IID__Connect)) {
        *out = &This->dispatch;
    } else if (IsEqualIID(iid, IID_IDTExtensibility2)) {
        *out = &This->extensibility;
    } else if (IsEqualIID(iid, IID_IRibbonExtensibility)) {
        *out = &This->ribbon;
    } else if (IsEqualIID(iid, IID_ISupportErrorInfo)) {
        *out = &This->errorInfo;
    } else {
        *out = nullptr;
        return E_NOINTERFACE;
    }
    connectAddRef(This);
    return S_OK;
}

ULONG connectAddRef(ConnectObject* This) { return static_cast<ULONG>(InterlockedIncrement(&This->references)); }

ULONG connectRelease(ConnectObject* This) {
    const LONG references = InterlockedDecrement(&This->references);
    if (references == 0) destroy(This);
    return static_cast<ULONG>(references);
}

HRESULT connectGetTypeInfo(ConnectObject* This, UINT index, ITypeInfo** info) {
    if (!info) return E_POINTER;
    *info = nullptr;
    if (index != 0) return DISP_E_BADINDEX;
    const HRESULT hr = loadTypeInfo(This);
    if (FAILED(hr)) return hr;
    ITypeInfo_AddRef(This->typeInfo);
    *info = This->typeInfo;
    return S_OK;
}

HRESULT connectGetIDsOfNames(ConnectObject* This, LPOLESTR* names, UINT count, DISPID* ids) {
    const HRESULT hr = loadTypeInfo(This);
    if (FAILED(hr)) return hr;
    return ITypeInfo_GetIDsOfNames(This->typeInfo, names, count, ids);
}

HRESULT connectInvoke(ConnectObject* This, DISPID dispid, WORD flags, DISPPARAMS* params, VARIANT* result,
                      EXCEPINFO* exception, UINT* argumentError) {
    const HRESULT hr = loadTypeInfo(This);
    if (FAILED(hr)) return hr;
    return ITypeInfo_Invoke(This->typeInfo, &This->dispatch, dispid, flags, params, result, exception,
                            argumentError);
}

HRESULT createConnectObject(REFIID iid, void** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    auto* This = new (std::nothrow) ConnectObject{{&connectVtbl},
                                                  {&connectExtensibilityVtbl},
                                                  {&connectRibbonVtbl},
                                                  {&errorInfoVtbl},
                                                  1,
                                                  nullptr,
                                                  nullptr};
    if (!This) return E_OUTOFMEMORY;
    holdModule();
    const HRESULT created = guarded(IID_IUnknown, [&] {
        installHostServices();
        This->addin = new Connect();
        return S_OK;
    });
    HRESULT hr = SUCCEEDED(created) ? connectQueryInterface(This, iid, out) : created;
    connectRelease(This);
    return hr;
}

}  // namespace win32
