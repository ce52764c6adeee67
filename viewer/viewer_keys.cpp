#include "viewer/viewer_keys.h"

namespace nrv {
namespace {

// Win32 virtual-key codes.
constexpr uint32_t kEscape = 0x1B, kPrior = 0x21, kNext = 0x22, kEnd = 0x23, kHome = 0x24;
constexpr uint32_t kLeft = 0x25, kUp = 0x26, kRight = 0x27, kDown = 0x28, kInsert = 0x2D;
constexpr uint32_t k5 = 0x35, k6 = 0x36, kA = 0x41, kC = 0x43, kX = 0x58;
constexpr uint32_t kF2 = 0x71, kF4 = 0x73, kF7 = 0x76, kF8 = 0x77, kF11 = 0x7A;

enum class Held { Any, Ctrl, Shift };

struct ViewerKeyRow {
  uint32_t key;
  Held held;
  ViewerAction action;
};

// Ctrl or Shift with a plain key does what the key does, except where a Ctrl or Shift row comes
// first; 5 and 6 act with or without Ctrl, as the menu writes them with Ctrl.
constexpr ViewerKeyRow kViewerKeys[] = {
    {kEscape, Held::Any, ViewerAction::Leave},
    {kDown, Held::Any, ViewerAction::LineDown},
    {kUp, Held::Any, ViewerAction::LineUp},
    {kNext, Held::Any, ViewerAction::PageDown},
    {kPrior, Held::Any, ViewerAction::PageUp},
    {kHome, Held::Any, ViewerAction::Home},
    {kEnd, Held::Any, ViewerAction::End},
    {kRight, Held::Any, ViewerAction::ColumnRight},
    {kLeft, Held::Any, ViewerAction::ColumnLeft},
    {kF2, Held::Any, ViewerAction::ToggleWrap},
    {kF4, Held::Any, ViewerAction::ToggleHex},
    {kF7, Held::Shift, ViewerAction::FindPrevious},
    {kF7, Held::Any, ViewerAction::Search},
    {kF8, Held::Any, ViewerAction::NextCharacterSet},
    {kF11, Held::Any, ViewerAction::ResetSearch},
    {k5, Held::Any, ViewerAction::NextFontSize},
    {k6, Held::Any, ViewerAction::NextFontFace},
    {kA, Held::Ctrl, ViewerAction::SelectAll},
    {kX, Held::Ctrl, ViewerAction::Deselect},
    {kC, Held::Ctrl, ViewerAction::Copy},
    {kInsert, Held::Ctrl, ViewerAction::Copy},
};

}  // namespace

ViewerCommand ViewerKeyAction(uint32_t virtualKey, bool ctrl, bool shift, bool alt) {
  if (alt) return {};
  for (const ViewerKeyRow& row : kViewerKeys) {
    if (row.key != virtualKey) continue;
    if (row.held == Held::Ctrl && !ctrl) continue;
    if (row.held == Held::Shift && !shift) continue;
    return {row.action, 0};
  }
  return {};
}

}  // namespace nrv
