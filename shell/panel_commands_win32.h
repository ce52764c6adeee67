#pragma once
// What keys, menu items and toolbar buttons do to a panel: the one place where a command meets
// the model, the dialogs and the drawing.
#include <cstdint>

#include "core/item_list.h"
#include "core/panel.h"
#include "shell/key_table.h"

namespace nrv {

// A panel key or the panel-side part of a menu command, on that panel.
void RunPanelAction(Panel& panel, ItemList& list, PanelKey action);

// WM_COMMAND of the main window: the whole 32-bit parameter.
void RunMainCommand(uint32_t command);

// A typed character that starts a quick search.
void RunQuickSearchFromPanel(Panel& panel, ItemList& list, char16_t typed);

// UpdateFileLists: 0 both panels, 1 or 2 one of them.
void RunUpdateFileLists(uint32_t which);

// Posted re-read requests: one panel's change watcher reads a local folder on a worker; the
// rest goes as RunUpdateFileLists.
void RunBackgroundUpdates(uint32_t which);

// Repaints a panel after it moved to another location, with the caption following.
void RedrawMovedPanel(Panel& panel, ItemList& list);

}  // namespace nrv
