#pragma once
// Comparing the two panels' lists one level deep: which names each side lacks, which files are
// newer, which are the same. The rules work on snapshots of the lists, so a worker can run
// them while the panels go on; reading file contents is the caller's part.
#include <cstdint>
#include <functional>
#include <vector>

#include "core/item_list.h"

namespace nrv {

struct CompareOptions {
  bool byContent = false;
  // FAT keeps times in 2-second steps and FTP listings round them.
  bool ignoreTwoSeconds = true;
};

// One compared row: the item's name (the last component for the temporary panel's paths).
struct CompareEntry {
  Text name;
  bool folder = false;
  int64_t size = 0;
  uint64_t writeTime = 0;
};

// Every item of list but "..".
std::vector<CompareEntry> CompareEntriesOf(const ItemList& list);

// The rows of both sides with the same name as Windows compares names; -1 for the side that
// lacks it. Left's rows first, in its order, then the names only right has.
struct ComparedPair {
  int left = -1;
  int right = -1;
};
std::vector<ComparedPair> PairByName(const std::vector<CompareEntry>& left, const std::vector<CompareEntry>& right);

// Whether the pair's contents decide: two files of equal size compared by content.
bool NeedsContent(const CompareOptions& options, const CompareEntry* left, const CompareEntry* right);

enum class ContentVerdict { NotRead, Equal, Different };

struct CompareSideCounts {
  int newer = 0;
  int onlyHere = 0;  // names the other side lacks, and a file facing a folder of its name
  int different = 0;  // differing files with equal times: both selected
};

struct CompareOutcome {
  std::vector<Text> leftSelected;
  std::vector<Text> rightSelected;
  CompareSideCounts left;
  CompareSideCounts right;
  int identical = 0;
};

// Adds one pair's verdict to outcome; content is what reading the pair found, when it was read.
void DecidePair(const CompareOptions& options, const CompareEntry* left, const CompareEntry* right,
                ContentVerdict content, CompareOutcome& outcome);

// The whole comparison; readContent is asked for every pair NeedsContent names.
CompareOutcome CompareEntryLists(const CompareOptions& options, const std::vector<CompareEntry>& left,
                                 const std::vector<CompareEntry>& right,
                                 const std::function<ContentVerdict(const CompareEntry&, const CompareEntry&)>& readContent);

// "Left: 3 newer, 2 only here. Right: 1 newer, 4 only here. 120 identical." with the counts
// that are not zero, or "The folders hold the same files." when neither side has a selection.
Text CompareMessage(const CompareOutcome& outcome);

// Makes exactly the named items (by the last component of their names) the panel's selection.
void SelectNamed(Panel& panel, ItemList& list, const std::vector<Text>& names);

}  // namespace nrv
