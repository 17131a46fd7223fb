#include "win32/child_enumeration.h"

#include <new>
#include <utility>

#include "win32/module.h"

namespace win32 {
namespace {

struct ChildEnumeration {
    IEnumVARIANT enumeration;
    LONG references;
    std::vector<LONG> children;
    size_t next;
};

ChildEnumeration* impl_from_IEnumVARIANT(IEnumVARIANT* iface) {
    return CONTAINING_RECORD(iface, ChildEnumeration, enumeration);
}

IEnumVARIANT* create(std::vector<LONG> children, size_t next);

HRESULT STDMETHODCALLTYPE enumeration_QueryInterface(IEnumVARIANT* iface, REFIID riid, void** out) {
    if (!out) return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IEnumVARIANT)) {
        *out = iface;
        IEnumVARIANT_AddRef(iface);
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE enumeration_AddRef(IEnumVARIANT* iface) {
    return static_cast<ULONG>(InterlockedIncrement(&impl_from_IEnumVARIANT(iface)->references));
}

ULONG STDMETHODCALLTYPE enumeration_Release(IEnumVARIANT* iface) {
    ChildEnumeration* This = impl_from_IEnumVARIANT(iface);
    const LONG references = InterlockedDecrement(&This->references);
    if (references == 0) {
        delete This;
        releaseModule();
    }
    return static_cast<ULONG>(references);
}

// S_FALSE when fewer than `wanted` were left; `fetched` may be null only when one is wanted.
HRESULT STDMETHODCALLTYPE enumeration_Next(IEnumVARIANT* iface, ULONG wanted, VARIANT* out, ULONG* fetched) {
    if (!out || (!fetched && wanted != 1)) return E_POINTER;
    ChildEnumeration* This = impl_from_IEnumVARIANT(iface);
    ULONG given = 0;
    for (; given < wanted && This->next < This->children.size(); ++given, ++This->next) {
        VariantInit(&out[given]);
        out[given].vt = VT_I4;
        out[given].lVal = This->children[This->next];
    }
    if (fetched) *fetched = given;
    return given == wanted ? S_OK : S_FALSE;
}

HRESULT STDMETHODCALLTYPE enumeration_Skip(IEnumVARIANT* iface, ULONG count) {
    ChildEnumeration* This = impl_from_IEnumVARIANT(iface);
    const size_t left = This->children.size() - This->next;
    This->next += count < left ? count : left;
    return count <= left ? S_OK : S_FALSE;
}

HRESULT STDMETHODCALLTYPE enumeration_Reset(IEnumVARIANT* iface) {
    impl_from_IEnumVARIANT(iface)->next = 0;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE enumeration_Clone(IEnumVARIANT* iface, IEnumVARIANT** out) {
    if (!out) return E_POINTER;
    const ChildEnumeration* This = impl_from_IEnumVARIANT(iface);
    try {
        *out = create(This->children, This->next);
    } catch (const std::bad_alloc&) {
        *out = nullptr;
    }
    return *out ? S_OK : E_OUTOFMEMORY;
}

const IEnumVARIANTVtbl enumerationVtbl = {
    enumeration_QueryInterface, enumeration_AddRef, enumeration_Release, enumeration_Next,
    enumeration_Skip,           enumeration_Reset,  enumeration_Clone,
};

IEnumVARIANT* create(std::vector<LONG> children, size_t next) {
    auto* made = new (std::nothrow) ChildEnumeration{{&enumerationVtbl}, 1, std::move(children), next};
    if (!made) return nullptr;
    holdModule();
    return &made->enumeration;
}

}  // namespace

IEnumVARIANT* createChildEnumeration(std::vector<LONG> children) { return create(std::move(children), 0); }

}  // namespace win32
