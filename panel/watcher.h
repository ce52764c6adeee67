#pragma once
// The change watcher of a listed local folder: one waiting thread per panel listing, which asks
// the user-interface thread to re-read the panel on the first change of a name or attribute.
#include "config/settings.h"
#include "core/panel.h"

namespace nrv {

// Starts watching panel.path for changes of names, folder names and attributes.
void StartWatcher(Panel& panel);
// Tells the panel's current watcher to end.
void SignalWatcher(Panel& panel);

// Archives, the temporary panel, FTP folders and (unless switched on) network drives are not
// watched, nor anything while automatic update is off.
bool WatchesPanel(const Panel& panel, const Settings& settings);

// The threads, events and change notifications live in the Win32 user interface; without a
// backend (host builds, or before it is installed) listings are simply not watched.
struct WatcherBackend {
  void (*start)(Panel& panel) = nullptr;
  void (*signal)(Panel& panel) = nullptr;
};
void SetWatcherBackend(const WatcherBackend* backend);

}  // namespace nrv
