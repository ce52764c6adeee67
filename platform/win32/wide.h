#pragma once
// char16_t and wchar_t are both UTF-16 on Windows; these casts are the whole conversion.
#include <windows.h>

#include <string>

#include "platform/text.h"

namespace nrv::platform {

inline const wchar_t* Wide(const Text& text) { return reinterpret_cast<const wchar_t*>(text.c_str()); }
inline Text FromWide(const wchar_t* text) { return Text(reinterpret_cast<const char16_t*>(text)); }
inline Text FromWide(const wchar_t* text, size_t length) {
  return Text(reinterpret_cast<const char16_t*>(text), length);
}

}  // namespace nrv::platform
