#include "win32/event_sink.h"

#include "automation/value.h"
#include "win32/com_boundary.h"
#include "win32/event_arguments.h"
#include "win32/module.h"
#include "win32/outlook_ids.h"

namespace win32 {
namespace {

EventSinkObject* impl_from_IDispatch(IDispatch* iface) { return CONTAINING_RECORD(iface, EventSinkObject, dispatch); }

HRESULT STDMETHODCALLTYPE sink_QueryInterface(IDispatch* iface, REFIID riid, void** out) {
    EventSinkObject* This = impl_from_IDispatch(iface);
    if (!out) return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch) || IsEqualIID(riid, This->iid)) {
        *out = &This->dispatch;
        IDispatch_AddRef(iface);
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE sink_AddRef(IDispatch* iface) {
    return static_cast<ULONG>(InterlockedIncrement(&impl_from_IDispatch(iface)->references));
}

ULONG STDMETHODCALLTYPE sink_Release(IDispatch* iface) {
    EventSinkObject* This = impl_from_IDispatch(iface);
    const LONG references = InterlockedDecrement(&This->references);
    if (references == 0) {
        delete This;
        releaseModule();
    }
    return static_cast<ULONG>(references);
}

HRESULT STDMETHODCALLTYPE sink_GetTypeInfoCount(IDispatch*, UINT* count) {
    if (!count) return E_POINTER;
    *count = 0;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE sink_GetTypeInfo(IDispatch*, UINT, LCID, ITypeInfo** info) {
    if (info) *info = nullptr;
    return DISP_E_BADINDEX;
}

HRESULT STDMETHODCALLTYPE sink_GetIDsOfNames(IDispatch*, REFIID, LPOLESTR*, UINT count, LCID, DISPID* ids) {
    for (UINT i = 0; ids && i < count; ++i) ids[i] = DISPID_UNKNOWN;
    return DISP_E_UNKNOWNNAME;
}

HRESULT STDMETHODCALLTYPE sink_Invoke(IDispatch* iface, DISPID dispid, REFIID, LCID, WORD, DISPPARAMS* params,
                                      VARIANT* result, EXCEPINFO* exception, UINT* argumentError) {
    EventSinkObject* This = impl_from_IDispatch(iface);
    if (result) VariantInit(result);
    const EventInfo* event = This->events->find(dispid);
    // Events nobody subscribed to, and those after disconnection, are answered as handled.
    if (!event || !This->sink) return S_OK;
    const HRESULT checked = checkEventArguments(*event, params, argumentError);
    if (FAILED(checked)) return checked;

    // The handler may disconnect this very sink; it must outlive the call.
    IDispatch_AddRef(iface);
    HRESULT hr = S_OK;
    try {
        automation::EventArgs args = readEventArguments(*event, *params);
        try {
            This->sink->onEvent(event->name, args);
        } catch (...) {
            writeBackEventArguments(*event, args, *params);
            throw;
        }
        writeBackEventArguments(*event, args, *params);
    } catch (...) {
        hr = failureAsException(exception);
    }
    IDispatch_Release(iface);
    return hr;
}

const IDispatchVtbl sinkVtbl = {
    sink_QueryInterface, sink_AddRef,       sink_Release, sink_GetTypeInfoCount,
    sink_GetTypeInfo,    sink_GetIDsOfNames, sink_Invoke,
};

}  // namespace

EventSinkObject* createEventSink(automation::EventSet set, automation::EventSink& sink) {
    const EventSetInfo& events = eventSetInfo(set);
    auto* object = new EventSinkObject{{&sinkVtbl}, 1, &events, toGUID(events.iid), &sink};
    holdModule();
    return object;
}

void detachEventSink(EventSinkObject* sink) { sink->sink = nullptr; }

}  // namespace win32
