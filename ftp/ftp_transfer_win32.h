#pragma once
// Copy, move and delete between an FTP panel and a local one: one file at a time on a worker
// behind the modal progress window.
#include <windows.h>
#include <wininet.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <vector>

#include "core/item_list.h"
#include "core/panel.h"
#include "ftp/ftp_jobs.h"
#include "platform/text.h"

namespace nrv {

// panel holds the items, other is the panel on the other side; destination is the folder the
// user confirmed (local for a download, remote for an upload). 0 when run, -1 when neither
// panel is an FTP panel or a connection cannot be restored.
int RunFtpTransfer(TextView destination, Panel& panel, ItemList& list, Panel& other, uint32_t operation);

// What a transfer without the progress window reports and obeys, for tests and measurements.
// The callbacks run on the transferring thread.
struct FtpTransferProbe {
  std::function<void(uint32_t blockSize, uint32_t moved, uint64_t microseconds)> blockDone;
  std::function<void(int64_t done)> progressShown;
  std::atomic<bool> cancel{false};  // as the progress window's Cancel sets it
};

// The jobs of a copy or move on the calling thread without a progress window, as the worker
// runs them; questions go through the message hook. The number of jobs that failed.
int RunFtpJobs(HINTERNET connection, uint32_t operation, uint32_t direction, TextView target,
               std::vector<FtpJob> jobs, FtpTransferProbe* probe = nullptr);

}  // namespace nrv
