#include "ftp/ftp_transfer_win32.h"

#include <windows.h>
#include <commctrl.h>
#include <wininet.h>

#include <atomic>
#include <mutex>
#include <string>
#include <vector>

#include "core/panel_context.h"
#include "fileops/file_operation.h"
#include "ftp/ftp_dialog_ids.h"
#include "ftp/ftp_jobs.h"
#include "ftp/ftp_session_win32.h"
#include "ftp/transfer_progress.h"
#include "panel/update_target_win32.h"
#include "platform/error_report.h"
#include "platform/errors.h"
#include "platform/message_box.h"
#include "platform/win32/common_dialogs.h"
#include "platform/win32/internet_handle.h"
#include "platform/win32/wide.h"
#include "platform/worker.h"

namespace nrv {
namespace {

constexpr DWORD kBlockSize = 65536;
constexpr UINT kTransferDone = WM_APP + 20;
constexpr UINT kTransferQuestion = WM_APP + 21;  // lParam: the worker's UserQuestion
constexpr UINT kTransferShown = WM_APP + 22;     // the status and progress changed

// What the worker gets: its own copies of everything but the connections, which stay the
// panels' (the user interface waits in the progress window while the worker uses them).
struct TransferContext {
  uint32_t operation = kOperationCopy;
  uint32_t direction = kDirectionDownload;
  Text target;
  Text sourceHost;
  HINTERNET connection = nullptr;  // the FTP side's
  std::vector<FtpJob> jobs;
  int64_t total = 1;
  HWND frame = nullptr;
  HWND dialog = nullptr;
  std::atomic<bool> cancel{false};
  Worker worker;
  // What the progress window shows, written by the worker and drawn by the window's thread.
  std::mutex shownLock;
  Text shownStatus;
  int64_t shownDone = 0;
  std::atomic<bool> shownPosted{false};
};

// A message the worker needs shown: the user-interface thread shows it and signals the answer.
struct UserQuestion {
  platform::MessageRequest request;
  platform::MessageAnswer answer = platform::MessageAnswer::No;
  NativeEvent answered = nullptr;
};

struct LocalFile {
  HANDLE handle = INVALID_HANDLE_VALUE;
  ~LocalFile() {
    if (handle != INVALID_HANDLE_VALUE) ::CloseHandle(handle);
  }
};

// Shown by the progress window's thread while the worker waits; directly without a window.
platform::MessageAnswer AskUser(TransferContext& context, platform::MessageRequest request) {
  if (!context.dialog) return platform::ShowMessage(request);
  UserQuestion question{std::move(request)};
  question.answered = CreateNativeEvent();
  if (!question.answered) return platform::MessageAnswer::No;
  if (::PostMessageW(context.dialog, kTransferQuestion, 0, reinterpret_cast<LPARAM>(&question)))
    ::WaitForSingleObject(static_cast<HANDLE>(question.answered), INFINITE);
  CloseNativeEvent(question.answered);
  return question.answer;
}

void AnswerQuestion(LPARAM lParam) {
  auto* question = reinterpret_cast<UserQuestion*>(lParam);
  question->answer = platform::ShowMessage(question->request);
  SignalNativeEvent(question->answered);
}

platform::MessageAnswer Ask(TransferContext& context, HWND owner, Text text, const char16_t* caption,
                            platform::MessageIcon icon) {
  return AskUser(context, {owner, std::move(text), caption, icon, platform::MessageButtons::YesNo});
}

// The error report of a failed call, its text made here where the call's last error is.
void ReportJobError(TransferContext& context, TextView message) {
  AskUser(context, ErrorReportRequest(LastErrorReportText(message)));
}

void PostShown(TransferContext& context) {
  if (context.dialog && !context.shownPosted.exchange(true)) ::PostMessageW(context.dialog, kTransferShown, 0, 0);
}

void SetStatus(TransferContext& context, const Text& text) {
  {
    const std::lock_guard<std::mutex> lock(context.shownLock);
    context.shownStatus = text;
  }
  PostShown(context);
}

void ShowProgress(TransferContext& context, int64_t done) {
  {
    const std::lock_guard<std::mutex> lock(context.shownLock);
    context.shownDone = done;
  }
  PostShown(context);
}

void DrawShown(HWND dialog, TransferContext& context) {
  context.shownPosted = false;
  Text status;
  int64_t done = 0;
  {
    const std::lock_guard<std::mutex> lock(context.shownLock);
    status = context.shownStatus;
    done = context.shownDone;
  }
  ::SetDlgItemTextW(dialog, IDC_PROGRESS_STATUS, platform::Wide(status));
  ::SendDlgItemMessageW(dialog, IDC_PROGRESS_BAR, PBM_SETPOS, static_cast<WPARAM>(ProgressPercent(done, context.total)),
                        0);
  ::SetDlgItemTextW(dialog, IDC_PROGRESS_DONE, platform::Wide(ProgressText(done, context.total)));
}

// False when the user chose to end the whole transfer.
bool GoOnAfterCancel(TransferContext& context) {
  if (!context.cancel.load()) return true;
  if (Ask(context, nullptr, u"Abort operation?", u"Question", platform::MessageIcon::Question) ==
      platform::MessageAnswer::Yes)
    return false;
  context.cancel = false;
  return true;
}

enum class JobEnd { Done, Failed, Abort };

struct Progress {
  int64_t done = 0;
  ProgressThrottle throttle;
};

void Advance(TransferContext& context, Progress& progress, DWORD bytes) {
  progress.done += bytes;
  if (ProgressDue(progress.throttle, ::GetTickCount64(), false)) ShowProgress(context, progress.done);
}

Text MovingOrCopying(const TransferContext& context, const FtpJob& job) {
  return (context.operation == kOperationMove ? u"Moving " : u"Copying ") + job.name;
}

// A local target is the folder the user confirmed, or for a single item a file name in an
// existing folder.
Text LocalTargetOf(const TransferContext& context, const FtpJob& job) {
  const DWORD attributes = ::GetFileAttributesW(platform::Wide(context.target));
  const bool folder = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
  if (folder || context.jobs.size() != 1 || context.target.empty() || context.target.back() == u'\\')
    return LocalJoin(context.target, job.name);
  return context.target;
}

// Blocks of up to 64 KiB (one buffer, the calls' own) from read to write until read gives none, with progress and the
// cancel question after each; the error texts name the call that failed.
template <typename Read, typename Write>
JobEnd MoveBlocks(TransferContext& context, Progress& progress, int64_t& moved, Read read, const char16_t* readError,
                  Write write, const char16_t* writeError) {
  for (;;) {
    DWORD size = 0;
    if (!read(size)) {
      ReportJobError(context, readError);
      return JobEnd::Failed;
    }
    if (size == 0) return JobEnd::Done;
    DWORD written = 0;
    if (!write(size, written)) {
      ReportJobError(context, writeError);
      return JobEnd::Failed;
    }
    if (written != size) {
      ReportJobError(context, u"WriteFile bytes written != bytes readed");
      return JobEnd::Failed;
    }
    moved += size;
    Advance(context, progress, size);
    if (!GoOnAfterCancel(context)) return JobEnd::Abort;
  }
}

// Whether the control connection still answers after a file was closed.
bool ServerAnswers(HINTERNET connection) {
  wchar_t folder[1025] = {};
  DWORD length = 1024;
  return ::FtpGetCurrentDirectoryW(connection, folder, &length) != FALSE;
}

JobEnd Download(TransferContext& context, const FtpJob& job, Progress& progress, std::vector<char>& buffer) {
  platform::InternetHandle remote(::FtpOpenFileW(context.connection, platform::Wide(job.path), GENERIC_READ,
                                                 FTP_TRANSFER_TYPE_BINARY | INTERNET_FLAG_RELOAD, 0));
  if (!remote.Get()) {
    ReportJobError(context, u"Failed open remote file " + job.path);
    return JobEnd::Failed;
  }
  const Text localPath = LocalTargetOf(context, job);
  LocalFile local;
  local.handle = ::CreateFileW(platform::Wide(localPath), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                               CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (local.handle == INVALID_HANDLE_VALUE) {
    ReportJobError(context, u"Failed open local file " + localPath);
    return JobEnd::Failed;
  }
  SetStatus(context, MovingOrCopying(context, job));
  int64_t received = 0;
  const JobEnd end = MoveBlocks(
      context, progress, received,
      [&](DWORD& read) { return ::InternetReadFile(remote.Get(), buffer.data(), kBlockSize, &read) != FALSE; },
      u"InternetReadFile",
      [&](DWORD size, DWORD& written) { return ::WriteFile(local.handle, buffer.data(), size, &written, nullptr) != FALSE; },
      u"WriteFile");
  if (end != JobEnd::Done) return end;
  remote.Reset();
  // A server that goes away mid-file only ends the data connection early: the library reads
  // that as the end of the file. Short of the listed size, or with the server gone, it is not.
  if (received < job.size || !ServerAnswers(context.connection)) {
    if (received < job.size) ::SetLastError(ERROR_INTERNET_CONNECTION_ABORTED);
    ReportJobError(context, u"InternetReadFile");
    return JobEnd::Failed;
  }
  if (context.operation == kOperationMove && !::FtpDeleteFileW(context.connection, platform::Wide(job.path))) {
    ReportJobError(context, u"Failed delete file " + job.path);
    return JobEnd::Failed;
  }
  return JobEnd::Done;
}

JobEnd Upload(TransferContext& context, const FtpJob& job, Progress& progress, std::vector<char>& buffer) {
  // The local side opens first, so that a folder leaves no empty file on the server.
  LocalFile local;
  local.handle = ::CreateFileW(platform::Wide(job.path), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                               OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  if (local.handle == INVALID_HANDLE_VALUE) {
    ReportJobError(context, u"Failed open local file " + job.path);
    return JobEnd::Failed;
  }
  const Text remotePath = RemoteJoin(context.target, job.name);
  platform::InternetHandle remote(::FtpOpenFileW(context.connection, platform::Wide(remotePath), GENERIC_WRITE,
                                                 FTP_TRANSFER_TYPE_BINARY | INTERNET_FLAG_RELOAD, 0));
  if (!remote.Get()) {
    ReportJobError(context, u"Failed open remote file for write " + remotePath);
    return JobEnd::Failed;
  }
  SetStatus(context, MovingOrCopying(context, job));
  int64_t sent = 0;
  const JobEnd end = MoveBlocks(
      context, progress, sent,
      [&](DWORD& read) { return ::ReadFile(local.handle, buffer.data(), kBlockSize, &read, nullptr) != FALSE; },
      u"ReadFile",
      [&](DWORD size, DWORD& written) { return ::InternetWriteFile(remote.Get(), buffer.data(), size, &written) != FALSE; },
      u"InternetWriteFile");
  if (end != JobEnd::Done) return end;
  // Closing the remote file ends the data connection; only then has the server the whole file.
  remote.Reset();
  if (!ServerAnswers(context.connection)) {
    ReportJobError(context, u"InternetWriteFile");
    return JobEnd::Failed;
  }
  ::CloseHandle(local.handle);
  local.handle = INVALID_HANDLE_VALUE;
  if (context.operation == kOperationMove && !::DeleteFileW(platform::Wide(job.path))) {
    ReportJobError(context, u"Failed delete file " + job.path);
    return JobEnd::Failed;
  }
  return JobEnd::Done;
}

JobEnd Delete(TransferContext& context, const FtpJob& job) {
  SetStatus(context, u"Deleting " + job.name);
  if (job.attributes & FILE_ATTRIBUTE_DIRECTORY) {
    if (::FtpRemoveDirectoryW(context.connection, platform::Wide(job.path))) return JobEnd::Done;
    ReportJobError(context, u"Failed delete directory " + job.path);
    return JobEnd::Failed;
  }
  if (::FtpDeleteFileW(context.connection, platform::Wide(job.path))) return JobEnd::Done;
  ReportJobError(context, u"Failed delete file " + job.path);
  return JobEnd::Failed;
}

// The number of failed jobs.
int RunJobs(TransferContext& context) {
  if (context.operation == kOperationDelete &&
      Ask(context, context.frame,
          u"Delete " + Ascii(std::to_string(context.jobs.size())) + u" items from " + context.sourceHost + u"?",
          u"Delete", platform::MessageIcon::Question) != platform::MessageAnswer::Yes)
    return 0;
  std::vector<char> buffer(kBlockSize);
  Progress progress;
  bool previousFailed = false;
  int failed = 0;
  for (const FtpJob& job : context.jobs) {
    if (previousFailed &&
        Ask(context, context.frame, u"Abort operation", u"Errors occurred", platform::MessageIcon::Error) ==
            platform::MessageAnswer::Yes)
      return failed;
    JobEnd end = JobEnd::Done;
    if (context.operation == kOperationDelete)
      end = Delete(context, job);
    else if (context.direction == kDirectionDownload)
      end = Download(context, job, progress, buffer);
    else
      end = Upload(context, job, progress, buffer);
    if (end == JobEnd::Abort) return failed;
    previousFailed = end == JobEnd::Failed;
    failed += previousFailed ? 1 : 0;
    if (context.operation != kOperationDelete) ShowProgress(context, progress.done);
  }
  return failed;
}

void StartTransferWorker(HWND dialog, TransferContext& context) {
  context.dialog = dialog;
  TransferContext* shared = &context;
  const bool started = StartWorker(context.worker, [shared](const StopFlag&) {
    RunJobs(*shared);
    ::PostMessageW(shared->dialog, kTransferDone, 0, 0);
  });
  if (!started) ::EndDialog(dialog, 0);
}

void CentreOn(HWND dialog, HWND frame) {
  RECT box{}, owner{};
  if (!frame || !::GetWindowRect(dialog, &box) || !::GetWindowRect(frame, &owner)) return;
  const int x = owner.left + ((owner.right - owner.left) - (box.right - box.left)) / 2;
  const int y = owner.top + ((owner.bottom - owner.top) - (box.bottom - box.top)) / 2;
  ::SetWindowPos(dialog, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

BOOL OnProgressInit(HWND dialog, TransferContext& context) {
  ::SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(&context));
  CentreOn(dialog, context.frame);
  ::SetDlgItemTextW(dialog, IDC_PROGRESS_DONE_LABEL, L"Processed:");
  ::SendDlgItemMessageW(dialog, IDC_PROGRESS_BAR, PBM_SETRANGE, 0, MAKELPARAM(0, 100));
  ::SendDlgItemMessageW(dialog, IDC_PROGRESS_BAR, PBM_SETSTEP, 1, 0);
  StartTransferWorker(dialog, context);
  return TRUE;
}

TransferContext* ContextOf(HWND dialog) {
  return reinterpret_cast<TransferContext*>(::GetWindowLongPtrW(dialog, DWLP_USER));
}

INT_PTR CALLBACK ProgressProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: return OnProgressInit(dialog, *reinterpret_cast<TransferContext*>(lParam));
    case WM_COMMAND:
      if (LOWORD(wParam) != IDCANCEL) return FALSE;
      if (TransferContext* context = ContextOf(dialog)) context->cancel = true;
      return TRUE;
    case WM_CLOSE:
      if (TransferContext* context = ContextOf(dialog)) context->cancel = true;
      return TRUE;
    case kTransferDone: ::EndDialog(dialog, 1); return TRUE;
    case kTransferQuestion: AnswerQuestion(lParam); return TRUE;
    case kTransferShown:
      if (TransferContext* context = ContextOf(dialog)) DrawShown(dialog, *context);
      return TRUE;
    default: return FALSE;
  }
}

bool IsFtpPanel(const Panel& panel) { return KindOf(panel) == LocationKind::Ftp; }

}  // namespace

int RunFtpJobs(HINTERNET connection, uint32_t operation, uint32_t direction, TextView target,
               std::vector<FtpJob> jobs) {
  TransferContext context;
  context.connection = connection;
  context.operation = operation;
  context.direction = direction;
  context.target = Text(target);
  context.jobs = std::move(jobs);
  context.total = TransferTotal(context.jobs);
  return RunJobs(context);
}

int RunFtpTransfer(TextView destination, Panel& panel, ItemList& list, Panel& other, uint32_t operation) {
  if (!IsFtpPanel(panel) && !IsFtpPanel(other)) return -1;
  const HWND frame = ::GetActiveWindow();  // the main window: commands come from its panels
  TransferContext context;
  context.operation = operation;
  context.frame = frame;
  if (operation == kOperationDelete)
    context.direction = kDirectionDownload;
  else if (IsFtpPanel(panel) && IsFtpPanel(other))
    context.direction = kDirectionBetweenServers;
  else
    context.direction = IsFtpPanel(panel) ? kDirectionDownload : kDirectionUpload;
  if (context.direction == kDirectionBetweenServers) {
    platform::ShowMessage({frame, u"Operation is not supported in this version", u"Error",
                           platform::MessageIcon::Error, platform::MessageButtons::Ok});
    return 0;
  }
  Panel& ftpSide = context.direction == kDirectionUpload ? other : panel;
  if (EnsureConnection(ftpSide) != 0) return -1;
  context.connection = SessionOf(ftpSide)->connection.Get();
  context.sourceHost = SessionOf(ftpSide)->host;
  context.target = Text(destination);
  context.jobs = BuildJobs(panel, list, IsFtpPanel(panel));
  if (context.jobs.empty()) return -1;
  context.total = TransferTotal(context.jobs);

  const platform::Module controls = platform::LoadCommonControls(ICC_PROGRESS_CLASS);
  ::DialogBoxParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_TRANSFER_PROGRESS), frame, ProgressProc,
                    reinterpret_cast<LPARAM>(&context));
  StopAndJoin(context.worker);
  if (panel.context) PostUpdateRequest(*panel.context, 0);
  return 0;
}

}  // namespace nrv
