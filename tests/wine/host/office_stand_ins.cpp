#include "office_stand_ins.h"

#include "addin_interfaces.h"
#include "exit_trace.h"
#include "win32/variant_convert.h"

namespace host {
namespace {

struct ControlVtbl {
    IDispatchVtbl dispatch;
    HRESULT(STDMETHODCALLTYPE* get_Id)(IDispatch*, BSTR*);
    HRESULT(STDMETHODCALLTYPE* get_Context)(IDispatch*, IDispatch**);
    HRESULT(STDMETHODCALLTYPE* get_Tag)(IDispatch*, BSTR*);
};

struct UIVtbl {
    IDispatchVtbl dispatch;
    HRESULT(STDMETHODCALLTYPE* Invalidate)(IDispatch*);
    HRESULT(STDMETHODCALLTYPE* InvalidateControl)(IDispatch*, BSTR);
};

struct StandIn {
    const void* lpVtbl;
    ULONG references;
    const IID* iid;
    std::string id;
};

StandIn* impl_from_IDispatch(IDispatch* iface) { return reinterpret_cast<StandIn*>(iface); }

HRESULT STDMETHODCALLTYPE QueryInterface(IDispatch* iface, REFIID iid, void** out) {
    traceCall("QueryInterface", "Office object");
    if (!out) return E_POINTER;
    *out = nullptr;
    StandIn* This = impl_from_IDispatch(iface);
    if (!IsEqualIID(iid, IID_IUnknown) && !IsEqualIID(iid, IID_IDispatch) && !IsEqualIID(iid, *This->iid))
        return E_NOINTERFACE;
    *out = iface;
    ++This->references;
    return S_OK;
}

ULONG STDMETHODCALLTYPE AddRef(IDispatch* iface) {
    traceCall("AddRef", "Office object");
    return ++impl_from_IDispatch(iface)->references;
}

ULONG STDMETHODCALLTYPE Release(IDispatch* iface) {
    traceCall("Release", "Office object");
    StandIn* This = impl_from_IDispatch(iface);
    const ULONG left = --This->references;
    if (left == 0) delete This;
    return left;
}

HRESULT STDMETHODCALLTYPE GetTypeInfoCount(IDispatch*, UINT* count) {
    if (!count) return E_POINTER;
    *count = 0;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE GetTypeInfo(IDispatch*, UINT, LCID, ITypeInfo** info) {
    traceCall("GetTypeInfo", "Office object");
    if (info) *info = nullptr;
    return DISP_E_BADINDEX;
}

HRESULT STDMETHODCALLTYPE GetIDsOfNames(IDispatch*, REFIID, LPOLESTR*, UINT count, LCID, DISPID* dispids) {
    traceCall("GetIDsOfNames", "Office object");
    for (UINT i = 0; dispids && i < count; ++i) dispids[i] = DISPID_UNKNOWN;
    return DISP_E_UNKNOWNNAME;
}

HRESULT STDMETHODCALLTYPE Invoke(IDispatch*, DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) {
    traceCall("Invoke", "Office object");
    return DISP_E_MEMBERNOTFOUND;
}

HRESULT STDMETHODCALLTYPE get_Id(IDispatch* iface, BSTR* id) {
    traceCall("get_Id", "Office object");
    if (!id) return E_POINTER;
    *id = win32::toBstr(impl_from_IDispatch(iface)->id);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE get_Context(IDispatch*, IDispatch** context) {
    traceCall("get_Context", "Office object");
    if (!context) return E_POINTER;
    *context = nullptr;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE get_Tag(IDispatch*, BSTR* tag) {
    traceCall("get_Tag", "Office object");
    if (!tag) return E_POINTER;
    *tag = win32::toBstr("");
    return S_OK;
}

HRESULT STDMETHODCALLTYPE Invalidate(IDispatch*) {
    traceCall("Invalidate", "Office object");
    return S_OK;
}
HRESULT STDMETHODCALLTYPE InvalidateControl(IDispatch*, BSTR) {
    traceCall("InvalidateControl", "Office object");
    return S_OK;
}

constexpr IDispatchVtbl dispatchPart = {QueryInterface, AddRef,        Release, GetTypeInfoCount,
                                        GetTypeInfo,    GetIDsOfNames, Invoke};
const ControlVtbl controlVtbl = {dispatchPart, get_Id, get_Context, get_Tag};
const UIVtbl uiVtbl = {dispatchPart, Invalidate, InvalidateControl};

IDispatch* asDispatch(StandIn* standIn) { return reinterpret_cast<IDispatch*>(standIn); }

}  // namespace

IDispatch* newComAddinObject() { return asDispatch(new StandIn{&dispatchPart, 1, &IID_IDispatch, ""}); }

IDispatch* newRibbonUI() { return asDispatch(new StandIn{&uiVtbl, 1, &IID_RibbonUI, ""}); }

IDispatch* newRibbonControl(const std::string& id) {
    return asDispatch(new StandIn{&controlVtbl, 1, &IID_RibbonControl, id});
}

}  // namespace host
