#pragma once
// The one name rule. A name that comes from outside (a server's listing, an archive entry, a
// dropped list, the clipboard) becomes part of a local path only when it is exactly one valid
// Windows file name: otherwise a stranger's text could decide where a file lands.
#include "platform/text.h"

namespace nrv {

enum class NameFault {
  None,
  Empty,
  DotName,             // "." or ".."
  Separator,           // '\' or '/': more than one name
  ForbiddenCharacter,  // : * ? " < > | (a ':' also names an alternate data stream)
  ControlCharacter,    // below U+0020
  TrailingDotOrBlank,  // Windows drops them, so the name would not be the one shown
  DeviceName,          // CON, PRN, AUX, NUL, COM1-COM9, LPT1-LPT9, with or without extension
  TooLong,             // over 255 characters
};

inline constexpr size_t kMaxFileNameLength = 255;

NameFault CheckFileName(TextView name);
inline bool IsOneFileName(TextView name) { return CheckFileName(name) == NameFault::None; }

// What is wrong, for an error report that names the item.
TextView NameFaultText(NameFault fault);

}  // namespace nrv
