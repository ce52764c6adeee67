#include "viewer/viewer_window_win32.h"

#include <cstdio>

#include "config/history.h"
#include "panel/clipboard_win32.h"
#include "platform/error_report.h"
#include "platform/win32/wide.h"
#include "viewer/search_dialog_win32.h"
#include "viewer/viewer_keys.h"
#include "viewer/viewer_menu.h"
#include "viewer/viewer_moves.h"
#include "viewer/viewer_search.h"
#include "viewer/viewer_selection.h"

namespace nrv {

namespace {

ViewerSession* SessionOf(HWND window) {
  return reinterpret_cast<ViewerSession*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
}

void AppendItems(HMENU menu, const std::vector<ViewerMenuItem>& items) {
  for (const ViewerMenuItem& item : items) {
    if (item.text.empty()) {
      ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    } else if (!item.submenu.empty()) {
      HMENU sub = ::CreatePopupMenu();
      AppendItems(sub, item.submenu);
      ::AppendMenuW(menu, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(sub), platform::Wide(item.text));
    } else {
      ::AppendMenuW(menu, MF_STRING, item.id, platform::Wide(item.text));
    }
  }
}

void Repaint(ViewerSession& s) { PaintViewer(s); }

// The horizontal bar shows only in unwrapped Text mode.
void ShowBars(ViewerSession& s) {
  ::ShowWindow(s.host.verticalBar, SW_SHOW);
  const bool horizontal = ModeOf(s.doc) == kModeText && s.doc.unwrapped;
  ::ShowWindow(s.host.horizontalBar, horizontal ? SW_SHOW : SW_HIDE);
}

bool CtrlHeld() {
  return ::GetKeyState(VK_CONTROL) < 0 || (::GetAsyncKeyState(VK_CONTROL) & 0x8001) != 0;
}
bool Held(int key) { return ::GetKeyState(key) < 0; }

void OnKeyDown(ViewerSession& s, WPARAM key) {
  RunViewerCommand(s, ViewerKeyAction(static_cast<uint32_t>(key), CtrlHeld(), Held(VK_SHIFT), Held(VK_MENU)));
}

void OnWheel(ViewerSession& s, WPARAM wParam) {
  const short delta = static_cast<short>(HIWORD(wParam));
  RunViewerCommand(s, {delta > 0 ? ViewerAction::LineUp : ViewerAction::LineDown, 0});
}

ScreenCell CellUnder(const ViewerSession& s, LPARAM lParam) {
  RECT client{};
  ::GetClientRect(s.host.window, &client);
  return CellAt(s.doc.geometry, static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)), client.right,
                client.bottom);
}

void OnLeftDown(ViewerSession& s, LPARAM lParam) {
  s.mouseSelecting = true;
  ::SetCapture(s.host.window);
  BeginSelection(s.controls.selection, CellUnder(s, lParam), s.doc.geometry.textRows);
  Repaint(s);
}

void OnMouseMove(ViewerSession& s, LPARAM lParam) {
  if (!s.mouseSelecting) return;
  const ScreenCell cell = CellUnder(s, lParam);
  if (cell.column == s.controls.selection.end.column && cell.row == s.controls.selection.end.row) return;
  s.controls.selection.end = cell;
  Repaint(s);
}

void OnLeftUp(ViewerSession& s) {
  if (!s.mouseSelecting) return;
  s.mouseSelecting = false;
  ::ReleaseCapture();
}

void OnRightDown(ViewerSession& s) {
  StopFollowing(s);
  POINT at{};
  ::GetCursorPos(&at);
  const UINT id = static_cast<UINT>(
      ::TrackPopupMenu(s.popup, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RETURNCMD, at.x, at.y, 0, s.host.window, nullptr));
  if (id != 0) RunViewerCommand(s, ViewerMenuCommand(id));
}

void OnTimer(ViewerSession& s, WPARAM id) {
  if (id != kFollowTimerId || !s.active) return;
  RunViewerCommand(s, {ViewerAction::End, 0});
}

