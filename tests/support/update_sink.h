#pragma once
// A hidden message-only window that stands in for the main window as the target of
// UpdateFileLists, and pumps the test thread's messages until something arrives.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <vector>

#include "panel/update_target_win32.h"
#include "shell/command_ids.h"

namespace nrv::test {

class UpdateSink {
 public:
  UpdateSink() {
    static const ATOM atom = [] {
      WNDCLASSW windowClass{};
      windowClass.lpfnWndProc = &Procedure;
      windowClass.hInstance = ::GetModuleHandleW(nullptr);
      windowClass.lpszClassName = L"NrvUpdateSink";
      return ::RegisterClassW(&windowClass);
    }();
    window_ = ::CreateWindowExW(0, MAKEINTATOM(atom), L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    Sides().clear();
    SetUpdateFileListsTarget(window_);
  }
  ~UpdateSink() {
    SetUpdateFileListsTarget(nullptr);
    ::DestroyWindow(window_);
    OnUpdate() = nullptr;
  }
  UpdateSink(const UpdateSink&) = delete;
  UpdateSink& operator=(const UpdateSink&) = delete;

  // The side parameter of every UpdateFileLists received, in order.
  static std::vector<LPARAM>& Sides() {
    static std::vector<LPARAM> sides;
    return sides;
  }
  // Run inside the handler, as the main window's re-read would be.
  static std::function<void(LPARAM)>& OnUpdate() {
    static std::function<void(LPARAM)> handler;
    return handler;
  }

  // Pumps until count messages were received or the time is up; true when they were.
  bool WaitFor(size_t count, DWORD milliseconds) const {
    for (const ULONGLONG end = ::GetTickCount64() + milliseconds; Sides().size() < count && ::GetTickCount64() < end;) {
      ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
      for (MSG message; ::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE);) ::DispatchMessageW(&message);
    }
    return Sides().size() >= count;
  }
  // Pumps for the whole time, for checking that nothing arrives.
  void PumpFor(DWORD milliseconds) const { WaitFor(SIZE_MAX, milliseconds); }

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_COMMAND || wParam != command::kUpdateFileLists)
      return ::DefWindowProcW(window, message, wParam, lParam);
    Sides().push_back(lParam);
    if (OnUpdate()) OnUpdate()(lParam);
    return 0;
  }

  HWND window_ = nullptr;
};

}  // namespace nrv::test
