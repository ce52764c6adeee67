#pragma once
// Library property values: reading them as text and setting them for the update callback.
#include "archive/property_text.h"
#include "archive/seven_zip_interfaces_win32.h"
#include "platform/text.h"

namespace nrv {

// The value's text; kUnsupportedPropertyType (and text untouched) for a type without one,
// else 0.
int PropertyToText(const PROPVARIANT& value, Text& text);

// Each clears the previous value first. A failed string allocation raises "out of memory".
void SetPropertyText(PROPVARIANT& value, const Text& text);
void SetPropertyBool(PROPVARIANT& value, bool on);
void SetPropertyUInt64(PROPVARIANT& value, UINT64 number);
void SetPropertyFileTime(PROPVARIANT& value, UINT64 fileTime);

// Clears the variant on every path out.
class PropVariantHolder {
 public:
  PropVariantHolder() { ::PropVariantInit(&value); }
  ~PropVariantHolder() { ::PropVariantClear(&value); }
  PropVariantHolder(const PropVariantHolder&) = delete;
  PropVariantHolder& operator=(const PropVariantHolder&) = delete;
  // Five of these per archive item: a value that holds no memory is only marked empty, the
  // system's clearing (a call into another module each time) kept for those that do.
  PROPVARIANT* Out() {
    switch (value.vt) {
      case VT_EMPTY: case VT_BOOL: case VT_UI4: case VT_UI8: case VT_FILETIME: break;
      case VT_BSTR: ::SysFreeString(value.bstrVal); break;
      default: ::PropVariantClear(&value); break;
    }
    value.vt = VT_EMPTY;
    return &value;
  }
  PROPVARIANT value;
};

}  // namespace nrv
