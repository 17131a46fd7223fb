#include "connection_point.h"

#include <olectl.h>

#include "automation/error.h"
#include "exit_trace.h"
#include "win32/error_codes.h"
#include "win32/event_table.h"
#include "win32/outlook_ids.h"

namespace host {

const IConnectionPointVtbl ConnectionPoint::vtbl = {QueryInterface, AddRef,    Release,
                                                    GetConnectionInterface, GetConnectionPointContainer,
                                                    Advise,         Unadvise,  EnumConnections};

ConnectionPoint::ConnectionPoint(IConnectionPointContainer* container, automation::Dispatch& source,
                                 automation::EventSet set)
    : face_{&vtbl, this}, container_(container), source_(source), set_(set) {}

ConnectionPoint::~ConnectionPoint() {
    for (const auto& connection : connections_) source_.unadvise(connection.first);
}

ConnectionPoint* ConnectionPoint::impl_from_IConnectionPoint(IConnectionPoint* iface) {
    return reinterpret_cast<Face*>(iface)->self;
}

HRESULT STDMETHODCALLTYPE ConnectionPoint::QueryInterface(IConnectionPoint* iface, REFIID iid, void** out) {
    traceCall("QueryInterface", "ConnectionPoint");
    if (!out) return E_POINTER;
    *out = nullptr;
    if (!IsEqualIID(iid, IID_IUnknown) && !IsEqualIID(iid, IID_IConnectionPoint)) return E_NOINTERFACE;
    *out = iface;
    AddRef(iface);
    return S_OK;
}

ULONG STDMETHODCALLTYPE ConnectionPoint::AddRef(IConnectionPoint* iface) {
    return IConnectionPointContainer_AddRef(impl_from_IConnectionPoint(iface)->container_);
}

ULONG STDMETHODCALLTYPE ConnectionPoint::Release(IConnectionPoint* iface) {
    return IConnectionPointContainer_Release(impl_from_IConnectionPoint(iface)->container_);
}

HRESULT STDMETHODCALLTYPE ConnectionPoint::GetConnectionInterface(IConnectionPoint* iface, IID* iid) {
    if (!iid) return E_POINTER;
    *iid = win32::toGUID(win32::eventSetInfo(impl_from_IConnectionPoint(iface)->set_).iid);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE ConnectionPoint::GetConnectionPointContainer(IConnectionPoint* iface,
                                                                       IConnectionPointContainer** out) {
    if (!out) return E_POINTER;
    *out = impl_from_IConnectionPoint(iface)->container_;
    IConnectionPointContainer_AddRef(*out);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE ConnectionPoint::Advise(IConnectionPoint* iface, IUnknown* sink, DWORD* cookie) {
    traceCall("Advise", "ConnectionPoint");
    if (!sink || !cookie) return E_POINTER;
    *cookie = 0;
    ConnectionPoint* This = impl_from_IConnectionPoint(iface);
    // The sink must speak the event set's interface, as Outlook asks of it.
    IDispatch* dispatch = nullptr;
    const IID iid = win32::toGUID(win32::eventSetInfo(This->set_).iid);
    if (FAILED(IUnknown_QueryInterface(sink, iid, reinterpret_cast<void**>(&dispatch))) || !dispatch)
        return CONNECT_E_CANNOTCONNECT;
    auto forwarder = std::make_unique<EventForwarder>(dispatch, This->set_);
    IDispatch_Release(dispatch);
    try {
        const automation::Cookie connected = This->source_.advise(This->set_, *forwarder);
        This->connections_.emplace(connected, std::move(forwarder));
        *cookie = connected;
    } catch (const automation::Error& error) {
        return win32::hresultFromErrorNumber(error.code());
    }
    return S_OK;
}

HRESULT STDMETHODCALLTYPE ConnectionPoint::Unadvise(IConnectionPoint* iface, DWORD cookie) {
    traceCall("Unadvise", "ConnectionPoint");
    ConnectionPoint* This = impl_from_IConnectionPoint(iface);
    auto found = This->connections_.find(cookie);
    if (found == This->connections_.end()) return CONNECT_E_NOCONNECTION;
    This->source_.unadvise(cookie);
    // A forwarder may be in the middle of raising an event to this sink; it keeps the sink itself.
    This->connections_.erase(found);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE ConnectionPoint::EnumConnections(IConnectionPoint*, IEnumConnections** out) {
    if (out) *out = nullptr;
    return E_NOTIMPL;
}

}  // namespace host
