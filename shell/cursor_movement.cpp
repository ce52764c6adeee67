#include "shell/cursor_movement.h"

#include <algorithm>

#include "core/listing.h"
#include "core/selection.h"

namespace nrv {
namespace {

int Clamp(int value, int low, int high) { return std::max(low, std::min(value, high)); }

// Runs a movement rule on a non-empty list and normalises afterwards.
template <typename Rule>
int Move(Panel& panel, ItemList& list, Rule rule) {
  const int count = Count(list);
  if (count == 0) return -1;
  rule(count);
  NormaliseCursor(panel, count);
  return 0;
}

void SetRun(Panel& panel, ItemList& list, int from, int to) {
  for (int i = from; i <= to; ++i) SetItemSelection(panel, At(list, i));
}

}  // namespace

void NormaliseCursor(Panel& panel, int count) {
  panel.cursor = Clamp(panel.cursor, 0, count - 1);
  if (panel.cursor - panel.top > panel.capacity - 1) panel.top = panel.cursor - panel.capacity + 1;
  panel.top = Clamp(panel.top, 0, count - 1);
}

int CursorDown(Panel& panel, ItemList& list) {
  return Move(panel, list, [&](int count) {
    if (panel.cursor < count - 1) ++panel.cursor;
    if (panel.cursor >= panel.top + panel.capacity) ++panel.top;
  });
}

int CursorUp(Panel& panel, ItemList& list) {
  return Move(panel, list, [&](int) {
    if (panel.cursor > 0) --panel.cursor;
    if (panel.cursor < panel.top) --panel.top;
  });
}

int ColumnForward(Panel& panel, ItemList& list) {
  return Move(panel, list, [&](int count) {
    if (panel.cursor < count - 1) panel.cursor += panel.rowsPerColumn;
    if (panel.top + panel.capacity < count && panel.cursor >= panel.top + panel.capacity)
      panel.top += panel.rowsPerColumn;
  });
}

int ColumnBack(Panel& panel, ItemList& list) {
  return Move(panel, list, [&](int) {
    if (panel.cursor > 0) panel.cursor -= panel.rowsPerColumn;
    if (panel.cursor < panel.top) panel.top -= panel.rowsPerColumn;
  });
}

int CursorHome(Panel& panel, ItemList& list) {
  return Move(panel, list, [&](int) {
    if (panel.cursor > 0) panel.cursor = panel.top = 0;
  });
}

int CursorEnd(Panel& panel, ItemList& list) {
  return Move(panel, list, [&](int count) {
    if (panel.cursor < count - 1) {
      panel.cursor = count - 1;
      panel.top = count - panel.capacity;
    }
  });
}

int PageDown(Panel& panel, ItemList& list) {
  return Move(panel, list, [&](int count) {
    panel.cursor += panel.capacity - 1;
    if (count - panel.top > panel.capacity) panel.top += panel.capacity - 1;
  });
}

int PageUp(Panel& panel, ItemList& list) {
  return Move(panel, list, [&](int) {
    panel.cursor -= panel.capacity - 1;
    if (panel.top > 0) panel.top -= panel.capacity - 1;
  });
}

int ToggleAndDown(Panel& panel, ItemList& list) {
  return Move(panel, list, [&](int) {
    SetItemSelection(panel, At(list, Clamp(panel.cursor, 0, Count(list) - 1)));
    ++panel.cursor;
    if (panel.cursor >= panel.top + panel.capacity) ++panel.top;
  });
}

int WheelStep(Panel& panel, ItemList& list, bool towardsUser, bool scrollColumns) {
  const int result = Move(panel, list, [&](int count) {
    const int rows = panel.rowsPerColumn;
    if (towardsUser && !scrollColumns) {
      if (count - panel.top > panel.capacity) ++panel.top;
      ++panel.cursor;
    } else if (towardsUser) {
      if (panel.cursor + rows <= count) {
        panel.top += rows;
        panel.cursor += rows;
      }
    } else if (!scrollColumns) {
      --panel.top;
      --panel.cursor;
    } else if (panel.cursor - rows >= 0) {
      panel.top -= rows;
      panel.cursor -= rows;
    }
  });
  if (result == 0 && panel.rightDragActive) {
    SetItemSelection(panel, At(list, panel.cursor));
  }
  return result;
}

int HitTest(Panel& panel, const ItemList& list, int x, int y) {
  const int count = Count(list);
  if (count == 0) return 0;
  const int columnPitch = panel.columnWidth + panel.columnGap;
  const int column = Clamp(columnPitch > 0 ? x / columnPitch : 0, 0, std::max(panel.columns - 1, 0));
  const int row = Clamp(panel.rowHeight > 0 ? (y - panel.firstRowY) / panel.rowHeight : 0, 0,
                        std::max(panel.rowsPerColumn - 1, 0));
  panel.cursor = Clamp(panel.top + column * panel.rowsPerColumn + row, 0, count - 1);
  return panel.cursor;
}

void SetItemSelection(Panel& panel, PanelItem& item) {
  if (ItemName(item) == u"..") return;
  if (panel.rightDragActive)
    SelectItem(panel, item, panel.rightDragDeselects ? 0 : 1);
  else
    SelectItem(panel, item, item.selected ? 0 : 1);
}

int RightPress(Panel& panel, ItemList& list, int x, int y) {
  if (IsEmpty(list)) return -1;
  const int index = HitTest(panel, list, x, y);
  PanelItem& item = At(list, index);
  panel.rightDragActive = 0;  // the press itself toggles
  SetItemSelection(panel, item);
  panel.rightDragDeselects = item.selected ? 0 : 1;
  panel.rightDragActive = 1;
  panel.rightDragAnchor = index;
  return 0;
}

int RightDrag(Panel& panel, ItemList& list, int x, int y) {
  if (IsEmpty(list) || !panel.rightDragActive) return -1;
  const int pointer = HitTest(panel, list, x, y);
  const int anchor = Clamp(panel.rightDragAnchor, 0, Count(list) - 1);
  if (pointer < anchor)
    SetRun(panel, list, pointer, anchor - 1);
  else
    SetRun(panel, list, anchor, pointer);
  NormaliseCursor(panel, Count(list));
  return 0;
}

}  // namespace nrv
