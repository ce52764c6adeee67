#include "archive/archive_item_list.h"

#include <algorithm>
#include <unordered_set>

#include "core/listing.h"
#include "core/masks.h"
#include "core/paths.h"
#include "core/sorting.h"
#include "platform/files.h"
#include "platform/message_box.h"

namespace nrv {
namespace {


// Case and either separator ignored: the folder text is built with "\" while some formats
// give "/".
bool IsFolderPrefix(TextView folder, TextView name) {
  if (folder.size() > name.size()) return false;
  for (size_t i = 0; i < folder.size(); ++i) {
    const char16_t a = folder[i];
    const char16_t b = name[i];
    if (IsPathSeparator(a) && IsPathSeparator(b)) continue;
    if (FoldAtoZ(a) != FoldAtoZ(b)) return false;
  }
  return true;
}

struct FoldedHash {
  size_t operator()(TextView text) const {
    size_t hash = 14695981039346656037ull & SIZE_MAX;
    for (const char16_t c : text) hash = (hash ^ FoldAtoZ(c)) * 1099511628211ull;
    return hash;
  }
};

struct FoldedEqual {
  bool operator()(TextView a, TextView b) const {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
      if (FoldAtoZ(a[i]) != FoldAtoZ(b[i])) return false;
    return true;
  }
};

size_t NamesLength(const ArchiveItemList& list) { return list.wide ? list.names.size() : list.narrowNames.size(); }

// From then on every name is kept in UTF-16, the room reserved so far kept too.
void Widen(ArchiveItemList& list) {
  list.names.reserve(list.narrowNames.capacity());
  list.names.assign(list.narrowNames.begin(), list.narrowNames.end());
  for (char16_t& c : list.names) c = static_cast<unsigned char>(c);
  std::string().swap(list.narrowNames);
  list.wide = true;
}

}  // namespace

ArchiveItemList* ArchiveItemsOf(const Panel& panel) {
  return panel.side == kLeftPanel || panel.side == kRightPanel ? panel.archiveItems : nullptr;
}

TextView ItemName(const ArchiveItemList& list, const ArchiveItem& item, ArchiveNameBuffer& buffer) {
  const size_t next = static_cast<size_t>(&item - list.items.data()) + 1;
  const size_t end = next < list.items.size() ? list.items[next].nameOffset : NamesLength(list);
  const size_t length = end - item.nameOffset;
  if (list.wide) return TextView(list.names).substr(item.nameOffset, length);
  const char* narrow = list.narrowNames.data() + item.nameOffset;
  for (size_t i = 0; i < length; ++i) buffer[i] = static_cast<unsigned char>(narrow[i]);
  return TextView(buffer.data(), length);
}

Text ItemName(const ArchiveItemList& list, const ArchiveItem& item) {
  ArchiveNameBuffer buffer;
  return Text(ItemName(list, item, buffer));
}

size_t HeldBytes(const ArchiveItemList& list) {
  return list.items.capacity() * sizeof(ArchiveItem) + list.narrowNames.capacity() +
         list.names.capacity() * sizeof(char16_t);
}

void AppendArchiveItem(ArchiveItemList& list, const ArchiveItemProperties& properties) {
  const TextView name = WithoutCurrentFolderParts(properties.path).substr(0, kMaxPathLength);
  if (name.empty() && !properties.path.empty()) return;  // the root itself, as "./"
  if (!list.wide && std::any_of(name.begin(), name.end(), [](char16_t c) { return c > 0xFF; })) Widen(list);
  ArchiveItem item;
  item.size = properties.isFolder ? kFolderSize : static_cast<int64_t>(properties.size);
  item.writeTime = properties.writeTime;
  item.nameOffset = static_cast<uint32_t>(NamesLength(list));
  item.attributes = properties.isFolder ? platform::kAttributeDirectory : properties.attributes;
  if (list.wide) {
    list.names.append(name);
  } else {
    const size_t at = list.narrowNames.size();
    list.narrowNames.resize(at + name.size());
    for (size_t i = 0; i < name.size(); ++i) list.narrowNames[at + i] = static_cast<char>(name[i]);
  }
  list.items.push_back(item);
}

void FreeArchiveItems(ArchiveItemList& list) {
  std::vector<ArchiveItem>().swap(list.items);
  std::string().swap(list.narrowNames);
  std::u16string().swap(list.names);
  list.wide = false;
}

void ReserveArchiveItems(ArchiveItemList& list, size_t count, size_t averageLength) {
  list.items.reserve(list.items.size() + count);
  if (list.wide)
    list.names.reserve(list.names.size() + count * averageLength);
  else
    list.narrowNames.reserve(list.narrowNames.size() + count * averageLength);
}

void BuildVisibleList(const ArchiveItemList& archive, TextView folder, Panel& panel, ItemList& visible) {
  ClearItems(visible);
  MakeUpEntry(panel, visible);
  // Sized by what is shown, not by the archive: a root of 100 folders over 100,000 items.
  std::unordered_set<TextView, FoldedHash, FoldedEqual> shown;
  shown.insert(u"..");
  ArchiveNameBuffer buffer;
  TextView last = u"..";  // a name the list holds
  for (const ArchiveItem& record : archive.items) {
    const TextView name = ItemName(archive, record, buffer);
    if (!folder.empty() && !IsFolderPrefix(folder, name)) continue;
    TextView candidate = name.substr(std::min(folder.size(), name.size()));
    uint32_t attributes = record.attributes ? record.attributes : platform::kAttributeArchive;
    int64_t size = record.size;
    if (const size_t cut = candidate.find_first_of(u"\\/"); cut != TextView::npos) {
      candidate = candidate.substr(0, cut);
      attributes = platform::kAttributeDirectory;
    }
    // Items of one folder mostly follow each other: the name just met needs no hashing.
    if (candidate.empty() || candidate == last) continue;
    if (const auto found = shown.find(candidate); found != shown.end()) {
      last = *found;
      continue;
    }
    if (attributes & platform::kAttributeDirectory) size = kFolderSize;
    PanelItem* item = NewItem(candidate);
    item->attributes = attributes;
    item->size = size;
    item->creationTime = item->accessTime = item->writeTime = record.writeTime;
    Append(visible, item);
    last = ItemName(*item);
    shown.insert(last);
  }
  if (panel.sortMode == kSortUnsorted) return;
  SortItems(visible, panel);
  // Some orders put an archive's "." folder before the up entry; ".." stays first.
  auto& items = visible.items;
  const auto up = std::find_if(items.begin(), items.end(), [](const PanelItem* item) { return item->size == kUpEntrySize; });
  if (up != items.end()) std::rotate(items.begin(), up, up + 1);
}

int RebuildArchiveList(Panel& panel, ItemList& visible) {
  const ArchiveItemList* archive = ArchiveItemsOf(panel);
  if (!archive) {
    platform::ShowMessage({nullptr, u"Unknown panel ID", u"", platform::MessageIcon::None});
    return -1;
  }
  BuildVisibleList(*archive, panel.archiveFolder, panel, visible);
  return 0;
}

}  // namespace nrv
