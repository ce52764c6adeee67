#include "panel/watcher.h"

#include "core/listing.h"
#include "core/panel_context.h"
#include "platform/files.h"

namespace nrv {

bool WatchesPanel(const Panel& panel, const Settings& settings) {
  if (KindOf(panel) != LocationKind::Local) return false;
  if (!settings.PanelAutoUpdatePanels) return false;
  return settings.PanelAutoUpdateNetwork || panel.drive.type != platform::kDriveRemote;
}

void StopWatcher(Panel& panel) { StopAndJoin(panel.watcher); }

int ListLocalFolder(Panel& panel, ItemList& list) {
  StopWatcher(panel);
  if (panel.context && panel.context->watch.start && WatchesPanel(panel, SettingsOf(panel)))
    panel.context->watch.start(panel);
  const int status = ReadFolder(panel, list);
  if (status != 0) StopWatcher(panel);
  return status;
}

}  // namespace nrv
