#include "sim_com_object.h"

#include <ocidl.h>
#include <olectl.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "automation/error.h"
#include "call_counter.h"
#include "class_type_info.h"
#include "connection_point.h"
#include "exit_trace.h"
#include "host_variant.h"
#include "sim_object.h"
#include "win32/error_codes.h"
#include "win32/event_table.h"
#include "win32/outlook_ids.h"
#include "win32/variant_convert.h"
#include "win32/wide.h"

namespace host {
namespace {

struct SimComObject;

struct DispatchFace {
    const IDispatchVtbl* lpVtbl;
    SimComObject* self;
};

struct ContainerFace {
    const IConnectionPointContainerVtbl* lpVtbl;
    SimComObject* self;
};

struct SimComObject {
    DispatchFace dispatch;
    ContainerFace container;
    ULONG references = 1;
    automation::Dispatch* simulated;  // one counted reference per COM reference
    std::string className;
    std::map<automation::EventSet, std::unique_ptr<ConnectionPoint>> points;

    IDispatch* dispatchInterface() { return reinterpret_cast<IDispatch*>(&dispatch); }
    IConnectionPointContainer* containerInterface() {
        return reinterpret_cast<IConnectionPointContainer*>(&container);
    }
};

// One COM object per simulated object identity, while the add-in holds it.
std::map<const void*, SimComObject*>& liveObjects() {
    static std::map<const void*, SimComObject*> objects;
    return objects;
}

SimComObject* impl_from_IDispatch(IDispatch* iface) { return reinterpret_cast<DispatchFace*>(iface)->self; }
SimComObject* impl_from_IConnectionPointContainer(IConnectionPointContainer* iface) {
    return reinterpret_cast<ContainerFace*>(iface)->self;
}

ULONG addRef(SimComObject* This) {
    traceCall("AddRef", This->className);
    This->simulated->addRef();
    return ++This->references;
}

ULONG release(SimComObject* This) {
    traceCall("Release", This->className);
    const ULONG left = --This->references;
    if (left == 0) {
        liveObjects().erase(This->simulated->identity());
        This->points.clear();  // disconnects sinks the add-in left connected
        This->simulated->release();
        delete This;
        return 0;
    }
    This->simulated->release();
    return left;
}

bool offers(SimComObject* This, automation::Interface iface) {
    automation::Dispatch* converted = This->simulated->queryInterface(iface);
    if (!converted) return false;
    converted->release();
    return true;
}

HRESULT queryInterface(SimComObject* This, REFIID iid, void** out) {
    traceCall("QueryInterface", This->className);
    if (!out) return E_POINTER;
    *out = nullptr;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) ||
        (IsEqualIID(iid, win32::interfaceId(automation::Interface::OutlookApplication)) &&
         offers(This, automation::Interface::OutlookApplication)) ||
        (IsEqualIID(iid, win32::interfaceId(automation::Interface::OutlookAppointmentItem)) &&
         offers(This, automation::Interface::OutlookAppointmentItem))) {
        *out = This->dispatchInterface();
    } else if (IsEqualIID(iid, IID_IConnectionPointContainer)) {
        *out = This->containerInterface();
    } else {
        return E_NOINTERFACE;
    }
    addRef(This);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE dispatch_QueryInterface(IDispatch* iface, REFIID iid, void** out) {
    return queryInterface(impl_from_IDispatch(iface), iid, out);
}
ULONG STDMETHODCALLTYPE dispatch_AddRef(IDispatch* iface) { return addRef(impl_from_IDispatch(iface)); }
ULONG STDMETHODCALLTYPE dispatch_Release(IDispatch* iface) { return release(impl_from_IDispatch(iface)); }

HRESULT STDMETHODCALLTYPE dispatch_GetTypeInfoCount(IDispatch* iface, UINT* count) {
    traceCall("GetTypeInfoCount", impl_from_IDispatch(iface)->className);
    if (!count) return E_POINTER;
    *count = 1;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE dispatch_GetTypeInfo(IDispatch* iface, UINT index, LCID, ITypeInfo** info) {
    traceCall("GetTypeInfo", impl_from_IDispatch(iface)->className);
    if (!info) return E_POINTER;
    *info = nullptr;
    if (index != 0) return DISP_E_BADINDEX;
    *info = classTypeInfo(impl_from_IDispatch(iface)->className);
    return S_OK;
}

// Members are known only when invoked, as the simulated objects look them up then: every name
// gets a DISPID, and an unknown one fails in Invoke with the member's own error.
HRESULT STDMETHODCALLTYPE dispatch_GetIDsOfNames(IDispatch* iface, REFIID, LPOLESTR* names, UINT count, LCID,
                                                 DISPID* dispids) {
    traceCall("GetIDsOfNames", impl_from_IDispatch(iface)->className);
    if (!names || !dispids || count == 0) return E_INVALIDARG;
    const std::string member = win32::narrow(names[0]);
    countNameLookup(impl_from_IDispatch(iface)->className, member);
    dispids[0] = dispidOf(member);
    if (count == 1) return S_OK;
    for (UINT i = 1; i < count; ++i) dispids[i] = DISPID_UNKNOWN;
    return DISP_E_UNKNOWNNAME;  // the simulated members take no named arguments
}

struct InvokeRequest {
    automation::InvokeKind kind;
    HRESULT problem = S_OK;
};

InvokeRequest requestOf(WORD flags, const DISPPARAMS& params) {
    const bool put = flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF);
    if (put) {
        const auto kind =
            flags & DISPATCH_PROPERTYPUT ? automation::InvokeKind::Put : automation::InvokeKind::PutRef;
        if (params.cArgs == 0) return {kind, DISP_E_PARAMNOTOPTIONAL};
        if (params.cNamedArgs != 1 || params.rgdispidNamedArgs[0] != DISPID_PROPERTYPUT)
            return {kind, DISP_E_PARAMNOTOPTIONAL};
        return {kind};
    }
    if (params.cNamedArgs != 0) return {automation::InvokeKind::Call, DISP_E_NONAMEDARGS};
    if (flags & DISPATCH_PROPERTYGET) return {automation::InvokeKind::Get};
    if (flags & DISPATCH_METHOD) return {automation::InvokeKind::Call};
    return {automation::InvokeKind::Call, E_INVALIDARG};
}

HRESULT raise(const automation::Error& error, EXCEPINFO* exception) {
    const HRESULT code = win32::hresultFromErrorNumber(error.code());
    if (!exception) return code;
    *exception = EXCEPINFO{};
    exception->scode = code;
    exception->bstrSource = win32::toBstr("Outlook");
    exception->bstrDescription = win32::toBstr(error.description());
    return DISP_E_EXCEPTION;
}

HRESULT STDMETHODCALLTYPE dispatch_Invoke(IDispatch* iface, DISPID dispid, REFIID, LCID, WORD flags,
                                          DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception,
                                          UINT* argumentError) {
    SimComObject* This = impl_from_IDispatch(iface);
    countInvoke();
    traceCall("Invoke", This->className);
    const std::optional<std::string> member = memberOf(dispid);
    if (!member) return DISP_E_MEMBERNOTFOUND;
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    if (!params) params = &none;
    if (params->cArgs && !params->rgvarg) return E_INVALIDARG;
    const InvokeRequest request = requestOf(flags, *params);
    if (FAILED(request.problem)) return request.problem;
    // The object stays alive through the call even if the call lets the add-in release it.
    addRef(This);
    HRESULT hr = S_OK;
    try {
        std::vector<automation::Value> args;
        for (UINT declared = 0; declared < params->cArgs; ++declared) {
            try {
                args.push_back(fromVariant(params->rgvarg[params->cArgs - 1 - declared]));
            } catch (const automation::Error&) {
                if (argumentError) *argumentError = params->cArgs - 1 - declared;
                throw;
            }
        }
        automation::Value answer = This->simulated->invoke(*member, request.kind, args);
        if (result) {
            VariantInit(result);
            toVariant(answer, *result);
        }
    } catch (const automation::Error& error) {
        hr = raise(error, exception);
    } catch (const std::bad_alloc&) {
        hr = E_OUTOFMEMORY;
    } catch (...) {
        hr = E_UNEXPECTED;
    }
    release(This);
    return hr;
}

const IDispatchVtbl dispatchVtbl = {dispatch_QueryInterface,  dispatch_AddRef,         dispatch_Release,
                                    dispatch_GetTypeInfoCount, dispatch_GetTypeInfo,   dispatch_GetIDsOfNames,
                                    dispatch_Invoke};

HRESULT STDMETHODCALLTYPE container_QueryInterface(IConnectionPointContainer* iface, REFIID iid, void** out) {
    return queryInterface(impl_from_IConnectionPointContainer(iface), iid, out);
}
ULONG STDMETHODCALLTYPE container_AddRef(IConnectionPointContainer* iface) {
    return addRef(impl_from_IConnectionPointContainer(iface));
}
ULONG STDMETHODCALLTYPE container_Release(IConnectionPointContainer* iface) {
    return release(impl_from_IConnectionPointContainer(iface));
}

HRESULT STDMETHODCALLTYPE container_EnumConnectionPoints(IConnectionPointContainer*, IEnumConnectionPoints** out) {
    if (out) *out = nullptr;
    return E_NOTIMPL;
}

constexpr automation::EventSet EventSets[] = {
    automation::EventSet::Application, automation::EventSet::Explorers, automation::EventSet::Inspectors,
    automation::EventSet::Explorer,    automation::EventSet::Inspector,  automation::EventSet::Item,
    automation::EventSet::CommandBarButton};

// Every object answers for every event set it may raise; Advise then tells whether it does.
HRESULT STDMETHODCALLTYPE container_FindConnectionPoint(IConnectionPointContainer* iface, REFIID iid,
                                                        IConnectionPoint** out) {
    traceCall("FindConnectionPoint", impl_from_IConnectionPointContainer(iface)->className);
    if (!out) return E_POINTER;
    *out = nullptr;
    SimComObject* This = impl_from_IConnectionPointContainer(iface);
    for (automation::EventSet set : EventSets) {
        if (!IsEqualIID(iid, win32::toGUID(win32::eventSetInfo(set).iid))) continue;
        auto& point = This->points[set];
        if (!point) point = std::make_unique<ConnectionPoint>(This->containerInterface(), *This->simulated, set);
        *out = point->iface();
        IConnectionPoint_AddRef(*out);
        return S_OK;
    }
    return CONNECT_E_NOCONNECTION;
}

const IConnectionPointContainerVtbl containerVtbl = {container_QueryInterface, container_AddRef, container_Release,
                                                     container_EnumConnectionPoints,
                                                     container_FindConnectionPoint};

}  // namespace

IDispatch* comObjectOf(const automation::Object& object) {
    if (!object) return nullptr;
    automation::Dispatch* simulated = object.dispatch();
    auto found = liveObjects().find(simulated->identity());
    if (found != liveObjects().end()) {
        addRef(found->second);
        return found->second->dispatchInterface();
    }
    auto* created = new SimComObject{};
    created->dispatch = {&dispatchVtbl, created};
    created->container = {&containerVtbl, created};
    created->simulated = simulated;
    if (auto* known = dynamic_cast<sim::SimObject*>(simulated)) created->className = known->className();
    simulated->addRef();
    liveObjects().emplace(simulated->identity(), created);
    return created->dispatchInterface();
}

bool isHostObject(IUnknown* unknown) {
    const auto* face = reinterpret_cast<DispatchFace*>(unknown);
    return unknown && (face->lpVtbl == &dispatchVtbl ||
                       reinterpret_cast<ContainerFace*>(unknown)->lpVtbl == &containerVtbl);
}

automation::Object simObjectOf(IUnknown* hostObject) {
    // Both faces keep their object in the same place.
    return automation::Object(reinterpret_cast<DispatchFace*>(hostObject)->self->simulated);
}

size_t liveComObjects() { return liveObjects().size(); }

}  // namespace host
