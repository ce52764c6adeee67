// POSIX listing with Windows find semantics, for the host tests. Backslashes in paths are
// taken as slashes so that model code can join names the Windows way.
#include <dirent.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <mutex>
#include <string>
#include <vector>

#include "platform/errors.h"
#include "platform/files.h"
#include "platform/portable/portable_controls.h"

namespace nrv::platform {
namespace {

struct Listing {
  std::string folder;
  std::vector<std::string> names;
  size_t next = 0;
};

std::string NativePath(TextView path) {
  std::string out = ToUtf8(path);
  for (auto& c : out)
    if (c == '\\') c = '/';
  return out;
}

uint32_t FromErrno(int error) {
  switch (error) {
    case ENOENT: return kErrorPathNotFound;
    case EACCES:
    case EPERM: return kErrorAccessDenied;
    case ENOTDIR: return 267;  // ERROR_DIRECTORY
    default: return 31;        // ERROR_GEN_FAILURE
  }
}

uint64_t ToFileTime(const timespec& t) {
  constexpr int64_t kEpochSeconds = 11644473600LL;
  return static_cast<uint64_t>((t.tv_sec + kEpochSeconds) * 10000000LL + t.tv_nsec / 100);
}

bool Fill(const Listing& listing, const std::string& name, FindData& data) {
  struct stat info {};
  const std::string full = listing.folder + "/" + name;
  if (lstat(full.c_str(), &info) != 0) return false;
  data = FindData{};
  data.name = FromUtf8(name);
  if (S_ISLNK(info.st_mode)) {
    struct stat target {};
    data.attributes = kAttributeReparsePoint;
    data.reserved0 = 0xA000000C;  // IO_REPARSE_TAG_SYMLINK
    if (stat(full.c_str(), &target) == 0 && S_ISDIR(target.st_mode))
      data.attributes |= kAttributeDirectory;
  } else if (S_ISDIR(info.st_mode)) {
    data.attributes = kAttributeDirectory;
  } else {
    data.attributes = kAttributeArchive;
    const auto size = static_cast<uint64_t>(info.st_size);
    data.sizeHigh = static_cast<uint32_t>(size >> 32);
    data.sizeLow = static_cast<uint32_t>(size);
  }
  if ((info.st_mode & S_IWUSR) == 0) data.attributes |= kAttributeReadOnly;
  data.creationTime = ToFileTime(info.st_ctim);
  data.accessTime = ToFileTime(info.st_atim);
  data.writeTime = ToFileTime(info.st_mtim);
  return true;
}

bool Advance(Listing& listing, FindData& data) {
  while (listing.next < listing.names.size()) {
    if (Fill(listing, listing.names[listing.next++], data)) return true;
  }
  SetLastError(kErrorNoMoreFiles);
  return false;
}

std::atomic<uint32_t> gFindFirstFailure{0};
std::mutex gDriveMutex;
std::vector<portable::FakeDrive> gDrives{{u'C', kDriveFixed, 0, 0, {}}};

const portable::FakeDrive* FindDrive(TextView root) {
  if (root.empty()) return nullptr;
  char16_t letter = root[0];
  if (letter >= u'a' && letter <= u'z') letter = static_cast<char16_t>(letter - u'a' + u'A');
  for (const auto& drive : gDrives)
    if (drive.letter == letter) return &drive;
  return nullptr;
}

}  // namespace

FindHandle::~FindHandle() { Close(); }
void FindHandle::Close() {
  delete static_cast<Listing*>(handle_);
  handle_ = nullptr;
}

bool FindFirst(TextView pattern, FindHandle& handle, FindData& data) {
  handle.Close();
  if (const uint32_t failure = gFindFirstFailure.exchange(0)) {
    SetLastError(failure);
    return false;
  }
  std::string native = NativePath(pattern);
  const size_t slash = native.rfind('/');
  const std::string folder = slash == std::string::npos ? std::string(".")
                            : slash == 0                ? std::string("/")
                                                        : native.substr(0, slash);
  DIR* dir = opendir(folder.c_str());
  if (!dir) {
    SetLastError(FromErrno(errno));
    return false;
  }
  auto* listing = new Listing{folder, {".", ".."}, 0};
  while (const dirent* entry = readdir(dir)) {
    const std::string name = entry->d_name;
    if (name != "." && name != "..") listing->names.push_back(name);
  }
  closedir(dir);
  handle.handle_ = listing;
  if (!Advance(*listing, data)) {
    handle.Close();
    SetLastError(kErrorFileNotFound);
    return false;
  }
  return true;
}

bool FindNext(FindHandle& handle, FindData& data) {
  if (!handle.IsOpen()) {
    SetLastError(6);
    return false;
  }
  return Advance(*static_cast<Listing*>(handle.handle_), data);
}

bool SetCurrentFolder(TextView path) {
  if (chdir(NativePath(path).c_str()) != 0) {
    SetLastError(FromErrno(errno));
    return false;
  }
  return true;
}

Text CurrentFolder() {
  std::vector<char> buffer(4096);
  if (!getcwd(buffer.data(), buffer.size())) return {};
  return FromUtf8(buffer.data());
}

bool QueryFreeSpace(TextView root, FreeSpace& space) {
  std::lock_guard lock(gDriveMutex);
  if (const auto* drive = FindDrive(root); drive && root.size() >= 2 && root[1] == u':') {
    space = {1, 512, static_cast<uint32_t>(drive->freeBytes / 512),
             static_cast<uint32_t>(drive->totalBytes / 512)};
    return true;
  }
  struct statvfs info {};
  if (statvfs(NativePath(root).c_str(), &info) != 0) {
    SetLastError(FromErrno(errno));
    return false;
  }
  space = {1, static_cast<uint32_t>(info.f_frsize), static_cast<uint32_t>(info.f_bavail),
           static_cast<uint32_t>(info.f_blocks)};
  return true;
}

bool QueryFreeSpaceEx(TextView root, uint64_t& totalBytes, uint64_t& freeBytes) {
  std::lock_guard lock(gDriveMutex);
  if (const auto* drive = FindDrive(root)) {
    totalBytes = drive->totalBytes;
    freeBytes = drive->freeBytes;
    return true;
  }
  SetLastError(kErrorPathNotFound);
  return false;
}

uint32_t LogicalDriveMask() {
  std::lock_guard lock(gDriveMutex);
  uint32_t mask = 0;
  for (const auto& drive : gDrives)
    if (drive.letter >= u'A' && drive.letter <= u'Z') mask |= 1u << (drive.letter - u'A');
  return mask;
}

uint32_t DriveType(TextView root) {
  std::lock_guard lock(gDriveMutex);
  const auto* drive = FindDrive(root);
  return drive ? drive->type : 1;  // DRIVE_NO_ROOT_DIR
}

bool VolumeLabel(TextView root, Text& label) {
  std::lock_guard lock(gDriveMutex);
  const auto* drive = FindDrive(root);
  if (!drive || drive->label.empty()) {
    SetLastError(kErrorPathNotFound);
    return false;
  }
  label = drive->label;
  return true;
}

namespace portable {
void FailNextFindFirst(uint32_t errorCode) { gFindFirstFailure = errorCode; }

void SetDrives(std::vector<FakeDrive> drives) {
  std::lock_guard lock(gDriveMutex);
  gDrives = std::move(drives);
}
}  // namespace portable

}  // namespace nrv::platform
