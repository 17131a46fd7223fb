#include "win32/event_arguments.h"

#include "automation/error.h"
#include "automation/value.h"
#include "win32/variant_convert.h"

namespace win32 {
namespace {

// DISPPARAMS holds the arguments last first.
size_t slotOf(const DISPPARAMS& params, size_t declared) { return params.cArgs - 1 - declared; }

const VARIANT& argument(const DISPPARAMS& params, size_t declared) { return params.rgvarg[slotOf(params, declared)]; }

bool isObjectArgument(const VARIANT& value) {
    switch (V_VT(&value)) {
    case VT_EMPTY:
    case VT_NULL:
    case VT_DISPATCH:
    case VT_UNKNOWN:
        return true;
    case VT_DISPATCH | VT_BYREF:
    case VT_UNKNOWN | VT_BYREF:
        return V_BYREF(&value) != nullptr;
    default:
        return false;
    }
}

// A source that passes Cancel by value cannot be told the answer, but the event still runs.
bool isCancelArgument(const VARIANT& value) {
    if (V_VT(&value) == VT_BOOL) return true;
    return V_VT(&value) == (VT_BOOL | VT_BYREF) && V_BOOLREF(&value) != nullptr;
}

bool cancelValue(const VARIANT& value) {
    const VARIANT_BOOL flag = V_VT(&value) == VT_BOOL ? V_BOOL(&value) : *V_BOOLREF(&value);
    return flag != VARIANT_FALSE;
}

}  // namespace

HRESULT checkEventArguments(const EventInfo& event, const DISPPARAMS* params, UINT* argumentError) {
    if (!params || params->cArgs != event.arguments.size() || (params->cArgs && !params->rgvarg))
        return DISP_E_BADPARAMCOUNT;
    for (size_t declared = 0; declared < event.arguments.size(); ++declared) {
        const VARIANT& value = argument(*params, declared);
        const bool fits = event.arguments[declared] == EventArgument::Object ? isObjectArgument(value)
                                                                            : isCancelArgument(value);
        if (!fits) {
            if (argumentError) *argumentError = static_cast<UINT>(slotOf(*params, declared));
            return DISP_E_TYPEMISMATCH;
        }
    }
    return S_OK;
}

automation::EventArgs readEventArguments(const EventInfo& event, const DISPPARAMS& params) {
    automation::EventArgs args;
    for (size_t declared = 0; declared < event.arguments.size(); ++declared) {
        const VARIANT& value = argument(params, declared);
        if (event.arguments[declared] == EventArgument::Object) {
            args.emplace_back(fromVariant(value));
        } else {
            args.emplace_back(cancelValue(value));
        }
    }
    return args;
}

void writeBackEventArguments(const EventInfo& event, const automation::EventArgs& args, DISPPARAMS& params) {
    for (size_t declared = 0; declared < event.arguments.size() && declared < args.size(); ++declared) {
        VARIANT& value = params.rgvarg[slotOf(params, declared)];
        if (event.arguments[declared] != EventArgument::Cancel || V_VT(&value) != (VT_BOOL | VT_BYREF)) continue;
        try {
            *V_BOOLREF(&value) = args[declared].toBool() ? VARIANT_TRUE : VARIANT_FALSE;
        } catch (const automation::Error&) {
            // A handler that left something other than a Boolean changes nothing.
        }
    }
}

}  // namespace win32
