#pragma once
// The viewed file opened read-only, read at 64-bit positions. A file can also be a byte buffer
// held by the caller, so tests and fuzzing need no disk.
#include <cstddef>
#include <cstdint>

#include "platform/text.h"

namespace nrv {

struct ViewerFile {
  ViewerFile() = default;
  ~ViewerFile();
  ViewerFile(const ViewerFile&) = delete;
  ViewerFile& operator=(const ViewerFile&) = delete;

  intptr_t native = -1;  // file descriptor or HANDLE; -1 when closed
  const uint8_t* memory = nullptr;
  int64_t memorySize = 0;
};

// Read sharing for reading and writing, sequential-scan hint. false and the platform's last
// error set when the file cannot be opened.
bool OpenViewerFile(ViewerFile& file, TextView name);
void OpenViewerMemory(ViewerFile& file, const uint8_t* bytes, int64_t size);
void CloseViewerFile(ViewerFile& file);
bool IsViewerFileOpen(const ViewerFile& file);

// -1 when the size cannot be had.
int64_t ViewerFileSize(const ViewerFile& file);
// The size of the file by name, for the follow check; -1 when it cannot be read.
int64_t FileSizeByName(TextView name);

// Bytes read (0 at or past the end), or -1 on a read error.
int64_t ReadViewerFile(const ViewerFile& file, int64_t position, void* buffer, size_t count);

}  // namespace nrv
