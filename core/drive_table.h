#pragma once
// The table of logical drives, rebuilt on demand.
#include <vector>

#include "core/panel.h"

namespace nrv {

inline constexpr size_t kMaxDrives = 50;

struct DriveTable {
  std::vector<DriveInfo> rows;
};

// Fills the table from the platform's drives in letter order; 0 when at least one was found.
int BuildDriveTable(DriveTable& table);

// "remote" for a UNC path, else the upper-cased text up to the first backslash after the
// second character ("c:\data" gives "C:\").
Text RootOfPath(TextView path);

}  // namespace nrv
