#include "ftp/ftp_session_win32.h"

#include <string>
#include <vector>

#include "core/listing.h"
#include "core/panel_context.h"
#include "ftp/ftp_jobs.h"
#include "ftp/machine_listing_win32.h"
#include "ftp/remote_listing.h"
#include "panel/watcher.h"
#include "platform/error_report.h"
#include "platform/errors.h"
#include "platform/system.h"
#include "platform/win32/find_data.h"
#include "platform/win32/wide.h"

namespace nrv {
namespace {

constexpr DWORD kCurrentDirLength = 1024;


struct WaitCursor {
  WaitCursor() { platform::SetWaitCursor(true); }
  ~WaitCursor() { platform::SetWaitCursor(false); }
};

struct RemoteFind {
  HINTERNET handle = nullptr;
  ~RemoteFind() {
    if (handle) ::InternetCloseHandle(handle);
  }
};

HINTERNET ConnectionOf(const Panel& panel) {
  const FtpSession* session = SessionOf(panel);
  return session ? session->connection.Get() : nullptr;
}

Text HostOf(const Panel& panel) {
  const FtpSession* session = SessionOf(panel);
  return session ? session->host : Text();
}

bool CurrentRemoteFolder(HINTERNET connection, Text& folder) {
  wchar_t buffer[kCurrentDirLength + 1] = {};
  DWORD length = kCurrentDirLength;
  if (!connection || !::FtpGetCurrentDirectoryW(connection, buffer, &length)) return false;
  folder = platform::FromWide(buffer);
  return true;
}

void ReportWith(const char16_t* before, TextView first, const char16_t* middle, TextView second) {
  ReportError(Text(before) + Text(first) + Text(middle) + Text(second));
}

// One report per listing, once the list is whole, naming what it refused.
void ReportListing(const RemoteListing& listing, const Panel& panel) {
  const Text text = ListingReportText(listing, HostOf(panel) + panel.ftpCurrentDir);
  if (text.empty()) return;
  platform::SetLastError(platform::kErrorInvalidData);
  ReportError(text);
}

}  // namespace

FtpSession* SessionOf(const Panel& panel) { return panel.ftpSession; }

bool Connect(const Panel& panel) {
  FtpSession* session = SessionOf(panel);
  if (!session) return false;
  session->connection.Reset();
  session->connection = platform::InternetHandle(::InternetConnectW(
      session->internet, platform::Wide(session->host), session->port, platform::Wide(session->login),
      platform::Wide(session->password), INTERNET_SERVICE_FTP, session->passive ? INTERNET_FLAG_PASSIVE : 0, 0));
  if (session->connection.Get()) return true;
  ReportError(u"Failed connect to: " + session->host + u":" + Ascii(std::to_string(session->port)));
  return false;
}

namespace {

int RestoreConnectionTo(const Panel& panel, const Text& folder) {
  if (!Connect(panel)) return -1;
  if (::FtpSetCurrentDirectoryW(ConnectionOf(panel), platform::Wide(folder))) return 0;
  ReportWith(u"Failed restore connection to ", HostOf(panel), u" and set current directory ", folder);
  return -1;
}

}  // namespace

int RestoreConnection(const Panel& panel) {
  return RestoreConnectionTo(panel, RemoteRestoreFolder(panel.ftpCurrentDir, panel.ftpTargetDir));
}

void CloseSession(Panel& panel) {
  if (FtpSession* session = SessionOf(panel)) session->connection.Reset();
}

bool ProbeConnection(const Panel& panel) {
  Text folder;
  return CurrentRemoteFolder(ConnectionOf(panel), folder);
}

int EnsureConnection(const Panel& panel) {
  if (ProbeConnection(panel)) return 0;
  // Between listings the server's folder is the one the panel shows.
  return RestoreConnectionTo(panel, panel.ftpCurrentDir.empty() ? Text(u"/") : panel.ftpCurrentDir);
}

int ListRemoteFolder(ItemList& list, Panel& panel) {
  WaitCursor waiting;
  if (!SessionOf(panel)) return -1;
  if (panel.ftpTargetDir.empty()) panel.ftpTargetDir = u"/";
  if (ProbeConnection(panel)) {
    if (!::FtpSetCurrentDirectoryW(ConnectionOf(panel), platform::Wide(panel.ftpTargetDir))) {
      ReportWith(u"Failed set current directory ", panel.ftpTargetDir, u" on ", HostOf(panel));
      return -1;
    }
  } else if (RestoreConnection(panel) != 0) {
    return -1;
  }
  Text current;
  if (!CurrentRemoteFolder(ConnectionOf(panel), current)) {
    ReportError(u"Failed get current directory on " + HostOf(panel));
    return -1;
  }
  panel.ftpCurrentDir = current;

  BeginRemoteListing(panel, list, current);
  std::vector<platform::FindData> entries;
  RemoteListing listing;
  if (ListMachineReadable(*SessionOf(panel), current, entries, listing)) {
    for (const platform::FindData& entry : entries)
      if (!AddRemoteEntry(list, entry, listing)) break;
    EndRemoteListing(panel, list);
    ReportListing(listing, panel);
    return 0;
  }
  WIN32_FIND_DATAW native{};
  RemoteFind find;
  find.handle = ::FtpFindFirstFileW(ConnectionOf(panel), L"*.*", &native,
                                    INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE, 0);
  if (!find.handle) {
    if (IsEmptyListingError(platform::LastError())) {
      EndRemoteListing(panel, list);
      return 0;
    }
    ReportError(u"Find first file failed on: " + HostOf(panel));
    EndRemoteListing(panel, list);
    return -1;
  }
  bool more = true;
  do {
    more = AddRemoteEntry(list, platform::FromNative(native), listing);
  } while (more && ::InternetFindNextFileW(find.handle, &native));
  if (more && platform::LastError() != platform::kErrorNoMoreFiles) ReportError(u"Error find files on: " + HostOf(panel));
  ::InternetCloseHandle(find.handle);
  find.handle = nullptr;
  EndRemoteListing(panel, list);
  ReportListing(listing, panel);
  return 0;
}

int OpenFtp(Panel& panel, ItemList& list) {
  CloseSession(panel);
  StopWatcher(panel);
  if (KindOf(panel) == LocationKind::Temporary) CopyItems(list, TemporaryStoreOf(panel), true);
  panel.temporary = 0;
  ForgetArchive(panel);
  panel.ftp = 1;
  panel.ftpCurrentDir.clear();
  panel.ftpTargetDir = SessionOf(panel) ? SessionOf(panel)->startFolder : Text();
  if (ListRemoteFolder(list, panel) == 0) {
    ResetView(panel);
    ComputeTotals(list, panel);
    return 0;
  }
  CloseSession(panel);
  panel.ftp = 0;
  panel.ftpCurrentDir.clear();
  panel.ftpTargetDir.clear();
  ResetView(panel);
  if (ListLocalFolder(panel, list) == 0) ComputeTotals(list, panel);
  return -1;
}

int FtpMakeFolder(const Panel& panel, TextView name) {
  if (EnsureConnection(panel) != 0) return -1;
  if (::FtpCreateDirectoryW(ConnectionOf(panel), platform::Wide(Text(name)))) return 0;
  ReportError(u"Failed create directory " + Text(name) + u" on " + HostOf(panel) + panel.ftpCurrentDir);
  return -1;
}

}  // namespace nrv
