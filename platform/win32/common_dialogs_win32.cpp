#include "platform/win32/common_dialogs.h"

#include "platform/win32/gdi_objects.h"

namespace nrv::platform {

BOOL ShowChooseFont(CHOOSEFONTW& request) {
  const Module library(::LoadLibraryW(L"comdlg32.dll"));
  if (!library.Get()) return FALSE;
  using ChooseFontCall = BOOL(WINAPI*)(CHOOSEFONTW*);
  const auto choose = reinterpret_cast<ChooseFontCall>(
      reinterpret_cast<void (*)()>(::GetProcAddress(library.Get(), "ChooseFontW")));
  return choose ? choose(&request) : FALSE;
}

}  // namespace nrv::platform
