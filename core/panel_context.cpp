#include "core/panel_context.h"

namespace nrv {

const Settings& SettingsOf(const Panel& panel) {
  static const Settings kBuiltIn;
  return panel.context ? panel.context->settings : kBuiltIn;
}

ItemList& TemporaryStoreOf(Panel& panel) { return panel.context->temporaryStore; }

}  // namespace nrv
