#pragma once

#include <windows.h>
#include <oaidl.h>

#include "addin_designer.h"
#include "office_types.h"
#include "quorvel.h"

// COBJMACROS names a call macro after the portable Connect's own member of that name.
#undef IRibbonExtensibility_GetCustomUI

class Connect;

namespace win32 {

// The COM object Outlook creates under "Quorvel.Connect". Each interface is a member whose
// methods find the object again with an impl_from_ helper; all of them forward to the portable
// Connect, which the final Release destroys (its destructor runs the shut-down).
struct ConnectObject {
    _Connect dispatch;  // the default interface: ribbon callbacks reached by name
    IDTExtensibility2 extensibility;
    IRibbonExtensibility ribbon;
    ISupportErrorInfo errorInfo;
    LONG references;
    Connect* addin;
    ITypeInfo* typeInfo;  // of _Connect, loaded from our own module on first use
};

HRESULT createConnectObject(REFIID iid, void** out);

// IUnknown, shared by every interface of the object.
HRESULT connectQueryInterface(ConnectObject* This, REFIID iid, void** out);
ULONG connectAddRef(ConnectObject* This);
ULONG connectRelease(ConnectObject* This);

// The IDispatch of _Connect, served from the embedded type library.
HRESULT connectGetTypeInfo(ConnectObject* This, UINT index, ITypeInfo** info);
HRESULT connectGetIDsOfNames(ConnectObject* This, LPOLESTR* names, UINT count, DISPID* ids);
HRESULT connectInvoke(ConnectObject* This, DISPID dispid, WORD flags, DISPPARAMS* params, VARIANT* result,
                      EXCEPINFO* exception, UINT* argumentError);

extern const IDTExtensibility2Vtbl connectExtensibilityVtbl;
extern const IRibbonExtensibilityVtbl connectRibbonVtbl;

}  // namespace win32
