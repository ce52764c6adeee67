#include "ftp/remote_read_file_win32.h"

#include "platform/win32/wide.h"

namespace nrv {

RemoteReadFile::~RemoteReadFile() { CloseRemoteFile(*this); }

Text CacheCopyOf(HINTERNET file) {
  wchar_t name[MAX_PATH + 1] = {};
  DWORD size = sizeof name - sizeof name[0];
  return ::InternetQueryOptionW(file, INTERNET_OPTION_DATAFILE_NAME, name, &size) ? platform::FromWide(name) : Text();
}

bool OpenRemoteFile(RemoteReadFile& file, HINTERNET connection, TextView path) {
  CloseRemoteFile(file);
  file.handle = platform::InternetHandle(
      ::FtpOpenFileW(connection, platform::Wide(Text(path)), GENERIC_READ,
                     FTP_TRANSFER_TYPE_BINARY | INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE, 0));
  if (!file.handle) return false;
  file.cacheCopy = CacheCopyOf(file.handle.Get());
  ::SetLastError(ERROR_SUCCESS);
  return true;
}

void CloseRemoteFile(RemoteReadFile& file) {
  const DWORD error = ::GetLastError();
  // The library holds the copy open without shared deletion until the file is closed.
  file.handle.Reset();
  if (!file.cacheCopy.empty()) ::DeleteFileW(platform::Wide(file.cacheCopy));
  file.cacheCopy.clear();
  ::SetLastError(error);
}

}  // namespace nrv
