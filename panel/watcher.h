#pragma once
// The change watcher of a listed local folder: one worker per panel listing, which asks the
// user-interface thread to re-read the panel on the first change of a name or attribute.
#include "core/item_list.h"
#include "core/panel.h"
#include "core/settings.h"

namespace nrv {

// Archives, the temporary panel, FTP folders and (unless switched on) network drives are not
// watched, nor anything while automatic update is off.
bool WatchesPanel(const Panel& panel, const Settings& settings);

// Ends the panel's current watcher (waits for its thread).
void StopWatcher(Panel& panel);

// Ends the panel's watcher and, when the panel is watched, starts one on its folder.
void WatchFromNow(Panel& panel);

// Lists the panel's local folder: the old watcher goes, the new one (when the panel is
// watched) starts before the folder is read. ReadFolder's results.
int ListLocalFolder(Panel& panel, ItemList& list);

}  // namespace nrv
