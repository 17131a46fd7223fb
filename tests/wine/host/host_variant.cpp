#include "host_variant.h"

#include "sim_com_object.h"
#include "win32/variant_convert.h"

namespace host {
namespace {

IUnknown* objectPointer(const VARIANT& value) {
    switch (V_VT(&value)) {
    case VT_DISPATCH: return reinterpret_cast<IUnknown*>(V_DISPATCH(&value));
    case VT_UNKNOWN: return V_UNKNOWN(&value);
    case VT_DISPATCH | VT_BYREF: return V_DISPATCHREF(&value) ? reinterpret_cast<IUnknown*>(*V_DISPATCHREF(&value)) : nullptr;
    case VT_UNKNOWN | VT_BYREF: return V_UNKNOWNREF(&value) ? *V_UNKNOWNREF(&value) : nullptr;
    default: return nullptr;
    }
}

}  // namespace

void toVariant(const automation::Value& value, VARIANT& out) {
    if (!value.isObject()) return win32::toVariant(value, out);
    V_VT(&out) = VT_DISPATCH;
    V_DISPATCH(&out) = comObjectOf(value.toObject());
}

automation::Value fromVariant(const VARIANT& value) {
    IUnknown* pointer = objectPointer(value);
    if (pointer && isHostObject(pointer)) return simObjectOf(pointer);
    return win32::fromVariant(value);
}

}  // namespace host
