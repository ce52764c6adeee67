#pragma once
// Command identifiers carried by menu items and command messages. The right panel's twin of a
// left-panel command is the same number plus kRightPanelOffset.
#include <cstdint>

namespace nrv::command {

inline constexpr uint32_t kRightPanelOffset = 2000;

// Left panel menu (2001..2029); the right panel's are 4001..4029.
inline constexpr uint32_t kSource = 2001;
inline constexpr uint32_t kViewBrief = 2002;
inline constexpr uint32_t kViewMedium = 2003;
inline constexpr uint32_t kViewFull = 2004;
inline constexpr uint32_t kFilePanel = 2007;
inline constexpr uint32_t kTemporaryPanel = 2008;
inline constexpr uint32_t kSortName = 2010;
inline constexpr uint32_t kSortExtension = 2011;
inline constexpr uint32_t kSortWriteTime = 2012;
inline constexpr uint32_t kSortSize = 2013;
inline constexpr uint32_t kSortUnsorted = 2014;
inline constexpr uint32_t kSortCreationTime = 2015;
inline constexpr uint32_t kSortAccessTime = 2016;
inline constexpr uint32_t kReloadPanel = 2017;
inline constexpr uint32_t kPanelFont = 2020;
inline constexpr uint32_t kTitleFont = 2021;
inline constexpr uint32_t kColumns2 = 2027;
inline constexpr uint32_t kColumns3 = 2028;
inline constexpr uint32_t kColumns4 = 2029;
inline constexpr uint32_t kNewTab = 2022;
inline constexpr uint32_t kCloseTab = 2023;
inline constexpr uint32_t kNextTab = 2024;
inline constexpr uint32_t kPreviousTab = 2025;

// Files menu: act on the active panel.
inline constexpr uint32_t kView = 5001;
inline constexpr uint32_t kEdit = 5002;
inline constexpr uint32_t kCopy = 5003;
inline constexpr uint32_t kMove = 5004;
inline constexpr uint32_t kMakeFolder = 5005;
inline constexpr uint32_t kDelete = 5006;
inline constexpr uint32_t kDeleteToRecycleBin = 5057;
inline constexpr uint32_t kAddToArchive = 5007;
inline constexpr uint32_t kExtractFromArchive = 5008;
inline constexpr uint32_t kFileProperties = 5009;
inline constexpr uint32_t kSelectGroup = 5010;
inline constexpr uint32_t kDeselectGroup = 5011;
inline constexpr uint32_t kInvertSelection = 5012;
inline constexpr uint32_t kSelectAll = 5013;
inline constexpr uint32_t kCopyFullPaths = 5015;
inline constexpr uint32_t kCopyNames = 5016;

// Commands menu.
inline constexpr uint32_t kFindFiles = 6001;
inline constexpr uint32_t kFullScreen = 6002;
inline constexpr uint32_t kExit = 6003;
inline constexpr uint32_t kRunDialog = 6004;
inline constexpr uint32_t kCommandConsole = 6005;
inline constexpr uint32_t kCompareFolders = 6006;
inline constexpr uint32_t kFolderSizes = 6007;

// Options menu.
inline constexpr uint32_t kPanelSettings = 7001;
inline constexpr uint32_t kViewerSettings = 7002;
inline constexpr uint32_t kColours = 7003;
inline constexpr uint32_t kLanguages = 7004;
inline constexpr uint32_t kShowToolbar = 7005;
inline constexpr uint32_t kAlwaysShowMenu = 7006;
inline constexpr uint32_t kVerticalArrangement = 7007;
inline constexpr uint32_t kLoadDefaultConfiguration = 7098;
inline constexpr uint32_t kSaveConfiguration = 7099;
inline constexpr uint32_t kEditorSettings = 70012;

// Ranges of generated items.
inline constexpr uint32_t kFirstDrive = 3001;
inline constexpr uint32_t kLastDrive = 3029;
inline constexpr uint32_t kFirstRecentLocation = 3600;
inline constexpr uint32_t kLastRecentLocation = 3699;
inline constexpr uint32_t kFirstSpecialLocation = 3900;
inline constexpr uint32_t kLastSpecialLocation = 3921;

// Main-window command that re-reads panels: parameter 0 both, 1 left, 2 right.
inline constexpr uint32_t kUpdateFileLists = 789543;

// The left-panel identifier of a command of either panel menu, and the side it acts on
// (1 left, 2 right); side 0 when the identifier is not a panel-menu one.
struct PanelCommand {
  uint32_t leftId = 0;
  int side = 0;
};
inline PanelCommand SplitPanelCommand(uint32_t id) {
  if (id >= 2001 && id <= 2029) return {id, 1};
  if (id >= 4001 && id <= 4029) return {id - kRightPanelOffset, 2};
  return {};
}

}  // namespace nrv::command
