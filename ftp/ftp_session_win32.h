#pragma once
// The FTP connection behind a panel: one per panel, on the process's one Internet handle.
#include <windows.h>
#include <wininet.h>

#include <cstdint>

#include "core/item_list.h"
#include "core/panel.h"
#include "ftp/ftp_address.h"
#include "platform/win32/internet_handle.h"

namespace nrv {

// Where and as whom a panel logs in.
struct FtpLogin {
  Text host;
  uint16_t port = kDefaultFtpPort;
  Text login;
  Text password;
  bool passive = true;
  Text startFolder;  // where a new panel on this server opens; empty for the root
};

// The login, the process's Internet handle and the connection of one panel.
struct FtpSession : FtpLogin {
  HINTERNET internet = nullptr;  // the process's handle, owned by the application
  platform::InternetHandle connection;
};

// The panel's session; none for a panel the application has not given one.
FtpSession* SessionOf(const Panel& panel);
inline const FtpLogin& LoginOf(const FtpSession& session) { return session; }
inline void SetLogin(FtpSession& session, const FtpLogin& login) { static_cast<FtpLogin&>(session) = login; }

// A new passive connection with the session's values; "Failed connect to: %s:%d" on failure.
bool Connect(const Panel& panel);
// Connect, then the folder the panel was going to; 0 or -1 (reported).
int RestoreConnection(const Panel& panel);
void CloseSession(Panel& panel);
// Asks the server for its current folder; false when the connection is gone.
bool ProbeConnection(const Panel& panel);
// ProbeConnection, and when it fails a new connection in the folder the panel shows; 0 or -1.
int EnsureConnection(const Panel& panel);

// At once: changes to ftpTargetDir and lists the folder into list; 0 or -1 (reported; the list
// is kept when the folder could not be entered).
int ListRemoteFolder(ItemList& list, Panel& panel);
// The panel becomes an FTP panel on login's server, in its start folder, the cursor on
// cursorName when the list has it. At once: on failure it goes back to its local folder and -1
// is returned. On a worker: the panel shows what it showed until the list arrives, and takes
// the login only then; 0.
int OpenFtp(Panel& panel, ItemList& list, const FtpLogin& login, TextView cursorName = {});
// A folder under the server's current folder; 0 or -1 (reported).
int FtpMakeFolder(const Panel& panel, TextView name);

}  // namespace nrv
