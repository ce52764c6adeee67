// A hostile server's listing: random bytes as the machine-readable listing's text (read up to a
// limit, cut into lines, parsed) and as the records the Internet library's own listing hands over
// for a Unix "ls -l" listing, both into a panel's list; random dropped paths through the drop
// check. Every name that gets through is one file name, every size a count, the totals never
// negative, and the counts within their limits.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/file_names.h"
#include "core/item_list.h"
#include "core/panel_context.h"
#include "fileops/drop_list.h"
#include "ftp/machine_listing.h"
#include "ftp/remote_listing.h"

namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

nrv::PanelContext& Context() {
  static nrv::PanelContext context;
  return context;
}

// Each byte as the character of the same number: every byte a server may send becomes a name
// character, control characters and all (the program reads them in the ANSI code page).
nrv::Text Latin1(std::string_view bytes) {
  nrv::Text text;
  for (char byte : bytes) text += static_cast<char16_t>(static_cast<uint8_t>(byte));
  return text;
}

void CheckList(const nrv::ItemList& list, const nrv::Panel& panel, const nrv::RemoteListing& listing,
               size_t offered) {
  Require(listing.entries <= nrv::kMaxListingEntries);
  Require(listing.refused.count <= offered);
  for (const nrv::PanelItem* item : list.items) {
    if (nrv::IsUpEntry(*item)) continue;
    Require(nrv::IsOneFileName(nrv::ItemName(*item)));
    Require(nrv::IsFolder(*item) || item->size >= 0);
  }
  Require(panel.totalBytes >= 0);
  Require(panel.fileCount + panel.folderCount <= static_cast<int32_t>(offered));
}

void MachineListing(std::string_view data, size_t limit, size_t maxEntries) {
  std::string text;
  for (size_t at = 0; at < data.size(); at += 7) {
    if (!nrv::AppendListingText(text, data.substr(at, 7), limit)) {
      Require(text.empty() || text.back() == '\n');
      break;
    }
  }
  Require(text.size() <= limit);
  std::vector<nrv::MachineEntry> entries;
  nrv::ParseMachineListing(text, maxEntries, entries);
  Require(entries.size() <= maxEntries);

  nrv::Panel panel;
  panel.context = &Context();
  panel.ftp = 1;
  nrv::ItemList list;
  nrv::RemoteListing listing;
  nrv::BeginRemoteListing(panel, list, u"/pub");
  for (const nrv::MachineEntry& entry : entries) {
    Require(entry.name != "." && entry.name != ".." && !entry.name.empty());
    nrv::AddRemoteEntry(list, nrv::ToFindData(entry, Latin1(entry.name)), listing);
  }
  nrv::EndRemoteListing(panel, list);
  CheckList(list, panel, listing, entries.size());
  const bool said = !nrv::ListingReportText(listing, u"h/pub").empty();
  Require(said == (listing.refused.count > 0 || listing.cut != nrv::ListingCut::None));
  nrv::ClearItems(list, panel);
}

// Records as the Internet library gives them: wide names, attributes, the size in two halves.
void LibraryRecords(std::string_view data) {
  nrv::Panel panel;
  panel.context = &Context();
  panel.ftp = 1;
  nrv::ItemList list;
  nrv::RemoteListing listing;
  nrv::BeginRemoteListing(panel, list, u"/");
  size_t offered = 0;
  while (data.size() >= 10) {
    nrv::platform::FindData record;
    record.attributes = static_cast<uint8_t>(data[0]) & 0x11u;
    record.reserved0 = static_cast<uint8_t>(data[1]) & 0x10u;
    record.sizeHigh = static_cast<uint32_t>(static_cast<uint8_t>(data[2])) << 24 | static_cast<uint8_t>(data[3]);
    record.sizeLow = static_cast<uint32_t>(static_cast<uint8_t>(data[4])) << 24 | static_cast<uint8_t>(data[5]);
    const size_t length = std::min<size_t>(static_cast<uint8_t>(data[6]) % 40, (data.size() - 7) / 2);
    for (size_t i = 0; i < length; ++i)
      record.name += static_cast<char16_t>(static_cast<uint8_t>(data[7 + 2 * i]) |
                                           static_cast<uint8_t>(data[8 + 2 * i]) << 8);
    data.remove_prefix(7 + 2 * length);
    ++offered;
    nrv::AddRemoteEntry(list, record, listing);
  }
  nrv::EndRemoteListing(panel, list);
  CheckList(list, panel, listing, offered);
  nrv::ClearItems(list, panel);
}

void DroppedPaths(std::string_view data) {
  std::vector<nrv::Text> paths;
  for (size_t start = 0; start <= data.size();) {
    size_t end = data.find('\n', start);
    if (end == std::string_view::npos) end = data.size();
    paths.push_back(u"C:\\in\\" + Latin1(data.substr(start, end - start)));
    paths.push_back(Latin1(data.substr(start, end - start)));
    start = end + 1;
  }
  nrv::RefusedNames refused;
  const std::vector<nrv::Text> accepted = nrv::AcceptedDropPaths(paths, refused);
  Require(accepted.size() + refused.count == paths.size());
  for (const nrv::Text& path : accepted) {
    Require(path.size() >= 3 && (path[1] == u':' || path[0] == u'\\'));
    nrv::TextView rest(path);
    if (rest.size() > 3 && rest.back() == u'\\') rest.remove_suffix(1);
    Require(nrv::IsOneFileName(rest.substr(rest.find_last_of(u'\\') + 1)));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  const std::string_view text(reinterpret_cast<const char*>(data) + 2, size - 2);
  // Small limits stand in for the real ones, so that inputs reach them.
  MachineListing(text, 16 + data[0] * 64u, 1 + data[1] % 32);
  LibraryRecords(text);
  DroppedPaths(text);
  return 0;
}
