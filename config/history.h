#pragma once
// The ten most-recently-used lists, kept only in the registry and rewritten whole on every
// addition.
#include <cstdint>
#include <optional>
#include <vector>

#include "core/settings.h"
#include "platform/text.h"

namespace nrv {

enum HistoryList : int {
  kHistoryCopy = 1,
  kHistoryMove = 2,
  kHistoryAddToArchive = 3,
  kHistoryCreateFolder = 4,
  kHistoryViewer = 5,
  kHistoryEditor = 6,
  kHistoryRecentLocations = 7,
  kHistoryExtractFromArchive = 8,
  kHistorySelections = 9,
  kHistoryFind = 10,
};

// "Software\Norvane\History\" and the list's key name; empty for an unknown number.
Text HistoryKeyPath(int list);

// Adds entry as the newest of the list, keeping settings.HistoryCount entries (position is used
// by the viewer and editor lists); -1 for an unknown list number.
int AddHistory(const Settings& settings, int list, TextView entry, int64_t position = 0);

// The entries, oldest first; empty for an unknown or missing list and for lists 5 and 6.
std::vector<Text> ReadHistory(int list);

// The position stored for a file in the viewer or editor list.
std::optional<int64_t> ReadHistoryPosition(int list, TextView path);

}  // namespace nrv
