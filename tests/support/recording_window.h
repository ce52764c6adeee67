#pragma once
// A top-level window standing in for the main window: it answers owner-draw requests through
// the menu code and records the size, command and popup messages it gets.
#include <windows.h>

#include <cstdlib>
#include <utility>
#include <vector>

#include "shell/main_menu_win32.h"
#include "shell/shell_windows.h"

namespace nrv::test {

struct RecordedCommand {
  WPARAM wParam;
  LPARAM lParam;
};

struct WindowRecord {
  int sizes = 0;
  std::vector<RecordedCommand> commands;
  std::vector<HMENU> popups;  // WM_INITMENUPOPUP, in order
  std::vector<UINT> messages;  // WM_SIZE and WM_COMMAND, in order
  std::vector<std::pair<UINT, UINT>> drawn;  // menu items drawn: identifier and state
};

inline WindowRecord& Record() {
  static WindowRecord record;
  return record;
}

inline LRESULT CALLBACK RecordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SIZE:
      ++Record().sizes;
      Record().messages.push_back(message);
      return 0;
    case WM_COMMAND:
      Record().commands.push_back({wParam, lParam});
      Record().messages.push_back(message);
      return 0;
    case WM_INITMENUPOPUP: Record().popups.push_back(reinterpret_cast<HMENU>(wParam)); return 0;
    case WM_MEASUREITEM: return OnMeasureMenuItem(*reinterpret_cast<MEASUREITEMSTRUCT*>(lParam));
    case WM_DRAWITEM: {
      const auto& draw = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      Record().drawn.emplace_back(draw.itemID, draw.itemState);
      return OnDrawMenuItem(draw);
    }
    default: return ::DefWindowProcW(window, message, wParam, lParam);
  }
}

// Wine without an X display cannot make top-level windows.
inline bool HasDisplay() {
  const char* display = std::getenv("DISPLAY");
  return display && *display;
}

// Made for one test and put in place of the program's main window; the previous one comes back
// at the end.
class RecordingWindow {
 public:
  RecordingWindow() {
    static const ATOM atom = [] {
      WNDCLASSW windowClass{};
      windowClass.lpfnWndProc = RecordingProc;
      windowClass.hInstance = ::GetModuleHandleW(nullptr);
      windowClass.lpszClassName = L"NrvRecordingWindow";
      return ::RegisterClassW(&windowClass);
    }();
    (void)atom;
    window_ = ::CreateWindowExW(0, L"NrvRecordingWindow", L"Norvane test", WS_OVERLAPPEDWINDOW, 10, 20, 800,
                                500, nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
    ::ShowWindow(window_, SW_SHOW);
    previous_ = TheShellWindows().main;
    TheShellWindows().main = window_;
    Record() = {};
  }
  ~RecordingWindow() {
    TheShellWindows().main = previous_;
    ::SetMenu(window_, nullptr);
    ::DestroyWindow(window_);
    Record() = {};
  }
  RecordingWindow(const RecordingWindow&) = delete;
  RecordingWindow& operator=(const RecordingWindow&) = delete;

  HWND Get() const { return window_; }

 private:
  HWND window_ = nullptr;
  HWND previous_ = nullptr;
};

// Ends a menu's own loop from inside it: the first tick posts the keys, later ticks close
// whatever is still open, so a test never waits on a menu.
class MenuDriver {
 public:
  explicit MenuDriver(std::vector<WPARAM> keys) {
    Keys() = std::move(keys);
    TicksRef() = 0;
    MenuSeenRef() = nullptr;
    timer_ = ::SetTimer(nullptr, 0, 200, &Tick);
  }
  ~MenuDriver() { ::KillTimer(nullptr, timer_); }
  MenuDriver(const MenuDriver&) = delete;
  MenuDriver& operator=(const MenuDriver&) = delete;

  static int Ticks() { return TicksRef(); }
  // The main window's menu while the menu loop ran.
  static HMENU MenuSeen() { return MenuSeenRef(); }

 private:
  static std::vector<WPARAM>& Keys() {
    static std::vector<WPARAM> keys;
    return keys;
  }
  static int& TicksRef() {
    static int ticks = 0;
    return ticks;
  }
  static HMENU& MenuSeenRef() {
    static HMENU menu = nullptr;
    return menu;
  }
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    if (TicksRef()++ == 0) {
      MenuSeenRef() = ::GetMenu(TheShellWindows().main);
      for (WPARAM key : Keys()) ::PostMessageW(TheShellWindows().main, WM_KEYDOWN, key, 0);
      if (!Keys().empty()) return;
    }
    ::EndMenu();
  }

  UINT_PTR timer_ = 0;
};

}  // namespace nrv::test
