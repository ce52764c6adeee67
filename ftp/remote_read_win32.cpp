#include "ftp/remote_read_win32.h"

#include <string>
#include <vector>

#include "ftp/ftp_jobs.h"
#include "ftp/machine_listing_win32.h"
#include "ftp/remote_listing.h"
#include "platform/error_report.h"
#include "platform/errors.h"
#include "platform/win32/find_data.h"
#include "platform/win32/wide.h"

namespace nrv {
namespace {

constexpr DWORD kCurrentDirLength = 1024;

bool Stopped(const StopFlag* stop) { return stop && stop->requested.load(); }

HINTERNET ConnectionOf(RemoteLine& line) {
  std::lock_guard<std::mutex> hold(line.lock);
  return line.connection.Get();
}


void Fail(RemoteReadResult& result, TextView message) {
  result.status = -2;
  result.errorText = LastErrorReportText(message);
}

// A new connection, kept in line; null when it failed (reported in result) or the read was cut
// while it was being made.
HINTERNET Connect(const RemoteReadJob& job, RemoteLine& line, RemoteReadResult& result) {
  const FtpLogin& login = job.login;
  HINTERNET made = ::InternetConnectW(job.internet, platform::Wide(login.host), login.port, platform::Wide(login.login),
                                      platform::Wide(login.password), INTERNET_SERVICE_FTP,
                                      login.passive ? INTERNET_FLAG_PASSIVE : 0, 0);
  if (!made) {
    Fail(result, u"Failed connect to: " + login.host + u":" + Ascii(std::to_string(login.port)));
    return nullptr;
  }
  std::lock_guard<std::mutex> hold(line.lock);
  if (line.cut) {
    ::InternetCloseHandle(made);
    return nullptr;
  }
  line.connection = platform::InternetHandle(made);
  return made;
}

// Into the target folder on the connection there is, or on a new one when it has gone.
HINTERNET Enter(const RemoteReadJob& job, RemoteLine& line, RemoteReadResult& result) {
  const Text target = job.target.empty() ? Text(u"/") : job.target;
  HINTERNET connection = ConnectionOf(line);
  Text folder;
  if (connection && CurrentRemoteFolder(connection, folder)) {
    if (::FtpSetCurrentDirectoryW(connection, platform::Wide(target))) return connection;
    Fail(result, u"Failed set current directory " + target + u" on " + job.login.host);
    return nullptr;
  }
  connection = Connect(job, line, result);
  if (!connection) return nullptr;
  const Text restore = RemoteRestoreFolder(job.shownFolder.empty() ? TextView(u"/") : TextView(job.shownFolder), target);
  if (::FtpSetCurrentDirectoryW(connection, platform::Wide(restore))) return connection;
  Fail(result, u"Failed restore connection to " + job.login.host + u" and set current directory " + restore);
  return nullptr;
}

struct RemoteFind {
  HINTERNET handle = nullptr;
  ~RemoteFind() {
    if (handle) ::InternetCloseHandle(handle);
  }
};

// The Internet library's own listing, for a server without the machine-readable one.
void ListThroughLibrary(const RemoteReadJob& job, HINTERNET connection, const StopFlag* stop,
                        std::atomic<int32_t>* count, RemoteListing& listing, RemoteReadResult& result) {
  WIN32_FIND_DATAW native{};
  RemoteFind find;
  find.handle = ::FtpFindFirstFileW(connection, L"*.*", &native, INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE, 0);
  if (!find.handle) {
    if (!IsEmptyListingError(platform::LastError())) Fail(result, u"Find first file failed on: " + job.login.host);
    return;
  }
  bool more = true;
  do {
    more = AddRemoteEntry(result.items, platform::FromNative(native), listing);
    if (count) count->fetch_add(1, std::memory_order_relaxed);
  } while (more && !Stopped(stop) && ::InternetFindNextFileW(find.handle, &native));
  if (more && !Stopped(stop) && platform::LastError() != platform::kErrorNoMoreFiles)
    result.noticeText = LastErrorReportText(u"Error find files on: " + job.login.host);
}

}  // namespace

bool CurrentRemoteFolder(HINTERNET connection, Text& folder) {
  wchar_t buffer[kCurrentDirLength + 1] = {};
  DWORD length = kCurrentDirLength;
  if (!connection || !::FtpGetCurrentDirectoryW(connection, buffer, &length)) return false;
  folder = platform::FromWide(buffer);
  return true;
}

void ReadRemoteFolder(const RemoteReadJob& job, RemoteLine& line, const StopFlag* stop, std::atomic<int32_t>* count,
                      RemoteReadResult& result) {
  HINTERNET connection = Enter(job, line, result);
  if (!connection || Stopped(stop)) return;
  Text current;
  if (!CurrentRemoteFolder(connection, current)) return Fail(result, u"Failed get current directory on " + job.login.host);
  result.currentDir = current;

  Panel sorting;  // the listing's order, as the panel's own
  sorting.sortMode = job.sortMode;
  BeginRemoteListing(sorting, result.items, current);
  RemoteListing listing;
  std::vector<platform::FindData> entries;
  if (ListMachineReadable(job.login, current, entries, listing, stop)) {
    for (const platform::FindData& entry : entries) {
      if (!AddRemoteEntry(result.items, entry, listing)) break;
      if (count) count->fetch_add(1, std::memory_order_relaxed);
    }
  } else if (!Stopped(stop)) {
    ListThroughLibrary(job, connection, stop, count, listing, result);
  }
  if (Stopped(stop) || result.status != 0) return;
  EndRemoteListing(sorting, result.items);
  const Text report = ListingReportText(listing, job.login.host + current);
  if (report.empty()) return;
  platform::SetLastError(platform::kErrorInvalidData);
  if (!result.noticeText.empty()) result.noticeText += u"\n";
  result.noticeText += LastErrorReportText(report);
}

RemoteReadJob RemoteJobOf(const Panel& panel, const FtpLogin& login, Text target) {
  RemoteReadJob job;
  if (const FtpSession* session = SessionOf(panel)) job.internet = session->internet;
  job.login = login;
  job.target = std::move(target);
  job.shownFolder = panel.ftpCurrentDir;
  job.sortMode = panel.sortMode;
  return job;
}

LocationRead RemoteFolderRead(Panel& panel, const FtpLogin& login, Text target, bool newServer) {
  auto job = std::make_shared<const RemoteReadJob>(RemoteJobOf(panel, login, std::move(target)));
  auto line = std::make_shared<RemoteLine>();
  // A new server starts with a connection of its own; the panel keeps the one it shows until
  // the new list is in.
  if (FtpSession* session = SessionOf(panel); session && !newServer) line->connection = std::move(session->connection);
  LocationRead read;
  read.run = [job, line, newServer](ReadExchange& exchange, const StopFlag& stop) {
    RemoteReadResult result;
    ReadRemoteFolder(*job, *line, &stop, &exchange.count, result);
    std::lock_guard<std::mutex> hold(exchange.lock);
    exchange.status = result.status;
    exchange.errorText = std::move(result.errorText);
    exchange.noticeText = std::move(result.noticeText);
    exchange.items = std::move(result.items);
    exchange.adopt = [job, line, newServer, current = std::move(result.currentDir)](Panel& shown, bool swapped) {
      FtpSession* session = SessionOf(shown);
      if (!session) return;
      platform::InternetHandle connection;
      {
        std::lock_guard<std::mutex> holdLine(line->lock);
        connection = std::move(line->connection);
      }
      if (swapped && newServer) {
        ForgetArchive(shown);  // what an archive left behind, now that the panel has moved
        SetLogin(*session, job->login);
        session->connection = std::move(connection);
      } else if (!session->connection.Get()) {
        // A connection made meanwhile (for a copy into the panel's folder) is kept: a transfer
        // may be working on it.
        session->connection = std::move(connection);
      }
      if (swapped) shown.ftpCurrentDir = current;
    };
  };
  read.cut = [line] {
    std::lock_guard<std::mutex> hold(line->lock);
    line->cut = true;
    line->connection.Reset();
  };
  return read;
}

}  // namespace nrv
