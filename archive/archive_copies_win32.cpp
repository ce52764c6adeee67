#include "archive/archive_copies_win32.h"

#include "archive/archive_bridge_win32.h"
#include "archive/extract_command_win32.h"
#include "core/paths.h"
#include "platform/private_folder.h"
#include "platform/win32/wide.h"

namespace nrv {
namespace {

bool Exists(const Text& path) { return ::GetFileAttributesW(platform::Wide(path)) != INVALID_FILE_ATTRIBUTES; }

// Without the private folder a copy would have nowhere of its own to go.
bool HavePrivateFolder() {
  if (platform::EnsurePrivateFolder()) return true;
  ShowArchiveError(u"Cannot create the temporary folder for copies");
  return false;
}

}  // namespace

void SayCopyMissing(TextView name) {
  ShowArchiveError(FormatMessageText(u"Cannot open %s: it was not extracted from the archive", name));
}

int ExtractCopyToOpen(Panel& panel, ItemList& list) {
  if (IsEmpty(list) || panel.cursor < 0 || panel.cursor >= Count(list)) return -1;
  const PanelItem& item = At(list, panel.cursor);
  if (IsFolder(item) || IsDotName(ItemName(item))) return -1;
  const Text name(ItemName(item));
  if (!HavePrivateFolder()) return -1;
  if (ExtractCursorFile(panel, list) == 0) return 0;
  panel.archiveTempFile.clear();
  SayCopyMissing(name);
  return -1;
}

int ExtractFoundCopy(TextView archivePath, int32_t format, TextView inside, Text& copy) {
  if (!HavePrivateFolder()) return -1;
  if (ExtractArchiveFileToTemp(archivePath, format, inside, copy) == 0) return 0;
  copy.clear();
  SayCopyMissing(inside);
  return -1;
}

std::vector<Text> ExtractDragCopies(Panel& panel, const std::vector<const PanelItem*>& items) {
  std::vector<Text> names, paths;
  for (const PanelItem* item : items)
    if (!IsDotName(ItemName(*item))) names.emplace_back(ItemName(*item));
  if (names.empty() || !HavePrivateFolder()) return paths;
  const Text folder = platform::NewPrivateSubfolder();
  if (folder.empty() || ExtractDroppedItems(panel, names, folder) != 0) return paths;
  for (const Text& name : names)
    if (const Text path = JoinPath(folder, name); Exists(path)) paths.push_back(path);
  if (paths.empty()) SayCopyMissing(names.size() == 1 ? TextView(names.front()) : TextView(u"the dragged items"));
  return paths;
}

}  // namespace nrv
