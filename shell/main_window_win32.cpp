#include <windows.h>

#include "archive/archive_read_win32.h"
#include "panel/context_menu_win32.h"
#include "panel/panel_paint.h"
#include "editor/editor_win32.h"
#include "shell/activation.h"
#include "shell/command_ids.h"
#include "shell/compare_command_win32.h"
#include "shell/folder_sizes_command_win32.h"
#include "shell/main_layout_win32.h"
#include "shell/main_menu_win32.h"
#include "shell/options_commands_win32.h"
#include "shell/panel_commands_win32.h"
#include "shell/panel_reads_win32.h"
#include "shell/quit_question.h"
#include "panel/update_target_win32.h"
#include "shell/application.h"
#include "shell/toolbar.h"
#include "shell/toolbar_clicks_win32.h"
#include "shell/viewer_frame_win32.h"
#include "shell/window_procedures.h"

namespace nrv {
namespace {

void RepaintBothPanels() {
  for (int side : {kLeftPanel, kRightPanel}) RepaintPanel(PanelOf(side), ItemsOf(side));
}

void OnResize() {
  LayOutChildren();
  DrawToolbar();
  RepaintBothPanels();
  RepaintViewer();
  UpdateStatus();
}

// Unsaved text in the editor gets its own question after the quit question: Cancel keeps both.
void OnClose(HWND window) {
  if (!ConfirmQuit(window, TheApplication().context.runningFileOperations)) return;
  if (EditorActive() && ConfirmClose() != 0) return;
  ::PostQuitMessage(0);
}

void OnEraseBackground() {
  PaintPanelGap();
  DrawToolbar();
  if (!TheShellState().viewerOpen)
    RepaintBothPanels();
  else
    RepaintViewer();
  UpdateStatus();  // the editor's caption and status line, while it is open
}

// UpdateFileLists compares whole and carries its panel in lParam; menu identifiers arrive in
// 16 bits.
void OnCommand(WPARAM wParam, LPARAM lParam) {
  if (static_cast<uint32_t>(wParam) == command::kUpdateFileLists) {
    RunUpdateFileLists(static_cast<uint32_t>(lParam));
    return;
  }
  if (RunEditorCommand(LOWORD(wParam))) return;
  RunMainCommand(static_cast<uint32_t>(wParam));
}

// Re-read requests of workers, gathered since the last one: one re-read for a burst.
void OnPostedUpdates(HWND window) {
  const int which = TakeUpdateRequestsUnlessModal(TheApplication().context, window);
  if (which >= 0) RunBackgroundUpdates(static_cast<uint32_t>(which));
}

int PointerX(LPARAM lParam) { return static_cast<short>(LOWORD(lParam)); }
int PointerY(LPARAM lParam) { return static_cast<short>(HIWORD(lParam)); }

}  // namespace

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  // An open shell context menu draws its own submenus through its owner.
  if (ForwardContextMenuMessage(window, message, wParam, lParam)) return 0;
  switch (message) {
    case WM_DESTROY: ::PostQuitMessage(0); return 0;
    case kPostedUpdateMessage: OnPostedUpdates(window); return 0;
    case kCompareDoneMessage: OnCompareDone(TheApplication().compare); return 0;
    case kFolderSizesMessage: OnFolderSizesPosted(TheApplication().folderSizes); return 0;
    case kReadEndMessage: OnReadEnd(wParam, lParam); return 0;
    case kDrivesReadMessage: OnDrivesRead(); return 0;
    case kArchivePasswordMessage: OnArchivePasswordQuestion(lParam); return 0;
    case WM_TIMER:
      if (OnReadTimer(wParam)) return 0;
      return ::DefWindowProcW(window, message, wParam, lParam);
    case WM_ENABLE: ResumeUpdateRequests(TheApplication().context, wParam != FALSE); return 0;
    case WM_SIZE: OnResize(); return 0;
    case WM_ACTIVATE: FocusOnActivation(); return 0;
    case WM_CLOSE: OnClose(window); return 0;
    case WM_ERASEBKGND: OnEraseBackground(); return 1;
    case WM_MEASUREITEM: return OnMeasureMenuItem(*reinterpret_cast<MEASUREITEMSTRUCT*>(lParam));
    case WM_DRAWITEM: return OnDrawMenuItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
    case WM_COMMAND: OnCommand(wParam, lParam); return 0;
    case WM_VSCROLL:
    case WM_HSCROLL: ForwardViewerScroll(message, wParam, lParam); return 0;
    case WM_MOUSEMOVE: OnToolbarHover(PointerX(lParam), PointerY(lParam)); return 0;
    case WM_LBUTTONDOWN: OnToolbarClick(PointerX(lParam), PointerY(lParam)); return 0;
    case WM_KEYDOWN:
    case WM_CHAR: return 0;
    default: return ::DefWindowProcW(window, message, wParam, lParam);
  }
}

}  // namespace nrv
