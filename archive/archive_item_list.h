#pragma once
// Every item of the archive a panel shows, read once when it is entered, and the panel's
// visible list rebuilt from it for the current folder inside the archive.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/item_list.h"
#include "core/panel.h"

namespace nrv {

// One archive item in 24 bytes; its name lives in the list's shared name buffer and ends where
// the next item's begins. Every fresh page costs a fault, and under Wine faults are dear.
struct ArchiveItem {
  int64_t size = 0;  // all 64 bits of the archive's size; -1 for a folder
  uint64_t writeTime = 0;
  uint32_t nameOffset = 0;
  uint32_t attributes = 0;  // 0x10 alone for a folder; 0 when the archive gives none
};

// Every item in the archive's order, names being full paths inside the archive. No record is
// a heap block of its own: 100,000 items are two allocations. The names take one byte a
// character while none of them needs more, which most archives never do.
struct ArchiveItemList {
  std::vector<ArchiveItem> items;
  std::string narrowNames;
  std::u16string names;  // all of them, once one name holds a character above 0xFF
  bool wide = false;
};

inline int Count(const ArchiveItemList& list) { return static_cast<int>(list.items.size()); }

// Room for one name in its UTF-16 form.
using ArchiveNameBuffer = std::array<char16_t, kMaxPathLength>;
// The name of item, one of list's items: in place, or widened into buffer.
TextView ItemName(const ArchiveItemList& list, const ArchiveItem& item, ArchiveNameBuffer& buffer);
// The same as a copy.
Text ItemName(const ArchiveItemList& list, const ArchiveItem& item);

// The bytes the list holds, its unused room included.
size_t HeldBytes(const ArchiveItemList& list);

// The list the application gave the panel, or nullptr for a panel without one or whose side
// is neither 1 nor 2.
ArchiveItemList* ArchiveItemsOf(const Panel& panel);

struct ArchiveItemProperties {
  TextView path;
  uint32_t attributes = 0;  // 0 when the archive has none
  bool isFolder = false;
  uint64_t size = 0;  // all 64 bits are kept
  uint64_t writeTime = 0;
};

// Appends one archive item: the path without leading "." parts (an item that is only those is
// the root and left out) cut to 259 characters, a folder as attributes 0x10 and size -1, the
// write time as every time.
void AppendArchiveItem(ArchiveItemList& list, const ArchiveItemProperties& properties);
void FreeArchiveItems(ArchiveItemList& list);
// Room for count items with names of about averageLength characters.
void ReserveArchiveItems(ArchiveItemList& list, size_t count, size_t averageLength);

// Fills visible with ".." and the distinct names directly inside folder (empty for the root,
// else ending with a separator), sorted in the panel's mode unless that is unsorted.
void BuildVisibleList(const ArchiveItemList& archive, TextView folder, Panel& panel, ItemList& visible);

// The same for the panel's own list and archiveFolder; "Unknown panel ID" and -1 for a
// panel whose side is neither 1 nor 2.
int RebuildArchiveList(Panel& panel, ItemList& visible);

}  // namespace nrv
