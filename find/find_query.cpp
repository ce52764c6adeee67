#include "find/find_query.h"

namespace nrv {
namespace {

// "C:\" of a path that holds ":\", else empty.
Text DriveRootOf(TextView path) {
  const size_t colon = path.find(u":\\");
  if (colon == TextView::npos) return {};
  return Text(path.substr(0, colon + 2));
}

Text FolderWithBackslash(TextView path) {
  Text folder(path);
  if (folder.size() > 3 && folder.back() != u'\\') folder += u'\\';
  return folder;
}

}  // namespace

std::vector<AreaEntry> AreaEntries(TextView panelPath) {
  std::vector<AreaEntry> entries{{SearchArea::CurrentFolder, u"From the current folder"}};
  if (const Text root = DriveRootOf(panelPath); !root.empty())
    entries.push_back({SearchArea::DriveRoot, u"From the root of drive " + root});
  entries.push_back({SearchArea::CurrentFolderOnly, u"The current folder only"});
  return entries;
}

SearchArea AreaOfText(const std::vector<AreaEntry>& entries, TextView text) {
  for (const AreaEntry& entry : entries)
    if (entry.label == text) return entry.area;
  return SearchArea::CurrentFolder;
}

void ApplyArea(FindFilesQuery& query, SearchArea area, TextView panelPath) {
  const Text root = DriveRootOf(panelPath);
  query.startFolder = area == SearchArea::DriveRoot && !root.empty() ? root : FolderWithBackslash(panelPath);
  query.currentFolderOnly = area == SearchArea::CurrentFolderOnly;
  if (query.mask.size() > kMaxQueryText) query.mask.resize(kMaxQueryText);
  if (query.text.size() > kMaxQueryText) query.text.resize(kMaxQueryText);
}

}  // namespace nrv
