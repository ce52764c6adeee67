#pragma once
// The Win32 change watcher behind StartWatcher and SignalWatcher.
namespace nrv {

// Connects the watcher threads; called once at start-up before the panels are first read.
// UpdateFileLists goes to UpdateFileListsTarget() (the main window).
void InstallChangeWatchers();
// Back to no watching (tests).
void RemoveChangeWatchers();

}  // namespace nrv
