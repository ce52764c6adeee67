#pragma once
// Making a folder, or a whole chain a\b\c, from the name typed in the prompt.
#include "core/item_list.h"
#include "core/panel.h"

namespace nrv {

// The absolute path a typed name means against the current folder; empty and reported when
// the current folder cannot be read.
Text FolderPathFor(TextView typed, TextView currentFolder);

// Creates the folder chain for the typed name in the panel's folder. 0 on success (the name is
// added to the history), -1 when refused or failed (reported).
int CreateTypedFolder(const Panel& panel, TextView typed);

// After both panels were read again: the cursor goes to the first level of the typed name.
void PlaceCursorOnCreated(Panel& panel, const ItemList& list, TextView typed);

}  // namespace nrv
