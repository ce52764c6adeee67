#pragma once
// Copies of archive items for other programs: the file Enter, F3 and F4 open, and the files a
// drag out of an archive panel names. Each is extracted by this call into a subfolder of the
// process's private folder that no earlier copy used, so a copy is opened or handed on only
// when this extraction made it.
#include <vector>

#include "core/item_list.h"
#include "core/panel.h"
#include "core/panel_item.h"
#include "platform/text.h"

namespace nrv {

// The cursor file's copy; 0 with panel.archiveTempFile naming it. -1 for a folder or "..",
// and -1 after saying why when no copy came (a cancelled password, an unreadable archive, a
// failed item).
int ExtractCopyToOpen(Panel& panel, ItemList& list);

// The found item inside of the archive at archivePath; 0 with copy naming it, -1 after
// saying why.
int ExtractFoundCopy(TextView archivePath, int32_t format, TextView inside, Text& copy);

// The items of the panel's current folder a drag carries, extracted: one existing path per
// item that came out (a folder with what was below it). Empty after saying why none did.
std::vector<Text> ExtractDragCopies(Panel& panel, const std::vector<const PanelItem*>& items);

// "Cannot open %s: it was not extracted" and the like, for a copy that did not come.
void SayCopyMissing(TextView name);

}  // namespace nrv
