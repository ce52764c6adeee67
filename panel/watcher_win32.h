#pragma once
// The Win32 change watcher behind ListLocalFolder.
#include "core/panel_context.h"

namespace nrv {

// Watches panel.path for changes of names, folder names and attributes; the first change posts
// a re-read of the panel's side to the context's update target. The change notification is asked
// for here, on the user-interface thread, which also reports its failure.
void StartChangeWatcher(Panel& panel);

inline WatchHooks ChangeWatchHooks() { return WatchHooks{&StartChangeWatcher}; }

}  // namespace nrv
