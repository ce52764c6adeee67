#include "shell/menu_model.h"

#include <algorithm>

#include "shell/command_ids.h"

namespace nrv {
namespace {

using Kind = MenuEntry::Kind;

MenuEntry Item(Text text, uint32_t command) { return {Kind::Item, std::move(text), command, {}}; }
MenuEntry Separator() { return {Kind::Separator, {}, 0, {}}; }
MenuEntry Submenu(Text text, std::vector<MenuEntry> children) {
  return {Kind::Submenu, std::move(text), 0, std::move(children)};
}

std::vector<MenuEntry> PanelMenu(bool right) {
  const uint32_t offset = right ? command::kRightPanelOffset : 0;
  auto id = [offset](uint32_t leftId) { return leftId + offset; };
  return {
      Item(right ? u"SourceAlt+F2" : u"Source\t Alt+F1", id(command::kSource)),
      Separator(),
      Submenu(u"Mode", {Item(u"Brief\t Ctrl+1", id(command::kViewBrief)),
                        Item(u"Medium\t Ctrl+2", id(command::kViewMedium)),
                        Item(u"Full\t Ctrl+3", id(command::kViewFull))}),
      Submenu(u"Columns (brief mode)", {Item(u"2", id(command::kColumns2)),
                                        Item(u"3", id(command::kColumns3)),
                                        Item(u"4", id(command::kColumns4))}),
      Item(u"Font...", id(command::kPanelFont)),
      Item(u"Titles font...", id(command::kTitleFont)),
      Separator(),
      Item(u"File panel", id(command::kFilePanel)),
      Item(u"Temporary panel", id(command::kTemporaryPanel)),
      Separator(),
      // The left menu's "Name" is written with a Cyrillic Es, as it always was.
      Submenu(u"Sort mode",
              {Item(right ? u"Name\t Ctrl+F3" : u"Name\t \u0421trl+F3", id(command::kSortName)),
               Item(u"Extension\t Ctrl+F4", id(command::kSortExtension)),
               Item(u"Write time\t Ctrl+F5", id(command::kSortWriteTime)),
               Item(u"Size\t Ctrl+F6", id(command::kSortSize)),
               Item(u"Unsort\t Ctrl+F7", id(command::kSortUnsorted)),
               Item(u"Creation time\t Ctrl+F8", id(command::kSortCreationTime)),
               Item(u"Access time\t Ctrl+F11", id(command::kSortAccessTime))}),
      Separator(),
      Item(u"Reload panel\t Ctrl+R", id(command::kReloadPanel)),
      Separator(),
      Item(u"New tab\t Ctrl+T", id(command::kNewTab)),
      Item(u"Close tab\t Ctrl+W", id(command::kCloseTab)),
      Item(u"Next tab\t Ctrl+Tab", id(command::kNextTab)),
      Item(u"Previous tab\t Ctrl+Shift+Tab", id(command::kPreviousTab)),
  };
}

}  // namespace

std::vector<MenuPopup> MainMenuModel() {
  using namespace command;
  return {
      {u"Left", PanelMenu(false)},
      {u"Files",
       {Item(u"View\t F3", kView), Item(u"Edit\t F4", kEdit), Item(u"Copy\t F5", kCopy),
        Item(u"Rename/Move\t F6", kMove), Item(u"Make folder\t F7", kMakeFolder),
        Item(u"Delete to Recycle Bin\t F8", kDeleteToRecycleBin),
        Item(u"Delete\t Shift+F8", kDelete), Separator(),
        Item(u"Add to archive\t Shift+F1", kAddToArchive),
        Item(u"Extract from archive\t Shift+F2", kExtractFromArchive), Separator(),
        Item(u"File properties\t Ctrl+P", kFileProperties), Separator(),
        Item(u"Select group\t Gray +", kSelectGroup), Item(u"Deselect group\t Gray -", kDeselectGroup),
        Item(u"Invert selection", kInvertSelection), Item(u"Select all\t Ctrl+A", kSelectAll),
        Item(u"Copy selection\t Ctrl+Ins", kCopyNames),
        Item(u"Copy with full paths\t Ctrl+C", kCopyFullPaths)}},
      {u"Commands",
       {Item(u"Find files\t Ctrl+F", kFindFiles), Item(u"Run...\t Win+R", kRunDialog),
        Item(u"Command console", kCommandConsole), Separator(),
        Item(u"Compare folders\t Ctrl+F2", kCompareFolders),
        Item(u"Calculate folder sizes\t Alt+Shift+Enter", kFolderSizes), Separator(),
        Item(u"Full screen/Window\t Alt+Enter", kFullScreen), Separator(),
        Item(u"Exit\t F10", kExit)}},
      {u"Options",
       {Item(u"Show toolbar", kShowToolbar), Item(u"Always show menu", kAlwaysShowMenu),
        Item(u"Vertical arrangement", kVerticalArrangement), Separator(),
        Item(u"Panel settings", kPanelSettings), Item(u"Viewer settings", kViewerSettings),
        Item(u"Editor settings", kEditorSettings), Item(u"Colors", kColours),
        Item(u"Languages", kLanguages), Separator(),
        Item(u"Load default configuration", kLoadDefaultConfiguration),
        Item(u"Save configuration", kSaveConfiguration)}},
      {u"Right", PanelMenu(true)},
  };
}

int MenuIconForCommand(uint32_t id) {
  const auto panel = command::SplitPanelCommand(id);
  switch (panel.side ? panel.leftId : id) {
    case command::kSource: return 122;
    case command::kViewBrief: return 139;
    case command::kViewMedium:
    case command::kViewFull: return 124;
    case command::kPanelFont:
    case command::kTitleFont: return 143;
    case command::kSortName: return 134;
    case command::kSortExtension: return 135;
    case command::kSortSize: return 136;
    case command::kSortUnsorted: return 138;
    case command::kSortWriteTime:
    case command::kSortCreationTime:
    case command::kSortAccessTime: return 137;
    case command::kView: return 146;
    case command::kEdit: return 145;
    case command::kCopy: return 128;
    case command::kMove: return 130;
    case command::kMakeFolder: return 126;
    case command::kDelete: return 131;
    case command::kAddToArchive: return 127;
    case command::kExtractFromArchive: return 140;
    case command::kSelectGroup: return 125;
    case command::kDeselectGroup: return 144;
    case command::kFindFiles: return 132;
    case command::kCommandConsole: return 133;
    default: return 0;
  }
}

int MenuIconForSubmenu(TextView text) {
  if (text == u"Sort mode") return 123;
  if (text == u"Mode") return 124;
  if (text == u"Columns (brief mode)") return 142;
  return 0;
}

MenuItemSize MeasureMenuItem(bool separator, TextView text, int textWidth) {
  if (separator) return {0, 1};
  const auto tabs = static_cast<int>(std::count(text.begin(), text.end(), u'\t'));
  if (tabs == 0) return {textWidth + 22, 22};
  return {100 * tabs + 122, 22};
}

std::vector<Text> MenuTextPieces(TextView text) {
  std::vector<Text> pieces;
  size_t start = 0;
  for (size_t tab = text.find(u'\t'); tab != TextView::npos; tab = text.find(u'\t', start)) {
    pieces.emplace_back(text.substr(start, tab - start));
    start = tab + 1;
  }
  pieces.emplace_back(text.substr(start));
  return pieces;
}

std::vector<int> MenuPieceOffsets(const std::vector<int>& pieceWidths, int itemWidth) {
  std::vector<int> offsets;
  int start = 22;
  int previousEnd = 22;
  for (size_t i = 0; i < pieceWidths.size(); ++i) {
    if (i + 1 == pieceWidths.size() && i > 0) {
      offsets.push_back(std::max(itemWidth - pieceWidths[i], previousEnd));
      break;
    }
    offsets.push_back(start);
    previousEnd = start + pieceWidths[i];
    start = std::max(start + 100, previousEnd + 22);
  }
  return offsets;
}

}  // namespace nrv
