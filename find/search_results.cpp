#include "find/search_results.h"

#include "core/panel_item.h"

namespace nrv {
namespace {

FoundItem& AppendPath(SearchResults& results, TextView first, TextView second) {
  FoundItem& item = results.items.emplace_back();
  item.pathOffset = static_cast<uint32_t>(results.paths.size());
  results.paths.append(first);
  results.paths.append(second);
  return item;
}

bool Announce(ResultQueue& queue) { return !queue.announced.exchange(true); }

}  // namespace

TextView ResultPath(const SearchResults& results, int index) {
  const auto i = static_cast<size_t>(index);
  const size_t begin = results.items[i].pathOffset;
  const size_t end = i + 1 < results.items.size() ? results.items[i + 1].pathOffset : results.paths.size();
  return TextView(results.paths).substr(begin, end - begin);
}

void AddFound(SearchResults& results, TextView folder, const platform::FindData& entry) {
  FoundItem& item = AppendPath(results, folder, entry.name);
  item.attributes = entry.attributes;
  item.size = (entry.attributes & platform::kAttributeDirectory)
                  ? kFolderSize
                  : static_cast<int64_t>((static_cast<uint64_t>(entry.sizeHigh) << 32) | entry.sizeLow);
  item.writeTime = entry.writeTime;
  item.creationTime = entry.creationTime;
  item.accessTime = entry.accessTime;
  if (entry.attributes & platform::kAttributeReparsePoint) item.reparseTag = entry.reserved0;
}

void AddFoundInArchive(SearchResults& results, TextView archivePath, TextView inside, int64_t size,
                       uint32_t attributes, uint64_t writeTime) {
  FoundItem& item = AppendPath(results, archivePath, u"\\");
  results.paths.append(inside);
  item.archivePathLength = static_cast<uint16_t>(archivePath.size());
  item.attributes = attributes;
  item.size = size;
  item.writeTime = item.creationTime = item.accessTime = writeTime;
}

void MoveResults(SearchResults& source, SearchResults& destination) {
  const auto shift = static_cast<uint32_t>(destination.paths.size());
  destination.paths += source.paths;
  for (FoundItem item : source.items) {
    item.pathOffset += shift;
    destination.items.push_back(item);
  }
  ClearResults(source);
}

void ClearResults(SearchResults& results) {
  results.items.clear();
  results.paths.clear();
}

ShortText ResultTimeText(const FoundItem& item) { return DateText(item.writeTime); }

ShortText ResultSizeText(const FoundItem& item) {
  ShortText text;
  if (item.size < 0) {
    for (const char16_t c : TextView(u"<Folder>")) text.chars[text.length++] = c;
    return text;
  }
  PanelItem file;
  file.size = item.size;
  const ShortText info = InfoText(file);
  size_t start = 0;
  while (start < info.length && info.chars[start] == u' ') ++start;
  for (size_t i = start; i < info.length; ++i) text.chars[text.length++] = info.chars[i];
  return text;
}

PanelItem* ResultToItem(const SearchResults& results, int index) {
  const FoundItem& found = results.items[static_cast<size_t>(index)];
  PanelItem* item = NewItem(ResultPath(results, index));
  item->attributes = found.attributes;
  item->reparseTag = found.reparseTag;
  item->size = found.size;
  item->writeTime = found.writeTime;
  item->creationTime = found.creationTime;
  item->accessTime = found.accessTime;
  return item;
}

bool QueueFound(ResultQueue& queue, TextView folder, const platform::FindData& entry) {
  std::lock_guard lock(queue.mutex);
  AddFound(queue.pending, folder, entry);
  return Announce(queue);
}

bool QueueFoundInArchive(ResultQueue& queue, TextView archivePath, TextView inside, int64_t size,
                         uint32_t attributes, uint64_t writeTime) {
  std::lock_guard lock(queue.mutex);
  AddFoundInArchive(queue.pending, archivePath, inside, size, attributes, writeTime);
  return Announce(queue);
}

void TakeQueued(ResultQueue& queue, SearchResults& results) {
  std::lock_guard lock(queue.mutex);
  queue.announced = false;
  MoveResults(queue.pending, results);
}

}  // namespace nrv
