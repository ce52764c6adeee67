#include "shell/edit_command_win32.h"

#include <windows.h>

#include "archive/archive_copies_win32.h"
#include "config/history.h"
#include "core/listing.h"
#include "core/masks.h"
#include "core/panel_item.h"
#include "editor/editor_win32.h"
#include "panel/panel_paint.h"
#include "platform/message_box.h"
#include "platform/shell.h"
#include "shell/activation.h"
#include "shell/main_layout_win32.h"
#include "shell/main_menu_win32.h"
#include "shell/application.h"

namespace nrv {

namespace {

Panel* editedFrom = nullptr;

void ShowPanels(bool show) {
  for (int side : {kLeftPanel, kRightPanel}) {
    HWND window = static_cast<HWND>(ViewOf(side).window);
    ::EnableWindow(window, show);
    ::ShowWindow(window, show ? SW_SHOW : SW_HIDE);
  }
}

void EnterEditor() {
  TheShellState().editorOpen = true;
  ShowPanels(false);
}

// The cursor goes to the item with the edited file's name, the panel that had the keyboard
// gets it back.
void LeaveEditor(TextView name) {
  TheShellState().editorOpen = false;
  AttachMenu();
  ShowPanels(true);
  if (editedFrom) {
    ItemList& list = ItemsOf(editedFrom == &PanelOf(kLeftPanel) ? kLeftPanel : kRightPanel);
    for (int i = 0; i < Count(list); ++i) {
      if (!EqualsFolded(ItemName(At(list, i)), name)) continue;
      editedFrom->cursor = i;
      if (editedFrom->cursor < editedFrom->top || editedFrom->cursor >= editedFrom->top + editedFrom->visibleCount)
        editedFrom->top = i;
      break;
    }
  }
  ::SendMessageW(TheShellWindows().main, WM_SIZE, 0, 0);
  FocusOnActivation();
  ShowActivePathInTitle();
}

EditorHost Host() {
  EditorHost host;
  host.frame = TheShellWindows().main;
  host.settings = &TheSettings();
  host.osMajor = TheShellWindows().osMajor;
  host.searchDialog = &TheShellState().searchDialog;
  host.enter = EnterEditor;
  host.leave = LeaveEditor;
  return host;
}

int RunExternalEditor(const Settings& settings, const Text& file) {
  const intptr_t result = platform::ExecuteWithShell(u"open", settings.ExternalEditor, file, {});
  if (result > 32) return 0;
  platform::ShowMessage({nullptr, u"Failed execute external editor:\r\n" + settings.ExternalEditor + u" " + file,
                         u"Error", platform::MessageIcon::Error, platform::MessageButtons::Ok});
  return -1;
}

}  // namespace

int EditCursorItem(Panel& panel, ItemList& list) {
  if (IsEmpty(list) || TheShellState().viewerOpen || EditorActive()) return -1;
  AddHistory(TheSettings(), kHistoryRecentLocations, panel.path);
  const PanelItem& item = At(list, panel.cursor);
  if (IsUpEntry(item) || IsFolder(item)) return -1;
  // Items inside archives are edited as an extracted copy in the temporary folder.
  if (KindOf(panel) == LocationKind::Archive) {
    if (ExtractCopyToOpen(panel, list) != 0) return -1;
    const Text copy = panel.archiveTempFile;
    if (TheSettings().UseExternalEditor) return RunExternalEditor(TheSettings(), copy);
    editedFrom = &panel;
    return OpenEditor(Host(), copy, copy);
  }
  if (KindOf(panel) != LocationKind::Local && KindOf(panel) != LocationKind::Temporary) return -1;
  if (SetCurrentFolder(panel) != 0) return -1;
  const Text name(ItemName(item));
  const Text fullPath = platform::FullPathName(name);
  if (TheSettings().UseExternalEditor) return RunExternalEditor(TheSettings(), fullPath);
  editedFrom = &panel;
  return OpenEditor(Host(), name, fullPath);
}

}  // namespace nrv
