#pragma once
// Where each panel starts and which drive it shows at start-up.
#include "core/drive_table.h"
#include "core/panel.h"
#include "platform/text.h"

namespace nrv {

// The saved folder when it can be made current, else the process folder.
Text StartFolder(TextView saved, TextView processFolder);

// Gives the panel the drive its start folder is on: the network pseudo-drive for a share, else
// the drive table's row with the same root. Shows "Error get current drive left/right" when the
// drive is not in the table; the panel then has no drive.
void TakeStartDrive(Panel& panel, TextView startFolder, const DriveTable& drives);

}  // namespace nrv
