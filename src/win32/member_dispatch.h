#pragma once

#include <windows.h>
#include <oaidl.h>

#include <vector>

#include "win32/member_names.h"

// Helpers for the IDispatch of an interface that has no type information of its own at hand.
namespace win32 {

// GetIDsOfNames over a fixed member list; argument names are not known.
HRESULT idsOfNames(const std::vector<MemberName>& members, LPOLESTR* names, UINT count, DISPID* ids);

// Checks that Invoke was given exactly `count` positional arguments.
HRESULT expectArguments(const DISPPARAMS* params, UINT count);

// The declared argument `position`, coerced to `type` (by-reference ones read through) into
// `out`, which the caller clears. On failure `argumentError` names the argument.
HRESULT argumentAs(const DISPPARAMS& params, UINT position, VARTYPE type, VARIANT& out, UINT* argumentError);

// What Invoke answers for a method that returned `hr`: a failure becomes DISP_E_EXCEPTION with
// the method's error information moved into `exception`, as a type library's Invoke does.
HRESULT invokeOutcome(HRESULT hr, EXCEPINFO* exception);

}  // namespace win32
