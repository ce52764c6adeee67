#include "shell/panel_commands_win32.h"

#include <windows.h>

#include "archive/add_command_win32.h"
#include "archive/archive_location_ops.h"
#include "archive/archive_open_win32.h"
#include "archive/archive_copies_win32.h"
#include "archive/extract_command_win32.h"
#include "config/dialog_store.h"
#include "config/history.h"
#include "config/password_dialog_win32.h"
#include "config/prompt_dialog_win32.h"
#include "config/quick_search_win32.h"
#include "core/settings.h"
#include "core/listing.h"
#include "core/masks.h"
#include "core/selection.h"
#include "core/sorting.h"
#include "fileops/file_operation.h"
#include "fileops/file_operation_win32.h"
#include "fileops/make_folder.h"
#include "fileops/run_file.h"
#include "find/find_command_win32.h"
#include "ftp/ftp_location_ops_win32.h"
#include "ftp/ftp_transfer_win32.h"
#include "panel/clipboard_win32.h"
#include "shell/location_menu.h"
#include "panel/navigation.h"
#include "panel/panel_paint.h"
#include "panel/panel_reader.h"
#include "panel/update_panel.h"
#include "platform/shell.h"
#include "shell/activation.h"
#include "shell/command_ids.h"
#include "shell/cursor_movement.h"
#include "shell/edit_command_win32.h"
#include "shell/fonts.h"
#include "shell/main_layout_win32.h"
#include "shell/main_menu_win32.h"
#include "shell/options_commands_win32.h"
#include "shell/panel_reads_win32.h"
#include "shell/panel_tabs_win32.h"
#include "shell/application.h"
#include "shell/toolbar_clicks_win32.h"
#include "shell/viewer_frame_win32.h"

