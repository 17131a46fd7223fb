#include "type_library_check.h"

#include <windows.h>
#include <oleauto.h>

#include <string>
#include <vector>

#include "check.h"

namespace {

using checks::expect;

std::wstring Text(BSTR text) {
    std::wstring copy(text ? text : L"", SysStringLen(text));
    SysFreeString(text);
    return copy;
}

ITypeInfo* TypeInfoNamed(ITypeLib* library, const wchar_t* name, TYPEKIND kind) {
    for (UINT index = 0; index < ITypeLib_GetTypeInfoCount(library); ++index) {
        BSTR found = nullptr;
        TYPEKIND foundKind;
        ITypeLib_GetDocumentation(library, index, &found, nullptr, nullptr, nullptr);
        ITypeLib_GetTypeInfoType(library, index, &foundKind);
        if (Text(found) != name || foundKind != kind) continue;
        ITypeInfo* info = nullptr;
        ITypeLib_GetTypeInfo(library, index, &info);
        return info;
    }
    return nullptr;
}

// The member's name followed by its parameters' names.
std::vector<std::wstring> Names(ITypeInfo* info, const wchar_t* member) {
    std::vector<std::wstring> names;
    MEMBERID id = MEMBERID_NIL;
    LPOLESTR lookUp = const_cast<LPOLESTR>(member);
    if (ITypeInfo_GetIDsOfNames(info, &lookUp, 1, &id) != S_OK) return names;
    FUNCDESC* function = nullptr;
    for (UINT index = 0; ITypeInfo_GetFuncDesc(info, index, &function) == S_OK; ++index) {
        bool match = function->memid == id && function->invkind == INVOKE_FUNC;
        UINT parameters = static_cast<UINT>(function->cParams);
        ITypeInfo_ReleaseFuncDesc(info, function);
        if (!match) continue;
        std::vector<BSTR> found(parameters + 1);
        UINT count = 0;
        ITypeInfo_GetNames(info, id, found.data(), parameters + 1, &count);
        for (UINT name = 0; name < count; ++name) names.push_back(Text(found[name]));
        break;
    }
    return names;
}

}  // namespace

void checkTypeLibrary(const wchar_t* dllPath) {
    ITypeLib* library = nullptr;
    expect(LoadTypeLibEx(dllPath, REGKIND_NONE, &library) == S_OK, "the DLL carries its type library");
    if (!library) return;
    BSTR name = nullptr;
    BSTR help = nullptr;
    ITypeLib_GetDocumentation(library, MEMBERID_NIL, &name, &help, nullptr, nullptr);
    expect(Text(name) == L"Quorvel", "the library is called Quorvel");
    expect(Text(help) == L"Quorvel Addin", "its help string is \"Quorvel Addin\"");
    TLIBATTR* attributes = nullptr;
    ITypeLib_GetLibAttr(library, &attributes);
    expect(attributes && attributes->wMajorVerNum == 1 && attributes->wMinorVerNum == 0, "its version is 1.0");
    if (attributes) ITypeLib_ReleaseTLibAttr(library, attributes);

    ITypeInfo* coclass = TypeInfoNamed(library, L"Connect", TKIND_COCLASS);
    expect(coclass != nullptr, "it describes the coclass Connect");
    if (coclass) ITypeInfo_Release(coclass);
    ITypeInfo* connect = TypeInfoNamed(library, L"_Connect", TKIND_DISPATCH);
    expect(connect != nullptr, "it describes the dual interface _Connect");
    if (!connect) return ITypeLib_Release(library), void();
    expect(Names(connect, L"OnLoad") == std::vector<std::wstring>{L"OnLoad", L"ribbonUI"},
           "OnLoad takes ribbonUI");
    expect(Names(connect, L"OnInviteButton") == std::vector<std::wstring>{L"OnInviteButton", L"Control"},
           "OnInviteButton takes Control");
    expect(Names(connect, L"OnOrderButton") == std::vector<std::wstring>{L"OnOrderButton", L"Control"},
           "OnOrderButton takes Control");
    ITypeInfo_Release(connect);
    ITypeLib_Release(library);
}
