// Arbitrary item paths through the visible-list rebuild and the output path of extraction,
// arbitrary bytes through the signature test. Crashes, leaks and broken invariants abort.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <unordered_set>

#include "archive/archive_format.h"
#include "archive/archive_item_list.h"
#include "archive/extract_selection.h"

namespace {

using nrv::Text;
using nrv::TextView;

// Few letters so that case twins, separators and dots meet often.
constexpr char16_t kAlphabet[] = {u'a', u'A', u'b', u'B', u'\\', u'/', u'.', u'x', u'X', u' ',
                                  u'\x0434', u'\x0414', u'\\', u'/', u'.', u'\xD800'};

Text Folded(TextView name) {
  Text folded(name);
  for (char16_t& c : folded)
    if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c + 32);
  return folded;
}

void Require(bool condition) {
  if (!condition) std::abort();
}

void CheckVisible(const nrv::ItemList& visible) {
  Require(!nrv::IsEmpty(visible) && nrv::ItemName(nrv::At(visible, 0)) == u"..");
  std::unordered_set<Text> seen;
  for (const nrv::PanelItem* item : visible.items) {
    const TextView name = nrv::ItemName(*item);
    Require(!name.empty());
    Require(name.find_first_of(u"\\/") == TextView::npos);
    Require(seen.insert(Folded(name)).second);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  const int32_t format = nrv::TestLeadingBytes(u"x.tar.gz", data, size < 20 ? size : 20);
  Require(format >= nrv::kFormatNone && format <= nrv::kFormatGZip && format != nrv::kFormatLzh);
  (void)nrv::IsImageSignature(data, size < 20 ? size : 20);

  static const int32_t kModes[] = {nrv::kSortName,       nrv::kSortExtension,    nrv::kSortSize,
                                   nrv::kSortUnsorted,   nrv::kSortAccessTime,   nrv::kSortCreationTime,
                                   nrv::kSortWriteTime};
  nrv::Panel panel;
  panel.sortMode = kModes[data[0] % 7];
  const size_t folderPick = data[1];
  nrv::ArchiveItemList archive;
  Text path;
  uint64_t counter = 0;
  const auto flush = [&] {
    nrv::AppendArchiveItem(archive, {path, static_cast<uint32_t>(counter % 3 == 0 ? 0 : 0x21),
                                     counter % 5 == 0, counter * 977, counter});
    ++counter;
    path.clear();
  };
  for (size_t i = 2; i < size; ++i) {
    const uint8_t b = data[i];
    if (b == 0xFF) {
      flush();
    } else if (b >= 0xF0 && i + 2 < size) {
      path += static_cast<char16_t>(data[i + 1] | data[i + 2] << 8);
      i += 2;
    } else {
      path += kAlphabet[b % 16];
    }
  }
  flush();

  nrv::ItemList visible;
  nrv::BuildVisibleList(archive, u"", panel, visible);
  CheckVisible(visible);
  // Into one folder of the root, as entering it would, and into a raw prefix of some path.
  if (nrv::Count(visible) > 1) {
    const nrv::PanelItem& pick = nrv::At(visible, 1 + static_cast<int>(folderPick % (nrv::Count(visible) - 1)));
    const Text folder = Text(nrv::ItemName(pick)) + u"\\";
    nrv::BuildVisibleList(archive, folder, panel, visible);
    CheckVisible(visible);
  }
  // A "./" entry alone is left out of the list, so it can be empty.
  if (!archive.items.empty()) {
    const Text some = nrv::ItemName(archive, archive.items[folderPick % archive.items.size()]);
    if (const size_t cut = some.find_first_of(u"\\/"); cut != TextView::npos) {
      nrv::BuildVisibleList(archive, some.substr(0, cut + 1), panel, visible);
      CheckVisible(visible);
    }
  }
  // An item extraction would write lands below the destination, every part one file name.
  for (const auto& item : archive.items) {
    const nrv::OutputPath output = nrv::OutputRelativePath(nrv::ItemName(archive, item), folderPick % 4);
    if (output.fault != nrv::NameFault::None) continue;
    for (size_t start = 0; start <= output.relative.size();) {
      const size_t end = std::min(output.relative.find(u'\\', start), output.relative.size());
      Require(nrv::IsOneFileName(TextView(output.relative).substr(start, end - start)));
      start = end + 1;
    }
  }
  nrv::FreeArchiveItems(archive);
  return 0;
}
