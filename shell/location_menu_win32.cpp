#include "shell/location_menu.h"

#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "config/history.h"
#include "core/drive_table.h"
#include "ftp/ftp_location_ops_win32.h"
#include "ftp/open_url_dialog_win32.h"
#include "panel/drive_details.h"
#include "panel/browse_folder_win32.h"
#include "panel/location_menu_model.h"
#include "panel/navigation.h"
#include "platform/system.h"
#include "platform/win32/wide.h"
#include "shell/main_menu_win32.h"
#include "shell/panel_commands_win32.h"
#include "shell/application.h"

namespace nrv {
namespace {

struct PopupMenu {
  HMENU handle = ::CreatePopupMenu();
  ~PopupMenu() {
    if (handle) ::DestroyMenu(handle);
  }
};

// The texts and shell icons of the open menu: owner-drawn items carry their text as item data,
// and the drawing code asks for the icon by item id.
struct OpenMenuData {
  std::vector<std::unique_ptr<std::wstring>> texts;
  std::map<uintptr_t, NativeIcon> icons;
  ~OpenMenuData() {
    for (auto& [id, icon] : icons)
      if (icon) ::DestroyIcon(static_cast<HICON>(icon));
  }
};

HICON ShellIconOf(const Text& path) {
  if (path.empty()) return nullptr;
  SHFILEINFOW info{};
  if (!::SHGetFileInfoW(platform::Wide(path), 0, &info, sizeof(info), SHGFI_ICON | SHGFI_SMALLICON))
    return nullptr;
  return info.hIcon;
}

HICON GenericIcon() {
  HICON small = nullptr;
  ::ExtractIconExW(L"shell32.dll", 15, nullptr, &small, 1);
  return small;
}

const wchar_t* KeepText(OpenMenuData& data, const Text& text) {
  data.texts.push_back(std::make_unique<std::wstring>(text.begin(), text.end()));
  return data.texts.back()->c_str();
}

Text SpecialFolder(int csidl) {
  wchar_t buffer[MAX_PATH] = {};
  if (FAILED(::SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, buffer))) return {};
  return platform::FromWide(buffer);
}

std::vector<Text> SpecialFolders() {
  return {SpecialFolder(CSIDL_DESKTOPDIRECTORY), SpecialFolder(CSIDL_PERSONAL), SpecialFolder(CSIDL_MYPICTURES),
          SpecialFolder(CSIDL_MYMUSIC), SpecialFolder(CSIDL_MYVIDEO)};
}

void AppendEntries(HMENU menu, const std::vector<LocationEntry>& entries, OpenMenuData& data) {
  for (const LocationEntry& entry : entries) {
    switch (entry.kind) {
      case LocationEntry::Kind::Separator:
        ::AppendMenuW(menu, MF_OWNERDRAW | MF_SEPARATOR, 0, nullptr);
        break;
      case LocationEntry::Kind::RecentSubmenu: {
        HMENU submenu = ::CreatePopupMenu();  // owned by the parent menu once appended
        AppendEntries(submenu, entry.children, data);
        const auto id = reinterpret_cast<UINT_PTR>(submenu);
        data.icons[id] = GenericIcon();
        ::AppendMenuW(menu, MF_OWNERDRAW | MF_POPUP, id, KeepText(data, entry.text));
        break;
      }
      case LocationEntry::Kind::Item: {
        UINT flags = MF_OWNERDRAW;
        if (entry.checked) flags |= MF_CHECKED;
        if (entry.disabled) flags |= MF_GRAYED;
        data.icons[entry.command] = entry.iconPath.empty() ? GenericIcon() : ShellIconOf(entry.iconPath);
        ::AppendMenuW(menu, flags, entry.command, KeepText(data, entry.text));
        break;
      }
    }
  }
}

void AfterMove(Panel& panel, int result) {
  LeaveFtpSession(panel);
  if (result != 0) return;
  RedrawMovedPanel(panel, ItemsOf(panel.side));
  UpdateCheckMarks();
}

}  // namespace

void OpenLocationMenu(Panel& panel) {
  if (TheShellState().viewerOpen || TheShellState().editorOpen) return;
  POINT corner{0, 0};
  ::ClientToScreen(static_cast<HWND>(WindowOf(panel)), &corner);
  OpenLocationMenuAt(panel, corner.x, corner.y);
}

void OpenLocationMenuAt(Panel& panel, int screenX, int screenY) {
  platform::SetWaitCursor(true);
  DriveTable& drives = TheApplication().context.drives;
  RebuildDrives(TheApplication().context);
  OpenMenuData data;
  PopupMenu menu;
  AppendEntries(menu.handle, LocationMenuModel(panel, drives, SpecialFolders(),
                                               ReadHistory(kHistoryRecentLocations)),
                data);
  platform::SetWaitCursor(false);
  ShellState& state = TheShellState();
  state.locationMenuSide = panel.side;
  state.openLocationMenuIcons = &data.icons;
  const UINT chosen = static_cast<UINT>(::TrackPopupMenu(
      menu.handle, TPM_RETURNCMD | TPM_LEFTALIGN | TPM_TOPALIGN, screenX, screenY, 0,
      TheShellWindows().main, nullptr));
  state.openLocationMenuIcons = nullptr;
  if (chosen) RunLocationCommand(chosen);
}

bool LocationMenuIcon(uintptr_t itemId, NativeIcon& icon) {
  const std::map<uintptr_t, NativeIcon>* icons = TheShellState().openLocationMenuIcons;
  if (!icons) return false;
  const auto found = icons->find(itemId);
  if (found == icons->end()) return false;
  icon = found->second;
  return true;
}

bool RunLocationCommand(uint32_t command) {
  Panel& panel = PanelOf(TheShellState().locationMenuSide);
  ItemList& list = ItemsOf(TheShellState().locationMenuSide);
  const DriveTable& drives = TheApplication().context.drives;
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
    case kLocationOpenUrl:
      OpenUrlCommand(TheShellWindows().main, panel, list);
      RedrawMovedPanel(panel, list);
      UpdateCheckMarks();
      return true;
    default: break;
  }
  const Text recent = RecentLocationOfCommand(command, ReadHistory(kHistoryRecentLocations));
  if (recent.empty()) return false;
  AfterMove(panel, SetPath(panel, list, recent));
  return true;
}

}  // namespace nrv
