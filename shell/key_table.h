#pragma once
// Which key does what: the keys the main loop takes before dispatch, and the keys of a panel.
// Pure tables, so the Win32 side only translates messages.
#include <cstdint>

namespace nrv {

// Virtual-key codes (the Win32 values).
namespace vk {
inline constexpr uint32_t kBack = 0x08, kTab = 0x09, kReturn = 0x0D, kEscape = 0x1B;
inline constexpr uint32_t kPrior = 0x21, kNext = 0x22, kEnd = 0x23, kHome = 0x24;
inline constexpr uint32_t kLeft = 0x25, kUp = 0x26, kRight = 0x27, kDown = 0x28;
inline constexpr uint32_t kInsert = 0x2D, kDelete = 0x2E;
inline constexpr uint32_t k1 = 0x31, k2 = 0x32, k3 = 0x33, k4 = 0x34;
inline constexpr uint32_t kA = 0x41, kC = 0x43, kF = 0x46, kP = 0x50, kR = 0x52, kU = 0x55;
inline constexpr uint32_t kT = 0x54, kW = 0x57;
inline constexpr uint32_t kMultiply = 0x6A, kAdd = 0x6B, kSubtract = 0x6D;
inline constexpr uint32_t kF1 = 0x70, kF2 = 0x71, kF3 = 0x72, kF4 = 0x73, kF5 = 0x74, kF6 = 0x75;
inline constexpr uint32_t kF7 = 0x76, kF8 = 0x77, kF9 = 0x78, kF10 = 0x79, kF11 = 0x7A;
}  // namespace vk

struct KeyState {
  uint32_t key = 0;
  bool ctrl = false;
  bool shift = false;
  bool alt = false;
};

enum class LoopKey {
  None,  // not the loop's: dispatch as usual
  Menu,
  Quit,
  OtherPanel,
  FullScreen,
  LeftLocationMenu,
  RightLocationMenu,
  SplitterLeft,
  SplitterRight,
  FolderSizes,
  Swallow,  // an Alt combination the program ignores
  NextTab,
  PreviousTab,
};

enum class PanelKey {
  None,
  CursorDown,
  CursorUp,
  ColumnForward,
  ColumnBack,
  CursorHome,
  CursorEnd,
  PageDown,
  PageUp,
  ToggleAndDown,
  CopyNames,
  Open,
  Parent,
  AddToArchive,
  ExtractFromArchive,
  View,
  Edit,
  Copy,
  Move,
  MakeFolder,
  DeleteToRecycleBin,
  DeletePermanently,
  SortName,
  SortExtension,
  SortWriteTime,
  SortSize,
  SortUnsorted,
  SortCreationTime,
  SortAccessTime,
  SelectGroup,
  DeselectGroup,
  InvertSelection,
  ViewBrief,
  ViewMedium,
  ViewFull,
  NextBriefColumns,
  Reload,
  SelectAll,
  DeselectAll,
  CopyFullPaths,
  Properties,
  FindFiles,
  CompareFolders,
  StopFolderSizes,
  NewTab,
  CloseTab,
  MoveTabLeft,
  MoveTabRight,
};

struct ShellModes {
  bool viewerOpen = false;
  bool editorOpen = false;
};

// A key-down (plain or system) seen by the main loop before dispatch.
LoopKey LoopKeyAction(const KeyState& key, const ShellModes& modes);

// A key-down in a panel window. Ctrl+Shift rows are tried first, then Ctrl rows (so
// Ctrl+Shift+F8 sorts), then Shift rows, then plain rows; with Ctrl held only Ctrl rows count.
PanelKey PanelKeyAction(const KeyState& key);

// Whether a typed character starts a quick search in a panel.
bool StartsQuickSearch(char16_t character, bool ctrl);

}  // namespace nrv
