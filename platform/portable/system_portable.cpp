#include <ctime>

#include "platform/system.h"
#include "platform/worker.h"

namespace nrv::platform {

bool FileTimeToLocal(uint64_t fileTime, CalendarTime& local) {
  constexpr uint64_t kUnixEpoch = 116444736000000000ULL;  // 1970-01-01 as FILETIME
  const int64_t seconds = fileTime >= kUnixEpoch
                              ? static_cast<int64_t>((fileTime - kUnixEpoch) / 10000000ULL)
                              : -static_cast<int64_t>((kUnixEpoch - fileTime + 9999999ULL) / 10000000ULL);
  const auto t = static_cast<std::time_t>(seconds);
  std::tm parts{};
  if (!localtime_r(&t, &parts)) return false;
  local = {parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday,
           parts.tm_hour,        parts.tm_min,     parts.tm_sec};
  return true;
}

int OsMajorVersion() { return 10; }

FontDescription IconTitleFont() {
  FontDescription font;
  font.lfFaceName = u"Tahoma";
  font.lfHeight = -11;
  font.lfWeight = 400;
  font.lfCharSet = 1;
  return font;
}

uint32_t SystemColor(int index) {
  // Classic Windows defaults, enough for the schemes that follow system colours.
  switch (index) {
    case 4: return 0xF0F0F0;   // COLOR_MENU
    case 5: return 0xFFFFFF;   // COLOR_WINDOW
    case 7: return 0x000000;   // COLOR_MENUTEXT
    case 8: return 0x000000;   // COLOR_WINDOWTEXT
    case 12: return 0xABABAB;  // COLOR_APPWORKSPACE
    case 13: return 0xD77800;  // COLOR_HIGHLIGHT
    case 14: return 0xFFFFFF;  // COLOR_HIGHLIGHTTEXT
    case 17: return 0x6D6D6D;  // COLOR_GRAYTEXT
    case 27: return 0xEAD1B9;  // COLOR_GRADIENTACTIVECAPTION
    case 28: return 0xF2E4D7;  // COLOR_GRADIENTINACTIVECAPTION
    default: return 0;
  }
}

void SetWaitCursor(bool) {}
void FocusWindow(NativeWindow) {}
void DestroyIconHandle(NativeIcon) {}

}  // namespace nrv::platform

namespace nrv {

// A non-null token: host code can start workers that ask for a wake event.
NativeEvent CreateNativeEvent() { static char token; return &token; }
void SignalNativeEvent(NativeEvent) {}
void CloseNativeEvent(NativeEvent) {}

}  // namespace nrv
