#pragma once
// Drives a modal dialog of the test's own thread from inside the dialog's message loop: a
// thread timer finds the dialog and plays one step per tick. A dialog left open well after the
// last step is closed, so a failing test ends instead of waiting for a person.
#include <windows.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "shell/shell_windows.h"

namespace nrv::test {

// Wine without an X display cannot show dialogs.
inline bool DisplayAvailable() {
  const char* display = std::getenv("DISPLAY");
  return display && *display;
}

inline std::wstring TextOf(HWND window) {
  std::wstring text(static_cast<size_t>(::GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<size_t>(::GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

inline std::wstring ClassOf(HWND window) {
  wchar_t name[64] = {};
  ::GetClassNameW(window, name, 64);
  return name;
}

class DialogDriver {
 public:
  using Step = std::function<void(HWND dialog)>;

  explicit DialogDriver(std::vector<Step> steps) : steps_(std::move(steps)) {
    Current() = this;
    timer_ = ::SetTimer(nullptr, 0, 50, &Tick);
  }
  ~DialogDriver() {
    ::KillTimer(nullptr, timer_);
    Current() = nullptr;
  }
  DialogDriver(const DialogDriver&) = delete;
  DialogDriver& operator=(const DialogDriver&) = delete;

  size_t StepsRun() const { return next_; }
  bool AllStepsRan() const { return next_ == steps_.size(); }
  bool ClosedByForce() const { return forced_; }

 private:
  static DialogDriver*& Current() {
    static DialogDriver* driver = nullptr;
    return driver;
  }

  // The visible dialog window of this thread.
  static HWND FindDialog() {
    HWND found = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), &TakeDialog, reinterpret_cast<LPARAM>(&found));
    return found;
  }
  static BOOL CALLBACK TakeDialog(HWND window, LPARAM out) {
    if (!::IsWindowVisible(window) || ClassOf(window) != L"#32770") return TRUE;
    *reinterpret_cast<HWND*>(out) = window;
    return FALSE;
  }

  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    DialogDriver* driver = Current();
    if (!driver) return;
    const HWND dialog = FindDialog();
    if (!dialog) return;
    if (driver->next_ < driver->steps_.size()) {
      driver->steps_[driver->next_++](dialog);
    } else if (++driver->idleTicks_ > 100) {
      driver->forced_ = true;
      ::PostMessageW(dialog, WM_CLOSE, 0, 0);
    }
  }

  std::vector<Step> steps_;
  size_t next_ = 0;
  int idleTicks_ = 0;
  bool forced_ = false;
  UINT_PTR timer_ = 0;
};

// A plain top-level window at a given place, standing in for the main window or a panel; as
// the main window it is put in place of the program's for the test.
class StandInWindow {
 public:
  StandInWindow(int left, int top, int width, int height, bool asMain) : asMain_(asMain) {
    static const ATOM atom = [] {
      WNDCLASSW windowClass{};
      windowClass.lpfnWndProc = ::DefWindowProcW;
      windowClass.hInstance = ::GetModuleHandleW(nullptr);
      windowClass.lpszClassName = L"NrvDialogTestWindow";
      return ::RegisterClassW(&windowClass);
    }();
    (void)atom;
    window_ = ::CreateWindowExW(0, L"NrvDialogTestWindow", L"Norvane dialog test", WS_POPUP | WS_VISIBLE, left, top,
                                width, height, nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
    if (asMain_) previous_ = std::exchange(TheShellWindows().main, window_);
  }
  ~StandInWindow() {
    if (asMain_) TheShellWindows().main = previous_;
    ::DestroyWindow(window_);
  }
  StandInWindow(const StandInWindow&) = delete;
  StandInWindow& operator=(const StandInWindow&) = delete;

  HWND Get() const { return window_; }

 private:
  HWND window_ = nullptr;
  HWND previous_ = nullptr;
  bool asMain_ = false;
};

inline void Click(HWND dialog, int button) { ::SendMessageW(::GetDlgItem(dialog, button), BM_CLICK, 0, 0); }

// A key as the keyboard would bring it: posted, so the dialog's loop sees it first.
inline void PostKey(HWND window, WPARAM key) { ::PostMessageW(window, WM_KEYDOWN, key, 1); }

// A typed character as the edit sees it: the key goes down, then the character arrives.
inline void TypeCharacter(HWND edit, wchar_t character) {
  const SHORT key = ::VkKeyScanW(character);
  ::SendMessageW(edit, WM_KEYDOWN, key == -1 ? 0 : (key & 0xFF), 1);
  ::SendMessageW(edit, WM_CHAR, character, 1);
}

}  // namespace nrv::test
