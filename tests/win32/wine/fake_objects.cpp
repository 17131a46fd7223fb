#include "fake_objects.h"

#include <olectl.h>

namespace checks {
namespace {

constexpr DWORD Cookie = 42;

FakeObject* impl_from_fake(IDispatch* iface) { return CONTAINING_RECORD(iface, FakeObject, dispatch); }

HRESULT STDMETHODCALLTYPE fake_QueryInterface(IDispatch* iface, REFIID iid, void** out) {
    FakeObject* This = impl_from_fake(iface);
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) || IsEqualIID(iid, This->alsoAnswers)) {
        *out = iface;
        InterlockedIncrement(&This->references);
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE fake_AddRef(IDispatch* iface) { return InterlockedIncrement(&impl_from_fake(iface)->references); }

ULONG STDMETHODCALLTYPE fake_Release(IDispatch* iface) { return InterlockedDecrement(&impl_from_fake(iface)->references); }

HRESULT STDMETHODCALLTYPE no_TypeInfoCount(IDispatch*, UINT* count) {
    *count = 0;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE no_TypeInfo(IDispatch*, UINT, LCID, ITypeInfo**) { return E_NOTIMPL; }

HRESULT STDMETHODCALLTYPE no_IDsOfNames(IDispatch*, REFIID, LPOLESTR*, UINT, LCID, DISPID*) {
    return DISP_E_UNKNOWNNAME;
}

HRESULT STDMETHODCALLTYPE no_Invoke(IDispatch*, DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) {
    return DISP_E_MEMBERNOTFOUND;
}

const IDispatchVtbl fakeVtbl = {fake_QueryInterface, fake_AddRef, fake_Release, no_TypeInfoCount,
                                no_TypeInfo,         no_IDsOfNames, no_Invoke};

EventSource* impl_from_source(IDispatch* iface) { return CONTAINING_RECORD(iface, EventSource, dispatch); }
EventSource* impl_from_container(IConnectionPointContainer* iface) {
    return CONTAINING_RECORD(iface, EventSource, container);
}
EventSource* impl_from_point(IConnectionPoint* iface) { return CONTAINING_RECORD(iface, EventSource, point); }

HRESULT sourceQueryInterface(EventSource* This, REFIID iid, void** out) {
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch)) {
        *out = &This->dispatch;
    } else if (IsEqualIID(iid, IID_IConnectionPointContainer)) {
        *out = &This->container;
    } else {
        *out = nullptr;
        return E_NOINTERFACE;
    }
    InterlockedIncrement(&This->references);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE source_QueryInterface(IDispatch* iface, REFIID iid, void** out) {
    return sourceQueryInterface(impl_from_source(iface), iid, out);
}
ULONG STDMETHODCALLTYPE source_AddRef(IDispatch* iface) { return InterlockedIncrement(&impl_from_source(iface)->references); }
ULONG STDMETHODCALLTYPE source_Release(IDispatch* iface) { return InterlockedDecrement(&impl_from_source(iface)->references); }

const IDispatchVtbl sourceVtbl = {source_QueryInterface, source_AddRef, source_Release, no_TypeInfoCount,
                                  no_TypeInfo,           no_IDsOfNames, no_Invoke};

HRESULT STDMETHODCALLTYPE container_QueryInterface(IConnectionPointContainer* iface, REFIID iid, void** out) {
    return sourceQueryInterface(impl_from_container(iface), iid, out);
}
ULONG STDMETHODCALLTYPE container_AddRef(IConnectionPointContainer* iface) {
    return InterlockedIncrement(&impl_from_container(iface)->references);
}
ULONG STDMETHODCALLTYPE container_Release(IConnectionPointContainer* iface) {
    return InterlockedDecrement(&impl_from_container(iface)->references);
}
HRESULT STDMETHODCALLTYPE container_EnumConnectionPoints(IConnectionPointContainer*, IEnumConnectionPoints**) {
    return E_NOTIMPL;
}
HRESULT STDMETHODCALLTYPE container_FindConnectionPoint(IConnectionPointContainer* iface, REFIID iid,
                                                        IConnectionPoint** point) {
    EventSource* This = impl_from_container(iface);
    if (!IsEqualIID(iid, This->events)) {
        *point = nullptr;
        return CONNECT_E_NOCONNECTION;
    }
    *point = &This->point;
    InterlockedIncrement(&This->references);
    return S_OK;
}

const IConnectionPointContainerVtbl containerVtbl = {container_QueryInterface, container_AddRef, container_Release,
                                                     container_EnumConnectionPoints, container_FindConnectionPoint};

HRESULT STDMETHODCALLTYPE point_QueryInterface(IConnectionPoint* iface, REFIID iid, void** out) {
    return sourceQueryInterface(impl_from_point(iface), iid, out);
}
ULONG STDMETHODCALLTYPE point_AddRef(IConnectionPoint* iface) { return InterlockedIncrement(&impl_from_point(iface)->references); }
ULONG STDMETHODCALLTYPE point_Release(IConnectionPoint* iface) { return InterlockedDecrement(&impl_from_point(iface)->references); }
HRESULT STDMETHODCALLTYPE point_GetConnectionInterface(IConnectionPoint*, IID*) { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE point_GetConnectionPointContainer(IConnectionPoint*, IConnectionPointContainer**) {
    return E_NOTIMPL;
}
// Like a real source, it takes the sink through the event interface it serves.
HRESULT STDMETHODCALLTYPE point_Advise(IConnectionPoint* iface, IUnknown* sink, DWORD* cookie) {
    EventSource* This = impl_from_point(iface);
    if (This->sink) return CONNECT_E_ADVISELIMIT;
    if (FAILED(IUnknown_QueryInterface(sink, This->events, reinterpret_cast<void**>(&This->sink))))
        return CONNECT_E_CANNOTCONNECT;
    *cookie = Cookie;
    return S_OK;
}
HRESULT STDMETHODCALLTYPE point_Unadvise(IConnectionPoint* iface, DWORD cookie) {
    EventSource* This = impl_from_point(iface);
    if (cookie != Cookie || !This->sink) return CONNECT_E_NOCONNECTION;
    IDispatch_Release(This->sink);
    This->sink = nullptr;
    ++This->unadvised;
    return S_OK;
}
HRESULT STDMETHODCALLTYPE point_EnumConnections(IConnectionPoint*, IEnumConnections**) { return E_NOTIMPL; }

const IConnectionPointVtbl pointVtbl = {point_QueryInterface, point_AddRef, point_Release,
                                        point_GetConnectionInterface, point_GetConnectionPointContainer,
                                        point_Advise, point_Unadvise, point_EnumConnections};

}  // namespace

FakeObject fakeObject(const IID& alsoAnswers) { return FakeObject{{&fakeVtbl}, 1, alsoAnswers}; }

EventSource eventSource(const IID& events) {
    return EventSource{{&sourceVtbl}, {&containerVtbl}, {&pointVtbl}, 1, events, nullptr, 0};
}

}  // namespace checks
