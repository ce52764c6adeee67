#include "archive/archive_job_win32.h"

#include <string>

#include "archive/log_viewer_win32.h"
#include "config/dialog_store.h"
#include "config/password_dialog_win32.h"
#include "platform/message_box.h"

namespace nrv {
namespace {

std::atomic<int> archiveThreads{0};

void Refresh(ArchiveJob& job) {
  Text caption;
  {
    const std::lock_guard<std::mutex> lock(job.lock);
    caption = ArchiveProgressCaption(job.operation, job.completed.load(), job.total.load());
  }
  SetProgressCaption(job.progress, caption);
  SetProgressValue(job.progress, ArchivePercent(job.completed.load(), job.total.load()),
                   Ascii(std::to_string(job.errors.load())));
}

bool AskAbort(ArchiveJob& job) {
  return AskFromWorker(job.progress, {nullptr, u"Abort operation?", u"Question", platform::MessageIcon::Question,
                                      platform::MessageButtons::YesNo}) == platform::MessageAnswer::Yes;
}

void ShowErrors(ArchiveJob& job, HWND frame) {
  if (job.log.entries.empty()) return;
  const Text operation = job.operation;
  if (platform::ShowMessage({frame, ErrorsQuestionText(job.log.entries.size(), operation), u"Question",
                             platform::MessageIcon::Error, platform::MessageButtons::YesNo}) ==
      platform::MessageAnswer::Yes)
    ShowLogViewer(frame, job.log);
  job.log.entries.clear();
  job.errors = 0;
}

}  // namespace

int ArchiveThreadCount() { return archiveThreads.load(); }

bool ArchiveOperationAllowed() {
  if (archiveThreads.load() == 0) return true;
  platform::ShowMessage({nullptr, u"Arc threads count != 0", {}, platform::MessageIcon::Information});
  return false;
}

int RunArchiveJob(ArchiveJob& job, HWND frame, TextView startFailure, const std::function<void(ArchiveJob&)>& body) {
  job.progress.frame = frame;
  job.progress.countLabel = u"Errors:";
  job.progress.shown.caption = job.operation;
  job.progress.shown.count = u"0";
  job.progress.run = [&job, &body](ProgressDialog&) {
    int expected = 0;
    if (!archiveThreads.compare_exchange_strong(expected, 1)) {
      AskFromWorker(job.progress, {nullptr, u"Arc threads count != 0", {}, platform::MessageIcon::Information});
      return;
    }
    job.counted = true;
    body(job);
  };
  const int ran = RunProgressDialog(job.progress);
  if (ran != 0) {
    platform::ShowMessage({frame, Text(startFailure), {}, platform::MessageIcon::Error});
    return -1;
  }
  ShowErrors(job, frame);
  if (job.counted) --archiveThreads;
  job.counted = false;
  return 0;
}

void LogArchiveError(ArchiveJob& job, TextView text, int32_t code) {
  AddLogEntry(job.log, text, code);
  SetProgressCount(job.progress, Ascii(std::to_string(++job.errors)));
}

void SetArchiveOperation(ArchiveJob& job, TextView operation, TextView item) {
  {
    const std::lock_guard<std::mutex> lock(job.lock);
    if (job.operation != operation) job.operation = operation;
    job.currentItem = item;
  }
  SetProgressStatus(job.progress, item);
  Refresh(job);
}

void SetArchiveTotal(ArchiveJob& job, uint64_t total) { job.total = total; }

HRESULT SetArchiveCompleted(ArchiveJob& job, const UINT64* completed) {
  if (job.progress.cancel.load()) {
    if (AskAbort(job)) {
      job.abortConfirmed = true;
      return E_ABORT;
    }
    job.progress.cancel = false;
  }
  if (completed) job.completed = *completed;
  Refresh(job);
  return S_OK;
}

bool ArchiveAbortConfirmed(ArchiveJob& job) {
  if (!job.progress.cancel.load()) return false;
  if (job.abortConfirmed) return true;
  if (AskAbort(job)) {
    job.abortConfirmed = true;
    return true;
  }
  job.progress.cancel = false;
  return false;
}

bool AskArchivePassword(ArchiveJob& job, Text& password) {
  bool entered = false;
  RunOnWindowThread(job.progress, [&] {
    entered = PasswordDialog(job.progress.window, password) == kDialogOk;
  });
  return entered;
}

}  // namespace nrv
