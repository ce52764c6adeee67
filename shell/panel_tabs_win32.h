#pragma once
// Folder tabs of a panel as commands: open, close, show, step and move them. Showing a tab goes
// through the same moves as any other change of location (SetPath, the archive's and the FTP
// server's own), so the panel reads it as it reads every location.
#include <cstdint>

#include "core/item_list.h"
#include "core/panel.h"
#include "core/panel_tabs.h"

namespace nrv {

// The panel's first tab from what it shows, or the saved tabs of the last "Save
// configuration" when there are any: the current one is then shown.
void SetUpTabs(Panel& panel, ItemList& list, const SavedTabs& saved);
// One tab per panel again: "Load default configuration".
void KeepOnlyCurrentTab(Panel& panel);
// The record of what the panel shows now, written into its current tab (before a save).
void RememberCurrentTab(Panel& panel, const ItemList& list);

// Ctrl+T: a 65th tab beeps.
void NewTab(Panel& panel, ItemList& list);
// Ctrl+W, a middle click or a double click on a tab: the last tab stays.
void CloseTabAt(Panel& panel, ItemList& list, int32_t index);
// A click on a tab, Ctrl+Tab and Ctrl+Shift+Tab.
void ShowTabAt(Panel& panel, ItemList& list, int32_t index);
void StepTab(Panel& panel, ItemList& list, int32_t step);
// Ctrl+Shift+PgUp/PgDn and a tab dragged along the row.
void MoveTabTo(Panel& panel, ItemList& list, int32_t from, int32_t to);

// Whether the panel shows its tab row: two or more tabs, or always with the switch on.
bool TabRowWanted(const Panel& panel);
// Sets the panel's tabRowShown from TabRowWanted; the caller redraws.
void SyncTabRow(Panel& panel);

}  // namespace nrv
