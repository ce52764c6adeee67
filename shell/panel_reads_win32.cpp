#include "shell/panel_reads_win32.h"

#include "ftp/ftp_location_ops_win32.h"
#include "panel/drive_details.h"
#include "panel/panel_paint.h"
#include "panel/panel_reader.h"
#include "shell/application.h"
#include "shell/main_menu_win32.h"
#include "shell/panel_commands_win32.h"

namespace nrv {
namespace {

constexpr UINT_PTR kReadTimerBase = 1100;  // + side
constexpr UINT kShowAfterMs = 150;
constexpr UINT kCountEveryMs = 100;  // the title's count at most ten times a second
constexpr int kCommandWaitMs = 1000;  // the longest a command waits for a re-read

UINT_PTR TimerOf(int side) { return kReadTimerBase + static_cast<UINT_PTR>(side); }

void PostReadEnd(PanelContext& context, int side, uint64_t generation) {
  ::PostMessageW(static_cast<HWND>(context.updateTarget), kReadEndMessage, static_cast<WPARAM>(side),
                 static_cast<LPARAM>(generation));
}

void PostDrivesRead(PanelContext& context) {
  ::PostMessageW(static_cast<HWND>(context.updateTarget), kDrivesReadMessage, 0, 0);
}

void StartReadClock(PanelContext& context, int side) {
  ::SetTimer(static_cast<HWND>(context.updateTarget), TimerOf(side), kShowAfterMs, nullptr);
}

void StopReadClock(int side) { ::KillTimer(TheShellWindows().main, TimerOf(side)); }

}  // namespace

ReadHooks ShellReadHooks() { return ReadHooks{&PostReadEnd, &StartReadClock, &PostDrivesRead}; }

void OnDrivesRead() {
  Application& application = TheApplication();
  if (!TakeDriveDetails(application.context, application.left, application.right)) return;
  RepaintPanel(application.left, ItemsOf(kLeftPanel));
  RepaintPanel(application.right, ItemsOf(kRightPanel));
}

void OnReadEnd(WPARAM side, LPARAM generation) {
  if (side != kLeftPanel && side != kRightPanel) return;
  Panel& panel = PanelOf(static_cast<int>(side));
  ItemList& list = ItemsOf(static_cast<int>(side));
  const ReadEnd end = FinishRead(panel, list, static_cast<uint64_t>(generation));
  if (end.what == ReadEnd::What::Stale) return;
  if (!IsReading(panel)) StopReadClock(panel.side);
  if (end.what == ReadEnd::What::Swapped && end.kind == ReadKind::NewLocation) {
    LeaveFtpSession(panel);
    RedrawMovedPanel(panel, list);
    UpdateCheckMarks();
    return;
  }
  RepaintPanel(panel, list);
}

bool OnReadTimer(WPARAM timer) {
  int side = 0;
  if (timer == TimerOf(kLeftPanel)) side = kLeftPanel;
  if (timer == TimerOf(kRightPanel)) side = kRightPanel;
  if (!side) return false;
  Panel& panel = PanelOf(side);
  if (!IsReading(panel)) {
    StopReadClock(side);
    return true;
  }
  if (!panel.reading->shown) {
    // Slow: from now on the old contents are dimmed and the title counts.
    panel.reading->shown = true;
    ::SetTimer(TheShellWindows().main, TimerOf(side), kCountEveryMs, nullptr);
    RepaintPanel(panel, ItemsOf(side));
    return true;
  }
  DrawTitle(panel);
  return true;
}

bool CancelPanelRead(Panel& panel) {
  if (!CancelRead(panel)) return false;
  StopReadClock(panel.side);
  RepaintPanel(panel, ItemsOf(panel.side));
  return true;
}

bool RefusedWhileReading(Panel& panel, ItemList& list, PanelKey action) {
  if (!IsReading(panel)) return false;
  switch (action) {
    case PanelKey::None:
    case PanelKey::CursorDown:
    case PanelKey::CursorUp:
    case PanelKey::ColumnForward:
    case PanelKey::ColumnBack:
    case PanelKey::CursorHome:
    case PanelKey::CursorEnd:
    case PanelKey::PageDown:
    case PanelKey::PageUp:
    case PanelKey::Parent:
    case PanelKey::ViewBrief:
    case PanelKey::ViewMedium:
    case PanelKey::ViewFull:
    case PanelKey::NextBriefColumns: return false;
    case PanelKey::Open:
      if (!IsEmpty(list) && panel.cursor >= 0 && panel.cursor < Count(list) && IsFolder(At(list, panel.cursor)))
        return false;
      break;
    default: break;
  }
  // A re-read of the folder shown (after every command, or a change) mostly takes
  // milliseconds: a command typed meanwhile waits for it briefly rather than being lost.
  if (panel.reading->request.kind == ReadKind::Reread &&
      FinishReadWithin(panel, list, std::chrono::milliseconds(kCommandWaitMs))) {
    StopReadClock(panel.side);
    RepaintPanel(panel, list);
    return false;
  }
  ::MessageBeep(MB_OK);
  return true;
}

}  // namespace nrv
