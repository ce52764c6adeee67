#pragma once
// The main menu as data: the bar's popups with their owner-drawn items, the icon of each
// command, and the measuring and tab layout of an item's text.
#include <cstdint>
#include <vector>

#include "platform/text.h"

namespace nrv {

struct MenuEntry {
  enum class Kind { Item, Separator, Submenu };
  Kind kind = Kind::Item;
  Text text;
  uint32_t command = 0;  // items
  std::vector<MenuEntry> children;  // submenus
};

struct MenuPopup {
  Text name;  // plain text on the bar
  std::vector<MenuEntry> entries;
};

// "Left", "Files", "Commands", "Options", "Right", in bar order.
std::vector<MenuPopup> MainMenuModel();

// The icon resource shown beside an item (0 for none). Submenus are keyed by their text and
// the side's first identifier.
int MenuIconForCommand(uint32_t command);
int MenuIconForSubmenu(TextView text);

struct MenuItemSize {
  int width = 0;
  int height = 0;
};
// textWidth is the measured width of the whole text (used only when it has no tab).
MenuItemSize MeasureMenuItem(bool separator, TextView text, int textWidth);

// Where each tab-separated piece of an item's text starts, relative to the item's left edge.
// pieceWidths are the measured widths of the pieces; the last piece is right-aligned to
// itemWidth but never starts left of the end of the previous one.
std::vector<int> MenuPieceOffsets(const std::vector<int>& pieceWidths, int itemWidth);

// Splits an item's text at its tabs.
std::vector<Text> MenuTextPieces(TextView text);

}  // namespace nrv
