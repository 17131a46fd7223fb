#pragma once

#include <windows.h>
#include <oaidl.h>

#include <string>
#include <string_view>

#include "automation/value.h"

namespace win32 {

// Fills `out`, which must be empty, with a copy of `value`; the caller clears it.
void toVariant(const automation::Value& value, VARIANT& out);

// The value of a VARIANT as the product sees it; by-reference variants are read through.
// Raises Type mismatch for kinds the product has no value for (arrays, plain IUnknown).
automation::Value fromVariant(const VARIANT& value);

// An Object for an interface pointer a caller handed us (its IDispatch); Nothing for null.
// Raises Type mismatch when the object offers no IDispatch.
automation::Object objectFromUnknown(IUnknown* unknown);

// A new BSTR holding `text`; never null, so an empty string is an empty BSTR.
BSTR toBstr(std::string_view text);
std::string fromBstr(BSTR text);

}  // namespace win32
