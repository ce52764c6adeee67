#include "ftp/ftp_location_ops_win32.h"

#include "core/formatting.h"
#include "core/listing.h"
#include "core/masks.h"
#include "ftp/ftp_jobs.h"
#include "ftp/ftp_session_win32.h"
#include "ftp/remote_read_win32.h"
#include "panel/panel_reader.h"

namespace nrv {
namespace {

void PlaceCursorOn(Panel& panel, const ItemList& list, TextView name) {
  for (int i = 0; i < Count(list); ++i)
    if (ItemName(At(list, i)) == name) {
      panel.cursor = i;
      return;
    }
}

void ClampCursor(Panel& panel, const ItemList& list) {
  if (panel.cursor >= Count(list)) panel.cursor = Count(list) - 1;
  if (panel.cursor < 0) panel.cursor = 0;
  if (panel.top > panel.cursor) panel.top = panel.cursor;
}

// Lists target; the list stays as it was when the folder could not be entered.
int ListTarget(Panel& panel, ItemList& list, Text target) {
  panel.ftpTargetDir = std::move(target);
  return ListRemoteFolder(list, panel);
}

int ListAgain(Panel& panel, ItemList& list) {
  if (ListTarget(panel, list, u".") != 0) return -1;
  ClampCursor(panel, list);
  return 0;
}

// Where the panel is going: the folder of a move still being read, else the one it shows. Two
// quick steps up go up two folders, as they did when every read held the window.
Text HeadingFolder(const Panel& panel) {
  if (!IsReading(panel) || panel.reading->request.kind != ReadKind::NewLocation || !panel.reading->request.target.ftp)
    return panel.ftpCurrentDir;
  const PanelLocation& target = panel.reading->request.target;
  if (target.ftpTargetDir.empty()) return u"/";
  if (target.ftpTargetDir[0] == u'/') return target.ftpTargetDir;
  return RemoteJoin(target.ftpCurrentDir, target.ftpTargetDir);
}

int EnterRemoteItem(Panel& panel, ItemList& list) {
  if (IsEmpty(list)) return -1;
  const int index = panel.cursor < 0 || panel.cursor >= Count(list) ? 0 : panel.cursor;
  const PanelItem& item = At(list, index);
  if (!IsFolder(item)) return -1;  // files are opened by copying them out
  Text cameFrom;
  Text target;
  if (IsUpEntry(item)) {
    const Text heading = HeadingFolder(panel);
    const TextView current = heading;
    const size_t slash = current.rfind(u'/');
    if (slash != TextView::npos) cameFrom = Text(current.substr(slash + 1));
    target = RemoteParent(current);
  } else {
    target = Text(ItemName(item));
  }
  const int32_t oldTop = panel.top;
  if (ReadsInBackground(panel) && SessionOf(panel)) {
    const PanelLocation before = SaveLocation(panel);
    panel.ftpTargetDir = target;
    if (cameFrom.empty()) panel.returnTop = oldTop;
    LocationRead read = RemoteFolderRead(panel, LoginOf(*SessionOf(panel)), std::move(target), false);
    ReadOtherLocation(panel, before, cameFrom, std::move(read));
    return 0;
  }
  if (ListTarget(panel, list, std::move(target)) != 0) return -1;
  ResetView(panel);
  if (!cameFrom.empty()) {
    PlaceCursorOn(panel, list, cameFrom);
    panel.top = panel.returnTop;
    panel.returnTop = 0;
  } else {
    panel.returnTop = oldTop;
  }
  ComputeTotals(list, panel);
  return 0;
}

int GoUpRemote(Panel& panel, ItemList& list) {
  if (IsEmpty(list) || !IsUpEntry(At(list, 0))) return -1;
  panel.cursor = 0;
  panel.top = 0;
  return EnterRemoteItem(panel, list);
}

PanelUpdate RefreshRemote(Panel& panel, ItemList& list) {
  if (!ReadsInBackground(panel) || !SessionOf(panel)) return ListAgain(panel, list) == 0 ? PanelUpdate::Updated : PanelUpdate::Failed;
  // A read in flight brings the folder's contents anyway.
  // As before reads went to a worker, what a command did leaves nothing selected.
  if (!IsReading(panel))
    RereadLocation(panel, RemoteFolderRead(panel, LoginOf(*SessionOf(panel)), u".", false), false);
  return PanelUpdate::Unchanged;
}

Text RemoteClipboardPath(const Panel& panel, const PanelItem& item, bool fullPath) {
  if (!fullPath) return Text(ItemName(item));
  return RemoteJoin(panel.ftpCurrentDir, ItemName(item));
}

int NoCopyIn(TextView, Panel&, ItemList&) { return -1; }

Text RemoteTitle(const Panel& panel) {
  const FtpSession* session = SessionOf(panel);
  if (!session) return TitleText(panel);
  return TitleText(panel, LocationText({session->host, session->port}));
}

LocationOps MakeFtpOps() {
  LocationOps ops;
  ops.list = &ListAgain;
  ops.enterItem = &EnterRemoteItem;
  ops.goUp = &GoUpRemote;
  ops.refresh = &RefreshRemote;
  ops.title = &RemoteTitle;
  ops.clipboardPath = &RemoteClipboardPath;
  // Copy, move and delete go through the file operation, which hands FTP panels to the transfer.
  ops.copyOut = &CopyCommand;
  ops.moveOut = &MoveCommand;
  ops.copyIn = &NoCopyIn;
  ops.remove = &DeleteCommand;
  ops.makeFolder = &FtpMakeFolder;
  return ops;
}

}  // namespace

const LocationOps& FtpLocationOps() {
  static const LocationOps ops = MakeFtpOps();
  return ops;
}

void LeaveFtpSession(Panel& panel) {
  if (KindOf(panel) != LocationKind::Ftp) CloseSession(panel);
}

}  // namespace nrv
