#include "win32/class_factory.h"

#include "quorvel.h"
#include "win32/connect_object.h"
#include "win32/module.h"

namespace win32 {
namespace {

HRESULT STDMETHODCALLTYPE factory_QueryInterface(IClassFactory* iface, REFIID iid, void** out) {
    if (!out) return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IClassFactory)) {
        *out = iface;
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE factory_AddRef(IClassFactory*) { return 2; }

ULONG STDMETHODCALLTYPE factory_Release(IClassFactory*) { return 1; }

HRESULT STDMETHODCALLTYPE factory_CreateInstance(IClassFactory*, IUnknown* outer, REFIID iid, void** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    return createConnectObject(iid, out);
}

HRESULT STDMETHODCALLTYPE factory_LockServer(IClassFactory*, BOOL lock) {
    if (lock) {
        holdModule();
    } else {
        releaseModule();
    }
    return S_OK;
}

const IClassFactoryVtbl factoryVtbl = {
    factory_QueryInterface, factory_AddRef, factory_Release, factory_CreateInstance, factory_LockServer,
};

// One static factory: its references do not keep the library loaded, its locks do.
IClassFactory connectFactory = {&factoryVtbl};

}  // namespace

HRESULT getClassObject(REFCLSID clsid, REFIID iid, void** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (!IsEqualCLSID(clsid, CLSID_Connect)) return CLASS_E_CLASSNOTAVAILABLE;
    return factory_QueryInterface(&connectFactory, iid, out);
}

}  // namespace win32
