#pragma once
// Name matching for selection masks and quick search. Folding lower-cases A to Z and the
// Cyrillic capitals, nothing else.
#include "core/item_list.h"

namespace nrv {

char16_t FoldCase(char16_t c);

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
