#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>
#include <winioctl.h>

#include <cstring>
#include <vector>

#include "platform/shell.h"
#include "platform/win32/wide.h"

namespace nrv::platform {
namespace {

// The mount-point form of the reparse data (the driver kit's REPARSE_DATA_BUFFER).
struct MountPointData {
  DWORD tag;
  WORD dataLength;
  WORD reserved;
  WORD substituteOffset;
  WORD substituteLength;
  WORD printOffset;
  WORD printLength;
};

constexpr DWORD kReparseBufferSize = 16 * 1024;

struct FileHandle {
  HANDLE handle = INVALID_HANDLE_VALUE;
  ~FileHandle() {
    if (handle != INVALID_HANDLE_VALUE) ::CloseHandle(handle);
  }
};

const wchar_t* OrNull(const Text& text) { return text.empty() ? nullptr : Wide(text); }

}  // namespace

intptr_t ExecuteWithShell(TextView verb, TextView file, TextView parameters, TextView directory) {
  const Text v(verb), f(file), p(parameters), d(directory);
  return reinterpret_cast<intptr_t>(
      ::ShellExecuteW(nullptr, OrNull(v), Wide(f), OrNull(p), OrNull(d), SW_SHOWNORMAL));
}

uint32_t ExecutableType(TextView path) {
  const Text p(path);
  SHFILEINFOW info{};
  return static_cast<uint32_t>(::SHGetFileInfoW(Wide(p), 0, &info, sizeof(info), SHGFI_EXETYPE));
}

Text SystemFolder() {
  wchar_t buffer[MAX_PATH] = {};
  const UINT length = ::GetSystemDirectoryW(buffer, MAX_PATH);
  return length && length < MAX_PATH ? FromWide(buffer, length) : Text(u"C:\\windows\\system32");
}

uint32_t CreateFolderChain(TextView path) {
  const Text p(path);
  const int result = ::SHCreateDirectoryExW(nullptr, Wide(p), nullptr);
  if (result == ERROR_SUCCESS) return 0;
  ::SetLastError(static_cast<DWORD>(result));
  return static_cast<uint32_t>(result);
}

bool ShowProperties(NativeWindow owner, TextView name) {
  const Text n(name);
  SHELLEXECUTEINFOW info{};
  info.cbSize = sizeof(info);
  info.fMask = SEE_MASK_INVOKEIDLIST;
  info.hwnd = static_cast<HWND>(owner);
  info.lpVerb = L"properties";
  info.lpFile = Wide(n);
  info.nShow = SW_SHOW;
  return ::ShellExecuteExW(&info) != FALSE;
}

Text FullPathName(TextView path) {
  const Text p(path);
  const DWORD needed = ::GetFullPathNameW(Wide(p), 0, nullptr, nullptr);
  if (needed == 0) return p;
  std::wstring buffer(needed, L'\0');
  const DWORD length = ::GetFullPathNameW(Wide(p), needed, buffer.data(), nullptr);
  return length && length < needed ? FromWide(buffer.c_str(), length) : p;
}

bool IsExistingFolder(TextView path) {
  const Text p(path);
  const DWORD attributes = ::GetFileAttributesW(Wide(p));
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool ReadReparseTarget(TextView path, uint32_t& tag, Text& target) {
  const Text p(path);
  FileHandle file;
  file.handle = ::CreateFileW(Wide(p), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING,
                              FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  if (file.handle == INVALID_HANDLE_VALUE) return false;
  std::vector<unsigned char> buffer(kReparseBufferSize);
  DWORD returned = 0;
  if (!::DeviceIoControl(file.handle, FSCTL_GET_REPARSE_POINT, nullptr, 0, buffer.data(),
                         kReparseBufferSize, &returned, nullptr))
    return false;
  if (returned < sizeof(MountPointData)) {
    ::SetLastError(ERROR_INVALID_DATA);
    return false;
  }
  MountPointData header;
  std::memcpy(&header, buffer.data(), sizeof(header));
  tag = header.tag;
  target.clear();
  if (tag == IO_REPARSE_TAG_MOUNT_POINT) {
    const size_t start = sizeof(MountPointData) + header.substituteOffset;
    if (start + header.substituteLength > returned) {
      ::SetLastError(ERROR_INVALID_DATA);
      return false;
    }
    target.assign(reinterpret_cast<const char16_t*>(buffer.data() + start), header.substituteLength / 2);
  }
  return true;
}

}  // namespace nrv::platform
