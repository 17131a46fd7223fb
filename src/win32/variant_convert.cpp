#include "win32/variant_convert.h"

#include <cstdint>
#include <limits>
#include <new>

#include "automation/error.h"
#include "win32/com_dispatch.h"
#include "win32/wide.h"

namespace win32 {
namespace {

IDispatch* dispatchOf(const automation::Object& object) {
    if (!object) return nullptr;
    IDispatch* dispatch = ComDispatch::unwrap(object);
    if (!dispatch) throw automation::errors::typeMismatch();
    IDispatch_AddRef(dispatch);
    return dispatch;
}

automation::Value asDouble(const VARIANT& value) {
    VARIANT converted;
    VariantInit(&converted);
    if (FAILED(VariantChangeType(&converted, const_cast<VARIANT*>(&value), 0, VT_R8))) throw automation::errors::overflow();
    return V_R8(&converted);
}

automation::Value fromUnsigned(uint32_t number) {
    if (number <= static_cast<uint32_t>(std::numeric_limits<int32_t>::max())) return static_cast<int32_t>(number);
    return static_cast<double>(number);
}

automation::Value fromByReference(const VARIANT& value) {
    VARIANT target;
    VariantInit(&target);
    if (FAILED(VariantCopyInd(&target, const_cast<VARIANT*>(&value)))) throw automation::errors::typeMismatch();
    try {
        automation::Value result = fromVariant(target);
        VariantClear(&target);
        return result;
    } catch (...) {
        VariantClear(&target);
        throw;
    }
}

}  // namespace

automation::Object objectFromUnknown(IUnknown* unknown) {
    if (!unknown) return automation::Object();
    IDispatch* dispatch = nullptr;
    if (FAILED(IUnknown_QueryInterface(unknown, IID_IDispatch, reinterpret_cast<void**>(&dispatch))))
        throw automation::errors::typeMismatch();
    return ComDispatch::adopt(dispatch);
}

BSTR toBstr(std::string_view text) {
    const std::wstring utf16 = wide(text);
    BSTR result = SysAllocStringLen(utf16.data(), static_cast<UINT>(utf16.size()));
    if (!result) throw std::bad_alloc();
    return result;
}

std::string fromBstr(BSTR text) { return narrow(text, SysStringLen(text)); }

void toVariant(const automation::Value& value, VARIANT& out) {
    struct Visitor {
        VARIANT& out;
        void operator()(std::monostate) const { V_VT(&out) = VT_EMPTY; }
        void operator()(bool b) const {
            V_VT(&out) = VT_BOOL;
            V_BOOL(&out) = b ? VARIANT_TRUE : VARIANT_FALSE;
        }
        void operator()(int16_t i) const {
            V_VT(&out) = VT_I2;
            V_I2(&out) = i;
        }
        void operator()(int32_t i) const {
            V_VT(&out) = VT_I4;
            V_I4(&out) = i;
        }
        void operator()(double d) const {
            V_VT(&out) = VT_R8;
            V_R8(&out) = d;
        }
        void operator()(automation::Date d) const {
            V_VT(&out) = VT_DATE;
            V_DATE(&out) = d.serial;
        }
        void operator()(const std::string& s) const {
            V_BSTR(&out) = toBstr(s);
            V_VT(&out) = VT_BSTR;
        }
        void operator()(const automation::Object& o) const {
            V_DISPATCH(&out) = dispatchOf(o);
            V_VT(&out) = VT_DISPATCH;
        }
        // An argument left out, as Basic passes it: the callee applies its default.
        void operator()(automation::Missing) const {
            V_VT(&out) = VT_ERROR;
            V_ERROR(&out) = DISP_E_PARAMNOTFOUND;
        }
    };
    std::visit(Visitor{out}, value.data());
}

automation::Value fromVariant(const VARIANT& value) {
    if (V_VT(&value) & VT_BYREF) return fromByReference(value);
    switch (V_VT(&value)) {
    case VT_EMPTY:
    case VT_NULL:
        return automation::Value();
    case VT_BOOL:
        return V_BOOL(&value) != VARIANT_FALSE;
    case VT_I1:
        return static_cast<int16_t>(V_I1(&value));
    case VT_UI1:
        return static_cast<int16_t>(V_UI1(&value));
    case VT_I2:
        return V_I2(&value);
    case VT_UI2:
        return static_cast<int32_t>(V_UI2(&value));
    case VT_I4:
        return static_cast<int32_t>(V_I4(&value));
    case VT_INT:
        return static_cast<int32_t>(V_INT(&value));
    case VT_UI4:
        return fromUnsigned(V_UI4(&value));
    case VT_UINT:
        return fromUnsigned(V_UINT(&value));
    case VT_R8:
        return V_R8(&value);
    case VT_R4:
    case VT_I8:
    case VT_UI8:
    case VT_CY:
    case VT_DECIMAL:
        return asDouble(value);
    case VT_DATE:
        return automation::Date{V_DATE(&value)};
    case VT_BSTR:
        return fromBstr(V_BSTR(&value));
    case VT_DISPATCH:
        return ComDispatch::wrap(V_DISPATCH(&value));
    case VT_UNKNOWN:
        return objectFromUnknown(V_UNKNOWN(&value));
    case VT_ERROR:
        if (V_ERROR(&value) == DISP_E_PARAMNOTFOUND) return automation::Missing{};
        return static_cast<int32_t>(V_ERROR(&value));
    default:
        throw automation::errors::typeMismatch();
    }
}

}  // namespace win32
