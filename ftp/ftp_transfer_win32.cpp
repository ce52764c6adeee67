#include "ftp/ftp_transfer_win32.h"

#include <windows.h>
#include <wininet.h>

#include <string>
#include <vector>

#include "core/panel_context.h"
#include "fileops/file_operation.h"
#include "fileops/progress_dialog_win32.h"
#include "ftp/ftp_jobs.h"
#include "ftp/ftp_session_win32.h"
#include "ftp/remote_read_file_win32.h"
#include "ftp/transfer_progress.h"
#include "panel/update_target_win32.h"
#include "platform/error_report.h"
#include "platform/errors.h"
#include "platform/message_box.h"
#include "platform/win32/internet_handle.h"
#include "platform/win32/wide.h"

namespace nrv {
namespace {

constexpr DWORD kBlockSize = 65536;

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
  ProgressDialog progress;
};

struct LocalFile {
  HANDLE handle = INVALID_HANDLE_VALUE;
  ~LocalFile() {
    if (handle != INVALID_HANDLE_VALUE) ::CloseHandle(handle);
  }
};

// Shown by the progress window's thread while the worker waits; directly without a window.
platform::MessageAnswer AskUser(TransferContext& context, platform::MessageRequest request) {
  return AskFromWorker(context.progress, std::move(request));
}

platform::MessageAnswer Ask(TransferContext& context, HWND owner, Text text, const char16_t* caption,
                            platform::MessageIcon icon) {
  return AskUser(context, {owner, std::move(text), caption, icon, platform::MessageButtons::YesNo});
}

// The error report of a failed call, its text made here where the call's last error is.
void ReportJobError(TransferContext& context, TextView message) {
  AskUser(context, ErrorReportRequest(LastErrorReportText(message)));
}

void SetStatus(TransferContext& context, const Text& text) { SetProgressStatus(context.progress, text); }

void ShowProgress(TransferContext& context, int64_t done) {
  SetProgressValue(context.progress, ProgressPercent(done, context.total), ProgressText(done, context.total));
}

// False when the user chose to end the whole transfer.
bool GoOnAfterCancel(TransferContext& context) {
  if (!context.progress.cancel.load()) return true;
  if (Ask(context, nullptr, u"Abort operation?", u"Question", platform::MessageIcon::Question) ==
      platform::MessageAnswer::Yes)
    return false;
  context.progress.cancel = false;
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
  RemoteReadFile remote;
  if (!OpenRemoteFile(remote, context.connection, job.path)) {
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
      [&](DWORD& read) { return ::InternetReadFile(remote.handle.Get(), buffer.data(), kBlockSize, &read) != FALSE; },
      u"InternetReadFile",
      [&](DWORD size, DWORD& written) { return ::WriteFile(local.handle, buffer.data(), size, &written, nullptr) != FALSE; },
      u"WriteFile");
  if (end != JobEnd::Done) return end;
  CloseRemoteFile(remote);
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

  context.progress.frame = frame;
  context.progress.countLabel = u"Processed:";
  context.progress.shown.caption = u"FTP";
  context.progress.run = [&context](ProgressDialog&) { RunJobs(context); };
  RunProgressDialog(context.progress);
  if (panel.context) PostUpdateRequest(*panel.context, 0);
  return 0;
}

}  // namespace nrv
