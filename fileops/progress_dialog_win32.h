#pragma once
// The modal progress window (dialog 1009) behind every long operation that runs on a worker:
// archive extraction and packing, FTP transfers. The worker writes what the window shows; the
// window's thread draws it on a timer, so redraws stay at most about 20 a second however fast
// the worker goes. Questions of the worker are shown by the window's thread while it waits.
#include <windows.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>

#include "platform/message_box.h"
#include "platform/text.h"
#include "platform/worker.h"

namespace nrv {

inline constexpr UINT kProgressRedrawMs = 50;
// The close message's wParam that ends the window; any other close is a cancel request.
inline constexpr WPARAM kProgressDoneCode = 0x000F1201;

struct ProgressShown {
  Text caption;
  Text status;     // the current item
  int percent = 0;
  Text count;      // the text beside the count label
};

struct ProgressDialog {
  HWND frame = nullptr;  // centred on it, owned by it
  Text countLabel;
  std::function<void(ProgressDialog&)> run;  // the worker's body; the window closes after it

  // Set by Cancel and the close box; the worker asks before it stops.
  std::atomic<bool> cancel{false};
  HWND window = nullptr;  // while open
  Worker worker;
  std::mutex shownLock;
  ProgressShown shown;
  std::atomic<bool> changed{false};

  ProgressDialog() = default;
  ProgressDialog(const ProgressDialog&) = delete;
  ProgressDialog& operator=(const ProgressDialog&) = delete;
};

// Every redraw of every progress window so far, and the time they took: for measurements.
struct ProgressDrawTotals {
  int redraws = 0;
  double milliseconds = 0;
};
ProgressDrawTotals ProgressDrawTotalsSoFar();

// Opens the window modally over dialog.frame, runs dialog.run on a worker and returns when the
// worker has ended and been joined: 0, or -1 (nothing ran) when the worker could not start.
int RunProgressDialog(ProgressDialog& dialog);

// What the window shows; any thread.
void SetProgressCaption(ProgressDialog& dialog, TextView caption);
void SetProgressStatus(ProgressDialog& dialog, TextView status);
void SetProgressValue(ProgressDialog& dialog, int percent, TextView count);
void SetProgressCount(ProgressDialog& dialog, TextView count);

// Runs action on the window's thread while the calling worker waits; on the calling thread
// when no window is open.
void RunOnWindowThread(ProgressDialog& dialog, const std::function<void()>& action);
// A message box asked from the worker, owned by the progress window.
platform::MessageAnswer AskFromWorker(ProgressDialog& dialog, platform::MessageRequest request);

}  // namespace nrv
