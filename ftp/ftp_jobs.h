#pragma once
// The paths a transfer works with. Every job carries the source's full path, built on the
// user-interface thread from the panel's folder at the moment the command started.
#include <cstdint>
#include <vector>

#include "core/item_list.h"
#include "core/panel.h"
#include "platform/text.h"

namespace nrv {

inline constexpr uint32_t kDirectionDownload = 0;
inline constexpr uint32_t kDirectionUpload = 1;
inline constexpr uint32_t kDirectionBetweenServers = 2;

struct FtpJob {
  Text path;  // the source's full path (remote with "/", local with "\")
  Text name;  // the plain name
  uint32_t attributes = 0;
  int64_t size = 0;
};

// "%s/%s", or "%s%s" in the root "/".
Text RemoteJoin(TextView folder, TextView name);
// "%s\%s", or "%s%s" when the folder already ends with a backslash (a drive root "C:\").
Text LocalJoin(TextView folder, TextView name);
// The remote folder without its last component; "/" for the root and its children.
Text RemoteParent(TextView folder);
// Where a new connection goes: target when it is absolute, else target under current.
Text RemoteRestoreFolder(TextView current, TextView target);

// The selected items in list order, or the cursor item when none is selected; ".." is never
// taken. remoteSource says whether the panel's folder is ftpCurrentDir or its local path.
std::vector<FtpJob> BuildJobs(const Panel& panel, const ItemList& list, bool remoteSource);

// The sum of the positive sizes; 1 when that is not positive.
int64_t TransferTotal(const std::vector<FtpJob>& jobs);

}  // namespace nrv
