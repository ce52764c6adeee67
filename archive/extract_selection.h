#pragma once
// Which archive items an extraction takes, and where each one is written.
#include <cstdint>
#include <functional>
#include <vector>

#include "core/file_names.h"
#include "core/item_list.h"
#include "core/panel.h"
#include "platform/text.h"

namespace nrv {

inline constexpr size_t kMaxExtractIndices = 99999;

// A chosen item of the folder the panel showed: its name there.
struct ExtractEntry {
  Text name;
  bool isFolder = false;
};

// The items an archive command works on: the selected ones, or the cursor item when none is;
// never "." or "..".
std::vector<ExtractEntry> ChosenEntries(const Panel& panel, const ItemList& list);

// Whether entry takes the archive item at itemPath, the entry being in insideFolder (empty, or
// ending with a backslash). Any entry takes its own path (case counts); a folder also takes
// every path below it (case ignored): its path and a separator must begin itemPath, so doc
// does not take docs.
bool EntryTakes(const ExtractEntry& entry, TextView insideFolder, TextView itemPath);

// The indices of the items some entry takes, ascending, each once; at most kMaxExtractIndices.
// pathAt(i) gives item i's path, taken without leading "." parts as the panel lists it. False when the limit cut the collection short.
bool CollectExtractIndices(const std::vector<ExtractEntry>& entries, TextView insideFolder, uint32_t itemCount,
                           const std::function<Text(uint32_t)>& pathAt, std::vector<uint32_t>& indices);

// Where an item goes below the destination: its path without leading "." parts (as the panel
// listed it) and without the first insideLength characters (the folder the user was in), with empty, "." and ".." parts and a leading drive
// dropped so nothing lands outside; "extract.tmp" when no name is left. Every part left must be
// one file name by the name rule: fault is the first part's fault, and such an item is not
// written at all.
struct OutputPath {
  Text relative;
  NameFault fault = NameFault::None;
};
OutputPath OutputRelativePath(TextView itemPath, size_t insideLength);

// No long-path prefix is used, so every path written stays within MAX_PATH with its zero.
inline constexpr size_t kMaxOutputPath = 259;

// The name an item is written under beside its target until it has decoded and checked out:
// the leading dot keeps it apart from the names people give, value makes it unlikely to be
// taken (it is created only when it is not).
inline constexpr size_t kTemporaryOutputNameLength = 17;
Text TemporaryOutputName(uint32_t value);

}  // namespace nrv
