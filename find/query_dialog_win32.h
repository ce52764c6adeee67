#pragma once
// The query dialog (106): mask, text, area and the four switches.
#include <windows.h>

#include "find/find_query.h"

namespace nrv {

// True on OK, with query filled and its start folder set from panelPath.
bool QueryDialog(HWND frame, FindFilesQuery& query, TextView panelPath);

}  // namespace nrv
