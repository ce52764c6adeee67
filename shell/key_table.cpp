#include "shell/key_table.h"

#include <iterator>

namespace nrv {
namespace {

enum class Modifier { Plain, Shift, Ctrl, CtrlShift };

struct PanelKeyRow {
  uint32_t key;
  Modifier modifier;
  PanelKey action;
};

constexpr PanelKeyRow kPanelKeys[] = {
    {vk::kDown, Modifier::Plain, PanelKey::CursorDown},
    {vk::kUp, Modifier::Plain, PanelKey::CursorUp},
    {vk::kRight, Modifier::Plain, PanelKey::ColumnForward},
    {vk::kLeft, Modifier::Plain, PanelKey::ColumnBack},
    {vk::kHome, Modifier::Plain, PanelKey::CursorHome},
    {vk::kEnd, Modifier::Plain, PanelKey::CursorEnd},
    {vk::kNext, Modifier::Plain, PanelKey::PageDown},
    {vk::kPrior, Modifier::Plain, PanelKey::PageUp},
    {vk::kInsert, Modifier::Plain, PanelKey::ToggleAndDown},
    {vk::kInsert, Modifier::Ctrl, PanelKey::CopyNames},
    {vk::kReturn, Modifier::Plain, PanelKey::Open},
    {vk::kBack, Modifier::Plain, PanelKey::Parent},
    {vk::kF1, Modifier::Shift, PanelKey::AddToArchive},
    {vk::kF2, Modifier::Shift, PanelKey::ExtractFromArchive},
    {vk::kF3, Modifier::Plain, PanelKey::View},
    {vk::kF3, Modifier::Ctrl, PanelKey::SortName},
    {vk::kF4, Modifier::Plain, PanelKey::Edit},
    {vk::kF4, Modifier::Ctrl, PanelKey::SortExtension},
    {vk::kF5, Modifier::Plain, PanelKey::Copy},
    {vk::kF5, Modifier::Ctrl, PanelKey::SortWriteTime},
    {vk::kF6, Modifier::Plain, PanelKey::Move},
    {vk::kF6, Modifier::Ctrl, PanelKey::SortSize},
    {vk::kF7, Modifier::Plain, PanelKey::MakeFolder},
    {vk::kF7, Modifier::Ctrl, PanelKey::SortUnsorted},
    {vk::kF8, Modifier::Plain, PanelKey::DeleteToRecycleBin},
    {vk::kF8, Modifier::Shift, PanelKey::DeletePermanently},
    {vk::kF8, Modifier::Ctrl, PanelKey::SortCreationTime},
    {vk::kDelete, Modifier::Plain, PanelKey::DeleteToRecycleBin},
    {vk::kDelete, Modifier::Shift, PanelKey::DeletePermanently},
    {vk::kF11, Modifier::Ctrl, PanelKey::SortAccessTime},
    {vk::kAdd, Modifier::Plain, PanelKey::SelectGroup},
    {vk::kSubtract, Modifier::Plain, PanelKey::DeselectGroup},
    {vk::kMultiply, Modifier::Plain, PanelKey::InvertSelection},
    {vk::k1, Modifier::Ctrl, PanelKey::ViewBrief},
    {vk::k2, Modifier::Ctrl, PanelKey::ViewMedium},
    {vk::k3, Modifier::Ctrl, PanelKey::ViewFull},
    {vk::k4, Modifier::Ctrl, PanelKey::NextBriefColumns},
    {vk::kR, Modifier::Ctrl, PanelKey::Reload},
    {vk::kA, Modifier::Ctrl, PanelKey::SelectAll},
    {vk::kU, Modifier::Ctrl, PanelKey::DeselectAll},
    {vk::kC, Modifier::Ctrl, PanelKey::CopyFullPaths},
    {vk::kP, Modifier::Ctrl, PanelKey::Properties},
    {vk::kF, Modifier::Ctrl, PanelKey::FindFiles},
    {vk::kF2, Modifier::Ctrl, PanelKey::CompareFolders},
    {vk::kEscape, Modifier::Plain, PanelKey::StopFolderSizes},
    {vk::kT, Modifier::Ctrl, PanelKey::NewTab},
    {vk::kW, Modifier::Ctrl, PanelKey::CloseTab},
    {vk::kPrior, Modifier::CtrlShift, PanelKey::MoveTabLeft},
    {vk::kNext, Modifier::CtrlShift, PanelKey::MoveTabRight},
};

const PanelKeyRow* FindRow(uint32_t key, Modifier modifier) {
  for (const auto& row : kPanelKeys)
    if (row.key == key && row.modifier == modifier) return &row;
  return nullptr;
}

}  // namespace

LoopKey LoopKeyAction(const KeyState& key, const ShellModes& modes) {
  const bool viewerOrEditor = modes.viewerOpen || modes.editorOpen;
  // In this order: F9 and F10 win over any modifier, Tab over Alt.
  if (key.key == vk::kF9) return viewerOrEditor ? LoopKey::Swallow : LoopKey::Menu;
  if (key.key == vk::kF10) return LoopKey::Quit;  // also as a system key
  // Tab without Ctrl still switches panels; with Ctrl it walks the active panel's tabs.
  if (key.key == vk::kTab && key.ctrl && !key.alt && !viewerOrEditor)
    return key.shift ? LoopKey::PreviousTab : LoopKey::NextTab;
  if (key.key == vk::kTab && !modes.editorOpen) return LoopKey::OtherPanel;
  if (key.alt) {
    if (key.key == vk::kReturn && key.shift) return viewerOrEditor ? LoopKey::Swallow : LoopKey::FolderSizes;
    if (key.key == vk::kReturn) return LoopKey::FullScreen;
    if (key.key == vk::kF1) return viewerOrEditor ? LoopKey::Swallow : LoopKey::LeftLocationMenu;
    if (key.key == vk::kF2) return viewerOrEditor ? LoopKey::Swallow : LoopKey::RightLocationMenu;
    return LoopKey::Swallow;
  }
  if (!key.ctrl) return LoopKey::None;
  if (key.key == vk::kLeft) return LoopKey::SplitterLeft;
  if (key.key == vk::kRight) return LoopKey::SplitterRight;
  return LoopKey::None;
}

PanelKey PanelKeyAction(const KeyState& key) {
  if (key.alt) return PanelKey::None;
  if (key.ctrl) {
    if (key.shift)
      if (const PanelKeyRow* row = FindRow(key.key, Modifier::CtrlShift)) return row->action;
    const PanelKeyRow* row = FindRow(key.key, Modifier::Ctrl);
    return row ? row->action : PanelKey::None;
  }
  if (key.shift) {
    if (const PanelKeyRow* row = FindRow(key.key, Modifier::Shift)) return row->action;
    // F1 and F2 mean something only with Shift; a plain row still serves Shift+F3 and the like.
  }
  const PanelKeyRow* row = FindRow(key.key, Modifier::Plain);
  return row ? row->action : PanelKey::None;
}

bool StartsQuickSearch(char16_t character, bool ctrl) {
  if (ctrl) return false;
  if (character < 0x20 || character == 0x7F) return false;
  return character != u'+' && character != u'-';
}

}  // namespace nrv
