#include "core/drive_table.h"

#include "platform/files.h"

namespace nrv {

bool SlowToQuery(uint32_t driveType) {
  return driveType == platform::kDriveRemovable || driveType == platform::kDriveRemote ||
         driveType == platform::kDriveCdRom;
}

void QueryDriveDetails(DriveInfo& row) {
  uint64_t total = 0, freeBytes = 0;
  row.totalBytes = platform::QueryFreeSpaceEx(row.root, total, freeBytes) ? total : 0;
  platform::FreeSpace space;
  row.freeBytes = platform::QueryFreeSpace(row.root, space)
                      ? uint64_t{space.sectorsPerCluster} * space.bytesPerSector * space.freeClusters
                      : 0;
  Text label;
  row.label = platform::VolumeLabel(row.root, label) && label.size() > 1 ? label : Text(u" ");
  row.detailsPending = false;
}

int BuildDriveTable(DriveTable& table, bool deferSlow) {
  table.rows.clear();
  const uint32_t mask = platform::LogicalDriveMask();
  for (int letter = 0; letter < 26 && table.rows.size() < kMaxDrives; ++letter) {
    if ((mask & (1u << letter)) == 0) continue;
    DriveInfo row;
    row.root = {static_cast<char16_t>(u'A' + letter), u':', u'\\'};
    row.type = platform::DriveType(row.root);
    if (deferSlow && SlowToQuery(row.type)) {
      row.label = u" ";
      row.detailsPending = true;
    } else {
      QueryDriveDetails(row);
    }
    table.rows.push_back(std::move(row));
  }
  return table.rows.empty() ? -1 : 0;
}

Text RootOfPath(TextView path) {
  if (path.size() > 2 && path[0] == u'\\' && path[1] == u'\\') return u"remote";
  size_t end = path.size();
  if (path.size() > 2) {
    const size_t slash = path.find(u'\\', 2);
    if (slash != TextView::npos) end = slash + 1;
  }
  Text root(path.substr(0, end));
  for (auto& c : root)
    if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - 32);
  return root;
}

}  // namespace nrv
