#pragma once
// A remote file open for a binary download. Wine's WinINet writes a copy of everything read
// into its URL cache whatever the flags ask and never registers it, so nothing else would ever
// remove it: closing the file removes the copy.
#include <windows.h>
#include <wininet.h>

#include "platform/text.h"
#include "platform/win32/internet_handle.h"

namespace nrv {

struct RemoteReadFile {
  platform::InternetHandle handle;
  Text cacheCopy;  // the library's copy of the download, when it makes one
  RemoteReadFile() = default;
  RemoteReadFile(const RemoteReadFile&) = delete;
  RemoteReadFile& operator=(const RemoteReadFile&) = delete;
  ~RemoteReadFile();
};

// The name of the library's copy of an open download; empty when it makes none.
Text CacheCopyOf(HINTERNET file);
// False when the server refuses the file; the library's last error stays for the report.
bool OpenRemoteFile(RemoteReadFile& file, HINTERNET connection, TextView path);
// Closes the file (its data connection) and removes the cache copy; the last error is kept.
void CloseRemoteFile(RemoteReadFile& file);

}  // namespace nrv
