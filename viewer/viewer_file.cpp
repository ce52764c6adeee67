#include <cstring>

#include "viewer/viewer_file.h"

// The native half lives in viewer_file_posix.cpp or viewer_file_win32.cpp.
namespace nrv {

bool NativeOpen(ViewerFile& file, TextView name);
void NativeClose(ViewerFile& file);
int64_t NativeSize(const ViewerFile& file);
int64_t NativeRead(const ViewerFile& file, int64_t position, void* buffer, size_t count);

ViewerFile::~ViewerFile() { CloseViewerFile(*this); }

bool OpenViewerFile(ViewerFile& file, TextView name) {
  CloseViewerFile(file);
  return NativeOpen(file, name);
}

void OpenViewerMemory(ViewerFile& file, const uint8_t* bytes, int64_t size) {
  CloseViewerFile(file);
  file.memory = bytes;
  file.memorySize = size;
}

void CloseViewerFile(ViewerFile& file) {
  if (file.native != -1) NativeClose(file);
  file.native = -1;
  file.memory = nullptr;
  file.memorySize = 0;
}

bool IsViewerFileOpen(const ViewerFile& file) {
  return file.native != -1 || file.memory != nullptr;
}

int64_t ViewerFileSize(const ViewerFile& file) {
  if (file.memory != nullptr) return file.memorySize;
  if (file.native == -1) return -1;
  return NativeSize(file);
}

int64_t ReadViewerFile(const ViewerFile& file, int64_t position, void* buffer, size_t count) {
  if (position < 0) return -1;
  if (file.memory != nullptr) {
    if (position >= file.memorySize) return 0;
    const int64_t available = file.memorySize - position;
    const size_t n = available < static_cast<int64_t>(count) ? static_cast<size_t>(available) : count;
    std::memcpy(buffer, file.memory + position, n);
    return static_cast<int64_t>(n);
  }
  if (file.native == -1) return -1;
  return NativeRead(file, position, buffer, count);
}

}  // namespace nrv
