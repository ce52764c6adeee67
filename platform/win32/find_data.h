#pragma once
// A native find record as the portable FindData, for every listing of the platform's.
#include <windows.h>

#include "platform/files.h"

namespace nrv::platform {

FindData FromNative(const WIN32_FIND_DATAW& native);

}  // namespace nrv::platform
