#pragma once
// The fonts the shell makes: the fixed table, the panel fonts and the font dialog.
#include <windows.h>

#include "core/settings.h"
#include "core/panel.h"
#include "platform/system.h"
#include "platform/win32/logfont.h"

namespace nrv {

using platform::FromLogFont;
using platform::ToLogFont;

// Makes the fifteen fixed fonts once.
void CreateFixedFontTable(int osMajor);
HFONT FixedFont(int32_t sizeCode, int32_t faceCode);
// Selects a table font into dc; codes outside the table select nothing.
void SelectFixedFont(HDC dc, int32_t sizeCode, int32_t faceCode);

// Remakes both panels' item and title fonts from the four font groups of the settings.
void ApplyPanelFonts(const Settings& settings);
// The settings' font groups from the panels' current descriptions, for a save.
void StorePanelFonts(Settings& settings);

// The system font dialog on the panel's item or title font; every change shows at once and
// stays, whatever button closes the dialog.
void ChoosePanelFont(Panel& panel, bool titleFont);

}  // namespace nrv
