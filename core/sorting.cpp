#include "core/sorting.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "core/listing.h"
#include "core/masks.h"
#include "platform/files.h"

namespace nrv {
namespace {

// A sort key as a lead character (0: none) in front of a text. Name and extension keys are a
// one-character class mark plus text that already lives in the item, so comparing the two
// parts in place gives the order of the joined keys without building them.
struct Key {
  char16_t lead;
  const char16_t* text;
  size_t length;
};

constexpr char16_t kUpLead = 0x0001;
constexpr char16_t kFolderLead = 0x0002;
constexpr char16_t kNoExtension[] = {0x0003, 0};

inline char16_t Fold(char16_t c) { return FoldAtoZ(c); }

inline int CompareLengths(size_t a, size_t b) { return a < b ? -1 : (a > b ? 1 : 0); }

// Folded comparison; when one text is a prefix of the other the shorter is smaller.
inline int CompareFolded(const char16_t* a, size_t aLength, const char16_t* b, size_t bLength) {
  const size_t n = std::min(aLength, bLength);
  size_t i = 0;
  // Shared prefixes are long in big folders ("IMG_2024..."): skip equal runs four
  // characters at a time; characters that are equal are equal folded too.
  for (; i + 4 <= n; i += 4) {
    uint64_t wa;
    uint64_t wb;
    std::memcpy(&wa, a + i, sizeof wa);
    std::memcpy(&wb, b + i, sizeof wb);
    if (wa != wb) break;
  }
  for (; i < n; ++i) {
    const char16_t ca = a[i];
    const char16_t cb = b[i];
    if (ca == cb) continue;
    const char16_t fa = Fold(ca);
    const char16_t fb = Fold(cb);
    if (fa != fb) return fa < fb ? -1 : 1;
  }
  return CompareLengths(aLength, bLength);
}

inline size_t KeyLength(const Key& key) { return key.length + (key.lead ? 1 : 0); }
inline char16_t KeyAt(const Key& key, size_t i) {
  if (!key.lead) return key.text[i];
  return i == 0 ? key.lead : key.text[i - 1];
}

int CompareKeys(const Key& a, const Key& b) {
  if (a.lead == b.lead) return CompareFolded(a.text, a.length, b.text, b.length);
  // Different leads: the first characters nearly always decide; a name that itself starts
  // with U+0001 or U+0002 needs the walk over the joined keys.
  const size_t aLength = KeyLength(a);
  const size_t bLength = KeyLength(b);
  const size_t n = std::min(aLength, bLength);
  for (size_t i = 0; i < n; ++i) {
    const char16_t fa = Fold(KeyAt(a, i));
    const char16_t fb = Fold(KeyAt(b, i));
    if (fa != fb) return fa < fb ? -1 : 1;
  }
  return CompareLengths(aLength, bLength);
}

// Inline: the comparators run a few million times per big listing.
inline bool IsFolderItem(const PanelItem& item) {
  return (item.attributes & platform::kAttributeDirectory) != 0;
}

inline bool IsDotText(const char16_t* name, size_t length) {
  return (length == 1 && name[0] == u'.') || (length == 2 && name[0] == u'.' && name[1] == u'.');
}

// Keys are held to the key buffers' sizes, mark included: a folder's name key keeps only
// 1023 characters of its name.
constexpr size_t kNameKeyLimit = kMaxNameLength;
constexpr size_t kExtensionKeyLimit = kMaxExtensionLength;

inline Key Limited(char16_t lead, const char16_t* text, size_t length, size_t limit) {
  const size_t room = lead ? limit - 1 : limit;
  return {lead, text, length < room ? length : room};
}

inline Key NameKey(const PanelItem& item) {
  const char16_t* name = ItemNameZ(item);
  const size_t length = item.nameLength;
  const char16_t lead = IsDotText(name, length) ? kUpLead : (IsFolderItem(item) ? kFolderLead : 0);
  return Limited(lead, name, length, kNameKeyLimit);
}

inline Key ExtensionKey(const PanelItem& item) {
  const char16_t lead = IsFolderItem(item) ? kFolderLead : 0;
  if (item.extensionLength == 0) return {lead, kNoExtension, 1};
  return Limited(lead, ItemNameZ(item) + item.nameLength + 1, item.extensionLength,
                 kExtensionKeyLimit);
}

inline uint64_t TimeKey(const PanelItem& item, uint64_t time) {
  return IsDotText(ItemNameZ(item), item.nameLength) ? ~uint64_t{0} : time;
}

bool CompareTimes(const PanelItem& a, uint64_t aTime, const PanelItem& b, uint64_t bTime) {
  const uint64_t aKey = TimeKey(a, aTime);
  const uint64_t bKey = TimeKey(b, bTime);
  if (aKey == bKey) return CompareNames(a, b);
  return aKey > bKey;
}

template <bool (*Less)(const PanelItem&, const PanelItem&)>
void SortBy(ItemList& list) {
  std::sort(list.items.begin(), list.items.end(),
            [](const PanelItem* a, const PanelItem* b) { return Less(*a, *b); });
}

bool IsSortMode(int32_t mode) { return mode >= kSortName && mode <= kSortWriteTime; }

bool SameNameFolded(TextView a, TextView b) {
  return CompareFolded(a.data(), a.size(), b.data(), b.size()) == 0;
}

}  // namespace

bool CompareNames(const PanelItem& a, const PanelItem& b) {
  return CompareKeys(NameKey(a), NameKey(b)) < 0;
}

bool CompareExtensions(const PanelItem& a, const PanelItem& b) {
  const int order = CompareKeys(ExtensionKey(a), ExtensionKey(b));
  return order == 0 ? CompareNames(a, b) : order < 0;
}

bool CompareSizes(const PanelItem& a, const PanelItem& b) {
  if (a.size == b.size) return CompareNames(a, b);
  return a.size < b.size;
}

bool CompareAccessTimes(const PanelItem& a, const PanelItem& b) {
  return CompareTimes(a, a.accessTime, b, b.accessTime);
}
bool CompareCreationTimes(const PanelItem& a, const PanelItem& b) {
  return CompareTimes(a, a.creationTime, b, b.creationTime);
}
bool CompareWriteTimes(const PanelItem& a, const PanelItem& b) {
  return CompareTimes(a, a.writeTime, b, b.writeTime);
}

int SortItems(ItemList& list, Panel& panel) {
  if (IsEmpty(list)) return -1;
  switch (panel.sortMode) {
    case kSortName: SortBy<CompareNames>(list); break;
    case kSortExtension: SortBy<CompareExtensions>(list); break;
    case kSortSize: SortBy<CompareSizes>(list); break;
    case kSortAccessTime: SortBy<CompareAccessTimes>(list); break;
    case kSortCreationTime: SortBy<CompareCreationTimes>(list); break;
    case kSortWriteTime: SortBy<CompareWriteTimes>(list); break;
    case kSortUnsorted:
      // An archive or FTP panel gets its local folder here: its own order is not kept.
      if (KindOf(panel) != LocationKind::Temporary) {
        ClearItems(list, panel);
        ReadFolder(panel, list);
      }
      break;
    default: break;
  }
  return 0;
}

void ResortKeepingCursor(Panel& panel, ItemList& list) {
  // Unsorted frees the items, so the name is copied out first.
  std::array<char16_t, kMaxNameLength> name;
  size_t nameLength = 0;
  const bool haveCursor = panel.cursor >= 0 && panel.cursor < Count(list);
  if (haveCursor) {
    const TextView cursorName = ItemName(At(list, panel.cursor));
    nameLength = std::min(cursorName.size(), name.size());
    std::copy_n(cursorName.data(), nameLength, name.data());
  }
  const int32_t distance = panel.cursor - panel.top;

  SortItems(list, panel);
  if (!haveCursor) return;

  const TextView remembered(name.data(), nameLength);
  for (int i = 0; i < Count(list); ++i) {
    if (!SameNameFolded(ItemName(At(list, i)), remembered)) continue;
    panel.cursor = i;
    panel.top = Count(list) < panel.capacity ? 0 : std::max(0, i - distance);
    return;
  }
}

int SetSortMode(Panel& panel, ItemList& list, int32_t mode) {
  if (IsEmpty(list) || !IsSortMode(mode)) return -1;
  panel.sortMode = mode;
  ResortKeepingCursor(panel, list);
  return 0;
}

}  // namespace nrv
