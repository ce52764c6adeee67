#pragma once
// The colour values of the settings in registry order, with the four built-in schemes.
// Shared by ApplyScheme and the registry store. There are 37 of them, all read and written.
#include <cstdint>

#include "core/settings.h"

namespace nrv::settings_colours {

// The Win32 COLOR_* indices the schemes read through platform::SystemColor.
inline constexpr int kColorMenu = 4;
inline constexpr int kColorWindow = 5;
inline constexpr int kColorMenuText = 7;
inline constexpr int kColorWindowText = 8;
inline constexpr int kColorAppWorkspace = 12;
inline constexpr int kColorHighlight = 13;
inline constexpr int kColorHighlightText = 14;
inline constexpr int kColorGrayText = 17;
inline constexpr int kColorGradientActiveCaption = 27;
inline constexpr int kColorGradientInactiveCaption = 28;

// One cell of the scheme table: a fixed colour, a system colour read when the scheme is
// applied, or nothing (the value stays).
struct SchemeCell {
  enum class Kind : uint8_t { Fixed, System, Unset };
  Kind kind = Kind::Unset;
  uint32_t value = 0;  // COLORREF for Fixed, COLOR_* index for System
};

constexpr SchemeCell Rgb(uint32_t r, uint32_t g, uint32_t b) {
  return {SchemeCell::Kind::Fixed, r | (g << 8) | (b << 16)};
}
constexpr SchemeCell Sys(int index) {
  return {SchemeCell::Kind::System, static_cast<uint32_t>(index)};
}
inline constexpr SchemeCell kNotSet{SchemeCell::Kind::Unset, 0};

inline constexpr int kBuiltInSchemes = 4;

struct ColourValue {
  const char16_t* name;
  Colour Settings::*field;
  SchemeCell schemes[kBuiltInSchemes];  // 0 Windows default colors, 1 Gray, 2 Blue, 3 White
};

#define NRV_COLOUR(member, s0, s1, s2, s3) \
  ColourValue { u"" #member, &Settings::member, { s0, s1, s2, s3 } }

// clang-format off
inline constexpr ColourValue kColourValues[] = {
  NRV_COLOUR(ClrPanelBackground,                Sys(kColorWindow),                  Rgb(40, 40, 40),    Rgb(3, 31, 61),    Rgb(255, 255, 255)),
  NRV_COLOUR(ClrPanelText,                      Sys(kColorAppWorkspace),            Rgb(80, 80, 80),    Rgb(0, 200, 200),  Rgb(180, 180, 180)),
  NRV_COLOUR(ClrPanelHighlightText,             Sys(kColorWindowText),              Rgb(255, 255, 255), Rgb(0, 255, 255),  Rgb(0, 0, 0)),
  NRV_COLOUR(ClrPanelStatusbarBackground,       Sys(kColorGradientActiveCaption),   Rgb(60, 110, 160),  Rgb(12, 95, 143),  Rgb(125, 171, 255)),
  NRV_COLOUR(ClrPanelStatusbarText,             Sys(kColorWindowText),              Rgb(0, 0, 0),       Rgb(0, 0, 0),      Rgb(0, 0, 0)),
  NRV_COLOUR(ClrPanelSelectedBackground,        Sys(kColorGradientActiveCaption),   Rgb(60, 110, 160),  Rgb(12, 95, 143),  Rgb(125, 171, 255)),
  NRV_COLOUR(ClrPanelSelectedText,              Rgb(255, 0, 0),                     Rgb(255, 255, 0),   Rgb(255, 255, 0),  Rgb(255, 0, 0)),
  NRV_COLOUR(ClrPanelCursorBackground,          kNotSet,                            Rgb(60, 110, 160),  Rgb(60, 110, 160), Rgb(60, 110, 160)),
  NRV_COLOUR(ClrPanelCursorText,                Sys(kColorWindowText),              Rgb(0, 0, 0),       Rgb(0, 0, 0),      Rgb(0, 0, 0)),
  NRV_COLOUR(ClrPanelFilesText,                 Sys(kColorWindowText),              Rgb(200, 200, 200), Rgb(0, 200, 200),  Rgb(32, 32, 32)),
  NRV_COLOUR(ClrPanelFoldersText,               Sys(kColorWindowText),              Rgb(255, 255, 255), Rgb(255, 255, 255), Rgb(0, 0, 0)),
  NRV_COLOUR(ClrPanelJunctionFrame,             Sys(kColorGrayText),                Rgb(100, 100, 100), Rgb(0, 160, 160),  Rgb(160, 160, 160)),
  NRV_COLOUR(ClrPanelFolderFrame,               Sys(kColorWindowText),              Rgb(54, 128, 201),  Rgb(0, 255, 255),  Rgb(0, 0, 0)),
  NRV_COLOUR(ClrPanelLongNameFrame,             Sys(kColorGrayText),                Rgb(128, 0, 128),   Rgb(0, 200, 200),  Rgb(100, 100, 100)),
  NRV_COLOUR(ClrPanelHiddenFilesText,           Sys(kColorGrayText),                Rgb(70, 70, 70),    Rgb(0, 128, 128),  Rgb(103, 103, 165)),
  NRV_COLOUR(ClrPanelArchiveFilesText,          Rgb(160, 0, 128),                   Rgb(159, 21, 179),  Rgb(200, 0, 200),  Rgb(166, 0, 141)),
  NRV_COLOUR(ClrPanelExecutableFilesText,       Rgb(0, 128, 0),                     Rgb(0, 140, 56),    Rgb(0, 200, 0),    Rgb(23, 75, 255)),
  NRV_COLOUR(ClrPanelToolbarBackground,         Sys(kColorMenu),                    Rgb(100, 100, 100), Rgb(4, 41, 81),    Rgb(240, 240, 240)),
  NRV_COLOUR(ClrPanelToolbarBackgroundSelected, Sys(kColorGradientActiveCaption),   Rgb(120, 120, 120), Rgb(12, 95, 143),  Rgb(125, 171, 255)),
  NRV_COLOUR(ClrPanelToolbarText,               Sys(kColorMenuText),                Rgb(220, 220, 220), Rgb(0, 200, 200),  Rgb(0, 0, 0)),
  NRV_COLOUR(ClrPanelMenuText,                  Sys(kColorMenuText),                Rgb(0, 0, 0),       Rgb(0, 200, 200),  Rgb(0, 0, 0)),
  NRV_COLOUR(ClrPanelMenuBackground,            Sys(kColorGradientActiveCaption),   Rgb(60, 110, 160),  Rgb(12, 95, 143),  Rgb(125, 171, 255)),
  NRV_COLOUR(ClrPanelMenuBackgroundDefault,     Sys(kColorWindow),                  Rgb(160, 160, 160), Rgb(3, 31, 61),    Rgb(255, 255, 255)),
  NRV_COLOUR(ClrPanelMenuBackgroundChecked,     Sys(kColorGradientInactiveCaption), Rgb(140, 140, 140), Rgb(12, 95, 143),  Rgb(200, 200, 200)),
  NRV_COLOUR(ClrPanelTitleBackground,           Sys(kColorGradientInactiveCaption), Rgb(40, 40, 40),    Rgb(3, 31, 61),    Rgb(200, 200, 200)),
  NRV_COLOUR(ClrViewerBackground,               Sys(kColorWindow),                  Rgb(40, 40, 40),    Rgb(3, 31, 61),    Rgb(255, 255, 255)),
  NRV_COLOUR(ClrViewerText,                     Sys(kColorWindowText),              Rgb(200, 200, 200), Rgb(0, 200, 200),  Rgb(32, 32, 32)),
  NRV_COLOUR(ClrViewerStatusbarBackground,      Sys(kColorGradientActiveCaption),   Rgb(60, 110, 160),  Rgb(12, 95, 143),  Rgb(125, 171, 255)),
  NRV_COLOUR(ClrViewerStatusbarText,            Sys(kColorWindowText),              Rgb(0, 0, 0),       Rgb(0, 0, 0),      Rgb(0, 0, 0)),
  NRV_COLOUR(ClrViewerSelectedBackground,       Sys(kColorHighlight),               Rgb(60, 110, 160),  Rgb(12, 95, 143),  Rgb(125, 171, 255)),
  NRV_COLOUR(ClrViewerSelectedText,             Sys(kColorHighlightText),           Rgb(0, 0, 0),       Rgb(0, 0, 0),      Rgb(0, 0, 0)),
  NRV_COLOUR(ClrEditorBackground,               Sys(kColorWindow),                  Rgb(40, 40, 40),    Rgb(3, 31, 61),    Rgb(255, 255, 255)),
  NRV_COLOUR(ClrEditorText,                     Sys(kColorWindowText),              Rgb(200, 200, 200), Rgb(0, 200, 200),  Rgb(32, 32, 32)),
  NRV_COLOUR(ClrEditorStatusbarBackground,      Sys(kColorGradientActiveCaption),   Rgb(60, 110, 160),  Rgb(12, 95, 143),  Rgb(125, 171, 255)),
  NRV_COLOUR(ClrEditorStatusbarText,            Sys(kColorWindowText),              Rgb(0, 0, 0),       Rgb(0, 0, 0),      Rgb(0, 0, 0)),
  NRV_COLOUR(ClrEditorSelectedBackground,       Sys(kColorHighlight),               Rgb(60, 110, 160),  Rgb(12, 95, 143),  Rgb(125, 171, 255)),
  NRV_COLOUR(ClrEditorSelectedText,             Sys(kColorHighlightText),           Rgb(0, 0, 0),       Rgb(0, 0, 0),      Rgb(0, 0, 0)),
};
// clang-format on

#undef NRV_COLOUR

static_assert(sizeof(kColourValues) / sizeof(kColourValues[0]) == 37);

}  // namespace nrv::settings_colours
