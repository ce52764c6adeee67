#pragma once
// The one archive operation that may run at a time: its progress window, the state the
// library's callbacks share with it, its error log and its end.
#include <windows.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>

#include "archive/error_log.h"
#include "fileops/progress_dialog_win32.h"
#include "platform/text.h"

namespace nrv {

struct ArchiveJob {
  ProgressDialog progress;
  std::atomic<uint64_t> total{0};
  std::atomic<uint64_t> completed{0};
  std::mutex lock;  // the texts below: the library reports progress from its own threads
  Text operation = u"Extracting";
  Text currentItem;
  ErrorLog log;  // written by the worker only; read after it was joined
  std::atomic<size_t> errors{0};  // its size, for the window
  bool abortConfirmed = false;
  bool counted = false;  // the worker holds one of the archive thread count
};

// Running extract and add workers of the process.
int ArchiveThreadCount();
// The main thread's test before a command starts: false after "Arc threads count != 0".
bool ArchiveOperationAllowed();

// Opens the progress window over frame and runs body on its worker, which first takes the
// archive thread count (or ends at once when another took it). Afterwards, on the calling
// thread: "%d errors detected during %s. Show log?" and the log viewer, the log emptied, the
// count given back. 0 when the window ran; -1 after startFailure was shown.
int RunArchiveJob(ArchiveJob& job, HWND frame, TextView startFailure, const std::function<void(ArchiveJob&)>& body);

// The worker's side.
void LogArchiveError(ArchiveJob& job, TextView text, int32_t code);
void SetArchiveOperation(ArchiveJob& job, TextView operation, TextView item);
void SetArchiveTotal(ArchiveJob& job, uint64_t total);
// The library's SetCompleted: after Cancel asks "Abort operation?"; E_ABORT on Yes.
HRESULT SetArchiveCompleted(ArchiveJob& job, const UINT64* completed);
// Cancel between the library's calls (the scan): true when the abort is confirmed, asking
// once.
bool ArchiveAbortConfirmed(ArchiveJob& job);
// The password dialog, shown by the window's thread; false on Cancel.
bool AskArchivePassword(ArchiveJob& job, Text& password);

}  // namespace nrv
