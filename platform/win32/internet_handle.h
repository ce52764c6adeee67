#pragma once
// The one Internet session handle, closed at the end.
#include <windows.h>
#include <wininet.h>

#include "platform/win32/gdi_objects.h"

namespace nrv::platform {

inline void CloseInternetHandle(HINTERNET handle) { ::InternetCloseHandle(handle); }
using InternetHandle = UniqueHandle<HINTERNET, CloseInternetHandle>;

}  // namespace nrv::platform
