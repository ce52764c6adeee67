#include "panel/watcher.h"

namespace nrv {

// Automatic update is not wired yet: listings start no watcher, so there is none to stop.
void StartWatcher(Panel&) {}
void SignalWatcher(Panel&) {}

}  // namespace nrv
