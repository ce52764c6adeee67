#include "panel/watcher.h"

#include "core/listing.h"
#include "core/panel_context.h"
#include "core/panel_read.h"
#include "platform/files.h"

namespace nrv {

bool WatchesPanel(const Panel& panel, const Settings& settings) {
  if (KindOf(panel) != LocationKind::Local) return false;
  if (!settings.PanelAutoUpdatePanels) return false;
  return settings.PanelAutoUpdateNetwork || panel.drive.type != platform::kDriveRemote;
}

void StopWatcher(Panel& panel) { StopAndJoin(panel.watcher); }

void WatchFromNow(Panel& panel) {
  StopWatcher(panel);
  if (panel.context && panel.context->watch.start && WatchesPanel(panel, SettingsOf(panel)))
    panel.context->watch.start(panel);
}

int ListLocalFolder(Panel& panel, ItemList& list) {
  // A read at once is the panel's newest: one still on a worker would overwrite it.
  if (panel.reading) DropRead(*panel.reading);
  WatchFromNow(panel);
  const int status = ReadFolder(panel, list);
  if (status != 0) StopWatcher(panel);
  return status;
}

}  // namespace nrv
