#include "ftp/ftp_session_win32.h"

#include <string>
#include <vector>

#include "core/listing.h"
#include "core/panel_context.h"
#include "ftp/ftp_jobs.h"
#include "ftp/machine_listing_win32.h"
#include "ftp/remote_listing.h"
#include "ftp/remote_read_win32.h"
#include "panel/panel_reader.h"
#include "panel/watcher.h"
#include "platform/error_report.h"
#include "platform/errors.h"
#include "platform/system.h"
#include "platform/win32/find_data.h"
#include "platform/win32/wide.h"

namespace nrv {
namespace {

struct WaitCursor {
  WaitCursor() { platform::SetWaitCursor(true); }
  ~WaitCursor() { platform::SetWaitCursor(false); }
};

HINTERNET ConnectionOf(const Panel& panel) {
  const FtpSession* session = SessionOf(panel);
  return session ? session->connection.Get() : nullptr;
}

Text HostOf(const Panel& panel) {
  const FtpSession* session = SessionOf(panel);
  return session ? session->host : Text();
}


void ReportWith(const char16_t* before, TextView first, const char16_t* middle, TextView second) {
  ReportError(Text(before) + Text(first) + Text(middle) + Text(second));
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
  FtpSession* session = SessionOf(panel);
  if (!session) return -1;
  if (panel.ftpTargetDir.empty()) panel.ftpTargetDir = u"/";
  RemoteLine line;
  line.connection = std::move(session->connection);
  RemoteReadResult result;
  ReadRemoteFolder(RemoteJobOf(panel, LoginOf(*session), panel.ftpTargetDir), line, nullptr, nullptr, result);
  session->connection = std::move(line.connection);
  if (result.status != 0) {
    platform::ShowMessage(ErrorReportRequest(std::move(result.errorText)));
    return -1;
  }
  panel.ftpCurrentDir = result.currentDir;
  ClearItems(list, panel);
  list.items = std::move(result.items.items);
  result.items.items.clear();
  ComputeTotals(list, panel);
  if (!result.noticeText.empty()) platform::ShowMessage(ErrorReportRequest(std::move(result.noticeText)));
  return 0;
}

namespace {

// Out of the location the panel shows (its watcher, a temporary list, an archive), into the
// server's start folder.
void BecomeFtp(Panel& panel, ItemList& list, TextView startFolder) {
  StopWatcher(panel);
  if (KindOf(panel) == LocationKind::Temporary) CopyItems(list, TemporaryStoreOf(panel), true);
  panel.temporary = 0;
  ForgetArchive(panel);
  panel.ftp = 1;
  panel.ftpCurrentDir.clear();
  panel.ftpTargetDir = Text(startFolder);
}

}  // namespace

int OpenFtp(Panel& panel, ItemList& list, const FtpLogin& login, TextView cursorName) {
  if (ReadsInBackground(panel) && SessionOf(panel)) {
    const PanelLocation before = SaveLocation(panel);
    // The new list replaces the shown one, which a temporary panel keeps in its store.
    if (KindOf(panel) == LocationKind::Temporary) CopyItems(list, TemporaryStoreOf(panel), true);
    panel.temporary = 0;
    panel.archiveOpen = 0;
    panel.ftp = 1;
    panel.ftpCurrentDir.clear();
    panel.ftpTargetDir = login.startFolder;
    LocationRead read = RemoteFolderRead(panel, login, panel.ftpTargetDir, true);
    ReadOtherLocation(panel, before, cursorName, std::move(read));
    return 0;
  }
  CloseSession(panel);
  if (FtpSession* session = SessionOf(panel)) SetLogin(*session, login);
  BecomeFtp(panel, list, login.startFolder);
  if (ListRemoteFolder(list, panel) == 0) {
    ArrangeNewLocation(panel, list, cursorName);
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
