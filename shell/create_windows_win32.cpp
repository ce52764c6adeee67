#include <windows.h>

#include "core/settings.h"
#include "shell/main_layout.h"
#include "shell/application.h"
#include "shell/window_procedures.h"
#include "viewer/viewer_window_win32.h"

namespace nrv {
namespace {

// Each window keeps its own context for the whole run.
ATOM RegisterShellClass(HINSTANCE instance, const wchar_t* name, UINT style, WNDPROC procedure, HBRUSH background) {
  WNDCLASSEXW shellClass{};
  shellClass.cbSize = sizeof(shellClass);
  shellClass.style = style | CS_OWNDC;
  shellClass.lpfnWndProc = procedure;
  shellClass.hInstance = instance;
  shellClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  shellClass.hbrBackground = background;
  shellClass.lpszClassName = name;
  return ::RegisterClassExW(&shellClass);
}

ShellRect MainWindowRect(const Settings& s) {
  if (s.WindowLeft == 0 && s.WindowTop == 0 && s.WindowRight == 0 && s.WindowBottom == 0)
    return DefaultWindowRect(::GetSystemMetrics(SM_CYSCREEN));
  return {s.WindowLeft, s.WindowTop, s.WindowRight - s.WindowLeft, s.WindowBottom - s.WindowTop};
}

HWND Child(HINSTANCE instance, const wchar_t* className, HWND parent, DWORD style) {
  return ::CreateWindowExW(0, className, L"", WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, parent, nullptr, instance,
                           nullptr);
}

}  // namespace

int CreateShellWindows(HINSTANCE instance, HMENU menu) {
  ShellWindows& w = TheShellWindows();
  w.classBrush.Reset(::CreateSolidBrush(TheSettings().ClrPanelBackground));
  if (!RegisterShellClass(instance, L"WC_NRVMAINWND", CS_HREDRAW, MainWindowProc, w.classBrush.Get())) return -1;
  if (!RegisterShellClass(instance, L"WC_NRVPANEL_LEFT", CS_DBLCLKS, LeftPanelProc, nullptr)) return -2;
  if (!RegisterShellClass(instance, L"WC_NRVPANEL_RIGHT", CS_DBLCLKS, RightPanelProc, nullptr)) return -3;
  if (!RegisterShellClass(instance, L"WC_NRVVIEWER", CS_DBLCLKS, ViewerWindowProc, nullptr)) return -4;

  const ShellRect r = MainWindowRect(TheSettings());
  w.main = ::CreateWindowExW(0, L"WC_NRVMAINWND", L"Norvane ", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_VISIBLE,
                             r.x, r.y, r.width, r.height, nullptr, menu, instance, nullptr);
  if (!w.main) return -11;
  w.left = Child(instance, L"WC_NRVPANEL_LEFT", w.main, 0);
  if (!w.left) return -12;
  w.right = Child(instance, L"WC_NRVPANEL_RIGHT", w.main, 0);
  if (!w.right) return -13;
  w.viewer = Child(instance, L"WC_NRVVIEWER", w.main, 0);
  if (!w.viewer) return -14;
  w.viewerVerticalBar = Child(instance, L"ScrollBar", w.main, SBS_VERT);
  w.viewerHorizontalBar = Child(instance, L"ScrollBar", w.main, SBS_HORZ);
  ::ShowWindow(w.viewer, SW_HIDE);
  ::ShowWindow(w.viewerVerticalBar, SW_HIDE);
  ::ShowWindow(w.viewerHorizontalBar, SW_HIDE);
  return 0;
}

}  // namespace nrv
