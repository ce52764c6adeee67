#include <windows.h>

#include <ole2.h>
#include <shellapi.h>

#include "panel/panel_paint.h"
#include "shell/drag_drop_win32.h"
#include "shell/panel_keys.h"
#include "shell/panel_mouse_win32.h"
#include "shell/application.h"
#include "shell/window_procedures.h"

namespace nrv {
namespace {

void OnPaint(HWND window, int side) {
  PAINTSTRUCT paint{};
  ::BeginPaint(window, &paint);
  ::EndPaint(window, &paint);
  RepaintPanel(PanelOf(side), ItemsOf(side));
}

int PointerX(LPARAM lParam) { return static_cast<short>(LOWORD(lParam)); }
int PointerY(LPARAM lParam) { return static_cast<short>(HIWORD(lParam)); }

LRESULT PanelProc(int side, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: OnPaint(window, side); return 0;
    case WM_ERASEBKGND: return 1;
    // A panel never passes a key on to default processing.
    case WM_KEYDOWN: OnPanelKeyDown(PanelOf(side), ItemsOf(side), wParam); return 0;
    case WM_CHAR: OnPanelCharacter(PanelOf(side), ItemsOf(side), wParam); return 0;
    case WM_LBUTTONDOWN: OnPanelLeftDown(PanelOf(side), ItemsOf(side), PointerX(lParam), PointerY(lParam)); return 0;
    case WM_LBUTTONDBLCLK: OnPanelDoubleClick(PanelOf(side), ItemsOf(side), PointerX(lParam), PointerY(lParam)); return 0;
    case WM_MBUTTONDOWN: OnPanelMiddleDown(PanelOf(side), ItemsOf(side), PointerX(lParam), PointerY(lParam)); return 0;
    // A quick second press of the right button is a press like any other.
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK: OnPanelRightDown(PanelOf(side), ItemsOf(side), PointerX(lParam), PointerY(lParam)); return 0;
    case WM_MOUSEMOVE: OnPanelMouseMove(PanelOf(side), ItemsOf(side), PointerX(lParam), PointerY(lParam)); return 0;
    case WM_MOUSEWHEEL: OnPanelWheel(PanelOf(side), ItemsOf(side), GET_WHEEL_DELTA_WPARAM(wParam)); return 0;
    case WM_DROPFILES: OnFilesDropped(side, reinterpret_cast<HGLOBAL>(wParam), CurrentDragOrigin()); return 0;
    case kFilesDroppedMessage: OnFilesDropped(side, reinterpret_cast<HGLOBAL>(wParam), static_cast<int>(lParam)); return 0;
    case WM_DESTROY: ::RevokeDragDrop(window); return 0;
    default: return ::DefWindowProcW(window, message, wParam, lParam);
  }
}

}  // namespace

LRESULT CALLBACK LeftPanelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return PanelProc(kLeftPanel, window, message, wParam, lParam);
}

LRESULT CALLBACK RightPanelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return PanelProc(kRightPanel, window, message, wParam, lParam);
}

}  // namespace nrv