namespace nrv {
namespace {

ItemList& ListOf(const Panel& panel) { return ItemsOf(panel.side); }

void RedrawCursorArea(Panel& panel, ItemList& list) { DrawItems(list, panel); }

void RedrawWithMarks(Panel& panel, ItemList& list) {
  RepaintPanel(panel, list);
  UpdateCheckMarks();
}

bool AskDestination(const DestinationQuestion& question, Text& answer) {
  return PromptDialog(TheShellWindows().main, question.proposal, question.caption, question.text, answer,
                      question.historyList) == kDialogOk;
}

void AfterFileOperation(Panel& panel, ItemList& list, const FileOperationResult& result) {
  if (result.panelChanged) RepaintPanel(panel, list);
  Panel& other = OtherPanel(panel);
  if (result.otherChanged) RepaintPanel(other, ListOf(other));
}

void RunFileOperation(Panel& panel, ItemList& list, PanelKey action) {
  Panel& other = OtherPanel(panel);
  ItemList& otherList = ListOf(other);
  Application& application = TheApplication();
  FileOperationHooks hooks =
      ShellFileOperationHooks(&AskDestination, application.fileWorkers, application.context);
  hooks.ftpTransfer = &RunFtpTransfer;
  const LocationOps& ops = OpsOf(panel);
  if (action == PanelKey::Copy && KindOf(panel) == LocationKind::Archive) {
    ExtractToFolder(panel, list, other);
    return;
  }
  FileOperationResult result;
  switch (action) {
    case PanelKey::Copy: result = ops.copyOut(panel, list, other, otherList, hooks); break;
    case PanelKey::Move: result = ops.moveOut(panel, list, other, otherList, hooks); break;
    case PanelKey::DeleteToRecycleBin: result = ops.remove(panel, list, other, otherList, true, hooks); break;
    default: result = ops.remove(panel, list, other, otherList, false, hooks); break;
  }
  AfterFileOperation(panel, list, result);
}

void SetViewMode(Panel& panel, ItemList& list, int32_t mode) {
  panel.viewMode = mode;
  RedrawWithMarks(panel, list);
}

void NextBriefColumns(Panel& panel, ItemList& list) {
  if (panel.viewMode != kViewBrief) return;
  panel.briefColumns = panel.briefColumns >= 4 ? 2 : panel.briefColumns + 1;
  RedrawWithMarks(panel, list);
}

void SortBy(Panel& panel, ItemList& list, int32_t mode) {
  const int sorted = KindOf(panel) == LocationKind::Archive ? SetArchiveSortMode(panel, list, mode)
                                                             : SetSortMode(panel, list, mode);
  if (sorted == 0) RedrawWithMarks(panel, list);
}

void SelectByMask(Panel& panel, ItemList& list, bool select) {
  if (IsEmpty(list)) return;
  Text mask;
  const int answer =
      select ? PromptDialog(TheShellWindows().main, u"*.*", u"Select file(s)", u"Enter the file name or mask to selection: ", mask,
                            kHistorySelections)
             : PromptDialog(TheShellWindows().main, u"*.*", u"Deselect file(s)", u"Enter the file name or mask to deselection: ",
                            mask, kHistorySelections);
  if (answer != kDialogOk) return;
  AddHistory(TheSettings(), kHistorySelections, mask);
  ApplyMaskSelection(panel, list, mask, select);
  RedrawCursorArea(panel, list);
}

void MakeFolder(Panel& panel, ItemList& list) {
  if (IsEmpty(list)) return;
  AddHistory(TheSettings(), kHistoryRecentLocations, panel.path);
  if (KindOf(panel) != LocationKind::Local && KindOf(panel) != LocationKind::Ftp) return;
  if (SetCurrentFolder(panel) != 0) return;
  Text typed;
  if (PromptDialog(TheShellWindows().main, {}, u"Make folder", u"Create the folder:", typed, kHistoryCreateFolder) !=
      kDialogOk)
    return;
  if (OpsOf(panel).makeFolder(panel, typed) != 0) return;
  Panel& left = PanelOf(kLeftPanel);
  Panel& right = PanelOf(kRightPanel);
  {
    // The cursor goes onto the new folder: the lists are needed at once.
    const ReadAtOnce leftAtOnce(left), rightAtOnce(right);
    OpsOf(left).refresh(left, ItemsOf(kLeftPanel));
    OpsOf(right).refresh(right, ItemsOf(kRightPanel));
  }
  PlaceCursorOnCreated(panel, list, typed);
  RepaintPanel(left, ItemsOf(kLeftPanel));
  RepaintPanel(right, ItemsOf(kRightPanel));
  ActivatePanel(panel);
}

void Reload(Panel& panel, ItemList& list) {
  if (OpsOf(panel).refresh(panel, list) == PanelUpdate::Updated) RepaintPanel(panel, list);
}

void CursorProperties(Panel& panel, ItemList& list) {
  if (IsEmpty(list) || SetCurrentFolder(panel) != 0) return;
  ShowItemProperties(panel, ItemName(At(list, panel.cursor)));
}

bool AskArchivePassword(Text& password) {
  return PasswordDialog(TheShellWindows().main, password) == kDialogOk;
}

// A file inside an archive opens as its extracted copy in the temporary folder.
void OpenArchiveCopy(Panel& panel, ItemList& list) {
  if (ExtractCopyToOpen(panel, list) != 0) return;
  const TextView copy = panel.archiveTempFile;
  const size_t slash = copy.find_last_of(u'\\');
  RunFile(TheSettings(), copy.substr(0, slash), copy.substr(slash + 1));
}

void OpenCursorItem(Panel& panel, ItemList& list) {
  const LocationKind kindBefore = KindOf(panel);
  const int entered = EnterKey(panel, list, OpsOf(panel).enterItem);
  if (entered == kEnteredFile && kindBefore == LocationKind::Archive) {
    OpenArchiveCopy(panel, list);
    return;
  }
  // A file of a folder is entered when it is an archive, else run or opened.
  if (entered == kEnteredFile && OpenArchiveItem(panel, list, panel.cursor, &AskArchivePassword) == kNotAnArchive) {
    RunFile(TheSettings(), panel.path, ItemName(At(list, panel.cursor)));
    panel.active = 1;
  }
  if (entered < 0 && panel.path.empty()) return;
  RedrawMovedPanel(panel, list);
  if (kindBefore != KindOf(panel)) UpdateCheckMarks();
  if (panel.active) ActivatePanel(panel);
}

void ToParent(Panel& panel, ItemList& list) {
  if (OpsOf(panel).goUp(panel, list) == 0 || !IsEmpty(list)) RedrawMovedPanel(panel, list);
}

void RunQuickSearch(Panel& panel, ItemList& list, char16_t typed) {
  const Text start(1, typed);
  if (JumpToPrefix(panel, list, start) < 0) return;
  RedrawCursorArea(panel, list);
  QuickSearch(WindowOf(panel), start, panel, list, [](ItemList& items, Panel& shown) { DrawItems(items, shown); });
}

template <typename Move>
void MoveCursor(Panel& panel, ItemList& list, Move move) {
  if (move(panel, list) == 0) RedrawCursorArea(panel, list);
}

// The panel menus (2001..2029, 4001..4029) on their own side.
void RunPanelMenuCommand(uint32_t leftId, Panel& panel, ItemList& list) {
  switch (leftId) {
    case command::kSource: OpenLocationMenu(panel); break;
    case command::kViewBrief: SetViewMode(panel, list, kViewBrief); break;
    case command::kViewMedium: SetViewMode(panel, list, kViewMedium); break;
    case command::kViewFull: SetViewMode(panel, list, kViewFull); break;
    case command::kFilePanel:
      if (panel.temporary && LeaveTemporaryOrFtp(panel, list) == 0) {
        RedrawMovedPanel(panel, list);
        UpdateCheckMarks();
      }
      break;
    case command::kTemporaryPanel:
      if (!panel.temporary && OpenTemporaryPanel(panel, list, OtherPanel(panel)) == 0) {
        RedrawMovedPanel(panel, list);
        UpdateCheckMarks();
      }
      break;
    case command::kSortName: SortBy(panel, list, kSortName); break;
    case command::kSortExtension: SortBy(panel, list, kSortExtension); break;
    case command::kSortWriteTime: SortBy(panel, list, kSortWriteTime); break;
    case command::kSortSize: SortBy(panel, list, kSortSize); break;
    case command::kSortUnsorted: SortBy(panel, list, kSortUnsorted); break;
    case command::kSortCreationTime: SortBy(panel, list, kSortCreationTime); break;
    case command::kSortAccessTime: SortBy(panel, list, kSortAccessTime); break;
    case command::kReloadPanel: Reload(panel, list); break;
    case command::kNewTab: NewTab(panel, list); break;
    case command::kCloseTab: CloseTabAt(panel, list, TabsOf(panel.side).current); break;
    case command::kNextTab: StepTab(panel, list, 1); break;
    case command::kPreviousTab: StepTab(panel, list, -1); break;
    case command::kPanelFont: ChoosePanelFont(panel, false); break;
    case command::kTitleFont: ChoosePanelFont(panel, true); break;
    case command::kColumns2:
    case command::kColumns3:
    case command::kColumns4:
      panel.briefColumns = static_cast<int32_t>(leftId - command::kColumns2) + 2;
      RedrawWithMarks(panel, list);
      break;
    default: break;
  }
}

// Files and Commands items that act on the active panel, as their keys do.
PanelKey ActionOfFilesCommand(uint32_t id) {
  switch (id) {
    case command::kCopy: return PanelKey::Copy;
    case command::kMove: return PanelKey::Move;
    case command::kMakeFolder: return PanelKey::MakeFolder;
    case command::kDelete: return PanelKey::DeletePermanently;
    case command::kDeleteToRecycleBin: return PanelKey::DeleteToRecycleBin;
    case command::kAddToArchive: return PanelKey::AddToArchive;
    case command::kExtractFromArchive: return PanelKey::ExtractFromArchive;
    case command::kFileProperties: return PanelKey::Properties;
    case command::kSelectGroup: return PanelKey::SelectGroup;
    case command::kDeselectGroup: return PanelKey::DeselectGroup;
    case command::kInvertSelection: return PanelKey::InvertSelection;
    case command::kSelectAll: return PanelKey::SelectAll;
    case command::kCopyFullPaths: return PanelKey::CopyFullPaths;
    case command::kCopyNames: return PanelKey::CopyNames;
    case command::kCompareFolders: return PanelKey::CompareFolders;
    default: return PanelKey::None;
  }
}

void UpdateFileLists(uint32_t which) {
  if (which == kLeftPanel || which == kRightPanel) {
    Reload(PanelOf(static_cast<int>(which)), ItemsOf(static_cast<int>(which)));
    return;
  }
  Panel& left = PanelOf(kLeftPanel);
  Panel& right = PanelOf(kRightPanel);
  if (OpsOf(left).refresh(left, ItemsOf(kLeftPanel)) == PanelUpdate::Updated) RepaintPanel(left, ItemsOf(kLeftPanel));
  if (OpsOf(right).refresh(right, ItemsOf(kRightPanel)) == PanelUpdate::Updated)
    RepaintPanel(right, ItemsOf(kRightPanel));
  if (Panel* active = ActivePanel()) ActivatePanel(*active);
}

void AfterFindMove(Panel& panel, ItemList& list) {
  LeaveFtpSession(panel);
  RedrawMovedPanel(panel, list);
  UpdateCheckMarks();
}

void RunFindFiles(Panel& panel, ItemList& list) {
  const FindHooks hooks{&AskArchivePassword, &AfterFindMove};
  Panel& other = OtherPanel(panel);
  FindFilesCommand(TheShellWindows().main, TheApplication().find, panel, list, other, ListOf(other), hooks);
}

}  // namespace

void RedrawMovedPanel(Panel& panel, ItemList& list) {
  // A move handed to a worker changed nothing yet: the read's end draws it (an extra paint
  // now would also ask the shell about the folder being read).
  if (IsReading(panel) && panel.reading->request.kind == ReadKind::NewLocation) return;
  ForgetLeftArchive(panel);
  RepaintPanel(panel, list);
  ShowActivePathInTitle();
}

void RunPanelAction(Panel& panel, ItemList& list, PanelKey action) {
  if (RefusedWhileReading(panel, list, action)) return;
  // A comparison selects in both panels: the other one's list must be the one it will show.
  if (action == PanelKey::CompareFolders &&
      RefusedWhileReading(OtherPanel(panel), ListOf(OtherPanel(panel)), action))
    return;
  switch (action) {
    case PanelKey::None: break;
    case PanelKey::CursorDown: MoveCursor(panel, list, CursorDown); break;
    case PanelKey::CursorUp: MoveCursor(panel, list, CursorUp); break;
    case PanelKey::ColumnForward: MoveCursor(panel, list, ColumnForward); break;
    case PanelKey::ColumnBack: MoveCursor(panel, list, ColumnBack); break;
    case PanelKey::CursorHome: MoveCursor(panel, list, CursorHome); break;
    case PanelKey::CursorEnd: MoveCursor(panel, list, CursorEnd); break;
    case PanelKey::PageDown: MoveCursor(panel, list, PageDown); break;
    case PanelKey::PageUp: MoveCursor(panel, list, PageUp); break;
    case PanelKey::ToggleAndDown: MoveCursor(panel, list, ToggleAndDown); break;
    case PanelKey::CopyNames: CopyNamesToClipboard(list, panel, false, OpsOf(panel).clipboardPath); break;
    case PanelKey::CopyFullPaths:
      if (!IsEmpty(list) && (KindOf(panel) == LocationKind::Archive || SetCurrentFolder(panel) == 0))
        CopyNamesToClipboard(list, panel, true, OpsOf(panel).clipboardPath);
      break;
    case PanelKey::Open: OpenCursorItem(panel, list); break;
    case PanelKey::Parent: ToParent(panel, list); break;
    case PanelKey::Copy:
    case PanelKey::Move:
    case PanelKey::DeleteToRecycleBin:
    case PanelKey::DeletePermanently: RunFileOperation(panel, list, action); break;
    case PanelKey::MakeFolder: MakeFolder(panel, list); break;
    case PanelKey::SortName: SortBy(panel, list, kSortName); break;
    case PanelKey::SortExtension: SortBy(panel, list, kSortExtension); break;
    case PanelKey::SortWriteTime: SortBy(panel, list, kSortWriteTime); break;
    case PanelKey::SortSize: SortBy(panel, list, kSortSize); break;
    case PanelKey::SortUnsorted: SortBy(panel, list, kSortUnsorted); break;
    case PanelKey::SortCreationTime: SortBy(panel, list, kSortCreationTime); break;
    case PanelKey::SortAccessTime: SortBy(panel, list, kSortAccessTime); break;
    case PanelKey::SelectGroup: SelectByMask(panel, list, true); break;
    case PanelKey::DeselectGroup: SelectByMask(panel, list, false); break;
    case PanelKey::InvertSelection:
      InvertSelection(list, panel);
      RedrawCursorArea(panel, list);
      break;
    case PanelKey::SelectAll:
      SetAll(list, panel, 1);
      RedrawCursorArea(panel, list);
      break;
    case PanelKey::DeselectAll:
      SetAll(list, panel, 0);
      RedrawCursorArea(panel, list);
      break;
    case PanelKey::ViewBrief: SetViewMode(panel, list, kViewBrief); break;
    case PanelKey::ViewMedium: SetViewMode(panel, list, kViewMedium); break;
    case PanelKey::ViewFull: SetViewMode(panel, list, kViewFull); break;
    case PanelKey::NextBriefColumns: NextBriefColumns(panel, list); break;
    case PanelKey::Reload: Reload(panel, list); break;
    case PanelKey::Properties: CursorProperties(panel, list); break;
    case PanelKey::View: ViewCursorItem(panel, list); break;
    case PanelKey::Edit: EditCursorItem(panel, list); break;
    case PanelKey::FindFiles: RunFindFiles(panel, list); break;
    case PanelKey::CompareFolders: CompareFoldersCommand(TheApplication().compare); break;
    case PanelKey::StopFolderSizes: StopFolderSizes(TheApplication().folderSizes); break;
    case PanelKey::AddToArchive: AddToArchiveCommand(panel, list); break;
    case PanelKey::ExtractFromArchive:
      if (KindOf(panel) == LocationKind::Archive) ExtractToFolder(panel, list, OtherPanel(panel));
      break;
    case PanelKey::NewTab: NewTab(panel, list); break;
    case PanelKey::CloseTab: CloseTabAt(panel, list, TabsOf(panel.side).current); break;
    case PanelKey::MoveTabLeft:
    case PanelKey::MoveTabRight: {
      const int32_t current = TabsOf(panel.side).current;
      MoveTabTo(panel, list, current, current + (action == PanelKey::MoveTabLeft ? -1 : 1));
      break;
    }
  }
}

void RunQuickSearchFromPanel(Panel& panel, ItemList& list, char16_t typed) { RunQuickSearch(panel, list, typed); }

void RunMainCommand(uint32_t id) {
  if (id == command::kUpdateFileLists) return;  // carries its panel in lParam: see the caller
  const uint32_t commandId = CommandOfMenuId(id);
  if (HandleOptionsCommand(commandId)) return;
  if (const auto panelCommand = command::SplitPanelCommand(commandId); panelCommand.side) {
    RunPanelMenuCommand(panelCommand.leftId, PanelOf(panelCommand.side), ItemsOf(panelCommand.side));
    return;
  }
  switch (commandId) {
    case command::kFullScreen: ToggleFullScreen(TheShellWindows().main); return;
    case command::kExit: ::SendMessageW(TheShellWindows().main, WM_CLOSE, 0, 0); return;
    case command::kFolderSizes: RunFolderSizes(); return;
    case command::kRunDialog:
      platform::ExecuteWithShell(u"open", u"rundll32.exe", u"shell32.dll,#61", {});
      return;
    default: break;
  }
  Panel* active = ActivePanel();
  if (!active) return;
  if (commandId == command::kFindFiles) {
    RunFindFiles(*active, ListOf(*active));
    return;
  }
  if (commandId == command::kCommandConsole) {
    OpenConsole(active->path);
    return;
  }
  RunPanelAction(*active, ListOf(*active), ActionOfFilesCommand(commandId));
}

void RunUpdateFileLists(uint32_t which) { UpdateFileLists(which); }

void RunBackgroundUpdates(uint32_t which) {
  // Both sides are what an ended operation asks for: its panels are read again at once, fresh,
  // as they always were (the selection it worked on goes).
  if (which != kLeftPanel && which != kRightPanel) {
    UpdateFileLists(which);
    return;
  }
  Panel& panel = PanelOf(static_cast<int>(which));
  ItemList& list = ItemsOf(static_cast<int>(which));
  const PanelUpdate update = KindOf(panel) == LocationKind::Local ? UpdatePanelInBackground(panel, list)
                                                                   : OpsOf(panel).refresh(panel, list);
  if (update == PanelUpdate::Updated) RepaintPanel(panel, list);
}

}  // namespace nrv
