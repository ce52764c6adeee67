#include "shell/shell_windows.h"

namespace nrv {
namespace {

struct PanelPair {
  Panel left;
  Panel right;
  ItemList leftItems;
  ItemList rightItems;
};

PanelPair& Panels() {
  static PanelPair panels;
  return panels;
}

}  // namespace

ShellWindows& TheShellWindows() {
  static ShellWindows windows;
  return windows;
}

ShellState& TheShellState() {
  static ShellState state;
  return state;
}

Panel& PanelOf(int side) { return side == kRightPanel ? Panels().right : Panels().left; }
ItemList& ItemsOf(int side) { return side == kRightPanel ? Panels().rightItems : Panels().leftItems; }
Panel& OtherPanel(const Panel& panel) { return PanelOf(panel.side == kLeftPanel ? kRightPanel : kLeftPanel); }

Panel* ActivePanel() {
  if (Panels().left.active) return &Panels().left;
  if (Panels().right.active) return &Panels().right;
  return nullptr;
}

HICON ToolIcon(int resourceId) {
  const int index = resourceId - IDI_FIRST_TOOL_ICON;
  if (index < 0 || index >= static_cast<int>(TheShellWindows().icons.size())) return nullptr;
  return TheShellWindows().icons[static_cast<size_t>(index)].Get();
}

PanelFonts& FontsOf(int side) {
  return side == kRightPanel ? TheShellWindows().rightFonts : TheShellWindows().leftFonts;
}

}  // namespace nrv
