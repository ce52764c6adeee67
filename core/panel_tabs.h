#pragma once
// Folder tabs of a panel: each tab is the small record of a location and how the panel showed
// it. Only the current tab has items; showing another one reads its location again.
#include <cstdint>
#include <vector>

#include "core/panel.h"
#include "platform/text.h"

namespace nrv {

inline constexpr int32_t kMaxTabsPerPanel = 64;

struct PanelTab {
  LocationKind kind = LocationKind::Local;
  Text path;         // the local folder; for an archive, the folder holding it
  Text archiveName;  // the archive's file name in path
  Text inner;        // the archive's inner folder (ending with "\") or the FTP folder
  // An FTP tab's connection, kept in memory only (never saved): showing the tab opens it again.
  Text server;  // the host
  int32_t port = 0;
  Text login;
  Text password;
  int32_t passive = 1;
  Text cursorName;   // the item under the cursor, found again by name
  int32_t top = 0;
  int32_t sortMode = kSortName;
  int32_t viewMode = kViewBrief;
  int32_t briefColumns = 2;
};

// At least one tab once the panel is set up; current indexes tabs.
struct PanelTabs {
  std::vector<PanelTab> tabs;
  int32_t current = 0;
};

int32_t TabCount(const PanelTabs& list);
PanelTab& CurrentTab(PanelTabs& list);

// Inserts the tab right after the current one and makes it current; false at the limit.
bool OpenTab(PanelTabs& list, PanelTab tab);
// Closes the tab at index; closing the current one makes its right neighbour current, else the
// left one. The last tab never closes: false.
bool CloseTab(PanelTabs& list, int32_t index);
// The tab step places away from the current one, wrapping at both ends.
int32_t StepTabIndex(const PanelTabs& list, int32_t step);
// Moves the tab at from to index to, the others keeping their order; current follows the tab
// it was on. False when either index is outside the list or they are equal.
bool MoveTab(PanelTabs& list, int32_t from, int32_t to);
// The current tab one place left (-1) or right (+1); false at the row's end.
bool MoveCurrentTab(PanelTabs& list, int32_t step);

// The tab row's cells: every tab as wide as the row shares out, at most maxWidth; a point at x
// is on tab TabAtX, or -1 on the row's empty space.
int32_t TabCellWidth(int32_t count, int32_t rowWidth, int32_t maxWidth);
int32_t TabAtX(int32_t count, int32_t rowWidth, int32_t maxWidth, int32_t x);

// The label of the tab row: the folder's last name, a drive root as "C:\", an archive as its
// file name, FTP as "host/folder", the temporary panel as "Temporary".
Text TabLabel(const PanelTab& tab);
// The label cut to fit width with a final "…"; measure gives a text's width. Never empty: at
// worst the ellipsis alone.
template <typename Measure>
Text ElideTabLabel(TextView label, int32_t width, Measure measure) {
  if (measure(label) <= width) return Text(label);
  Text cut(label);
  while (!cut.empty()) {
    cut.pop_back();
    if (measure(cut + u"\u2026") <= width) break;
  }
  return cut + u"\u2026";
}

// One saved tab as one string of a multi-string value, and back. Fields are separated by "|";
// "%" and "|" inside a field are written as "%25" and "%7C". Decoding refuses anything
// malformed or with a field longer than kMaxSavedField characters.
inline constexpr size_t kMaxSavedField = 1024;
Text EncodeTab(const PanelTab& tab);
bool DecodeTab(TextView saved, PanelTab& tab);

// What a save writes: every tab but FTP ones (no password is ever stored), and the index of
// the current tab among them (the nearest saved one on its left when it is an FTP tab).
struct SavedTabs {
  std::vector<Text> values;
  int32_t current = 0;
};
SavedTabs SaveTabs(const PanelTabs& list);

// path when exists says it is there, else its nearest parent that is; empty when none is.
Text NearestExistingFolder(TextView path, bool (*exists)(TextView folder));

// The saved tabs back: a folder that no longer exists opens its nearest existing parent, an
// archive tab opens the folder holding the archive with the archive under the cursor. exists
// tells whether a folder is there. Empty when nothing usable was saved.
PanelTabs RestoreTabs(const std::vector<Text>& values, int32_t current, bool (*exists)(TextView folder));

// The tab of what the panel shows now (its cursor item by name).
PanelTab TabOfPanel(const Panel& panel, TextView cursorName);

}  // namespace nrv
