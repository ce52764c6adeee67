#include "editor/editor_search.h"

namespace nrv {

void NoteMatch(EditorSearch& search, TextMatch match) {
  search.matchStart = match.start;
  search.position = match.end;
  search.found = true;
}

void ReplaceSelected(EditorSearch& search, const SearchTarget& target, TextMatch selection, TextView replacement) {
  target.replace(target.context, selection, replacement);
  search.found = false;
  search.position = selection.start + static_cast<int64_t>(replacement.size());
}

int64_t ReplaceAll(EditorSearch& search, const SearchTarget& target, TextMatch selection, TextView replacement) {
  // The next search starts after the replacement just made, never inside it, so a replacement
  // that holds the search text cannot be matched again.
  ReplaceSelected(search, target, selection, replacement);
  int64_t count = 1;
  for (;;) {
    const TextMatch match = target.find(target.context, search, search.position);
    if (match.start < 0) break;
    target.replace(target.context, match, replacement);
    ++count;
    search.position = match.start + static_cast<int64_t>(replacement.size());
  }
  search.found = false;
  return count;
}

}  // namespace nrv
