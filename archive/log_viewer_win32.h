#pragma once
// The log viewer (dialog 104): the entries of an archive operation's error log.
#include <windows.h>

#include "archive/error_log.h"

namespace nrv {

void ShowLogViewer(HWND owner, const ErrorLog& log);

}  // namespace nrv
