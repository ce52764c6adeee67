// POSIX reading for the host build; paths are taken with backslashes as slashes.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "platform/errors.h"
#include "viewer/viewer_file.h"

namespace nrv {

namespace {

std::string NativePath(TextView name) {
  std::string path = ToUtf8(name);
  for (auto& c : path)
    if (c == '\\') c = '/';
  return path;
}

}  // namespace

bool NativeOpen(ViewerFile& file, TextView name) {
  const int fd = ::open(NativePath(name).c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    platform::SetLastError(errno == ENOENT ? platform::kErrorFileNotFound
                                           : platform::kErrorAccessDenied);
    return false;
  }
  struct stat info {};
  if (::fstat(fd, &info) != 0 || S_ISDIR(info.st_mode)) {
    ::close(fd);
    platform::SetLastError(platform::kErrorAccessDenied);
    return false;
  }
  ::posix_fadvise(fd, 0, 0, POSIX_FADV_SEQUENTIAL);
  file.native = fd;
  return true;
}

void NativeClose(ViewerFile& file) { ::close(static_cast<int>(file.native)); }

int64_t NativeSize(const ViewerFile& file) {
  struct stat info {};
  if (::fstat(static_cast<int>(file.native), &info) != 0) return -1;
  return static_cast<int64_t>(info.st_size);
}

int64_t NativeRead(const ViewerFile& file, int64_t position, void* buffer, size_t count) {
  ssize_t n;
  do {
    n = ::pread(static_cast<int>(file.native), buffer, count, static_cast<off_t>(position));
  } while (n < 0 && errno == EINTR);
  return n < 0 ? -1 : static_cast<int64_t>(n);
}

int64_t FileSizeByName(TextView name) {
  struct stat info {};
  if (::stat(NativePath(name).c_str(), &info) != 0) return -1;
  return static_cast<int64_t>(info.st_size);
}

}  // namespace nrv
