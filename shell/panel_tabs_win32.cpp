#include "shell/panel_tabs_win32.h"

#include <windows.h>

#include <chrono>

#include "archive/archive_item_list.h"
#include "archive/archive_navigation.h"
#include "archive/archive_open_win32.h"
#include "config/password_dialog_win32.h"
#include "config/dialog_store.h"
#include "core/panel_context.h"
#include "ftp/ftp_location_ops_win32.h"
#include "ftp/ftp_session_win32.h"
#include "panel/navigation.h"
#include "panel/panel_paint.h"
#include "panel/panel_reader.h"
#include "platform/shell.h"
#include "shell/activation.h"
#include "shell/application.h"
#include "shell/main_menu_win32.h"
#include "shell/panel_commands_win32.h"

namespace nrv {
namespace {

bool FolderExists(TextView folder) { return platform::IsExistingFolder(folder); }

bool AskPassword(Text& password) { return PasswordDialog(TheShellWindows().main, password) == kDialogOk; }


PanelTab RecordOf(const Panel& panel, const ItemList& list) {
  const bool hasCursor = !IsEmpty(list) && panel.cursor >= 0 && panel.cursor < Count(list);
  PanelTab tab = TabOfPanel(panel, hasCursor ? ItemName(At(list, panel.cursor)) : TextView());
  if (tab.kind == LocationKind::Ftp) {
    if (const FtpSession* session = SessionOf(panel)) {
      tab.server = session->host;
      tab.port = session->port;
      tab.login = session->login;
      tab.password = session->password;
      tab.passive = session->passive ? 1 : 0;
    }
  }
  return tab;
}

void PlaceCursorByName(Panel& panel, const ItemList& list, const PanelTab& tab) {
  const int index = tab.cursorName.empty() ? -1 : IndexOfName(list, tab.cursorName);
  if (index < 0) return;
  panel.cursor = index;
  // The drawing keeps the cursor on the page from this top.
  panel.top = std::min(tab.top, index);
}

int ShowLocal(Panel& panel, ItemList& list, const PanelTab& tab) {
  const Text folder = NearestExistingFolder(tab.path, &FolderExists);
  if (folder.empty()) return -1;
  // On a worker the cursor is placed when the list arrives.
  return SetPath(panel, list, folder, tab.cursorName);
}

int ShowArchive(Panel& panel, ItemList& list, const PanelTab& tab) {
  {
    // The archive is an item of the folder read: that list is needed at once.
    const ReadAtOnce atOnce(panel);
    if (ShowLocal(panel, list, tab) != 0) return -1;
  }
  const int index = IndexOfName(list, tab.archiveName);
  const ArchiveEntry at{tab.inner, tab.cursorName};
  if (index < 0 || OpenArchiveItem(panel, list, index, &AskPassword, AskOpenAsUdf, at) != 0) return 0;  // on its folder
  // On a worker the folder inside and the cursor come with the list.
  if (!tab.inner.empty() && !IsReading(panel)) {
    panel.archiveFolder = tab.inner;
    if (RebuildArchiveList(panel, list) != 0) {
      panel.archiveFolder.clear();
      RebuildArchiveList(panel, list);
    }
    ResetArchiveView(panel);
    ComputeTotals(list, panel);
  }
  return 0;
}

int ShowFtp(Panel& panel, ItemList& list, const PanelTab& tab) {
  if (!SessionOf(panel)) return -1;
  const FtpLogin login{tab.server, static_cast<uint16_t>(tab.port), tab.login, tab.password, tab.passive != 0, tab.inner};
  return OpenFtp(panel, list, login, tab.cursorName);
}

// The one move of the panel to the tab's location, then the tab's cursor, sort and view.
void ShowTab(Panel& panel, ItemList& list, const PanelTab& tab) {
  panel.sortMode = tab.sortMode;
  panel.viewMode = tab.viewMode;
  panel.briefColumns = tab.briefColumns;
  int result = -1;
  switch (tab.kind) {
    case LocationKind::Local: result = ShowLocal(panel, list, tab); break;
    case LocationKind::Archive: result = ShowArchive(panel, list, tab); break;
    case LocationKind::Ftp: result = ShowFtp(panel, list, tab); break;
    case LocationKind::Temporary: {
      const ReadAtOnce atOnce(panel);
      if (ShowLocal(panel, list, tab) == 0) result = OpenTemporaryPanel(panel, list, OtherPanel(panel));
      break;
    }
  }
  if (KindOf(panel) != LocationKind::Ftp) LeaveFtpSession(panel);
  if (IsReading(panel)) {
    // The list comes from a worker: until then the tab keeps the record it was shown from.
    SyncTabRow(panel);
    RedrawMovedPanel(panel, list);
    UpdateCheckMarks();
    return;
  }
  if (result == 0) PlaceCursorByName(panel, list, tab);
  // Whatever came of it, the current tab now says what the panel shows.
  CurrentTab(TabsOf(panel.side)) = RecordOf(panel, list);
  SyncTabRow(panel);
  RedrawMovedPanel(panel, list);
  UpdateCheckMarks();
}

void RedrawRow(Panel& panel, ItemList& list) {
  SyncTabRow(panel);
  RepaintPanel(panel, list);
}

}  // namespace

bool TabRowWanted(const Panel& panel) {
  return TabCount(TabsOf(panel.side)) > 1 || SettingsOf(panel).PanelAlwaysShowTabs;
}

void SyncTabRow(Panel& panel) { panel.tabRowShown = TabRowWanted(panel) ? 1 : 0; }

void RememberCurrentTab(Panel& panel, const ItemList& list) {
  PanelTabs& tabs = TabsOf(panel.side);
  // While a read is in flight the panel still shows where it came from; the tab already names
  // where it is going.
  if (!tabs.tabs.empty() && IsReading(panel)) return;
  if (tabs.tabs.empty())
    tabs.tabs.push_back(RecordOf(panel, list));
  else
    CurrentTab(tabs) = RecordOf(panel, list);
}

void SetUpTabs(Panel& panel, ItemList& list, const SavedTabs& saved) {
  PanelTabs& tabs = TabsOf(panel.side);
  tabs = RestoreTabs(saved.values, saved.current, &FolderExists);
  if (tabs.tabs.empty()) {
    RememberCurrentTab(panel, list);
    SyncTabRow(panel);
    return;
  }
  const PanelTab& current = CurrentTab(tabs);
  // The first read may still be on its worker: the tab's cursor needs its list.
  if (IsReading(panel)) FinishReadWithin(panel, list, std::chrono::seconds(30));
  // The start folder is usually the current tab's own, already read in the same order: only the
  // cursor and view are the tab's then.
  if (current.kind == LocationKind::Local && current.path == panel.path && current.sortMode == panel.sortMode) {
    panel.viewMode = current.viewMode;
    panel.briefColumns = current.briefColumns;
    PlaceCursorByName(panel, list, current);
    SyncTabRow(panel);
    return;
  }
  ShowTab(panel, list, current);
}

void KeepOnlyCurrentTab(Panel& panel) {
  PanelTabs& tabs = TabsOf(panel.side);
  if (tabs.tabs.empty()) return;
  PanelTab current = std::move(CurrentTab(tabs));
  tabs.tabs.clear();
  tabs.tabs.push_back(std::move(current));
  tabs.current = 0;
  SyncTabRow(panel);
}

void NewTab(Panel& panel, ItemList& list) {
  RememberCurrentTab(panel, list);
  PanelTabs& tabs = TabsOf(panel.side);
  if (!OpenTab(tabs, tabs.tabs[static_cast<size_t>(tabs.current)])) {
    ::MessageBeep(MB_OK);
    return;
  }
  RedrawRow(panel, list);
}

void CloseTabAt(Panel& panel, ItemList& list, int32_t index) {
  PanelTabs& tabs = TabsOf(panel.side);
  RememberCurrentTab(panel, list);
  const bool wasCurrent = index == tabs.current;
  if (!CloseTab(tabs, index)) return;
  if (wasCurrent)
    ShowTab(panel, list, CurrentTab(tabs));
  else
    RedrawRow(panel, list);
}

void ShowTabAt(Panel& panel, ItemList& list, int32_t index) {
  PanelTabs& tabs = TabsOf(panel.side);
  if (index < 0 || index >= TabCount(tabs) || index == tabs.current) return;
  RememberCurrentTab(panel, list);
  tabs.current = index;
  ShowTab(panel, list, CurrentTab(tabs));
}

void StepTab(Panel& panel, ItemList& list, int32_t step) {
  ShowTabAt(panel, list, StepTabIndex(TabsOf(panel.side), step));
}

void MoveTabTo(Panel& panel, ItemList& list, int32_t from, int32_t to) {
  if (MoveTab(TabsOf(panel.side), from, to)) RedrawRow(panel, list);
}

}  // namespace nrv
