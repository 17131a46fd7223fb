#include "security_wrapper_classes.h"

#include <objbase.h>

#include <stdexcept>
#include <string>

#include "outlook/security_wrapper.h"
#include "sim_com_object.h"
#include "win32/wide.h"

namespace host {
namespace {

struct WrapperClass {
    const char* progId;
    CLSID clsid;
};

// Host CLSIDs of our own; the real library's are not needed to reach it by ProgID.
const WrapperClass wrapperClasses[] = {
    {security_wrapper::CurrentUserProgId, {0x7C1A0001, 0x5157, 0x484F, {'V', 'E', 'S', 'K', 'H', 'O', 'S', 'T'}}},
    {security_wrapper::AppointmentItemProgId, {0x7C1A0002, 0x5157, 0x484F, {'V', 'E', 'S', 'K', 'H', 'O', 'S', 'T'}}},
    {security_wrapper::MAPIFolderProgId, {0x7C1A0003, 0x5157, 0x484F, {'V', 'E', 'S', 'K', 'H', 'O', 'S', 'T'}}},
};

struct ClassFactory {
    const IClassFactoryVtbl* lpVtbl;
    sim::Outlook* outlook;
    const char* progId;
};

ClassFactory* impl_from_IClassFactory(IClassFactory* iface) { return reinterpret_cast<ClassFactory*>(iface); }

HRESULT STDMETHODCALLTYPE factory_QueryInterface(IClassFactory* iface, REFIID iid, void** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (!IsEqualIID(iid, IID_IUnknown) && !IsEqualIID(iid, IID_IClassFactory)) return E_NOINTERFACE;
    *out = iface;
    return S_OK;
}

// The factories live as long as their registration: COM's references need no counting.
ULONG STDMETHODCALLTYPE factory_AddRef(IClassFactory*) { return 2; }
ULONG STDMETHODCALLTYPE factory_Release(IClassFactory*) { return 1; }

HRESULT STDMETHODCALLTYPE factory_CreateInstance(IClassFactory* iface, IUnknown* outer, REFIID iid, void** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    ClassFactory* This = impl_from_IClassFactory(iface);
    try {
        IDispatch* created = comObjectOf(This->outlook->create(This->progId));
        // Not installed: as if the library were not on the machine.
        if (!created) return REGDB_E_CLASSNOTREG;
        const HRESULT hr = IDispatch_QueryInterface(created, iid, out);
        IDispatch_Release(created);
        return hr;
    } catch (...) {
        return E_FAIL;
    }
}

HRESULT STDMETHODCALLTYPE factory_LockServer(IClassFactory*, BOOL) { return S_OK; }

const IClassFactoryVtbl factoryVtbl = {factory_QueryInterface, factory_AddRef, factory_Release,
                                       factory_CreateInstance, factory_LockServer};

ClassFactory factories[3];

std::wstring progIdKey(const char* progId) { return win32::wide(progId) + L"\\CLSID"; }

bool writeDefaultValue(const std::wstring& path, const std::wstring& text, DWORD bytes) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return false;
    const LONG status = RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()), bytes);
    RegCloseKey(key);
    return status == ERROR_SUCCESS;
}

std::wstring clsidText(const CLSID& clsid) {
    wchar_t text[40] = {};
    StringFromGUID2(clsid, text, 40);
    return text;
}

}  // namespace

SecurityWrapperClasses::SecurityWrapperClasses(sim::Outlook& outlook) {
    for (size_t i = 0; i < 3; ++i) {
        const WrapperClass& wrapper = wrapperClasses[i];
        factories[i] = ClassFactory{&factoryVtbl, &outlook, wrapper.progId};
        const std::wstring clsid = clsidText(wrapper.clsid);
        const auto bytes = static_cast<DWORD>((clsid.size() + 1) * sizeof(wchar_t));
        if (!writeDefaultValue(progIdKey(wrapper.progId), clsid, bytes))
            throw std::runtime_error(std::string("cannot register ") + wrapper.progId);
        DWORD cookie = 0;
        if (FAILED(CoRegisterClassObject(wrapper.clsid, reinterpret_cast<IUnknown*>(&factories[i]),
                                         CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER, REGCLS_MULTIPLEUSE, &cookie)))
            throw std::runtime_error(std::string("cannot serve ") + wrapper.progId);
        registrations_.push_back(cookie);
    }
}

SecurityWrapperClasses::~SecurityWrapperClasses() {
    for (DWORD cookie : registrations_) CoRevokeClassObject(cookie);
    for (const WrapperClass& wrapper : wrapperClasses) {
        RegDeleteKeyW(HKEY_CLASSES_ROOT, progIdKey(wrapper.progId).c_str());
        RegDeleteKeyW(HKEY_CLASSES_ROOT, win32::wide(wrapper.progId).c_str());
    }
}

}  // namespace host
