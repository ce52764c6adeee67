#pragma once
// What the find/replace dialog remembers between searches, and Replace all as a walk over
// matches that always moves past the text it has just put in.
#include <cstdint>

#include "platform/text.h"

namespace nrv {

inline constexpr size_t kSearchTextLimit = 1023;
inline constexpr size_t kReplaceTextLimit = 260;

struct EditorSearch {
  Text text;
  bool caseSensitive = false;
  bool wholeWords = false;
  int64_t position = 0;    // where the next search starts
  int64_t matchStart = 0;  // start of the last match
  bool found = false;      // a match is selected: Replace and Replace all are offered
};

struct TextMatch {
  int64_t start = -1;  // -1: none
  int64_t end = -1;
};

// The document being searched: the control on Windows, a plain text in tests.
struct SearchTarget {
  void* context = nullptr;
  TextMatch (*find)(void* context, const EditorSearch& search, int64_t from) = nullptr;
  // Puts replacement in place of the match as one undoable step.
  void (*replace)(void* context, TextMatch match, TextView replacement) = nullptr;
};

// After a match was found: remembers it and where the next search starts.
void NoteMatch(EditorSearch& search, TextMatch match);
// Replace: the selected match becomes replacement; the next search starts after it.
void ReplaceSelected(EditorSearch& search, const SearchTarget& target, TextMatch selection, TextView replacement);
// Replace all: the selected match, then every further one; returns how many were replaced.
int64_t ReplaceAll(EditorSearch& search, const SearchTarget& target, TextMatch selection, TextView replacement);

}  // namespace nrv
