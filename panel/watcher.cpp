#include "panel/watcher.h"

#include <atomic>

#include "platform/files.h"

namespace nrv {
namespace {

std::atomic<const WatcherBackend*> gBackend{nullptr};

}  // namespace

bool WatchesPanel(const Panel& panel, const Settings& settings) {
  if (panel.archiveOpen || panel.temporary || panel.ftp) return false;
  if (!settings.PanelAutoUpdatePanels) return false;
  return settings.PanelAutoUpdateNetwork || panel.drive.type != platform::kDriveRemote;
}

void SetWatcherBackend(const WatcherBackend* backend) { gBackend = backend; }

void StartWatcher(Panel& panel) {
  const WatcherBackend* backend = gBackend.load();
  if (!backend || !backend->start || !WatchesPanel(panel, TheSettings())) return;
  backend->start(panel);
}

void SignalWatcher(Panel& panel) {
  const WatcherBackend* backend = gBackend.load();
  if (backend && backend->signal) backend->signal(panel);
}

}  // namespace nrv
