#pragma once
// The search thread's walk: depth first in listing order from the query's start folder, the
// name match of the selection masks, the content search, and an abort flag looked at before
// every entry and between the blocks of a file.
#include <atomic>
#include <cstdint>
#include <functional>

#include "find/content_search.h"
#include "find/find_query.h"
#include "platform/files.h"

namespace nrv {

inline constexpr int kWalkAborted = 1;

struct SearchCounters {
  std::atomic<bool> abortRequested{false};
  std::atomic<int32_t> filesFound{0};
  std::atomic<int32_t> foldersFound{0};
  std::atomic<int32_t> archivesNotRead{0};
};

struct WalkCallbacks {
  // A match: the entry as listed in folder (which ends with a backslash).
  std::function<void(TextView folder, const platform::FindData& entry)> found;
  // The walk starts reading folder.
  std::function<void(TextView folder)> entering;
  // Matches the item names inside the file at path when it is an archive; the number added,
  // negative for an archive that could not be read. Unset: archives are not looked into.
  std::function<int(TextView path)> archive;
};

// Walks folder (ending with a backslash): 0, or kWalkAborted. Folders that cannot be listed and
// files that cannot be read add nothing; junctions are listed but not entered, so a junction
// to its own parent cannot loop.
int SearchFolder(const FindFilesQuery& query, const ContentPattern* pattern, SearchCounters& counters,
                 const WalkCallbacks& callbacks, TextView folder);

// The results dialog's status once the search has ended: "Search complete", and how many
// archives could not be read when there were any.
Text SearchEndText(int32_t archivesNotRead);

// The whole search: the pattern is made from the query's text, then the walk from startFolder.
int RunSearch(const FindFilesQuery& query, SearchCounters& counters, const WalkCallbacks& callbacks);

}  // namespace nrv
