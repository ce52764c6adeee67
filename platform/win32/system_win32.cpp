#include <windows.h>

#include "platform/system.h"
#include "platform/worker.h"
#include "platform/win32/logfont.h"
#include "platform/win32/wide.h"

namespace nrv::platform {

bool FileTimeToLocal(uint64_t fileTime, CalendarTime& local) {
  FILETIME utc{static_cast<DWORD>(fileTime), static_cast<DWORD>(fileTime >> 32)};
  SYSTEMTIME universal{}, zoned{};
  if (!::FileTimeToSystemTime(&utc, &universal)) return false;
  if (!::SystemTimeToTzSpecificLocalTime(nullptr, &universal, &zoned)) return false;
  local = {zoned.wYear, zoned.wMonth, zoned.wDay, zoned.wHour, zoned.wMinute, zoned.wSecond};
  return true;
}

int OsMajorVersion() {
  // GetVersionEx lies to unmanifested programs; the kernel's own numbers do not.
  using RtlGetVersionFn = LONG(WINAPI*)(OSVERSIONINFOW*);
  OSVERSIONINFOW info{};
  info.dwOSVersionInfoSize = sizeof(info);
  if (HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll")) {
    auto fn = reinterpret_cast<RtlGetVersionFn>(
        reinterpret_cast<void*>(::GetProcAddress(ntdll, "RtlGetVersion")));
    if (fn && fn(&info) == 0) return static_cast<int>(info.dwMajorVersion);
  }
  return 6;
}

FontDescription IconTitleFont() {
  LOGFONTW native{};
  ::SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof(native), &native, 0);
  return FromLogFont(native);
}

uint32_t SystemColor(int index) { return ::GetSysColor(index); }

void SetWaitCursor(bool waiting) {
  ::SetCursor(::LoadCursorW(nullptr, waiting ? IDC_WAIT : IDC_ARROW));
}

void FocusWindow(NativeWindow window) {
  if (window) ::SetFocus(static_cast<HWND>(window));
}

void DestroyIconHandle(NativeIcon icon) {
  if (icon) ::DestroyIcon(static_cast<HICON>(icon));
}

}  // namespace nrv::platform

namespace nrv {

NativeEvent CreateNativeEvent() { return ::CreateEventW(nullptr, TRUE, FALSE, nullptr); }

void SignalNativeEvent(NativeEvent event) {
  if (event) ::SetEvent(static_cast<HANDLE>(event));
}

void CloseNativeEvent(NativeEvent event) {
  if (event) ::CloseHandle(static_cast<HANDLE>(event));
}

}  // namespace nrv
