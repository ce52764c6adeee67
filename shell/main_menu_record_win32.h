#pragma once
// What the main menu keeps for the whole run: the bar, each panel's submenus and the texts of the
// owner-drawn items. The application owns it.
#include <windows.h>

#include <deque>

#include "platform/text.h"
#include "shell/main_menu_win32.h"

namespace nrv {

// The bar owns its popups: destroying it takes them along. A bar still attached to a window
// is taken off first; one whose window is gone went with the window.
class MenuBar {
 public:
  MenuBar() = default;
  ~MenuBar() { Reset(); }
  MenuBar(const MenuBar&) = delete;
  MenuBar& operator=(const MenuBar&) = delete;

  HMENU Get() const { return bar_; }
  HWND Window() const { return window_; }
  void SetWindow(HWND window) { window_ = window; }
  void Reset(HMENU bar = nullptr) {
    if (bar_) {
      const bool windowAlive = window_ && ::IsWindow(window_);
      if (windowAlive && ::GetMenu(window_) == bar_) ::SetMenu(window_, nullptr);
      if (windowAlive || !window_) ::DestroyMenu(bar_);
    }
    bar_ = bar;
    window_ = nullptr;
  }

 private:
  HMENU bar_ = nullptr;
  HWND window_ = nullptr;  // the window the bar was last put on
};

struct MainMenu {
  MenuBar bar;
  PanelSubmenus left;
  PanelSubmenus right;
  std::deque<Text> texts;  // item data of the owner-drawn items; deque keeps them in place
};

}  // namespace nrv
