#include <windows.h>

#include "viewer/viewer_file.h"

namespace nrv {

namespace {

HANDLE Native(const ViewerFile& file) { return reinterpret_cast<HANDLE>(file.native); }

const wchar_t* Wide(const Text& text) { return reinterpret_cast<const wchar_t*>(text.c_str()); }

}  // namespace

bool NativeOpen(ViewerFile& file, TextView name) {
  const Text path(name);
  HANDLE handle = CreateFileW(Wide(path), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return false;
  file.native = reinterpret_cast<intptr_t>(handle);
  return true;
}

void NativeClose(ViewerFile& file) { CloseHandle(Native(file)); }

int64_t NativeSize(const ViewerFile& file) {
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(Native(file), &size)) return -1;
  return size.QuadPart;
}

int64_t NativeRead(const ViewerFile& file, int64_t position, void* buffer, size_t count) {
  LARGE_INTEGER to{};
  to.QuadPart = position;
  if (!SetFilePointerEx(Native(file), to, nullptr, FILE_BEGIN)) return -1;
  DWORD read = 0;
  const DWORD want = count > 0x40000000u ? 0x40000000u : static_cast<DWORD>(count);
  if (!ReadFile(Native(file), buffer, want, &read, nullptr)) return -1;
  return static_cast<int64_t>(read);
}

int64_t FileSizeByName(TextView name) {
  const Text path(name);
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExW(Wide(path), GetFileExInfoStandard, &data)) return -1;
  return (static_cast<int64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

}  // namespace nrv
