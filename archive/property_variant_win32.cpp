#include "archive/property_variant_win32.h"

#include <stdexcept>

#include "archive/property_text.h"
#include "platform/win32/wide.h"

namespace nrv {

int PropertyToText(const PROPVARIANT& value, Text& text) {
  switch (value.vt) {
    case VT_EMPTY: text.clear(); return 0;
    case VT_BSTR:
      text = value.bstrVal ? platform::FromWide(value.bstrVal, ::SysStringLen(value.bstrVal)) : Text();
      return 0;
    case VT_BOOL: text = BooleanText(value.boolVal != VARIANT_FALSE); return 0;
    case VT_I2: text = SignedText(value.iVal); return 0;
    case VT_I4: text = SignedText(value.lVal); return 0;
    case VT_I8: text = SignedText(value.hVal.QuadPart); return 0;
    case VT_UI1: text = UnsignedText(value.bVal); return 0;
    case VT_UI2: text = UnsignedText(value.uiVal); return 0;
    case VT_UI4: text = UnsignedText(value.ulVal); return 0;
    case VT_UI8: text = UnsignedText(value.uhVal.QuadPart); return 0;
    case VT_FILETIME:
      text = FileTimeText((uint64_t{value.filetime.dwHighDateTime} << 32) | value.filetime.dwLowDateTime);
      return 0;
    default: return kUnsupportedPropertyType;
  }
}

void SetPropertyText(PROPVARIANT& value, const Text& text) {
  ::PropVariantClear(&value);
  BSTR copy = ::SysAllocStringLen(platform::Wide(text), static_cast<UINT>(text.size()));
  if (!copy) throw std::runtime_error("out of memory");
  value.vt = VT_BSTR;
  value.bstrVal = copy;
}

void SetPropertyBool(PROPVARIANT& value, bool on) {
  ::PropVariantClear(&value);
  value.vt = VT_BOOL;
  value.boolVal = on ? VARIANT_TRUE : VARIANT_FALSE;
}

void SetPropertyUInt64(PROPVARIANT& value, UINT64 number) {
  ::PropVariantClear(&value);
  value.vt = VT_UI8;
  value.uhVal.QuadPart = number;
}

void SetPropertyFileTime(PROPVARIANT& value, UINT64 fileTime) {
  ::PropVariantClear(&value);
  value.vt = VT_FILETIME;
  value.filetime.dwLowDateTime = static_cast<DWORD>(fileTime);
  value.filetime.dwHighDateTime = static_cast<DWORD>(fileTime >> 32);
}

}  // namespace nrv
