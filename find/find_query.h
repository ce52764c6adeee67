#pragma once
// What one pass through the query dialog asks for, and where the walk starts for each area.
#include <cstdint>
#include <vector>

#include "platform/text.h"

namespace nrv {

inline constexpr size_t kMaxQueryText = 259;

struct FindFilesQuery {
  Text mask = u"*.*";
  Text text;         // empty: names only
  Text startFolder;  // ends with a backslash
  bool currentFolderOnly = false;
  bool includeFolders = false;
  bool searchArchives = false;
  bool caseSensitive = false;
  bool wholeWords = false;
};

// The entries of the area box: the current folder, the drive's root (only for a path with
// ":\"), the current folder alone.
enum class SearchArea : uint8_t { CurrentFolder, DriveRoot, CurrentFolderOnly };
struct AreaEntry {
  SearchArea area;
  Text label;
};
std::vector<AreaEntry> AreaEntries(TextView panelPath);

// The area whose label is text; an unknown text is the current folder.
SearchArea AreaOfText(const std::vector<AreaEntry>& entries, TextView text);

// Sets startFolder and currentFolderOnly for area; mask and text are cut to their limit.
void ApplyArea(FindFilesQuery& query, SearchArea area, TextView panelPath);

}  // namespace nrv
