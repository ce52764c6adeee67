#pragma once
// Folder listing, current directory, free space and drives.
#include <cstdint>

#include "platform/text.h"

namespace nrv::platform {

inline constexpr uint32_t kAttributeReadOnly = 0x01;
inline constexpr uint32_t kAttributeHidden = 0x02;
inline constexpr uint32_t kAttributeSystem = 0x04;
inline constexpr uint32_t kAttributeDirectory = 0x10;
inline constexpr uint32_t kAttributeArchive = 0x20;
inline constexpr uint32_t kAttributeNormal = 0x80;
inline constexpr uint32_t kAttributeReparsePoint = 0x400;

inline constexpr uint32_t kDriveRemovable = 2;
inline constexpr uint32_t kDriveFixed = 3;
inline constexpr uint32_t kDriveRemote = 4;
inline constexpr uint32_t kDriveCdRom = 5;
inline constexpr uint32_t kDriveRamDisk = 6;

// Times are FILETIME values (100 ns since 1601, UTC) as one 64-bit number.
struct FindData {
  uint32_t attributes = 0;
  uint64_t creationTime = 0;
  uint64_t accessTime = 0;
  uint64_t writeTime = 0;
  uint32_t sizeHigh = 0;
  uint32_t sizeLow = 0;
  uint32_t reserved0 = 0;  // the reparse tag when the reparse-point bit is set
  uint32_t reserved1 = 0;
  Text name;
};

class FindHandle {
 public:
  FindHandle() = default;
  ~FindHandle();
  FindHandle(const FindHandle&) = delete;
  FindHandle& operator=(const FindHandle&) = delete;

  bool IsOpen() const { return handle_ != nullptr; }
  void Close();
  void* handle_ = nullptr;
};

// Both set the thread's last error on failure (kErrorNoMoreFiles at the end of a listing).
bool FindFirst(TextView pattern, FindHandle& handle, FindData& data);
bool FindNext(FindHandle& handle, FindData& data);

bool SetCurrentFolder(TextView path);
Text CurrentFolder();

struct FreeSpace {
  uint32_t sectorsPerCluster = 0;
  uint32_t bytesPerSector = 0;
  uint32_t freeClusters = 0;
  uint32_t totalClusters = 0;
};
bool QueryFreeSpace(TextView root, FreeSpace& space);
bool QueryFreeSpaceEx(TextView root, uint64_t& totalBytes, uint64_t& freeBytes);

uint32_t LogicalDriveMask();
uint32_t DriveType(TextView root);
bool VolumeLabel(TextView root, Text& label);

}  // namespace nrv::platform
