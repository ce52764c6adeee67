#pragma once
// One row of a panel: a single heap record whose name and extension live in the same
// allocation, right behind the fixed fields, so 100,000 rows stay small.
#include <cstdint>

#include "platform/handles.h"
#include "platform/text.h"

namespace nrv {

inline constexpr size_t kMaxNameLength = 1024;
inline constexpr size_t kMaxExtensionLength = 260;
inline constexpr size_t kMaxPathLength = 259;  // a 260-character buffer, one for the zero

inline constexpr int64_t kFolderSize = -1;
inline constexpr int64_t kUpEntrySize = -2;

struct PanelItem {
  uint32_t attributes = 0;
  uint32_t reparseTag = 0;
  uint64_t archiveTime = 0;  // second copy of the write time, archive listings only
  int64_t size = 0;
  uint64_t creationTime = 0;  // FILETIME values, UTC
  uint64_t accessTime = 0;
  uint64_t writeTime = 0;
  NativeIcon icon = nullptr;
  uint32_t selected = 0;
  uint16_t nameLength = 0;
  uint16_t extensionLength = 0;
  // Followed in the same allocation by the name, a zero, the extension and a zero.
};

// A new item named name (cut at kMaxNameLength) with its extension computed; other fields zero.
PanelItem* NewItem(TextView name);
// A new record with every field of item; the icon is not shared, it starts as none.
PanelItem* CloneItem(const PanelItem& item);
// Destroys the icon and frees the record.
void FreeItem(PanelItem* item);

TextView ItemName(const PanelItem& item);
const char16_t* ItemNameZ(const PanelItem& item);  // zero-terminated
TextView ItemExtension(const PanelItem& item);

bool IsFolder(const PanelItem& item);
bool IsDotName(TextView name);  // "." or ".."
bool IsUpEntry(const PanelItem& item);

// Lower-cased (A to Z only) text after the last "." that is not the first character.
Text ExtensionOf(TextView name);

}  // namespace nrv
