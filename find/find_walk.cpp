#include "find/find_walk.h"

#include <string>

#include "core/masks.h"
#include "core/panel_item.h"

namespace nrv {
namespace {

bool Aborted(const SearchCounters& counters) { return counters.abortRequested.load(std::memory_order_relaxed); }

bool IsFolderEntry(const platform::FindData& entry) {
  return (entry.attributes & platform::kAttributeDirectory) != 0;
}

bool FileMatches(const ContentPattern* pattern, const SearchCounters& counters, const Text& path) {
  return !pattern || FileContainsText(path, *pattern, &counters.abortRequested) >= 0;
}

}  // namespace

int SearchFolder(const FindFilesQuery& query, const ContentPattern* pattern, SearchCounters& counters,
                 const WalkCallbacks& callbacks, TextView folder) {
  if (callbacks.entering) callbacks.entering(folder);
  platform::FindHandle handle;
  platform::FindData entry;
  if (!platform::FindFirst(Text(folder) + u"*.*", handle, entry)) return 0;
  do {
    if (Aborted(counters)) return kWalkAborted;
    if (IsDotName(entry.name)) continue;
    const bool matches = MatchMask(entry.name, query.mask);
    if (IsFolderEntry(entry)) {
      if (query.includeFolders && matches) {
        ++counters.foldersFound;
        callbacks.found(folder, entry);
      }
      if (query.currentFolderOnly || (entry.attributes & platform::kAttributeReparsePoint)) continue;
      if (SearchFolder(query, pattern, counters, callbacks, Text(folder) + entry.name + u'\\') == kWalkAborted)
        return kWalkAborted;
      continue;
    }
    const Text path = Text(folder) + entry.name;
    if (matches && FileMatches(pattern, counters, path)) {
      ++counters.filesFound;
      callbacks.found(folder, entry);
    }
    if (query.searchArchives && callbacks.archive) {
      const int added = callbacks.archive(path);
      if (added < 0)
        ++counters.archivesNotRead;
      else
        counters.filesFound += added;
    }
  } while (platform::FindNext(handle, entry));
  return Aborted(counters) ? kWalkAborted : 0;
}

Text SearchEndText(int32_t archivesNotRead) {
  Text text = u"Search complete";
  if (archivesNotRead == 1) text += u"; 1 archive could not be read";
  if (archivesNotRead > 1) text += u"; " + Ascii(std::to_string(archivesNotRead)) + u" archives could not be read";
  return text;
}

int RunSearch(const FindFilesQuery& query, SearchCounters& counters, const WalkCallbacks& callbacks) {
  ContentPattern pattern;
  const bool withText = !query.text.empty();
  if (withText && !MakeContentPattern(query.text, query.caseSensitive, query.wholeWords, pattern)) return 0;
  return SearchFolder(query, withText ? &pattern : nullptr, counters, callbacks, query.startFolder);
}

}  // namespace nrv
