#include "platform/win32/common_dialogs.h"

#include "platform/win32/gdi_objects.h"

namespace nrv::platform {

namespace {

// Loads the library for one call of its function name, which takes a Request*.
template <typename Request>
BOOL CallCommonDialog(const char* name, Request& request) {
  const Module library(::LoadLibraryW(L"comdlg32.dll"));
  if (!library.Get()) return FALSE;
  using Call = BOOL(WINAPI*)(Request*);
  const auto call = reinterpret_cast<Call>(reinterpret_cast<void (*)()>(::GetProcAddress(library.Get(), name)));
  return call ? call(&request) : FALSE;
}

}  // namespace

BOOL ShowChooseFont(CHOOSEFONTW& request) { return CallCommonDialog("ChooseFontW", request); }
BOOL ShowChooseColor(CHOOSECOLORW& request) { return CallCommonDialog("ChooseColorW", request); }
BOOL ShowOpenFileName(OPENFILENAMEW& request) { return CallCommonDialog("GetOpenFileNameW", request); }
BOOL ShowSaveFileName(OPENFILENAMEW& request) { return CallCommonDialog("GetSaveFileNameW", request); }

Module LoadCommonControls(DWORD classes) {
  Module library(::LoadLibraryW(L"comctl32.dll"));
  if (!library.Get()) return library;
  struct Request {
    DWORD size;
    DWORD classes;
  } request{sizeof(Request), classes};  // INITCOMMONCONTROLSEX, without the header that declares it
  using Call = BOOL(WINAPI*)(const Request*);
  if (const auto call = reinterpret_cast<Call>(
          reinterpret_cast<void (*)()>(::GetProcAddress(library.Get(), "InitCommonControlsEx"))))
    call(&request);
  return library;
}

}  // namespace nrv::platform
