#pragma once
// The text that "Copy selection" and "Copy with full paths" put on the clipboard.
#include <vector>

#include "core/item_list.h"
#include "core/panel.h"

namespace nrv {

// The items taken: the selected ones in list order, or the cursor item when none is selected;
// never "." or "..".
std::vector<const PanelItem*> ItemsForClipboard(const Panel& panel, const ItemList& list);

// One line per item, each ended by CR LF. Full paths are resolved against the current
// directory (at most 259 characters); in an archive a folder is written "\name".
Text ClipboardNamesText(const Panel& panel, const ItemList& list, bool fullPaths);

}  // namespace nrv
