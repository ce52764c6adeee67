#pragma once
// What a drag out of a panel carries: the paths of its file list and the text of the window
// that follows the pointer.
#include <cstdint>
#include <vector>

#include "core/panel.h"
#include "core/panel_item.h"
#include "platform/text.h"

namespace nrv {

// Numbered lines shown before the rest is summed up in a total.
inline constexpr int kDragWindowNamedItems = 20;

struct DragWindowText {
  Text text;
  int32_t lines = 0;
  int32_t longestLine = 0;  // in characters
};

// "Extract:" out of an archive, else "Copy:"; then "%d. name" for the first twenty items and,
// with more, "..." and "Total: %d items".
DragWindowText MakeDragWindowText(bool fromArchive, const std::vector<const PanelItem*>& items);

// One full local path per item of a folder or the temporary panel. Another program could not
// read an archive's or a server's path: those items are dragged as copies made first.
std::vector<Text> DragPaths(const Panel& panel, const std::vector<const PanelItem*>& items);

}  // namespace nrv
