#include "panel/location_menu.h"

#include <windows.h>
#include <shlobj.h>

#include "config/history.h"
#include "core/drive_table.h"
#include "panel/browse_folder_win32.h"
#include "panel/location_menu_model.h"
#include "panel/navigation.h"
#include "platform/system.h"
#include "platform/win32/wide.h"
#include "shell/main_menu_win32.h"
#include "shell/panel_commands_win32.h"
#include "shell/shell_windows.h"

namespace nrv {
namespace {

// The panel the menu was opened for; its command goes there.
int gMenuSide = kLeftPanel;

struct PopupMenu {
  HMENU handle = ::CreatePopupMenu();
  ~PopupMenu() {
    if (handle) ::DestroyMenu(handle);
  }
};

Text SpecialFolder(int csidl) {
  wchar_t buffer[MAX_PATH] = {};
  if (FAILED(::SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, buffer))) return {};
  return platform::FromWide(buffer);
}

std::vector<Text> SpecialFolders() {
  return {SpecialFolder(CSIDL_DESKTOPDIRECTORY), SpecialFolder(CSIDL_PERSONAL), SpecialFolder(CSIDL_MYPICTURES),
          SpecialFolder(CSIDL_MYMUSIC), SpecialFolder(CSIDL_MYVIDEO)};
}

void AppendEntries(HMENU menu, const std::vector<LocationEntry>& entries) {
  for (const LocationEntry& entry : entries) {
    switch (entry.kind) {
      case LocationEntry::Kind::Separator: ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr); break;
      case LocationEntry::Kind::RecentSubmenu: {
        HMENU submenu = ::CreatePopupMenu();  // owned by the parent menu once appended
        AppendEntries(submenu, entry.children);
        ::AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(submenu), platform::Wide(entry.text));
        break;
      }
      case LocationEntry::Kind::Item: {
        UINT flags = MF_STRING;
        if (entry.checked) flags |= MF_CHECKED;
        if (entry.disabled) flags |= MF_GRAYED;
        ::AppendMenuW(menu, flags, entry.command, platform::Wide(entry.text));
        break;
      }
    }
  }
}

void AfterMove(Panel& panel, int result) {
  if (result != 0) return;
  RedrawMovedPanel(panel, ItemsOf(panel.side));
  UpdateCheckMarks();
}

}  // namespace

void OpenLocationMenu(Panel& panel) {
  if (TheShellState().viewerOpen || TheShellState().editorOpen) return;
  POINT corner{0, 0};
  ::ClientToScreen(static_cast<HWND>(panel.window), &corner);
  OpenLocationMenuAt(panel, corner.x, corner.y);
}

void OpenLocationMenuAt(Panel& panel, int screenX, int screenY) {
  platform::SetWaitCursor(true);
  BuildDriveTable();
  PopupMenu menu;
  AppendEntries(menu.handle, LocationMenuModel(panel, TheDriveTable(), SpecialFolders(),
                                               ReadHistory(kHistoryRecentLocations)));
  platform::SetWaitCursor(false);
  gMenuSide = panel.side;
  const UINT chosen = static_cast<UINT>(::TrackPopupMenu(
      menu.handle, TPM_RETURNCMD | TPM_LEFTALIGN | TPM_TOPALIGN, screenX, screenY, 0,
      TheShellWindows().main, nullptr));
  if (chosen) RunLocationCommand(chosen);
}

bool RunLocationCommand(uint32_t command) {
  Panel& panel = PanelOf(gMenuSide);
  ItemList& list = ItemsOf(gMenuSide);
  const DriveTable& drives = TheDriveTable();
  if (command >= kLocationFirstDrive && command < kLocationFirstDrive + drives.rows.size()) {
    AfterMove(panel, ChangeDrive(panel, list, OtherPanel(panel), true, drives.rows[command - kLocationFirstDrive]));
    return true;
  }
  if (command >= kLocationDesktop && command <= kLocationVideo) {
    const Text folder = SpecialFolders()[command - kLocationDesktop];
    if (!folder.empty()) AfterMove(panel, SetPath(panel, list, folder));
    return true;
  }
  switch (command) {
    case kLocationTemporaryPanel: AfterMove(panel, OpenTemporaryPanel(panel, list, OtherPanel(panel))); return true;
    case kLocationBrowse: AfterMove(panel, BrowseForFolder(panel, list)); return true;
    case kLocationOpenUrl: return true;  // FTP folders arrive with the FTP client
    default: break;
  }
  const Text recent = RecentLocationOfCommand(command, ReadHistory(kHistoryRecentLocations));
  if (recent.empty()) return false;
  AfterMove(panel, SetPath(panel, list, recent));
  return true;
}

}  // namespace nrv
