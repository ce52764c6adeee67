#include "shell/start_paths.h"

#include "platform/files.h"
#include "platform/message_box.h"

namespace nrv {
namespace {

void ShowDriveError(TextView text) {
  platform::MessageRequest request;
  request.text = Text(text);
  request.caption = u"Error";
  request.icon = platform::MessageIcon::Error;
  platform::ShowMessage(request);
}

}  // namespace

Text StartFolder(TextView saved, TextView processFolder) {
  if (!saved.empty() && platform::SetCurrentFolder(saved)) return Text(saved);
  return Text(processFolder);
}

void TakeStartDrive(Panel& panel, TextView startFolder, const DriveTable& drives) {
  const Text root = RootOfPath(startFolder);
  if (root == u"remote") {
    panel.drive.type = platform::kDriveRemote;
    panel.drive.totalBytes = 0;
    panel.drive.freeBytes = 0;
    return;
  }
  for (const DriveInfo& row : drives.rows) {
    if (row.root != root) continue;
    panel.drive.type = row.type;
    panel.drive.totalBytes = row.totalBytes;
    panel.drive.freeBytes = row.freeBytes;
    return;
  }
  ShowDriveError(panel.side == kLeftPanel ? u"Error get current drive left"
                                          : u"Error get current drive right");
}

}  // namespace nrv