LRESULT OnPaint(ViewerSession& s, HWND window) {
  PAINTSTRUCT ps{};
  ::BeginPaint(window, &ps);
  ::EndPaint(window, &ps);
  Repaint(s);
  return 0;
}

}  // namespace

void StopFollowing(ViewerSession& s) {
  s.controls.following = false;
  ::KillTimer(s.host.window, kFollowTimerId);
}

ViewerSession::~ViewerSession() {
  if (popup) ::DestroyMenu(popup);
}

void AttachViewer(ViewerSession& s) {
  ::SetWindowLongPtrW(s.host.window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&s));
  if (!s.popup) {
    s.popup = ::CreatePopupMenu();
    AppendItems(s.popup, ViewerMenuItems(s.host.osMajor));
  }
  if (s.host.savedFontSize) s.controls.fontSize = *s.host.savedFontSize;
  if (s.host.savedFontFace) s.controls.fontFace = *s.host.savedFontFace;
}

int OpenViewer(ViewerSession& s, TextView name, TextView fullPath) {
  const Settings& settings = *s.host.settings;
  int64_t saved = 0;
  if (settings.ViewerSavePosition) saved = ReadHistoryPosition(kHistoryViewer, fullPath).value_or(0);
  // The geometry of the last paint serves the first decoding; the first paint takes it again.
  if (OpenDocument(s.doc, name, saved) == -1) {
    Text message = u"Text viewer: Cannot open file \"";
    message += name;
    message += u"\"";
    ReportError(message);
    return -1;
  }
  s.doc.fullPath.assign(fullPath);
  s.readErrorShown = false;
  return 0;
}

void ShowViewer(ViewerSession& s) {
  StopFollowing(s);
  Deselect(s.controls.selection);
  s.selectionText.clear();
  s.doc.search = SearchState{};
  s.doc.screenEnd = 0;
  ::EnableWindow(s.host.window, TRUE);
  ::ShowWindow(s.host.window, SW_SHOW);
  ShowBars(s);
  s.active = true;
  if (s.host.relayout) s.host.relayout();
  ::SetFocus(s.host.window);
  ::InvalidateRect(s.host.window, nullptr, FALSE);
  Repaint(s);
}

void CloseViewer(ViewerSession& s) {
  StopFollowing(s);
  CloseSearchDialog(s);
  CloseDocument(s.doc, *s.host.settings);
  s.selectionText.clear();
  s.selectionText.shrink_to_fit();
  s.doc.search = SearchState{};
  s.mouseSelecting = s.buttonScrolling = false;
  ::EnableWindow(s.host.window, FALSE);
  ::ShowWindow(s.host.window, SW_HIDE);
  ::ShowWindow(s.host.verticalBar, SW_HIDE);
  ::ShowWindow(s.host.horizontalBar, SW_HIDE);
  s.active = false;
}

void RunViewerCommand(ViewerSession& s, ViewerCommand command) {
  if (!s.active || command.action == ViewerAction::None) return;
  if (MovesView(command.action)) StopFollowing(s);
  const int64_t sizeByName = command.action == ViewerAction::End ? FileSizeByName(s.doc.name) : -1;
  const uint32_t effects = ApplyViewerAction(s.doc, s.controls, command, sizeByName);
  if (effects & kEffectStopFollow) StopFollowing(s);
  if (effects & kEffectLeave) {
    if (s.host.leave) s.host.leave();
    return;
  }
  if (effects & kEffectFollow) ::SetTimer(s.host.window, kFollowTimerId, kFollowPeriodMs, nullptr);
  if (effects & kEffectFontChanged) {
    if (s.host.savedFontSize) *s.host.savedFontSize = s.controls.fontSize;
    if (s.host.savedFontFace) *s.host.savedFontFace = s.controls.fontFace;
  }
  if (effects & kEffectRelayout) {
    ShowBars(s);
    if (s.host.relayout) s.host.relayout();
  }
  if (effects & kEffectRepaint) Repaint(s);
  if (effects & kEffectCopy) CopyTextToClipboard(s.selectionText);
  if (effects & kEffectOpenSearch) OpenSearchDialog(s);
  if (effects & kEffectFindPrevious) SearchAgain(s, true);
}

