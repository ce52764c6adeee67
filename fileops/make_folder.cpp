#include "fileops/make_folder.h"

#include "config/history.h"
#include "core/listing.h"
#include "core/panel_context.h"
#include "core/paths.h"
#include "platform/files.h"
#include "platform/message_box.h"
#include "platform/shell.h"
#include "platform/error_report.h"

namespace nrv {
namespace {

constexpr size_t kPathLimit = 260;

}  // namespace

Text FolderPathFor(TextView typed, TextView currentFolder) {
  if (IsAbsolutePath(typed)) return Text(typed);
  Text folder(currentFolder);
  if (!folder.empty() && folder.back() == u'\\') folder.pop_back();
  return folder + u"\\" + Text(typed);
}

int CreateTypedFolder(const Panel& panel, TextView typed) {
  if (KindOf(panel) == LocationKind::Archive || KindOf(panel) == LocationKind::Temporary || typed.empty())
    return -1;
  if (SetCurrentFolder(panel) != 0) return -1;
  Text current;
  if (!IsAbsolutePath(typed)) {
    current = platform::CurrentFolder();
    if (current.empty()) {
      ReportError(u"Cannot get current directory");
      return -1;
    }
  }
  const Text path = FolderPathFor(typed, current);
  if (path.size() >= kPathLimit) {
    platform::ShowMessage({nullptr, u"File name too long", {}, platform::MessageIcon::Error,
                           platform::MessageButtons::Ok});
    return -1;
  }
  if (platform::CreateFolderChain(path) != 0) {
    ReportError(u"Cannot create folder\n" + path);
    return -1;
  }
  AddHistory(SettingsOf(panel), kHistoryCreateFolder, typed);
  return 0;
}

void PlaceCursorOnCreated(Panel& panel, const ItemList& list, TextView typed) {
  const TextView first = typed.substr(0, typed.find(u'\\'));
  for (int i = 0; i < Count(list); ++i) {
    if (ItemName(At(list, i)) != first) continue;
    panel.cursor = i;
    if (panel.cursor < panel.top) panel.top = panel.cursor;
    return;
  }
}

}  // namespace nrv
