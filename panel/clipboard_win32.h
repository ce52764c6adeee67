#pragma once
// Names and other text to the clipboard as Unicode text.
#include "core/item_list.h"
#include "core/panel.h"
#include "panel/clipboard_text.h"
#include "platform/text.h"

namespace nrv {

// False when the clipboard could not be opened or the memory not had (nothing is reported).
bool CopyTextToClipboard(TextView text);

// Ctrl+Ins (fullPaths false) and Ctrl+C (true). Full paths resolve against the current
// directory, which is the active panel's folder.
bool CopyNamesToClipboard(const ItemList& list, const Panel& panel, bool fullPaths, ClipboardPath pathOf);

}  // namespace nrv
