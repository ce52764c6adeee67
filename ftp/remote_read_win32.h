#pragma once
// An FTP folder's read: connecting when the panel has no connection or it has gone, entering
// the folder, asking the server where that is, and listing it. On a worker the window goes on
// meanwhile: the connection goes with the read and comes back with the list, and Escape closes
// it, which ends a call that waits on the server.
#include <windows.h>
#include <wininet.h>

#include <atomic>
#include <memory>
#include <mutex>

#include "core/item_list.h"
#include "core/panel.h"
#include "core/panel_read.h"
#include "ftp/ftp_session_win32.h"
#include "platform/win32/internet_handle.h"
#include "platform/worker.h"

namespace nrv {

struct RemoteReadJob {
  HINTERNET internet = nullptr;  // the process's handle; it outlives every read
  FtpLogin login;
  Text target;       // a folder name or path, as the server takes it; "." to read again
  Text shownFolder;  // the folder the panel shows, where a new connection goes back to
  int32_t sortMode = kSortName;
};

// The connection a read works on, shared with the window's thread, which may close it.
struct RemoteLine {
  std::mutex lock;
  bool cut = false;
  platform::InternetHandle connection;
};

struct RemoteReadResult {
  int status = 0;   // 0, or -2 with errorText
  Text errorText;   // the message as the error reporter shows it
  Text noticeText;  // what the listing refused or cut short
  Text currentDir;  // the folder the server says the read ended in
  ItemList items;   // sorted, ".." first below the root
};

// Asks the server for its current folder; false when the connection is gone.
bool CurrentRemoteFolder(HINTERNET connection, Text& folder);

// The read itself, on whichever thread calls it; stop and count may be null.
void ReadRemoteFolder(const RemoteReadJob& job, RemoteLine& line, const StopFlag* stop, std::atomic<int32_t>* count,
                      RemoteReadResult& result);

// The job of the panel's session for target, the login given (the session's own for a read of
// the server the panel is on).
RemoteReadJob RemoteJobOf(const Panel& panel, const FtpLogin& login, Text target);

// The read of target for a worker: the panel's connection goes to it (a new server's login
// starts without one) and comes back, with the login, when its end is taken.
LocationRead RemoteFolderRead(Panel& panel, const FtpLogin& login, Text target, bool newServer);

}  // namespace nrv
