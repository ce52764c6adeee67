#pragma once
// Shift+F1: the chosen items of a local panel packed into a new 7z archive behind the progress
// window; an existing archive of that name is replaced only when the new one is complete.
#include <vector>

#include "archive/extract_selection.h"
#include "core/item_list.h"
#include "core/panel.h"
#include "platform/text.h"

namespace nrv {

// 0 when the window ran or the user kept an existing archive, -1 otherwise. Both panels are
// asked to be read again afterwards.
int AddToArchiveCommand(Panel& panel, ItemList& list);

// What the command does after its questions: entries of sourceFolder (absolute) into the new
// archive archivePath (absolute), replacing an existing file there when replacing is set. 0 when
// the window ran, -1 otherwise.
int PackEntries(const Text& sourceFolder, const std::vector<ExtractEntry>& entries, const Text& archivePath,
                bool replacing);

}  // namespace nrv
