#pragma once
// The platform's font description as a LOGFONT and back.
#include <windows.h>

#include <algorithm>

#include "platform/system.h"
#include "platform/win32/wide.h"

namespace nrv::platform {

inline LOGFONTW ToLogFont(const FontDescription& d) {
  LOGFONTW font{};
  font.lfHeight = d.lfHeight;
  font.lfWidth = d.lfWidth;
  font.lfEscapement = d.lfEscapement;
  font.lfOrientation = d.lfOrientation;
  font.lfWeight = d.lfWeight;
  font.lfItalic = static_cast<BYTE>(d.lfItalic);
  font.lfUnderline = static_cast<BYTE>(d.lfUnderline);
  font.lfStrikeOut = static_cast<BYTE>(d.lfStrikeOut);
  font.lfCharSet = static_cast<BYTE>(d.lfCharSet);
  font.lfOutPrecision = static_cast<BYTE>(d.lfOutPrecision);
  font.lfClipPrecision = static_cast<BYTE>(d.lfClipPrecision);
  font.lfQuality = static_cast<BYTE>(d.lfQuality);
  font.lfPitchAndFamily = static_cast<BYTE>(d.lfPitchAndFamily);
  const size_t length = std::min<size_t>(d.lfFaceName.size(), LF_FACESIZE - 1);
  std::copy_n(d.lfFaceName.data(), length, reinterpret_cast<char16_t*>(font.lfFaceName));
  return font;
}

inline FontDescription FromLogFont(const LOGFONTW& f) {
  FontDescription d;
  d.lfCharSet = f.lfCharSet;
  d.lfClipPrecision = f.lfClipPrecision;
  d.lfEscapement = f.lfEscapement;
  d.lfFaceName = FromWide(f.lfFaceName);
  d.lfHeight = f.lfHeight;
  d.lfItalic = f.lfItalic;
  d.lfOrientation = f.lfOrientation;
  d.lfOutPrecision = f.lfOutPrecision;
  d.lfPitchAndFamily = f.lfPitchAndFamily;
  d.lfQuality = f.lfQuality;
  d.lfStrikeOut = f.lfStrikeOut;
  d.lfUnderline = f.lfUnderline;
  d.lfWeight = f.lfWeight;
  d.lfWidth = f.lfWidth;
  return d;
}

}  // namespace nrv::platform
