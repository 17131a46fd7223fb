#include "class_type_info.h"

#include <map>
#include <memory>

#include "exit_trace.h"

namespace host {
namespace {

struct TypeInfoObject {
    const ITypeInfoVtbl* lpVtbl;
    GUID guid;
};

TypeInfoObject* impl_from_ITypeInfo(ITypeInfo* iface) { return reinterpret_cast<TypeInfoObject*>(iface); }

// A GUID of our own for each class name (FNV-1a of the name in the first field).
GUID guidOf(const std::string& className) {
    uint32_t hash = 2166136261u;
    for (unsigned char c : className) hash = (hash ^ c) * 16777619u;
    return GUID{hash, 0x5157, 0x484F, {'S', 'I', 'M', 'C', 'L', 'A', 'S', 'S'}};
}

HRESULT STDMETHODCALLTYPE QueryInterface(ITypeInfo* iface, REFIID iid, void** out) {
    if (!out) return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_ITypeInfo)) {
        *out = iface;
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

// The descriptions live as long as the process: counting is not needed.
ULONG STDMETHODCALLTYPE AddRef(ITypeInfo*) { return 2; }
ULONG STDMETHODCALLTYPE Release(ITypeInfo*) {
    traceCall("Release", "TypeInfo");
    return 1;
}

HRESULT STDMETHODCALLTYPE GetTypeAttr(ITypeInfo* iface, TYPEATTR** out) {
    traceCall("GetTypeAttr", "TypeInfo");
    if (!out) return E_POINTER;
    auto* attributes = new TYPEATTR{};
    attributes->guid = impl_from_ITypeInfo(iface)->guid;
    attributes->typekind = TKIND_DISPATCH;
    attributes->memidConstructor = MEMBERID_NIL;
    attributes->memidDestructor = MEMBERID_NIL;
    attributes->cbSizeVft = 7 * sizeof(void*);
    attributes->wTypeFlags = TYPEFLAG_FDISPATCHABLE;
    *out = attributes;
    return S_OK;
}

void STDMETHODCALLTYPE ReleaseTypeAttr(ITypeInfo*, TYPEATTR* attributes) {
    traceCall("ReleaseTypeAttr", "TypeInfo");
    delete attributes;
}

HRESULT STDMETHODCALLTYPE GetTypeComp(ITypeInfo*, ITypeComp**) { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE GetFuncDesc(ITypeInfo*, UINT, FUNCDESC**) { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE GetVarDesc(ITypeInfo*, UINT, VARDESC**) { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE GetNames(ITypeInfo*, MEMBERID, BSTR*, UINT, UINT*) { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE GetRefTypeOfImplType(ITypeInfo*, UINT, HREFTYPE*) { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE GetImplTypeFlags(ITypeInfo*, UINT, INT*) { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE GetIDsOfNames(ITypeInfo*, LPOLESTR*, UINT, MEMBERID*) { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE Invoke(ITypeInfo*, PVOID, MEMBERID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) {
    return E_NOTIMPL;
}
HRESULT STDMETHODCALLTYPE GetDocumentation(ITypeInfo*, MEMBERID, BSTR*, BSTR*, DWORD*, BSTR*) { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE GetDllEntry(ITypeInfo*, MEMBERID, INVOKEKIND, BSTR*, BSTR*, WORD*) { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE GetRefTypeInfo(ITypeInfo*, HREFTYPE, ITypeInfo**) { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE AddressOfMember(ITypeInfo*, MEMBERID, INVOKEKIND, PVOID*) { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE CreateInstance(ITypeInfo*, IUnknown*, REFIID, PVOID*) { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE GetMops(ITypeInfo*, MEMBERID, BSTR*) { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE GetContainingTypeLib(ITypeInfo*, ITypeLib**, UINT*) { return E_NOTIMPL; }
void STDMETHODCALLTYPE ReleaseFuncDesc(ITypeInfo*, FUNCDESC*) {}
void STDMETHODCALLTYPE ReleaseVarDesc(ITypeInfo*, VARDESC*) {}

const ITypeInfoVtbl typeInfoVtbl = {QueryInterface,  AddRef,          Release,         GetTypeAttr,
                                    GetTypeComp,     GetFuncDesc,     GetVarDesc,      GetNames,
                                    GetRefTypeOfImplType, GetImplTypeFlags, GetIDsOfNames, Invoke,
                                    GetDocumentation, GetDllEntry,    GetRefTypeInfo,  AddressOfMember,
                                    CreateInstance,  GetMops,         GetContainingTypeLib, ReleaseTypeAttr,
                                    ReleaseFuncDesc, ReleaseVarDesc};

}  // namespace

ITypeInfo* classTypeInfo(const std::string& className) {
    static std::map<std::string, std::unique_ptr<TypeInfoObject>> described;
    auto& entry = described[className];
    if (!entry) entry.reset(new TypeInfoObject{&typeInfoVtbl, guidOf(className)});
    return reinterpret_cast<ITypeInfo*>(entry.get());
}

}  // namespace host
