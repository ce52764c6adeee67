#include <windows.h>

#include <atomic>
#include <mutex>
#include <string>

#include "platform/private_folder.h"
#include "platform/shell.h"
#include "platform/win32/wide.h"

namespace nrv::platform {
namespace {

std::mutex gLock;
Text gFolder;  // with its backslash
std::atomic<uint32_t> gLastCopy{0};

Text UserTempFolder() {
  wchar_t buffer[MAX_PATH + 1] = {};
  const DWORD length = ::GetTempPathW(MAX_PATH + 1, buffer);
  return FromWide(buffer, length <= MAX_PATH ? length : 0);
}

Text WithBackslash(TextView folder) {
  Text result(folder);
  if (!result.empty() && result.back() != u'\\') result += u'\\';
  return result;
}

// A process we may not open still runs; only one that is gone or has ended is dead.
bool ProcessRuns(uint32_t pid) {
  HANDLE process = ::OpenProcess(SYNCHRONIZE, FALSE, pid);
  if (!process) return ::GetLastError() == ERROR_ACCESS_DENIED;
  const bool runs = ::WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
  ::CloseHandle(process);
  return runs;
}

// Links inside are removed as links: what they point at is not ours.
void RemoveTree(const Text& folder) {
  WIN32_FIND_DATAW data;
  const Text pattern = folder + u"\\*";
  HANDLE find = ::FindFirstFileW(Wide(pattern), &data);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      const Text name = FromWide(data.cFileName);
      if (name == u"." || name == u"..") continue;
      const Text path = folder + u'\\' + name;
      ::SetFileAttributesW(Wide(path), FILE_ATTRIBUTE_NORMAL);
      const bool isFolder = data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY;
      if (isFolder && !(data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) RemoveTree(path);
      if (isFolder)
        ::RemoveDirectoryW(Wide(path));
      else
        ::DeleteFileW(Wide(path));
    } while (::FindNextFileW(find, &data));
    ::FindClose(find);
  }
  ::RemoveDirectoryW(Wide(folder));
}

void RemoveLeftOvers(const Text& parent) {
  WIN32_FIND_DATAW data;
  const Text pattern = parent + u"Norvane-*";
  HANDLE find = ::FindFirstFileW(Wide(pattern), &data);
  if (find == INVALID_HANDLE_VALUE) return;
  do {
    if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) continue;
    const Text name = FromWide(data.cFileName);
    const uint32_t owner = PrivateFolderOwner(name);
    if (owner != 0 && owner != ::GetCurrentProcessId() && !ProcessRuns(owner)) RemoveTree(parent + name);
  } while (::FindNextFileW(find, &data));
  ::FindClose(find);
}

bool IsInside(TextView folder, TextView path) {
  if (folder.empty() || path.size() <= folder.size()) return false;
  return ::CompareStringOrdinal(reinterpret_cast<const wchar_t*>(folder.data()), static_cast<int>(folder.size()),
                                reinterpret_cast<const wchar_t*>(path.data()), static_cast<int>(folder.size()),
                                TRUE) == CSTR_EQUAL;
}

}  // namespace

bool OpenPrivateFolder(TextView parent) {
  const Text root = WithBackslash(parent.empty() ? TextView(UserTempFolder()) : parent);
  if (root.empty()) return false;
  RemoveLeftOvers(root);
  const Text folder = root + u"Norvane-" + Ascii(std::to_string(::GetCurrentProcessId()));
  // A folder of our number is an earlier process's that had it: nothing in it is ours.
  RemoveTree(folder);
  // A fresh profile has no temporary folder until someone makes it.
  if (CreateFolderChain(folder) != 0) return false;
  std::lock_guard lock(gLock);
  gFolder = folder + u'\\';
  return true;
}

bool EnsurePrivateFolder() { return !PrivateFolder().empty() || OpenPrivateFolder(); }

void ClosePrivateFolder() {
  Text folder;
  {
    std::lock_guard lock(gLock);
    folder.swap(gFolder);
  }
  if (!folder.empty()) RemoveTree(folder.substr(0, folder.size() - 1));
}

Text PrivateFolder() {
  std::lock_guard lock(gLock);
  return gFolder;
}

Text NewPrivateSubfolder() {
  const Text folder = PrivateFolder();
  if (folder.empty()) return {};
  return folder + Ascii(std::to_string(++gLastCopy)) + u'\\';
}

void RemovePrivateCopy(TextView path) {
  const Text folder = PrivateFolder();
  if (!IsInside(folder, path)) return;
  const size_t slash = path.find(u'\\', folder.size());
  const Text subfolder(path.substr(0, slash));
  // A copy straight in the private folder has no subfolder of its own to go with it.
  if (slash == TextView::npos || slash + 1 >= path.size()) {
    ::SetFileAttributesW(Wide(subfolder), FILE_ATTRIBUTE_NORMAL);
    ::DeleteFileW(Wide(subfolder));
    return;
  }
  RemoveTree(subfolder);
}

}  // namespace nrv::platform
