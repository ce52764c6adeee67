#include "archive/file_helpers_win32.h"

#include <vector>

#include "platform/win32/wide.h"

namespace nrv {
namespace {

bool IsDriveRoot(const Text& path) { return path.size() == 3 && path[1] == u':' && path[2] == u'\\'; }
bool IsDrive(const Text& path) { return path.size() == 2 && path[1] == u':'; }

// 1 made, 0 already a folder, -1 failed with the error left in place.
int MakeOneFolder(const Text& path) {
  if (::CreateDirectoryW(platform::Wide(path), nullptr)) return 1;
  if (::GetLastError() != ERROR_ALREADY_EXISTS) return -1;
  const DWORD attributes = ::GetFileAttributesW(platform::Wide(path));
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) return 0;
  ::SetLastError(ERROR_ALREADY_EXISTS);
  return -1;
}

}  // namespace

bool FindFileData(const Text& path, platform::FindData& data) {
  platform::FindHandle search;
  return platform::FindFirst(path, search, data);  // the handle closes on the way out
}

bool CreateFolderChain(Text path) {
  if (!path.empty() && path.back() == u'\\' && !IsDriveRoot(path)) path.pop_back();
  std::vector<Text> missing;  // levels to make, deepest first
  Text level = path;
  for (;;) {
    const int made = MakeOneFolder(level);
    if (made >= 0) break;
    if (::GetLastError() != ERROR_PATH_NOT_FOUND) return false;
    missing.push_back(level);
    const size_t slash = level.find_last_of(u'\\');
    if (slash == Text::npos) return false;
    level.resize(slash);
    if (level.empty() || IsDrive(level)) return false;
  }
  for (auto it = missing.rbegin(); it != missing.rend(); ++it)
    if (MakeOneFolder(*it) < 0) return false;
  return true;
}

bool DeleteFileAlways(const Text& path) {
  if (!::SetFileAttributesW(platform::Wide(path), 0)) return false;
  return ::DeleteFileW(platform::Wide(path)) != FALSE;
}

void CloseIfOpen(HANDLE& handle) {
  if (handle != INVALID_HANDLE_VALUE && handle != nullptr) ::CloseHandle(handle);
  handle = INVALID_HANDLE_VALUE;
}

void CloseSearchIfOpen(HANDLE& handle) {
  if (handle != INVALID_HANDLE_VALUE && handle != nullptr) ::FindClose(handle);
  handle = INVALID_HANDLE_VALUE;
}

}  // namespace nrv
