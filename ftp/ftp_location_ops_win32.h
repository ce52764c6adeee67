#pragma once
// The FTP row of the location table.
#include "fileops/location_ops.h"

namespace nrv {

const LocationOps& FtpLocationOps();

// The panel moved away from its FTP location: its connection goes.
void LeaveFtpSession(Panel& panel);

}  // namespace nrv
