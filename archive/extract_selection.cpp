#include "archive/extract_selection.h"

#include "core/masks.h"
#include "core/panel_item.h"
#include "core/paths.h"

namespace nrv {
namespace {

bool StartsFolded(TextView text, TextView prefix) {
  if (text.size() < prefix.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i)
    if (FoldCase(text[i]) != FoldCase(prefix[i])) return false;
  return true;
}

bool IsSeparator(char16_t c) { return c == u'\\' || c == u'/'; }
bool IsAsciiLetter(char16_t c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }

void AddEntry(std::vector<ExtractEntry>& entries, const PanelItem& item) {
  if (!IsDotName(ItemName(item))) entries.push_back({Text(ItemName(item)), IsFolder(item)});
}

}  // namespace

std::vector<ExtractEntry> ChosenEntries(const Panel& panel, const ItemList& list) {
  std::vector<ExtractEntry> entries;
  if (IsEmpty(list)) return entries;
  if (panel.selectedFiles + panel.selectedFolders == 0) {
    AddEntry(entries, At(list, panel.cursor < 0 || panel.cursor >= Count(list) ? 0 : panel.cursor));
    return entries;
  }
  for (const PanelItem* item : list.items)
    if (item->selected) AddEntry(entries, *item);
  return entries;
}

bool EntryTakes(const ExtractEntry& entry, TextView insideFolder, TextView itemPath) {
  const size_t length = insideFolder.size() + entry.name.size();
  if (itemPath.size() == length && itemPath.substr(0, insideFolder.size()) == insideFolder &&
      itemPath.substr(insideFolder.size()) == entry.name)
    return true;
  if (!entry.isFolder || itemPath.size() <= length || !IsSeparator(itemPath[length])) return false;
  return StartsFolded(itemPath, insideFolder) && StartsFolded(itemPath.substr(insideFolder.size()), entry.name);
}

bool CollectExtractIndices(const std::vector<ExtractEntry>& entries, TextView insideFolder, uint32_t itemCount,
                           const std::function<Text(uint32_t)>& pathAt, std::vector<uint32_t>& indices) {
  indices.clear();
  for (uint32_t i = 0; i < itemCount; ++i) {
    const Text item = pathAt(i);
    const TextView path = WithoutCurrentFolderParts(item);
    for (const ExtractEntry& entry : entries) {
      if (!EntryTakes(entry, insideFolder, path)) continue;
      if (indices.size() == kMaxExtractIndices) return false;
      indices.push_back(i);
      break;
    }
  }
  return true;
}

OutputPath OutputRelativePath(TextView itemPath, size_t insideLength) {
  itemPath = WithoutCurrentFolderParts(itemPath);  // as the panel listed it
  TextView rest = insideLength < itemPath.size() ? itemPath.substr(insideLength) : TextView();
  // A drive in front is a root like a leading separator; anywhere else a ':' names a stream.
  if (insideLength == 0 && rest.size() >= 2 && rest[1] == u':' && IsAsciiLetter(rest[0])) rest.remove_prefix(2);
  OutputPath output;
  while (!rest.empty()) {
    size_t end = 0;
    while (end < rest.size() && !IsSeparator(rest[end])) ++end;
    const TextView part = rest.substr(0, end);
    rest.remove_prefix(end < rest.size() ? end + 1 : end);
    if (part.empty() || part == u"." || part == u"..") continue;
    if (output.fault == NameFault::None) output.fault = CheckFileName(part);
    if (!output.relative.empty()) output.relative += u'\\';
    output.relative += part;
  }
  if (output.relative.empty()) output.relative = u"extract.tmp";
  return output;
}

Text TemporaryOutputName(uint32_t value) {
  static constexpr char16_t kDigits[] = u"0123456789abcdef";
  Text name = u".nrv-";
  for (int shift = 28; shift >= 0; shift -= 4) name += kDigits[(value >> shift) & 0xF];
  return name + u".tmp";
}

}  // namespace nrv
