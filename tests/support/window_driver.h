#pragma once
// Windows for the tests of the Win32 side: stand-ins for the main window or a panel that record
// what they are sent, and a driver that plays steps inside a dialog's or a menu's own loop.
#include <windows.h>

#include <cstdint>
#include <cstdlib>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "panel/update_target_win32.h"
#include "shell/command_ids.h"
#include "shell/main_menu_win32.h"
#include "shell/application.h"
#include "support/wait_until.h"

namespace nrv::test {

// Wine without an X display cannot make top-level windows.
inline bool DisplayAvailable() {
  const char* display = std::getenv("DISPLAY");
  return display && *display;
}

// A panel of the application's context, as the program's panels are.
inline Panel ApplicationPanel() {
  Panel panel;
  panel.context = &TheApplication().context;
  panel.view = &TheApplication().leftView;
  return panel;
}

inline std::wstring TextOf(HWND window) {
  std::wstring text(static_cast<size_t>(::GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<size_t>(::GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

// What the stand-in windows were sent since the newest one was made.
struct WindowRecord {
  std::vector<std::pair<WPARAM, LPARAM>> commands;
  std::vector<HMENU> popups;  // WM_INITMENUPOPUP
  std::function<void(LPARAM)> onUpdate;  // run inside UpdateFileLists, as the main window's re-read
};
inline WindowRecord& Record() {
  static WindowRecord record;
  return record;
}

// Owner-draw requests go to the menu code, as the main window's procedure does.
inline LRESULT CALLBACK RecordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      Record().commands.emplace_back(wParam, lParam);
      if (wParam == command::kUpdateFileLists && Record().onUpdate) Record().onUpdate(lParam);
      return 0;
    case kPostedUpdateMessage:
      // As the main window does: the gathered requests become one UpdateFileLists.
      if (const int side = TakeUpdateRequestsUnlessModal(TheApplication().context, window); side >= 0)
        RecordingProc(window, WM_COMMAND, command::kUpdateFileLists, side);
      return 0;
    case WM_ENABLE: ResumeUpdateRequests(TheApplication().context, wParam != FALSE); return 0;
    case WM_INITMENUPOPUP: Record().popups.push_back(reinterpret_cast<HMENU>(wParam)); return 0;
    case WM_MEASUREITEM: return OnMeasureMenuItem(*reinterpret_cast<MEASUREITEMSTRUCT*>(lParam));
    case WM_DRAWITEM: return OnDrawMenuItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
    default: return ::DefWindowProcW(window, message, wParam, lParam);
  }
}

inline const wchar_t* StandInClass() {
  static const ATOM atom = [] {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = RecordingProc;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"NrvTestWindow";
    return ::RegisterClassW(&windowClass);
  }();
  return MAKEINTATOM(atom);
}

// A top-level window for one test; as the main window it takes the program's place meanwhile.
class StandInWindow {
 public:
  StandInWindow(RECT place, bool asMain) : asMain_(asMain) {
    window_ = ::CreateWindowExW(0, StandInClass(), L"Norvane test", WS_POPUP | WS_VISIBLE, place.left, place.top,
                                place.right - place.left, place.bottom - place.top, nullptr, nullptr,
                                ::GetModuleHandleW(nullptr), nullptr);
    if (asMain_) previous_ = std::exchange(TheShellWindows().main, window_);
    Record() = {};
  }
  ~StandInWindow() {
    if (asMain_) TheShellWindows().main = previous_;
    ::SetMenu(window_, nullptr);  // the menu bar outlives the window
    ::DestroyWindow(window_);
    Record() = {};
  }
  HWND Get() const { return window_; }

 private:
  HWND window_ = nullptr, previous_ = nullptr;
  bool asMain_ = false;
};

// Plays one step per tick of a thread timer, from inside the modal loop of the test's own
// thread. For a dialog the steps wait until it shows; one left open well after the last step
// is closed, so a failing test ends instead of waiting for a person.
class Driver {
 public:
  using Step = std::function<void(HWND dialog)>;

  explicit Driver(std::vector<Step> steps, bool dialog = true) : steps_(std::move(steps)), dialog_(dialog) {
    current_ = this;
    timer_ = ::SetTimer(nullptr, 0, 50, &Tick);
  }
  ~Driver() {
    ::KillTimer(nullptr, timer_);
    current_ = nullptr;
  }
  bool AllStepsRan() const { return next_ == steps_.size(); }
  bool ClosedByForce() const { return forced_; }

 private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    Driver* driver = current_;
    HWND dialog = ::FindWindowW(L"#32770", nullptr);  // the dialog class
    if (dialog && !::IsWindowVisible(dialog)) dialog = nullptr;
    if (!driver || (driver->dialog_ && !dialog)) return;
    if (driver->next_ < driver->steps_.size()) {
      driver->steps_[driver->next_++](dialog);
    } else if (++driver->idleTicks_ > 100 && dialog) {
      driver->forced_ = true;
      ::PostMessageW(dialog, WM_CLOSE, 0, 0);
    }
  }

  static inline Driver* current_ = nullptr;
  std::vector<Step> steps_;
  bool dialog_ = true;
  size_t next_ = 0;
  int idleTicks_ = 0;
  bool forced_ = false;
  UINT_PTR timer_ = 0;
};

// Waits a little for the thread's messages and dispatches them, sent ones included.
inline void PumpBriefly() {
  ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
  for (MSG message; ::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE);) ::DispatchMessageW(&message);
}

// A hidden message-only window as the target of UpdateFileLists, which needs no display.
class UpdateSink {
 public:
  UpdateSink() {
    window_ = ::CreateWindowExW(0, StandInClass(), L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    Record() = {};
    TheApplication().context.pendingUpdates = 0;  // nothing of an earlier test's
    TheApplication().context.updateTarget = window_;
  }
  ~UpdateSink() {
    TheApplication().context.updateTarget = nullptr;
    ::DestroyWindow(window_);
    Record() = {};
  }

  // The side parameter of every UpdateFileLists received, in order.
  static std::vector<LPARAM> Sides() {
    std::vector<LPARAM> sides;
    for (const auto& [wParam, lParam] : Record().commands)
      if (wParam == command::kUpdateFileLists) sides.push_back(lParam);
    return sides;
  }
  // Pumps the thread's messages until count updates arrived or the time is up; true when they did.
  bool WaitFor(size_t count, DWORD milliseconds) const {
    return WaitUntil([count] { return Sides().size() >= count; }, milliseconds, PumpBriefly);
  }
  // Pumps for the whole time, for checking that nothing arrives.
  void PumpFor(DWORD milliseconds) const { WaitFor(SIZE_MAX, milliseconds); }

 private:
  HWND window_ = nullptr;
};

inline void Click(HWND dialog, int button) { ::SendMessageW(::GetDlgItem(dialog, button), BM_CLICK, 0, 0); }

// A key as the keyboard would bring it: posted, so the modal loop sees it first.
inline void PostKey(HWND window, WPARAM key) { ::PostMessageW(window, WM_KEYDOWN, key, 1); }

// A typed character as an edit sees it: the key goes down, then the character arrives.
inline void TypeCharacter(HWND edit, wchar_t character) {
  const SHORT key = ::VkKeyScanW(character);
  ::SendMessageW(edit, WM_KEYDOWN, key == -1 ? 0 : (key & 0xFF), 1);
  ::SendMessageW(edit, WM_CHAR, character, 1);
}

}  // namespace nrv::test
