#include "shell/options_commands_win32.h"

#include <windows.h>

#include "core/settings.h"
#include "config/settings_dialogs_win32.h"
#include "config/settings_store.h"
#include "config/tab_store.h"
#include "core/listing.h"
#include "platform/message_box.h"
#include "shell/command_ids.h"
#include "shell/drawing_objects.h"
#include "shell/fonts.h"
#include "shell/main_menu_win32.h"
#include "shell/panel_tabs_win32.h"
#include "shell/application.h"

namespace nrv {
namespace {

void Flip(uint8_t& flag) { flag = flag ? 0 : 1; }

void ResizeMain() {
  if (HWND main = TheShellWindows().main) ::SendMessageW(main, WM_SIZE, 0, 0);
}

// A panel switch may show or hide the tab rows before the layout is made again.
void ResizeMainWithTabRows() {
  for (int side : {kLeftPanel, kRightPanel}) SyncTabRow(PanelOf(side));
  ResizeMain();
}

void ShowToolbar() {
  Flip(TheSettings().PanelShowToolbar);
  ResizeMain();
  UpdateCheckMarks();
}

void AlwaysShowMenu() {
  Settings& settings = TheSettings();
  Flip(settings.PanelShowMenu);
  if (!settings.PanelShowMenu) {
    platform::MessageRequest notice;
    notice.text = u"Menu will be hidden. Use F9 to show menu.";
    notice.caption = u"Hide menu";
    notice.icon = platform::MessageIcon::Information;
    platform::ShowMessage(notice);
  }
  AttachMenu();
  UpdateCheckMarks();
}

void VerticalArrangement() {
  Flip(TheSettings().ArrageHorizontal);
  ResizeMain();
  UpdateCheckMarks();
}

void LoadDefaults() {
  Settings& settings = TheSettings();
  LoadDefaultConfiguration(settings);
  for (int side : {kLeftPanel, kRightPanel}) KeepOnlyCurrentTab(PanelOf(side));
  ApplyPanelFonts(settings);
  RemakePensAndBrushes();
  // The defaults switch the menu and toolbar on again.
  AttachMenu();
  UpdateCheckMarks();
  if (HWND main = TheShellWindows().main) ::SendMessageW(main, WM_COMMAND, command::kUpdateFileLists, 0);
  ResizeMain();
}

void RereadBothPanels() {
  if (HWND main = TheShellWindows().main) ::SendMessageW(main, WM_COMMAND, command::kUpdateFileLists, 0);
}

SettingsDialogHooks DialogHooks() {
  SettingsDialogHooks hooks;
  hooks.owner = TheShellWindows().main;
  hooks.redraw = &ResizeMainWithTabRows;
  hooks.rereadPanels = &RereadBothPanels;
  hooks.remakeDrawing = &RemakePensAndBrushes;
  hooks.customColours = TheShellState().customColours.data();
  return hooks;
}

// Whatever the dialog ended with, the main window is laid out and drawn again; the panel
// switches may change the totals lines first.
void OpenSettingsDialog(int (*dialog)(Settings&, const SettingsDialogHooks&)) {
  dialog(TheSettings(), DialogHooks());
  if (dialog == &PanelSettingsDialog)
    for (int side : {kLeftPanel, kRightPanel}) {
      ComputeTotals(ItemsOf(side), PanelOf(side));
      SyncTabRow(PanelOf(side));
    }
  ResizeMain();
}

LiveState CurrentLiveState() {
  const ShellState& state = TheShellState();
  const Panel& left = PanelOf(kLeftPanel);
  const Panel& right = PanelOf(kRightPanel);
  LiveState live;
  live.SortPanelLeft = left.sortMode;
  live.SortPanelRight = right.sortMode;
  live.ModePanelLeft = left.viewMode;
  live.ModePanelRight = right.viewMode;
  live.ModePanelLeftColumns = left.briefColumns;
  live.ModePanelRightColumns = right.briefColumns;
  live.WindowsOffset = state.windowsOffset;
  live.PanelPathLeft = left.path;
  live.PanelPathRight = right.path;
  live.FontViewerSize = state.viewerFontSize;
  live.FontViewerFace = state.viewerFontFace;
  live.FontStatusbarSize = state.statusFontSize;
  live.FontStatusbarFace = state.statusFontFace;
  live.leftFont = FromLogFont(FontsOf(kLeftPanel).itemDescription);
  live.leftTitleFont = FromLogFont(FontsOf(kLeftPanel).titleDescription);
  live.rightFont = FromLogFont(FontsOf(kRightPanel).itemDescription);
  live.rightTitleFont = FromLogFont(FontsOf(kRightPanel).titleDescription);
  RECT window{};
  if (HWND main = TheShellWindows().main) ::GetWindowRect(main, &window);
  live.WindowLeft = window.left;
  live.WindowTop = window.top;
  live.WindowRight = window.right;
  live.WindowBottom = window.bottom;
  return live;
}

// The tabs go beside the record: PanelPathLeft and PanelPathRight still hold each current
// tab's folder for settings readers that know no tabs.
void SaveConfiguration() {
  if (SaveSettings(TheSettings(), CurrentLiveState()) != 0) return;
  for (int side : {kLeftPanel, kRightPanel}) RememberCurrentTab(PanelOf(side), ItemsOf(side));
  if (const uint32_t error =
          SaveTabValues(SaveTabs(TabsOf(kLeftPanel)), SaveTabs(TabsOf(kRightPanel)), TheSettings())) {
    platform::MessageRequest failure;
    failure.text = u"Error save configuration to system registry. Error " + Ascii(std::to_string(error)) + u".";
    failure.caption = u"Error";
    failure.icon = platform::MessageIcon::Error;
    platform::ShowMessage(failure);
  }
}

}  // namespace

bool HandleOptionsCommand(uint32_t id) {
  switch (id) {
    case command::kShowToolbar: ShowToolbar(); return true;
    case command::kAlwaysShowMenu: AlwaysShowMenu(); return true;
    case command::kVerticalArrangement: VerticalArrangement(); return true;
    case command::kPanelSettings: OpenSettingsDialog(&PanelSettingsDialog); return true;
    case command::kColours: OpenSettingsDialog(&ColoursDialog); return true;
    case command::kViewerSettings: OpenSettingsDialog(&ViewerSettingsDialog); return true;
    case command::kEditorSettings: OpenSettingsDialog(&EditorSettingsDialog); return true;
    case command::kLoadDefaultConfiguration: LoadDefaults(); return true;
    case command::kSaveConfiguration: SaveConfiguration(); return true;
    default: return false;
  }
}

}  // namespace nrv
