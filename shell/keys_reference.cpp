#include "shell/keys_reference.h"

#include <algorithm>
#include <array>
#include <map>

#include "editor/editor_keys.h"
#include "viewer/viewer_keys.h"

namespace nrv {
namespace {

// No default branch: a new action fails the build until the guide can word it.
std::string_view LoopKeyText(LoopKey action) {
  switch (action) {
    case LoopKey::None:
    case LoopKey::Swallow: return {};
    case LoopKey::Menu: return "Open the main menu";
    case LoopKey::Quit: return "Quit (asks first)";
    case LoopKey::OtherPanel: return "Switch to the other panel";
    case LoopKey::FullScreen: return "Full screen or window";
    case LoopKey::LeftLocationMenu: return "Drives and places for the left panel";
    case LoopKey::RightLocationMenu: return "Drives and places for the right panel";
    case LoopKey::SplitterLeft: return "Move the divider left";
    case LoopKey::SplitterRight: return "Move the divider right";
    case LoopKey::FolderSizes: return "Calculate folder sizes (of the selected folders, if any)";
    case LoopKey::NextTab: return "Next tab of the active panel";
    case LoopKey::PreviousTab: return "Previous tab of the active panel";
  }
  return {};
}

std::string_view PanelKeyText(PanelKey action) {
  switch (action) {
    case PanelKey::None: return {};
    case PanelKey::CursorDown: return "Cursor down";
    case PanelKey::CursorUp: return "Cursor up";
    case PanelKey::ColumnForward: return "Cursor to the next column";
    case PanelKey::ColumnBack: return "Cursor to the previous column";
    case PanelKey::CursorHome: return "First item";
    case PanelKey::CursorEnd: return "Last item";
    case PanelKey::PageDown: return "Page down";
    case PanelKey::PageUp: return "Page up";
    case PanelKey::ToggleAndDown: return "Select or deselect the item, cursor down";
    case PanelKey::CopyNames: return "Copy the names of the selection to the clipboard";
    case PanelKey::Open: return "Open the folder, archive or file";
    case PanelKey::Parent: return "Go to the parent folder";
    case PanelKey::AddToArchive: return "Add to archive";
    case PanelKey::ExtractFromArchive: return "Extract from archive";
    case PanelKey::View: return "View";
    case PanelKey::Edit: return "Edit";
    case PanelKey::Copy: return "Copy to the other panel";
    case PanelKey::Move: return "Rename or move to the other panel";
    case PanelKey::MakeFolder: return "Make folder";
    case PanelKey::DeleteToRecycleBin: return "Delete to Recycle Bin";
    case PanelKey::DeletePermanently: return "Delete";
    case PanelKey::SortName: return "Sort by name";
    case PanelKey::SortExtension: return "Sort by extension";
    case PanelKey::SortWriteTime: return "Sort by write time";
    case PanelKey::SortSize: return "Sort by size";
    case PanelKey::SortUnsorted: return "Unsorted";
    case PanelKey::SortCreationTime: return "Sort by creation time";
    case PanelKey::SortAccessTime: return "Sort by access time";
    case PanelKey::SelectGroup: return "Select group";
    case PanelKey::DeselectGroup: return "Deselect group";
    case PanelKey::InvertSelection: return "Invert selection";
    case PanelKey::ViewBrief: return "Brief view";
    case PanelKey::ViewMedium: return "Medium view";
    case PanelKey::ViewFull: return "Full view";
    case PanelKey::NextBriefColumns: return "Next number of columns in brief view";
    case PanelKey::Reload: return "Reload panel";
    case PanelKey::SelectAll: return "Select all";
    case PanelKey::DeselectAll: return "Deselect all";
    case PanelKey::CopyFullPaths: return "Copy with full paths to the clipboard";
    case PanelKey::Properties: return "File properties";
    case PanelKey::FindFiles: return "Find files";
    case PanelKey::CompareFolders: return "Compare folders";
    case PanelKey::StopFolderSizes: return "Stop calculating folder sizes";
    case PanelKey::NewTab: return "New tab on the same folder";
    case PanelKey::CloseTab: return "Close the tab";
    case PanelKey::MoveTabLeft: return "Move the tab one place left";
    case PanelKey::MoveTabRight: return "Move the tab one place right";
  }
  return {};
}

std::string_view ViewerKeyText(ViewerAction action) {
  switch (action) {
    case ViewerAction::Leave: return "Close the viewer";
    case ViewerAction::LineDown: return "Line down";
    case ViewerAction::LineUp: return "Line up";
    case ViewerAction::PageDown: return "Page down";
    case ViewerAction::PageUp: return "Page up";
    case ViewerAction::Home: return "To the start";
    case ViewerAction::End: return "To the end, following a growing file";
    case ViewerAction::ColumnRight: return "Scroll right (unwrapped lines)";
    case ViewerAction::ColumnLeft: return "Scroll left (unwrapped lines)";
    case ViewerAction::ToggleWrap: return "Wrap or unwrap lines";
    case ViewerAction::ToggleHex: return "Hex or text mode";
    case ViewerAction::Search: return "Search text";
    case ViewerAction::FindPrevious: return "Find the search text again towards the start";
    case ViewerAction::NextCharacterSet: return "Next character set";
    case ViewerAction::ResetSearch: return "Reset search results";
    case ViewerAction::NextFontSize: return "Next font size";
    case ViewerAction::NextFontFace: return "Next font";
    case ViewerAction::SelectAll: return "Select all";
    case ViewerAction::Deselect: return "Deselect";
    case ViewerAction::Copy: return "Copy the selection to the clipboard";
    default: return {};
  }
}

std::string_view EditorKeyText(EditorKey action) {
  switch (action) {
    case EditorKey::None: return {};
    case EditorKey::Close: return "Close the editor (asks to save changes)";
    case EditorKey::PastePlain: return "Paste as plain text";
    case EditorKey::Copy: return "Copy the selection to the clipboard";
    case EditorKey::SelectAll: return "Select all";
    case EditorKey::FindReplace: return "Find and replace";
    case EditorKey::GoToLine: return "Go to line";
    case EditorKey::Save: return "Save";
    case EditorKey::SaveAs: return "Save as";
  }
  return {};
}

// The panels are the main window's everyday place; viewer and editor get their own rows.
const ShellModes kPanelsShown{};
const ShellModes kViewerShown{true, false};
const ShellModes kEditorShown{false, true};

KeyUse MainWindowKeyUse(const KeyState& key) {
  const LoopKey action = LoopKeyAction(key, kPanelsShown);
  return {static_cast<int>(action), LoopKeyText(action)};
}

// The main loop sees every key first: what it takes never reaches a panel.
KeyUse PanelKeyUse(const KeyState& key) {
  if (LoopKeyAction(key, kPanelsShown) != LoopKey::None) return {};
  const PanelKey action = PanelKeyAction(key);
  return {static_cast<int>(action), PanelKeyText(action)};
}

// The loop takes its keys first here too.
KeyUse ViewerKeyUse(const KeyState& key) {
  if (LoopKeyAction(key, kViewerShown) != LoopKey::None) return {};
  const ViewerAction action = ViewerKeyAction(key.key, key.ctrl, key.shift, key.alt).action;
  return {static_cast<int>(action), ViewerKeyText(action)};
}

KeyUse EditorKeyUse(const KeyState& key) {
  if (LoopKeyAction(key, kEditorShown) != LoopKey::None) return {};
  const EditorKey action = EditorKeyAction(key.key, key.ctrl, key.shift, key.alt);
  return {static_cast<int>(action), EditorKeyText(action)};
}

constexpr std::array kPlaces{
    KeyPlace{"Main window", MainWindowKeyUse},
    KeyPlace{"Panels", PanelKeyUse},
    KeyPlace{"Viewer", ViewerKeyUse},
    KeyPlace{"Editor", EditorKeyUse},
};

std::string_view SpecialKeyName(uint32_t key) {
  switch (key) {
    case vk::kBack: return "Backspace";
    case vk::kTab: return "Tab";
    case vk::kReturn: return "Enter";
    case vk::kPrior: return "PgUp";
    case vk::kNext: return "PgDn";
    case vk::kEnd: return "End";
    case vk::kHome: return "Home";
    case vk::kLeft: return "Left";
    case vk::kUp: return "Up";
    case vk::kRight: return "Right";
    case vk::kDown: return "Down";
    case vk::kInsert: return "Ins";
    case vk::kDelete: return "Del";
    case vk::kMultiply: return "Gray *";
    case vk::kAdd: return "Gray +";
    case vk::kSubtract: return "Gray -";
    case 0x1B: return "Esc";
    default: return {};
  }
}

}  // namespace

std::span<const KeyPlace> KeyPlaces() { return kPlaces; }

std::vector<KeyState> AllKeyStates() {
  std::vector<KeyState> states;
  for (uint32_t key = 1; key < 0xFF; ++key)
    for (int mods = 0; mods < 8; ++mods)
      states.push_back({key, (mods & 1) != 0, (mods & 2) != 0, (mods & 4) != 0});
  return states;
}

std::string KeyName(const KeyState& key) {
  std::string name;
  if (key.ctrl) name += "Ctrl+";
  if (key.shift) name += "Shift+";
  if (key.alt) name += "Alt+";
  if (const std::string_view special = SpecialKeyName(key.key); !special.empty()) {
    name += special;
  } else if ((key.key >= '0' && key.key <= '9') || (key.key >= 'A' && key.key <= 'Z')) {
    name += static_cast<char>(key.key);
  } else if (key.key >= vk::kF1 && key.key < vk::kF1 + 24) {
    name += "F" + std::to_string(key.key - vk::kF1 + 1);
  } else {
    constexpr char kHex[] = "0123456789ABCDEF";
    name += "Key 0x";
    name += kHex[(key.key >> 4) & 0xF];
    name += kHex[key.key & 0xF];
  }
  return name;
}

std::vector<KeyGroup> BoundKeyGroups(const KeyPlace& place) {
  std::map<int, KeyGroup> groups;
  for (const KeyState& key : AllKeyStates()) {
    const KeyUse use = place.use(key);
    if (use.text.empty()) continue;
    if (key.shift) {
      KeyState unshifted = key;
      unshifted.shift = false;
      if (place.use(unshifted).action == use.action) continue;
    }
    KeyGroup& group = groups[use.action];
    group.text = use.text;
    group.keys.push_back(KeyName(key));
  }
  std::vector<KeyGroup> ordered;
  for (auto& [action, group] : groups) ordered.push_back(std::move(group));
  return ordered;
}

std::string KeysReferenceText() {
  std::string text;
  for (const KeyPlace& place : KeyPlaces()) {
    const std::vector<KeyGroup> groups = BoundKeyGroups(place);
    std::vector<std::string> columns;
    size_t width = 0;
    for (const KeyGroup& group : groups) {
      std::string column;
      for (const std::string& key : group.keys) column += (column.empty() ? "" : ", ") + key;
      width = std::max(width, column.size());
      columns.push_back(std::move(column));
    }
    text += place.title;
    text += '\n';
    for (size_t i = 0; i < groups.size(); ++i) {
      text += "  " + columns[i];
      text.append(width + 2 - columns[i].size(), ' ');
      text += groups[i].text;
      text += '\n';
    }
    text += '\n';
  }
  return text;
}

}  // namespace nrv
