#pragma once
// The table of logical drives, rebuilt on demand.
#include <memory>
#include <mutex>
#include <vector>

#include "core/panel.h"
#include "platform/worker.h"

namespace nrv {

inline constexpr size_t kMaxDrives = 50;

struct DriveTable {
  std::vector<DriveInfo> rows;
};

// The slow drives' details being read on a worker: what it was given, filled in when done.
struct DriveQueryExchange {
  std::mutex lock;
  bool done = false;
  std::vector<DriveInfo> rows;
};
struct DriveQuery {
  Worker worker;
  std::shared_ptr<DriveQueryExchange> exchange;
};

// Removable media may have to spin up and a network server may not answer for long: the sizes
// and labels of these drives are never asked for on the window's thread.
bool SlowToQuery(uint32_t driveType);
// The sizes and label of row.root.
void QueryDriveDetails(DriveInfo& row);

// Fills the table from the platform's drives in letter order; 0 when at least one was found.
// With deferSlow the rows of slow drives get their root and type only, marked detailsPending.
int BuildDriveTable(DriveTable& table, bool deferSlow = false);

// "remote" for a UNC path, else the upper-cased text up to the first backslash after the
// second character ("c:\data" gives "C:\").
Text RootOfPath(TextView path);

}  // namespace nrv
