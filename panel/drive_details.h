#pragma once
// The sizes and labels of slow drives (removable media, network shares), read on a worker after
// the drive table is built and put into it, and into the panels on those drives, on the window's
// thread when they arrive. Until then such a drive shows no label and no sizes.
#include "core/panel.h"
#include "core/panel_context.h"

namespace nrv {

// Builds the context's drive table. Where the window listens for them, the slow drives' details
// come from a worker; while one still runs (a share that does not answer) no second one starts,
// and its end starts the next when rows are left waiting. 0 as BuildDriveTable.
int RebuildDrives(PanelContext& context);

// The worker's end, on the window's thread: its details into the table and into the panels on
// those drives. False when nothing was taken.
bool TakeDriveDetails(PanelContext& context, Panel& left, Panel& right);

// At exit: the worker is stopped and joined (a call that hangs in the system ends with it).
void StopDriveDetails(PanelContext& context);

}  // namespace nrv
