#include "fileops/progress_dialog_win32.h"

#include <commctrl.h>

#include "fileops/progress_dialog_ids.h"
#include "config/dialog_common_win32.h"
#include "platform/win32/common_dialogs.h"
#include "platform/win32/wide.h"

namespace nrv {
namespace {

constexpr UINT kRunOnWindow = WM_APP + 21;  // lParam: the worker's WindowCall
constexpr UINT_PTR kRedrawTimer = 1;

ProgressDrawTotals drawTotals;  // the user-interface thread's only

struct WindowCall {
  const std::function<void()>* action = nullptr;
  NativeEvent done = nullptr;
};

ProgressDialog* DialogOf(HWND window) {
  return reinterpret_cast<ProgressDialog*>(::GetWindowLongPtrW(window, DWLP_USER));
}

void MarkChanged(ProgressDialog& dialog) { dialog.changed = true; }

void Draw(HWND window, ProgressDialog& dialog) {
  if (!dialog.changed.exchange(false)) return;
  LARGE_INTEGER start{}, end{}, frequency{};
  ::QueryPerformanceCounter(&start);
  ProgressShown shown;
  {
    const std::lock_guard<std::mutex> lock(dialog.shownLock);
    shown = dialog.shown;
  }
  ::SetWindowTextW(window, platform::Wide(shown.caption));
  ::SetDlgItemTextW(window, IDC_PROGRESS_STATUS, platform::Wide(shown.status));
  ::SendDlgItemMessageW(window, IDC_PROGRESS_BAR, PBM_SETPOS, static_cast<WPARAM>(shown.percent), 0);
  ::SetDlgItemTextW(window, IDC_PROGRESS_COUNT, platform::Wide(shown.count));
  ::QueryPerformanceCounter(&end);
  ::QueryPerformanceFrequency(&frequency);
  ++drawTotals.redraws;
  drawTotals.milliseconds += 1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) /
                             static_cast<double>(frequency.QuadPart);
}

BOOL OnInit(HWND window, ProgressDialog& dialog) {
  ::SetWindowLongPtrW(window, DWLP_USER, reinterpret_cast<LONG_PTR>(&dialog));
  dialog.window = window;
  CentreOnWindow(window, dialog.frame);
  ::SetDlgItemTextW(window, IDC_PROGRESS_COUNT_LABEL, platform::Wide(dialog.countLabel));
  ::SendDlgItemMessageW(window, IDC_PROGRESS_BAR, PBM_SETRANGE, 0, MAKELPARAM(0, 100));
  ::SendDlgItemMessageW(window, IDC_PROGRESS_BAR, PBM_SETSTEP, 1, 0);
  MarkChanged(dialog);
  Draw(window, dialog);
  ::SetTimer(window, kRedrawTimer, kProgressRedrawMs, nullptr);
  ProgressDialog* shared = &dialog;
  const bool started = StartWorker(dialog.worker, [shared](const StopFlag&) {
    shared->run(*shared);
    ::PostMessageW(shared->window, WM_CLOSE, kProgressDoneCode, 0);
  });
  if (!started) ::EndDialog(window, -1);
  return TRUE;
}

void RequestCancel(HWND window) {
  if (ProgressDialog* dialog = DialogOf(window)) dialog->cancel = true;
}

void OnClose(HWND window, WPARAM wParam) {
  if (wParam != kProgressDoneCode) {
    RequestCancel(window);
    return;
  }
  ::KillTimer(window, kRedrawTimer);
  ::EndDialog(window, 0);
}

void RunCall(LPARAM lParam) {
  auto* call = reinterpret_cast<WindowCall*>(lParam);
  (*call->action)();
  SignalNativeEvent(call->done);
}

INT_PTR CALLBACK ProgressProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: return OnInit(window, *reinterpret_cast<ProgressDialog*>(lParam));
    case WM_COMMAND:
      if (LOWORD(wParam) != IDCANCEL) return FALSE;
      RequestCancel(window);
      return TRUE;
    case WM_CLOSE: OnClose(window, wParam); return TRUE;
    case WM_TIMER:
      if (ProgressDialog* dialog = DialogOf(window)) Draw(window, *dialog);
      return TRUE;
    case kRunOnWindow: RunCall(lParam); return TRUE;
    default: return FALSE;
  }
}

}  // namespace

ProgressDrawTotals ProgressDrawTotalsSoFar() { return drawTotals; }

int RunProgressDialog(ProgressDialog& dialog) {
  const platform::Module controls = platform::LoadCommonControls(ICC_PROGRESS_CLASS);
  const INT_PTR result = ::DialogBoxParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_PROGRESS), dialog.frame,
                                           ProgressProc, reinterpret_cast<LPARAM>(&dialog));
  StopAndJoin(dialog.worker);
  dialog.window = nullptr;
  return result == 0 ? 0 : -1;
}

namespace {

// change edits the shown values under the lock; false when it left them as they were.
template <typename Change>
void ChangeShown(ProgressDialog& dialog, Change change) {
  {
    const std::lock_guard<std::mutex> lock(dialog.shownLock);
    if (!change(dialog.shown)) return;
  }
  MarkChanged(dialog);
}

}  // namespace

void SetProgressCaption(ProgressDialog& dialog, TextView caption) {
  ChangeShown(dialog, [&](ProgressShown& shown) {
    if (shown.caption == caption) return false;
    shown.caption = caption;
    return true;
  });
}

void SetProgressStatus(ProgressDialog& dialog, TextView status) {
  ChangeShown(dialog, [&](ProgressShown& shown) {
    shown.status = status;
    return true;
  });
}

void SetProgressValue(ProgressDialog& dialog, int percent, TextView count) {
  ChangeShown(dialog, [&](ProgressShown& shown) {
    shown.percent = percent;
    shown.count = count;
    return true;
  });
}

void SetProgressCount(ProgressDialog& dialog, TextView count) {
  ChangeShown(dialog, [&](ProgressShown& shown) {
    shown.count = count;
    return true;
  });
}

void RunOnWindowThread(ProgressDialog& dialog, const std::function<void()>& action) {
  if (!dialog.window) {
    action();
    return;
  }
  WindowCall call{&action, CreateNativeEvent()};
  if (!call.done) return;
  if (::PostMessageW(dialog.window, kRunOnWindow, 0, reinterpret_cast<LPARAM>(&call)))
    ::WaitForSingleObject(static_cast<HANDLE>(call.done), INFINITE);
  CloseNativeEvent(call.done);
}

platform::MessageAnswer AskFromWorker(ProgressDialog& dialog, platform::MessageRequest request) {
  platform::MessageAnswer answer = platform::MessageAnswer::No;
  if (!request.owner) request.owner = dialog.window;
  RunOnWindowThread(dialog, [&] { answer = platform::ShowMessage(request); });
  return answer;
}

}  // namespace nrv
