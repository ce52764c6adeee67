#pragma once
// Name matching for selection masks and quick search, and the one home of case folding: FoldCase
// lower-cases A to Z and the Cyrillic capitals; FoldAtoZ (sorting, paths, archive names) A to Z
// only.
#include "core/item_list.h"

namespace nrv {

char16_t FoldCase(char16_t c);
// The capital Windows' file systems compare a name character by: Latin, Greek, Cyrillic,
// Armenian and full-width letters (not the ones whose capital is more than one character).
char16_t UpcaseAsWindows(char16_t c);
// Whether two file names name the same file on a Windows file system.
bool SameFileName(TextView a, TextView b);

constexpr char16_t FoldAtoZ(char16_t c) {
  return static_cast<unsigned>(c - u'A') < 26u ? static_cast<char16_t>(c + 32) : c;
}
bool EqualsAtoZ(TextView a, TextView b);

// One pattern: "*" any run, "?" one character; a name without "." is matched as if it ended
// with one, so "*.*" takes every name.
bool MatchMask(TextView name, TextView mask);

// 0 when either is empty or the prefix is longer than the text.
int StartsWithFolded(TextView text, TextView prefix);
// 0 unless both are non-empty and of equal length.
int EqualsFolded(TextView a, TextView b);

// Index of the first item whose name starts with prefix, or -1.
int FindByPrefix(const ItemList& list, TextView prefix);

}  // namespace nrv
