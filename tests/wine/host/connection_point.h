#pragma once

#include <windows.h>
#include <ocidl.h>

#include <map>
#include <memory>

#include "automation/dispatch.h"
#include "event_forwarder.h"

namespace host {

// One event set of a host COM object. It lives inside its object and counts its references on
// it, as the object's part; each Advise connects a forwarder to the simulated object.
class ConnectionPoint {
public:
    ConnectionPoint(IConnectionPointContainer* container, automation::Dispatch& source, automation::EventSet set);
    // Disconnects the sinks still connected: the source goes away.
    ~ConnectionPoint();
    ConnectionPoint(const ConnectionPoint&) = delete;
    ConnectionPoint& operator=(const ConnectionPoint&) = delete;

    IConnectionPoint* iface() { return reinterpret_cast<IConnectionPoint*>(&face_); }

private:
    struct Face {
        const IConnectionPointVtbl* lpVtbl;
        ConnectionPoint* self;
    };
    static ConnectionPoint* impl_from_IConnectionPoint(IConnectionPoint* iface);
    static HRESULT STDMETHODCALLTYPE QueryInterface(IConnectionPoint* iface, REFIID iid, void** out);
    static ULONG STDMETHODCALLTYPE AddRef(IConnectionPoint* iface);
    static ULONG STDMETHODCALLTYPE Release(IConnectionPoint* iface);
    static HRESULT STDMETHODCALLTYPE GetConnectionInterface(IConnectionPoint* iface, IID* iid);
    static HRESULT STDMETHODCALLTYPE GetConnectionPointContainer(IConnectionPoint* iface,
                                                                 IConnectionPointContainer** out);
    static HRESULT STDMETHODCALLTYPE Advise(IConnectionPoint* iface, IUnknown* sink, DWORD* cookie);
    static HRESULT STDMETHODCALLTYPE Unadvise(IConnectionPoint* iface, DWORD cookie);
    static HRESULT STDMETHODCALLTYPE EnumConnections(IConnectionPoint* iface, IEnumConnections** out);
    static const IConnectionPointVtbl vtbl;

    Face face_;
    IConnectionPointContainer* container_;  // the owner, not counted: we are part of it
    automation::Dispatch& source_;
    automation::EventSet set_;
    std::map<DWORD, std::unique_ptr<EventForwarder>> connections_;
};

}  // namespace host
