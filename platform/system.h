#pragma once
// Small services of the window system that portable code needs without drawing anything.
#include <cstdint>

#include "platform/handles.h"
#include "platform/text.h"

namespace nrv::platform {

// The platform's font description (LOGFONT) as plain members, in alphabetical order.
struct FontDescription {
  int32_t lfCharSet = 0;
  int32_t lfClipPrecision = 0;
  int32_t lfEscapement = 0;
  Text lfFaceName;
  int32_t lfHeight = 0;
  int32_t lfItalic = 0;
  int32_t lfOrientation = 0;
  int32_t lfOutPrecision = 0;
  int32_t lfPitchAndFamily = 0;
  int32_t lfQuality = 0;
  int32_t lfStrikeOut = 0;
  int32_t lfUnderline = 0;
  int32_t lfWeight = 0;
  int32_t lfWidth = 0;
};

struct CalendarTime {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
};

// FILETIME (UTC) to the local calendar time through the platform's time-zone rules.
bool FileTimeToLocal(uint64_t fileTime, CalendarTime& local);

int OsMajorVersion();
FontDescription IconTitleFont();
uint32_t SystemColor(int index);  // COLORREF of GetSysColor(index)

void SetWaitCursor(bool waiting);
void FocusWindow(NativeWindow window);
void DestroyIconHandle(NativeIcon icon);

}  // namespace nrv::platform
