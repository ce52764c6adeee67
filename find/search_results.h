#pragma once
// The found files and folders. A search can find hundreds of thousands, so a result is a small
// record and every path lives in one shared buffer; PanelItems are made only for the panel.
#include <atomic>
#include <cstdint>
#include <mutex>
#include <vector>

#include "core/formatting.h"
#include "core/item_list.h"
#include "platform/files.h"

namespace nrv {

struct FoundItem {
  int64_t size = 0;  // -1 for a folder
  uint64_t writeTime = 0;
  uint64_t creationTime = 0;
  uint64_t accessTime = 0;
  uint32_t pathOffset = 0;  // the path ends where the next one begins
  uint32_t attributes = 0;
  uint32_t reparseTag = 0;
  uint16_t archivePathLength = 0;  // for a name inside an archive: the archive's path; else 0
};

struct SearchResults {
  std::vector<FoundItem> items;
  std::u16string paths;
};

inline int Count(const SearchResults& results) { return static_cast<int>(results.items.size()); }
TextView ResultPath(const SearchResults& results, int index);

// A file or folder of a listing, found in folder (ending with a backslash).
void AddFound(SearchResults& results, TextView folder, const platform::FindData& entry);
// A name inside the archive at archivePath.
void AddFoundInArchive(SearchResults& results, TextView archivePath, TextView inside, int64_t size,
                       uint32_t attributes, uint64_t writeTime);
// Appends every result of source to destination and empties source.
void MoveResults(SearchResults& source, SearchResults& destination);
void ClearResults(SearchResults& results);

// The results dialog's columns: the write time and the size as the panels show them, "<Folder>"
// for a folder.
ShortText ResultTimeText(const FoundItem& item);
ShortText ResultSizeText(const FoundItem& item);

// A panel row for the result: its full path as the name.
PanelItem* ResultToItem(const SearchResults& results, int index);

// Results handed from the search thread to the user-interface thread, which takes them when told
// to; a burst of additions is one message.
struct ResultQueue {
  std::mutex mutex;
  SearchResults pending;
  std::atomic<bool> announced{false};
};
// Adds a listing entry found in folder to the queue; true when the user-interface thread must
// now be told.
bool QueueFound(ResultQueue& queue, TextView folder, const platform::FindData& entry);
bool QueueFoundInArchive(ResultQueue& queue, TextView archivePath, TextView inside, int64_t size,
                         uint32_t attributes, uint64_t writeTime);
// Moves the queued results to results.
void TakeQueued(ResultQueue& queue, SearchResults& results);

}  // namespace nrv
