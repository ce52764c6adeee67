#pragma once
// Narrow archive-code strings to wide ones through the system's multibyte conversion.
#include <windows.h>

#include "archive/archive_containers.h"

namespace nrv {

UString MultiByteToUnicodeString(const AString& text, UINT codePage = CP_ACP);

}  // namespace nrv
