#pragma once
// The change watcher of a listed local folder.
#include "core/panel.h"

namespace nrv {

// Starts watching panel.path for changes of names, folder names and attributes.
void StartWatcher(Panel& panel);
// Tells the panel's current watcher to end.
void SignalWatcher(Panel& panel);

}  // namespace nrv
