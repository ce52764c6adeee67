#pragma once
// A folder's listing over a short connection of its own, with the server's machine-readable
// listing: names keep their blanks, which the Internet library's listing parser cuts.
#include <vector>

#include "ftp/ftp_session_win32.h"
#include "ftp/remote_listing.h"
#include "platform/files.h"
#include "platform/worker.h"

namespace nrv {

// The entries of folder (an absolute remote path), over a passive or an active data connection
// as the session asks; false when the server cannot give them this way (the caller lists
// through the Internet library then). A listing beyond kMaxListingBytes of text or
// kMaxListingEntries entries gives what came before the limit, and listing says where it was cut.
// A raised stop ends every wait on the server within 50 ms (false).
bool ListMachineReadable(const FtpLogin& login, TextView folder, std::vector<platform::FindData>& entries,
                         RemoteListing& listing, const StopFlag* stop = nullptr);

}  // namespace nrv
