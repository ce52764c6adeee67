#pragma once
// The text that "Copy selection" and "Copy with full paths" put on the clipboard.
#include <vector>

#include "core/item_list.h"
#include "core/panel.h"

namespace nrv {

// The items taken: the selected ones in list order, or the cursor item when none is selected;
// never "." or "..".
std::vector<const PanelItem*> ItemsForClipboard(const Panel& panel, const ItemList& list);

// The text of one item: its name, or its full path.
using ClipboardPath = Text (*)(const Panel& panel, const PanelItem& item, bool fullPath);
// A local folder's full path is resolved against the current directory (at most 259
// characters).
Text LocalClipboardPath(const Panel& panel, const PanelItem& item, bool fullPath);
// Inside an archive the full form of a folder is "\name".
Text ArchiveClipboardPath(const Panel& panel, const PanelItem& item, bool fullPath);

// One line per item, each ended by CR LF, in the form of the panel's location.
Text ClipboardNamesText(const Panel& panel, const ItemList& list, bool fullPaths, ClipboardPath pathOf);

}  // namespace nrv
