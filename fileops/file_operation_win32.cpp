#include "fileops/file_operation_win32.h"

#include <windows.h>
#include <shellapi.h>

#include <utility>
#include <vector>

#include "panel/update_target_win32.h"
#include "platform/error_report.h"
#include "platform/system.h"

namespace nrv {
namespace {

std::vector<wchar_t> WideList(const Text& list) {
  std::vector<wchar_t> copy(list.begin(), list.end());
  copy.push_back(L'\0');  // always closed by two NULs, whatever the list held
  copy.push_back(L'\0');
  return copy;
}

}  // namespace

int RunFileOperationJob(const FileOperationJob& job) {
  std::vector<wchar_t> sources = WideList(job.sources);
  std::vector<wchar_t> destination = WideList(job.destination);
  SHFILEOPSTRUCTW operation{};
  operation.hwnd = nullptr;
  operation.wFunc = job.operation;
  operation.pFrom = sources.data();
  operation.pTo = destination.data();
  operation.fFlags = job.flags;
  return ::SHFileOperationW(&operation);
}

int StartFileOperationWorker(WorkerSet& workers, PanelContext& context, FileOperationJob job) {
  // Counted before the thread runs, so that the quit question can never miss it.
  context.runningFileOperations.fetch_add(1);
  PanelContext* target = &context;
  const bool started = StartInSet(workers, [target, job = std::move(job)](const StopFlag&) {
    // The shell reports its own failures; the panels are read again whatever happened.
    RunFileOperationJob(job);
    PostUpdateRequest(*target, 0);
    target->runningFileOperations.fetch_sub(1);
  });
  platform::SetWaitCursor(false);
  if (started) return 0;
  context.runningFileOperations.fetch_sub(1);
  ReportError(u"File operations thread failed");
  return -1;
}

FileOperationHooks ShellFileOperationHooks(DestinationPrompt prompt, WorkerSet& workers, PanelContext& context) {
  FileOperationHooks hooks;
  hooks.prompt = prompt;
  WorkerSet* set = &workers;
  PanelContext* shared = &context;
  hooks.startWorker = [set, shared](FileOperationJob job) {
    return StartFileOperationWorker(*set, *shared, std::move(job));
  };
  return hooks;
}

}  // namespace nrv
