#pragma once
// Library property values as text, the parts that need no variant type.
#include <cstdint>

#include "platform/text.h"

namespace nrv {

// The error raised for a value type that has no text.
inline constexpr int kUnsupportedPropertyType = 150245;

// "YYYY-MM-DD hh:mm:ss" of a FILETIME, in UTC.
Text FileTimeText(uint64_t fileTime);
Text SignedText(int64_t value);
Text UnsignedText(uint64_t value);
inline Text BooleanText(bool value) { return value ? u"+" : u"-"; }

}  // namespace nrv