void ScrollVertical(ViewerSession& s, int code) {
  if (!s.active) return;
  switch (code) {
    case SB_LINEUP: s.buttonScrolling = true; RunViewerCommand(s, {ViewerAction::LineUp, 0}); return;
    case SB_LINEDOWN: s.buttonScrolling = true; RunViewerCommand(s, {ViewerAction::LineDown, 0}); return;
    case SB_PAGEUP: s.buttonScrolling = true; RunViewerCommand(s, {ViewerAction::PageUp, 0}); return;
    case SB_PAGEDOWN: s.buttonScrolling = true; RunViewerCommand(s, {ViewerAction::PageDown, 0}); return;
    case SB_TOP: s.buttonScrolling = true; RunViewerCommand(s, {ViewerAction::Home, 0}); return;
    case SB_BOTTOM: s.buttonScrolling = true; RunViewerCommand(s, {ViewerAction::End, 0}); return;
    case SB_ENDSCROLL: s.buttonScrolling = false; return;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
      if (s.buttonScrolling) return;
      SCROLLINFO info{};
      info.cbSize = sizeof info;
      info.fMask = SIF_TRACKPOS | SIF_POS;
      ::GetScrollInfo(s.host.verticalBar, SB_CTL, &info);
      StopFollowing(s);
      MoveToThumb(s.doc, code == SB_THUMBTRACK ? info.nTrackPos : info.nPos);
      Repaint(s);
      return;
    }
    default: return;
  }
}

void ScrollHorizontal(ViewerSession& s, int code) {
  if (!s.active) return;
  switch (code) {
    case SB_LINELEFT: RunViewerCommand(s, {ViewerAction::ColumnLeft, 0}); return;
    case SB_LINERIGHT: RunViewerCommand(s, {ViewerAction::ColumnRight, 0}); return;
    case SB_PAGELEFT: RunViewerCommand(s, {ViewerAction::PageLeft, 0}); return;
    case SB_PAGERIGHT: RunViewerCommand(s, {ViewerAction::PageRight, 0}); return;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
      SCROLLINFO info{};
      info.cbSize = sizeof info;
      info.fMask = SIF_TRACKPOS | SIF_POS;
      ::GetScrollInfo(s.host.horizontalBar, SB_CTL, &info);
      StopFollowing(s);
      MoveColumn(s.doc, (code == SB_THUMBTRACK ? info.nTrackPos : info.nPos) - s.doc.column);
      Repaint(s);
      return;
    }
    default: return;
  }
}

LRESULT CALLBACK ViewerWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  ViewerSession* session = SessionOf(window);
  if (!session) return ::DefWindowProcW(window, message, wParam, lParam);
  ViewerSession& s = *session;
  switch (message) {
    case WM_PAINT: return OnPaint(s, window);
    case WM_ERASEBKGND: return 1;
    case WM_SIZE: ::InvalidateRect(window, nullptr, FALSE); return 0;
    case WM_KEYDOWN: OnKeyDown(s, wParam); return 0;
    case WM_CHAR: return 0;
    case WM_MOUSEWHEEL: OnWheel(s, wParam); return 0;
    case WM_LBUTTONDOWN: OnLeftDown(s, lParam); return 0;
    case WM_MOUSEMOVE: OnMouseMove(s, lParam); return 0;
    case WM_LBUTTONUP: OnLeftUp(s); return 0;
    case WM_RBUTTONDOWN: OnRightDown(s); return 0;
    case WM_TIMER: OnTimer(s, wParam); return 0;
    default: return ::DefWindowProcW(window, message, wParam, lParam);
  }
}

}  // namespace nrv
