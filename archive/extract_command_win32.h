#pragma once
// Extraction from the archive a panel shows: to a folder the user confirms (F5, Shift+F2), the
// cursor file alone into the temporary folder (Enter, F3, F4), or dropped items to the drop
// target's folder. Each runs the extract worker behind the progress window.
#include <vector>

#include "core/item_list.h"
#include "core/panel.h"
#include "platform/text.h"

namespace nrv {

// Asks "Extract file(s)" with the other panel's folder proposed and the ExtractFromArchive
// history. 0 when the window ran, -1 otherwise.
int ExtractToFolder(Panel& panel, ItemList& list, const Panel& other);

// The cursor file into the temporary folder; panel.archiveTempFile names the copy. 0 when the
// copy is there, -1 otherwise (a folder or ".." at the cursor, an operation running, or the
// extraction failed).
int ExtractCursorFile(Panel& panel, ItemList& list);

// Items of the archive panel's current folder, by name, to destinationFolder: no prompt. 0
// when the window ran, -1 otherwise.
int ExtractDroppedItems(Panel& archivePanel, const std::vector<Text>& namesInCurrentFolder,
                        TextView destinationFolder);

// One file of an archive, named by its path inside, into the temporary folder: for a found
// name that no panel shows. extractedPath names the copy. 0 when the copy is there, else -1.
int ExtractArchiveFileToTemp(TextView archivePath, int32_t format, TextView inside, Text& extractedPath);

}  // namespace nrv
