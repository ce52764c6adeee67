#pragma once
// The settings record in the registry: key "Software\Norvane\" under HKEY_CURRENT_USER.
// Three storage kinds: DWORD (REG_DWORD, 4 bytes), FLAG (REG_BINARY, exactly
// 1 byte) and TEXT (REG_SZ, UTF-16, written with 2 x length bytes and no terminator).
#include <cstdint>

#include "core/settings.h"
#include "platform/text.h"

namespace nrv {

inline constexpr char16_t kSettingsKeyPath[] = u"Software\\Norvane\\";

// Fills the record from the registry. Returns 0 when every value was read, -1 when the
// defaults were applied instead: silently when the key can't be opened or created or
// `ColorScheme` can't be read (first run); with one message naming the key and the registry
// error code when a later value is missing or unfit. A value of the wrong registry type or
// data size counts as a failed read with error 13 (ERROR_INVALID_DATA). A TEXT value that is
// empty or longer than 259 characters leaves its field empty and is no error. A FLAG byte
// other than 0 or 1 is kept as read.
int LoadSettings(Settings& settings);

// The state the windows own while the program runs, copied into the record just before a
// save. The window code fills it.
struct LiveState {
  int32_t SortPanelLeft = 0, SortPanelRight = 0;
  int32_t ModePanelLeft = 0, ModePanelRight = 0;
  int32_t ModePanelLeftColumns = 0, ModePanelRightColumns = 0;
  int32_t WindowsOffset = 0;
  Text PanelPathLeft, PanelPathRight;
  int32_t FontViewerSize = 0, FontViewerFace = 0;
  int32_t FontStatusbarSize = 0, FontStatusbarFace = 0;
  FontGroup leftFont, leftTitleFont, rightFont, rightTitleFont;
  // The main window's screen rectangle including the frame (the maximised or full-screen
  // rectangle when it is so).
  int32_t WindowLeft = 0, WindowTop = 0, WindowRight = 0, WindowBottom = 0;
};

// Copies the live state into the record, each font member by member into its group.
void TakeLiveState(Settings& settings, const LiveState& live);

// Writes the record as it is. Returns -1 when the key can't be opened or created ("Error
// opening system registry. Error %d."), else 0, also after a failed write, which has been
// reported ("Error save configuration to system registry. Error %d.") and stops the save with
// the earlier values kept.
int SaveSettings(Settings& settings);

// "Save configuration": TakeLiveState, then SaveSettings.
int SaveSettings(Settings& settings, const LiveState& live);

}  // namespace nrv
