#include "find/archive_names_win32.h"

#include "archive/archive_navigation.h"
#include "archive/archive_copies_win32.h"
#include "core/masks.h"
#include "panel/navigation.h"
#include "panel/panel_reader.h"
#include "platform/error_report.h"
#include "platform/shell.h"

namespace nrv {
namespace {

bool ReadAsIso() { return false; }
bool NoPassword(Text&) { return false; }

TextView LastComponent(TextView path) {
  const size_t slash = path.find_last_of(u"\\/");
  return slash == TextView::npos ? path : path.substr(slash + 1);
}

bool NamedAsArchive(TextView path) {
  const TextView name = LastComponent(path);
  const size_t dot = name.find_last_of(u'.');
  if (dot == TextView::npos) return false;
  Text extension(name.substr(dot + 1));
  for (char16_t& c : extension)
    if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c + 32);
  for (const char16_t* known : {u"zip", u"rar", u"arj", u"7z", u"cab", u"tar", u"gz", u"tgz", u"bz2", u"iso", u"img"})
    if (extension == known) return true;
  return false;
}

}  // namespace

int QueueArchiveMatches(TextView path, const FindFilesQuery& query, ResultQueue& queue, void (*announce)(void*),
                        void* context) {
  PanelItem* file = NewItem(path);
  const ArchiveTest test = TestArchiveFile(*file, &ReadAsIso);
  FreeItem(file);
  // A file that cannot be opened at all counts only when its name says it is an archive.
  if (test.format == kArchiveUnreadable)
    return !test.errorText.empty() && NamedAsArchive(path) ? kArchiveNotRead : 0;
  // Gzip and bzip2 archives would first be unpacked to the disk: not for a search.
  if (!EntersArchive(test.format) || test.format == kFormatTarGz || test.format == kFormatBZip2) return 0;
  ArchiveItemList items;
  if (ReadArchiveItemsQuietly(Text(path), test.format, &NoPassword, items) != kArchiveOpened) return kArchiveNotRead;
  int added = 0;
  ArchiveNameBuffer buffer;
  for (const ArchiveItem& item : items.items) {
    const bool folder = item.size < 0;
    if (folder && !query.includeFolders) continue;
    const TextView inside = ItemName(items, item, buffer);
    if (!MatchMask(LastComponent(inside), query.mask)) continue;
    ++added;
    if (QueueFoundInArchive(queue, path, inside, item.size, item.attributes, item.writeTime)) announce(context);
  }
  return added;
}

int GoToFoundInArchive(Panel& panel, ItemList& list, TextView archivePath, TextView inside,
                       PasswordQuestion askPassword) {
  const ParentPath archive = SplitParent(archivePath);
  const ReadAtOnce atOnce(panel);  // the archive is an item of the folder read
  if (SetPath(panel, list, archive.parent) != 0) return -1;
  const int index = IndexOfName(list, archive.leftName);
  if (index < 0) return -1;
  PlaceCursor(panel, index);
  if (OpenArchiveItem(panel, list, index, askPassword) != 0) return -1;
  size_t start = 0;
  for (size_t slash; (slash = inside.find(u'\\', start)) != TextView::npos; start = slash + 1)
    if (EnterArchiveFolder(panel, list, inside.substr(start, slash - start)) != 0) return -1;
  PlaceCursor(panel, IndexOfName(list, inside.substr(start)));
  return 0;
}

int OpenFoundInArchive(HWND, TextView archivePath, TextView inside) {
  PanelItem* file = NewItem(archivePath);
  const int32_t format = TestArchiveFile(*file, &ReadAsIso).format;
  FreeItem(file);
  Text copy;
  if (!EntersArchive(format) || ExtractFoundCopy(archivePath, format, inside, copy) != 0) return -1;
  const intptr_t result = platform::ExecuteWithShell(u"open", copy, {}, {});
  if (result <= 32) ReportExecuteResult(result, copy);
  return result > 32 ? 0 : -1;
}

}  // namespace nrv
