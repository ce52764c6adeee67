#include <windows.h>

#include "platform/files.h"
#include "platform/win32/find_data.h"
#include "platform/win32/wide.h"

namespace nrv::platform {
namespace {

uint64_t Join(const FILETIME& t) {
  return (static_cast<uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
}

void Copy(const WIN32_FIND_DATAW& from, FindData& to) {
  to.attributes = from.dwFileAttributes;
  to.creationTime = Join(from.ftCreationTime);
  to.accessTime = Join(from.ftLastAccessTime);
  to.writeTime = Join(from.ftLastWriteTime);
  to.sizeHigh = from.nFileSizeHigh;
  to.sizeLow = from.nFileSizeLow;
  to.reserved0 = from.dwReserved0;
  to.reserved1 = from.dwReserved1;
  to.name.assign(reinterpret_cast<const char16_t*>(from.cFileName));
}

}  // namespace

FindData FromNative(const WIN32_FIND_DATAW& native) {
  FindData data;
  Copy(native, data);
  return data;
}

FindHandle::~FindHandle() { Close(); }
void FindHandle::Close() {
  if (handle_) ::FindClose(static_cast<HANDLE>(handle_));
  handle_ = nullptr;
}

bool FindFirst(TextView pattern, FindHandle& handle, FindData& data) {
  handle.Close();
  const Text text(pattern);
  WIN32_FIND_DATAW native;
  HANDLE found = ::FindFirstFileW(Wide(text), &native);
  if (found == INVALID_HANDLE_VALUE) return false;
  handle.handle_ = found;
  Copy(native, data);
  return true;
}

bool FindNext(FindHandle& handle, FindData& data) {
  WIN32_FIND_DATAW native;
  if (!::FindNextFileW(static_cast<HANDLE>(handle.handle_), &native)) return false;
  Copy(native, data);
  return true;
}

bool SetCurrentFolder(TextView path) {
  const Text text(path);
  return ::SetCurrentDirectoryW(Wide(text)) != FALSE;
}

Text CurrentFolder() {
  const DWORD needed = ::GetCurrentDirectoryW(0, nullptr);
  if (needed == 0) return {};
  std::wstring buffer(needed, L'\0');
  const DWORD length = ::GetCurrentDirectoryW(needed, buffer.data());
  if (length == 0 || length >= needed) return {};
  return FromWide(buffer.c_str(), length);
}

bool QueryFreeSpace(TextView root, FreeSpace& space) {
  const Text text(root);
  DWORD sectors = 0, bytes = 0, freeClusters = 0, totalClusters = 0;
  if (!::GetDiskFreeSpaceW(Wide(text), &sectors, &bytes, &freeClusters, &totalClusters))
    return false;
  space = {sectors, bytes, freeClusters, totalClusters};
  return true;
}

bool QueryFreeSpaceEx(TextView root, uint64_t& totalBytes, uint64_t& freeBytes) {
  const Text text(root);
  ULARGE_INTEGER available{}, total{}, free{};
  if (!::GetDiskFreeSpaceExW(Wide(text), &available, &total, &free)) return false;
  totalBytes = total.QuadPart;
  freeBytes = free.QuadPart;
  return true;
}

// In a session that is just starting, Wine lists no drives until its mount manager is up; a
// program started at that moment would report that it found none. Ask again for up to a second.
uint32_t LogicalDriveMask() {
  uint32_t mask = ::GetLogicalDrives();
  for (int attempt = 0; mask == 0 && attempt < 20; ++attempt) {
    ::Sleep(50);
    mask = ::GetLogicalDrives();
  }
  return mask;
}

uint32_t DriveType(TextView root) {
  const Text text(root);
  return ::GetDriveTypeW(Wide(text));
}

bool VolumeLabel(TextView root, Text& label) {
  const Text text(root);
  wchar_t buffer[MAX_PATH + 1] = {};
  if (!::GetVolumeInformationW(Wide(text), buffer, MAX_PATH + 1, nullptr, nullptr, nullptr,
                               nullptr, 0))
    return false;
  label = FromWide(buffer);
  return true;
}

}  // namespace nrv::platform
