#include "ftp/ftp_transfer_win32.h"

#include <windows.h>
#include <wininet.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <vector>

#include "core/file_names.h"
#include "core/panel_context.h"
#include "fileops/file_operation.h"
#include "fileops/progress_dialog_win32.h"
#include "ftp/ftp_jobs.h"
#include "ftp/ftp_session_win32.h"
#include "ftp/remote_read_file_win32.h"
#include "ftp/transfer_blocks.h"
#include "ftp/transfer_progress.h"
#include "panel/update_target_win32.h"
#include "platform/error_report.h"
#include "platform/errors.h"
#include "platform/message_box.h"
#include "platform/worker.h"
#include "platform/win32/internet_handle.h"
#include "platform/win32/wide.h"

namespace nrv {
namespace {

using Clock = std::chrono::steady_clock;

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
  FtpTransferProbe* probe = nullptr;
  bool binary = false;  // TYPE I sent on this connection during this transfer
};

struct LocalFile {
  HANDLE handle = INVALID_HANDLE_VALUE;
  LocalFile() = default;
  LocalFile(const LocalFile&) = delete;
  LocalFile& operator=(const LocalFile&) = delete;
  ~LocalFile() { Close(); }
  void Close() {
    if (handle != INVALID_HANDLE_VALUE) ::CloseHandle(handle);
    handle = INVALID_HANDLE_VALUE;
  }
};

// A download's new bytes, under a name of their own beside the target: the target is touched
// only by the rename of a complete file, and a part that was not renamed goes with this.
struct PartFile {
  Text path;
  LocalFile file;
  PartFile() = default;
  PartFile(const PartFile&) = delete;
  PartFile& operator=(const PartFile&) = delete;
  ~PartFile() {
    file.Close();
    if (!path.empty()) ::DeleteFileW(platform::Wide(path));
  }
};

// Every question and report is posted to the progress window's thread, owned by that window,
// while the worker waits for the answer.
platform::MessageAnswer AskUser(TransferContext& context, platform::MessageRequest request) {
  request.owner = nullptr;
  return AskFromWorker(context.progress, std::move(request));
}

platform::MessageAnswer Ask(TransferContext& context, Text text, const char16_t* caption, platform::MessageIcon icon,
                            platform::MessageButtons buttons = platform::MessageButtons::YesNo) {
  return AskUser(context, {nullptr, std::move(text), caption, icon, buttons});
}

// The error report of a failed call, its text made here where the call's last error is.
void ReportJobError(TransferContext& context, TextView message) {
  AskUser(context, ErrorReportRequest(LastErrorReportText(message)));
}

void ReportJobError(TransferContext& context, TextView message, DWORD error) {
  ::SetLastError(error);
  ReportJobError(context, message);
}

void SetStatus(TransferContext& context, const Text& text) { SetProgressStatus(context.progress, text); }

void ShowProgress(TransferContext& context, int64_t done) {
  SetProgressValue(context.progress, ProgressPercent(done, context.total), ProgressText(done, context.total));
  if (context.probe && context.probe->progressShown) context.probe->progressShown(done);
}

bool CancelRequested(const TransferContext& context) {
  return context.progress.cancel.load() || (context.probe && context.probe->cancel.load());
}

// False when the user chose to end the whole transfer.
bool GoOnAfterCancel(TransferContext& context) {
  if (!CancelRequested(context)) return true;
  if (Ask(context, u"Abort operation?", u"Question", platform::MessageIcon::Question) == platform::MessageAnswer::Yes)
    return false;
  context.progress.cancel = false;
  if (context.probe) context.probe->cancel = false;
  return true;
}

// Refused: failed, reported, and the transfer goes on without asking.
enum class JobEnd { Done, Skipped, Refused, Failed, Abort };

struct Progress {
  int64_t done = 0;
  ProgressThrottle throttle;
  std::vector<char> buffer = std::vector<char>(kLargestBlock);  // the transfer's one buffer
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

// Yes, or No to leave this file, or Cancel to end the transfer; Yes without a question when
// there is nothing to overwrite.
platform::MessageAnswer AskOverwrite(TransferContext& context, TextView target, bool exists) {
  if (!exists) return platform::MessageAnswer::Yes;
  return Ask(context, u"File " + Text(target) + u" already exist. Overwrite it?", u"Question",
             platform::MessageIcon::Question, platform::MessageButtons::YesNoCancel);
}

JobEnd AfterOverwriteAnswer(platform::MessageAnswer answer) {
  if (answer == platform::MessageAnswer::No) return JobEnd::Skipped;
  return answer == platform::MessageAnswer::Yes ? JobEnd::Done : JobEnd::Abort;
}

// Cancel's question while a block is under way. Wine's blocking send returns only when the
// kernel has freed a good share of the socket's buffers, which on a slow link holds a block of
// any size for a third of a second or more: a thread of its own asks as soon as Cancel is
// pressed, and the loop takes the answer when its block ends.
struct CancelWatch {
  std::mutex lock;
  std::condition_variable answered;
  bool asking = false;
  bool abort = false;
  Worker thread;
};

constexpr DWORD kCancelLookMs = 10;

void WatchCancel(TransferContext& context, CancelWatch& watch, const StopFlag& stop) {
  while (::WaitForSingleObject(static_cast<HANDLE>(stop.wake), kCancelLookMs) == WAIT_TIMEOUT) {
    if (!CancelRequested(context)) continue;
    {
      const std::lock_guard hold(watch.lock);
      watch.asking = true;
    }
    const bool goOn = GoOnAfterCancel(context);
    {
      const std::lock_guard hold(watch.lock);
      watch.asking = false;
      watch.abort = !goOn;
    }
    watch.answered.notify_all();
    if (!goOn) return;
  }
}

// As GoOnAfterCancel, the question being the watch's: a Cancel pressed before the block ended
// has its answer before the next block starts.
bool GoOnAfterBlock(TransferContext& context, CancelWatch& watch) {
  std::unique_lock hold(watch.lock);
  // The flag is set without the lock: looked at again now and then.
  while (!watch.abort && (watch.asking || CancelRequested(context)))
    watch.answered.wait_for(hold, std::chrono::milliseconds(kCancelLookMs));
  return !watch.abort;
}

// Blocks from read to write until read gives none, each as large as the link allows
// (AfterBlock), with progress after each and Cancel's question during them; the error texts
// name the call that failed.
template <typename Read, typename Write>
JobEnd MoveBlocks(TransferContext& context, Progress& progress, int64_t& moved, Read read, const char16_t* readError,
                  Write write, const char16_t* writeError) {
  CancelWatch watch;
  const bool watching =
      StartWorker(watch.thread, [&](const StopFlag& stop) { WatchCancel(context, watch, stop); }, true);
  BlockPace pace;
  JobEnd end = JobEnd::Done;
  const char16_t* failed = nullptr;  // the call, with its error
  DWORD error = ERROR_SUCCESS;
  for (;;) {
    const Clock::time_point start = Clock::now();
    const uint32_t block = pace.size;
    DWORD size = 0;
    if (!read(block, size)) {
      failed = readError;
      error = ::GetLastError();
      break;
    }
    if (size == 0) break;
    DWORD written = 0;
    if (!write(size, written)) {
      failed = writeError;
      error = ::GetLastError();
      break;
    }
    if (written != size) {
      // Wine's WriteFile onto a full disk succeeds with what fitted; a short write to the
      // server is a connection that ended.
      failed = writeError;
      error = context.direction == kDirectionDownload ? ERROR_DISK_FULL : ERROR_INTERNET_CONNECTION_ABORTED;
      break;
    }
    const auto took = std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - start).count();
    const uint64_t microseconds = took > 0 ? static_cast<uint64_t>(took) : 0;
    if (context.probe && context.probe->blockDone) context.probe->blockDone(block, size, microseconds);
    AfterBlock(pace, size, microseconds);
    moved += size;
    Advance(context, progress, size);
    if (!(watching ? GoOnAfterBlock(context, watch) : GoOnAfterCancel(context))) {
      end = JobEnd::Abort;
      break;
    }
  }
  // A question still open is answered first; ending was what the user asked for.
  StopAndJoin(watch.thread);
  if (watch.abort) return JobEnd::Abort;
  if (failed) {
    ReportJobError(context, failed, error);
    return JobEnd::Failed;
  }
  return end;
}

// Whether the control connection still answers after a file was closed.
bool ServerAnswers(HINTERNET connection) {
  wchar_t folder[1025] = {};
  DWORD length = 1024;
  return ::FtpGetCurrentDirectoryW(connection, folder, &length) != FALSE;
}

// The server's size of a file (SIZE, in binary mode, where sizes are byte counts); false when
// it has no such file or cannot say, the reply kept for the report. Each command is a round
// trip of its own: binary mode is asked for once a transfer (the library's file transfers
// leave it set).
bool RemoteFileSize(TransferContext& context, TextView path, int64_t& size) {
  if (!context.binary && !::FtpCommandW(context.connection, FALSE, FTP_TRANSFER_TYPE_BINARY, L"TYPE I", 0, nullptr))
    return false;
  context.binary = true;
  if (!::FtpCommandW(context.connection, FALSE, FTP_TRANSFER_TYPE_BINARY, platform::Wide(u"SIZE " + Text(path)), 0,
                     nullptr))
    return false;
  const Text reply = platform::InternetLastResponse();
  // "213 <decimal size>"; anything else is no answer.
  if (reply.size() < 5 || reply.compare(0, 4, u"213 ") != 0) return false;
  int64_t value = 0;
  size_t at = 4;
  for (; at < reply.size() && reply[at] >= u'0' && reply[at] <= u'9'; ++at) {
    if (value > (INT64_MAX - 9) / 10) return false;
    value = value * 10 + (reply[at] - u'0');
  }
  if (at == 4) return false;
  size = value;
  return true;
}

// The library's size of an open download where it knows one.
bool OpenFileSize(HINTERNET file, int64_t& size) {
  DWORD high = 0;
  ::SetLastError(ERROR_SUCCESS);
  const DWORD low = ::FtpGetFileSize(file, &high);
  if (low == INVALID_FILE_SIZE && ::GetLastError() != ERROR_SUCCESS) return false;
  const int64_t value = (static_cast<int64_t>(high) << 32) | low;
  // Wine's library answers 0 for every open file; an empty file is told by SIZE as well.
  if (value <= 0) return false;
  size = value;
  return true;
}

bool LocalFileExists(TextView path) { return ::GetFileAttributesW(platform::Wide(Text(path))) != INVALID_FILE_ATTRIBUTES; }

Text FolderOf(TextView path) {
  const size_t slash = path.rfind(u'\\');
  return Text(slash == TextView::npos ? TextView(u".") : path.substr(0, slash == 2 && path[1] == u':' ? 3 : slash));
}

// A new empty file beside target, with a name no other file has.
bool CreatePartFile(PartFile& part, TextView target) {
  wchar_t name[MAX_PATH + 1] = {};
  if (!::GetTempFileNameW(platform::Wide(FolderOf(target)), L"nrv", 0, name)) return false;
  part.path = platform::FromWide(name);
  part.file.handle = ::CreateFileW(name, GENERIC_WRITE, FILE_SHARE_READ, nullptr, TRUNCATE_EXISTING,
                                   FILE_ATTRIBUTE_NORMAL, nullptr);
  return part.file.handle != INVALID_HANDLE_VALUE;
}

// The part's size must be what came; then it takes the target's name, replacing any file there.
bool CommitPartFile(PartFile& part, TextView target, int64_t received) {
  LARGE_INTEGER size{};
  if (!::GetFileSizeEx(part.file.handle, &size)) return false;
  if (size.QuadPart != received) {
    ::SetLastError(ERROR_WRITE_FAULT);
    return false;
  }
  part.file.Close();
  if (!::MoveFileExW(platform::Wide(part.path), platform::Wide(Text(target)), MOVEFILE_REPLACE_EXISTING)) return false;
  part.path.clear();
  return true;
}

JobEnd Download(TransferContext& context, const FtpJob& job, Progress& progress) {
  // The name comes from the server: it may only ever name a file in the chosen folder.
  if (const NameFault fault = CheckFileName(job.name); fault != NameFault::None) {
    AskUser(context, ErrorReportRequest(u"Skipped " + job.path + u": " + Text(NameFaultText(fault))));
    return JobEnd::Refused;
  }
  const Text localPath = LocalTargetOf(context, job);
  if (const JobEnd answer = AfterOverwriteAnswer(AskOverwrite(context, localPath, LocalFileExists(localPath)));
      answer != JobEnd::Done)
    return answer;
  // The size the server gives the file now, the one the copy must have; asked before the
  // transfer, since the connection takes no command while a file is open.
  int64_t reported = -1;
  const bool sized = RemoteFileSize(context, job.path, reported);
  RemoteReadFile remote;
  if (!OpenRemoteFile(remote, context.connection, job.path)) {
    ReportJobError(context, u"Failed open remote file " + job.path);
    return JobEnd::Failed;
  }
  int64_t openSize = 0;
  if (OpenFileSize(remote.handle.Get(), openSize)) reported = openSize;
  const bool known = sized || reported >= 0;
  PartFile part;
  if (!CreatePartFile(part, localPath)) {
    ReportJobError(context, u"Failed open local file " + localPath);
    return JobEnd::Failed;
  }
  SetStatus(context, MovingOrCopying(context, job));
  int64_t received = 0;
  const JobEnd end = MoveBlocks(
      context, progress, received,
      [&](uint32_t block, DWORD& read) {
        return ::InternetReadFile(remote.handle.Get(), progress.buffer.data(), block, &read) != FALSE;
      },
      u"InternetReadFile",
      [&](DWORD size, DWORD& written) {
        return ::WriteFile(part.file.handle, progress.buffer.data(), size, &written, nullptr) != FALSE;
      },
      u"WriteFile");
  if (end != JobEnd::Done) return end;
  CloseRemoteFile(remote);
  // A server that goes away mid-file only ends the data connection early: the library reads
  // that as the end of the file. Short of the size the server gave it is not; without that
  // size, a server that no longer answers may have ended it.
  if (known ? received != reported : (received < job.size || !ServerAnswers(context.connection))) {
    ReportJobError(context, u"InternetReadFile", ERROR_INTERNET_CONNECTION_ABORTED);
    return JobEnd::Failed;
  }
  if (!CommitPartFile(part, localPath, received)) {
    ReportJobError(context, u"Failed replace local file " + localPath);
    return JobEnd::Failed;
  }
  if (context.operation != kOperationMove) return JobEnd::Done;
  if (!known) {
    ReportJobError(context, u"The server did not give the size of " + job.path + u": it stays there",
                   ERROR_INTERNET_EXTENDED_ERROR);
    return JobEnd::Failed;
  }
  if (!::FtpDeleteFileW(context.connection, platform::Wide(job.path))) {
    ReportJobError(context, u"Failed delete file " + job.path);
    return JobEnd::Failed;
  }
  return JobEnd::Done;
}

// The name an upload is written under until the server has all of it.
Text RemotePartPath(const TransferContext& context, const FtpJob& job) {
  return RemoteJoin(context.target, job.name + u".nrv-part");
}

JobEnd Upload(TransferContext& context, const FtpJob& job, Progress& progress) {
  // The local side opens first, so that a folder leaves no empty file on the server.
  LocalFile local;
  local.handle = ::CreateFileW(platform::Wide(job.path), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                               OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  LARGE_INTEGER localSize{};
  if (local.handle == INVALID_HANDLE_VALUE || !::GetFileSizeEx(local.handle, &localSize)) {
    ReportJobError(context, u"Failed open local file " + job.path);
    return JobEnd::Failed;
  }
  const Text remotePath = RemoteJoin(context.target, job.name);
  int64_t existingSize = 0;
  const bool exists = RemoteFileSize(context, remotePath, existingSize);
  if (const JobEnd answer = AfterOverwriteAnswer(AskOverwrite(context, remotePath, exists)); answer != JobEnd::Done)
    return answer;
  const Text partPath = RemotePartPath(context, job);
  platform::InternetHandle remote(::FtpOpenFileW(context.connection, platform::Wide(partPath), GENERIC_WRITE,
                                                 FTP_TRANSFER_TYPE_BINARY | INTERNET_FLAG_RELOAD, 0));
  if (!remote.Get()) {
    ReportJobError(context, u"Failed open remote file for write " + remotePath);
    return JobEnd::Failed;
  }
  SetStatus(context, MovingOrCopying(context, job));
  int64_t sent = 0;
  const JobEnd end = MoveBlocks(
      context, progress, sent,
      [&](uint32_t block, DWORD& read) {
        return ::ReadFile(local.handle, progress.buffer.data(), block, &read, nullptr) != FALSE;
      },
      u"ReadFile",
      [&](DWORD size, DWORD& written) {
        return ::InternetWriteFile(remote.Get(), progress.buffer.data(), size, &written) != FALSE;
      },
      u"InternetWriteFile");
  // Closing the remote file ends the data connection; only then has the server the whole file.
  remote.Reset();
  if (end != JobEnd::Done) {
    // A part left by a server that went away keeps its own name; the target is untouched.
    ::FtpDeleteFileW(context.connection, platform::Wide(partPath));
    return end;
  }
  // The library does not report the server's last word on the file (a 552 for a full disk):
  // what the server kept is asked for.
  int64_t stored = -1;
  const bool sized = RemoteFileSize(context, partPath, stored);
  if (!sized || stored != localSize.QuadPart) {
    if (!sized && !ServerAnswers(context.connection)) {
      ReportJobError(context, u"InternetWriteFile", ERROR_INTERNET_CONNECTION_ABORTED);
      return JobEnd::Failed;
    }
    AskUser(context, ErrorReportRequest(u"The server did not keep " + remotePath + u": " +
                                        (sized ? Ascii(std::to_string(stored)) + u" of " +
                                                     Ascii(std::to_string(localSize.QuadPart)) + u" bytes arrived"
                                               : Text(u"the file is not there"))));
    ::FtpDeleteFileW(context.connection, platform::Wide(partPath));
    return JobEnd::Failed;
  }
  // A server that renames onto no existing name gets the old file out of the way first, once
  // the new one is complete.
  if (!::FtpRenameFileW(context.connection, platform::Wide(partPath), platform::Wide(remotePath)) &&
      !(exists && ::FtpDeleteFileW(context.connection, platform::Wide(remotePath)) &&
        ::FtpRenameFileW(context.connection, platform::Wide(partPath), platform::Wide(remotePath)))) {
    ReportJobError(context, u"Failed rename " + partPath + u" to " + remotePath);
    return JobEnd::Failed;
  }
  local.Close();
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
      Ask(context, u"Delete " + Ascii(std::to_string(context.jobs.size())) + u" items from " + context.sourceHost + u"?",
          u"Delete", platform::MessageIcon::Question) != platform::MessageAnswer::Yes)
    return 0;
  Progress progress;
  if (context.operation == kOperationDelete) progress.buffer.clear();
  bool previousFailed = false;
  int failed = 0;
  for (const FtpJob& job : context.jobs) {
    if (previousFailed && Ask(context, u"Abort operation", u"Errors occurred", platform::MessageIcon::Error) ==
                              platform::MessageAnswer::Yes)
      return failed;
    JobEnd end = JobEnd::Done;
    if (context.operation == kOperationDelete)
      end = Delete(context, job);
    else if (context.direction == kDirectionDownload)
      end = Download(context, job, progress);
    else
      end = Upload(context, job, progress);
    if (end == JobEnd::Abort) return failed;
    previousFailed = end == JobEnd::Failed;
    failed += previousFailed || end == JobEnd::Refused ? 1 : 0;
    if (context.operation != kOperationDelete) ShowProgress(context, progress.done);
  }
  return failed;
}

bool IsFtpPanel(const Panel& panel) { return KindOf(panel) == LocationKind::Ftp; }

}  // namespace

int RunFtpJobs(HINTERNET connection, uint32_t operation, uint32_t direction, TextView target,
               std::vector<FtpJob> jobs, FtpTransferProbe* probe) {
  TransferContext context;
  context.probe = probe;
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
