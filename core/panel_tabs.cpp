#include "core/panel_tabs.h"

#include <algorithm>
#include <string>

#include "core/paths.h"

namespace nrv {
namespace {

char16_t KindLetter(LocationKind kind) {
  switch (kind) {
    case LocationKind::Archive: return u'A';
    case LocationKind::Ftp: return u'F';
    case LocationKind::Temporary: return u'T';
    case LocationKind::Local: break;
  }
  return u'L';
}

bool KindOfLetter(TextView field, LocationKind& kind) {
  if (field.size() != 1) return false;
  switch (field[0]) {
    case u'L': kind = LocationKind::Local; return true;
    case u'A': kind = LocationKind::Archive; return true;
    case u'F': kind = LocationKind::Ftp; return true;
    case u'T': kind = LocationKind::Temporary; return true;
    default: return false;
  }
}

void AppendField(Text& out, TextView field) {
  out += u'|';
  for (const char16_t c : field) {
    if (c == u'%')
      out += u"%25";
    else if (c == u'|')
      out += u"%7C";
    else
      out += c;
  }
}

bool UnescapeField(TextView field, Text& out) {
  out.clear();
  for (size_t i = 0; i < field.size(); ++i) {
    if (field[i] != u'%') {
      out += field[i];
      continue;
    }
    const TextView code = field.substr(i + 1, 2);
    if (code == u"25")
      out += u'%';
    else if (code == u"7C")
      out += u'|';
    else
      return false;
    i += 2;
  }
  return out.size() <= kMaxSavedField;
}

bool ParseNumber(TextView field, int32_t low, int32_t high, int32_t& value) {
  if (field.empty() || field.size() > 9) return false;
  int32_t number = 0;
  for (const char16_t c : field) {
    if (c < u'0' || c > u'9') return false;
    number = number * 10 + (c - u'0');
  }
  if (number < low || number > high) return false;
  value = number;
  return true;
}

// The folder above path; a drive root ("C:\") and a bare name have none.
Text ParentFolder(TextView path) {
  size_t end = path.size();
  while (end > 0 && IsPathSeparator(path[end - 1])) --end;
  const size_t slash = path.find_last_of(u"\\/", end == 0 ? 0 : end - 1);
  if (slash == TextView::npos || end == 0) return {};
  if (slash == 2 && path[1] == u':') return Text(path.substr(0, 3));
  if (slash == 0) return {};
  return Text(path.substr(0, slash));
}

TextView LastName(TextView path) {
  while (path.size() > 1 && IsPathSeparator(path.back())) path.remove_suffix(1);
  const size_t slash = path.find_last_of(u"\\/");
  return slash == TextView::npos ? path : path.substr(slash + 1);
}

}  // namespace

int32_t TabCount(const PanelTabs& list) { return static_cast<int32_t>(list.tabs.size()); }

PanelTab& CurrentTab(PanelTabs& list) { return list.tabs[static_cast<size_t>(list.current)]; }

bool OpenTab(PanelTabs& list, PanelTab tab) {
  if (TabCount(list) >= kMaxTabsPerPanel) return false;
  const int32_t at = list.tabs.empty() ? 0 : list.current + 1;
  list.tabs.insert(list.tabs.begin() + at, std::move(tab));
  list.current = at;
  return true;
}

bool CloseTab(PanelTabs& list, int32_t index) {
  if (TabCount(list) <= 1 || index < 0 || index >= TabCount(list)) return false;
  list.tabs.erase(list.tabs.begin() + index);
  if (index < list.current || list.current >= TabCount(list)) --list.current;
  return true;
}

int32_t StepTabIndex(const PanelTabs& list, int32_t step) {
  const int32_t count = TabCount(list);
  if (count == 0) return 0;
  return ((list.current + step) % count + count) % count;
}

bool MoveTab(PanelTabs& list, int32_t from, int32_t to) {
  const int32_t count = TabCount(list);
  if (from < 0 || from >= count || to < 0 || to >= count || from == to) return false;
  PanelTab moved = std::move(list.tabs[static_cast<size_t>(from)]);
  list.tabs.erase(list.tabs.begin() + from);
  list.tabs.insert(list.tabs.begin() + to, std::move(moved));
  if (list.current == from)
    list.current = to;
  else if (from < list.current && to >= list.current)
    --list.current;
  else if (from > list.current && to <= list.current)
    ++list.current;
  return true;
}

bool MoveCurrentTab(PanelTabs& list, int32_t step) { return MoveTab(list, list.current, list.current + step); }

int32_t TabCellWidth(int32_t count, int32_t rowWidth, int32_t maxWidth) {
  if (count < 1) return 0;
  return std::max(1, std::min(maxWidth, rowWidth / count));
}

int32_t TabAtX(int32_t count, int32_t rowWidth, int32_t maxWidth, int32_t x) {
  const int32_t width = TabCellWidth(count, rowWidth, maxWidth);
  if (width < 1 || x < 0) return -1;
  const int32_t index = x / width;
  return index < count ? index : -1;
}

Text TabLabel(const PanelTab& tab) {
  switch (tab.kind) {
    case LocationKind::Archive: return tab.archiveName;
    case LocationKind::Temporary: return u"Temporary";
    case LocationKind::Ftp: {
      TextView folder = tab.inner;
      while (!folder.empty() && folder.back() == u'/') folder.remove_suffix(1);
      const size_t slash = folder.find_last_of(u'/');
      return tab.server + u"/" + Text(slash == TextView::npos ? folder : folder.substr(slash + 1));
    }
    case LocationKind::Local: break;
  }
  const TextView path = tab.path;
  if (path.size() <= 3 && path.size() >= 2 && path[1] == u':') return Text(path.substr(0, 2)) + u"\\";
  return Text(LastName(path));
}

Text EncodeTab(const PanelTab& tab) {
  Text out(1, KindLetter(tab.kind));
  AppendField(out, Ascii(std::to_string(tab.sortMode)));
  AppendField(out, Ascii(std::to_string(tab.viewMode)));
  AppendField(out, Ascii(std::to_string(tab.briefColumns)));
  AppendField(out, Ascii(std::to_string(tab.top)));
  AppendField(out, tab.path);
  AppendField(out, tab.archiveName);
  AppendField(out, tab.inner);
  AppendField(out, tab.cursorName);
  return out;
}

bool DecodeTab(TextView saved, PanelTab& tab) {
  std::vector<TextView> fields;
  for (size_t start = 0;;) {
    const size_t bar = saved.find(u'|', start);
    fields.push_back(saved.substr(start, bar == TextView::npos ? TextView::npos : bar - start));
    if (bar == TextView::npos || fields.size() > 9) break;
    start = bar + 1;
  }
  if (fields.size() != 9) return false;
  PanelTab read;
  if (!KindOfLetter(fields[0], read.kind) || read.kind == LocationKind::Ftp) return false;
  if (!ParseNumber(fields[1], kSortName, kSortWriteTime, read.sortMode) ||
      !ParseNumber(fields[2], kViewBrief, kViewFull, read.viewMode) ||
      !ParseNumber(fields[3], 2, 4, read.briefColumns) || !ParseNumber(fields[4], 0, 1 << 30, read.top))
    return false;
  if (!UnescapeField(fields[5], read.path) || !UnescapeField(fields[6], read.archiveName) ||
      !UnescapeField(fields[7], read.inner) || !UnescapeField(fields[8], read.cursorName))
    return false;
  if (!IsAbsolutePath(read.path)) return false;
  tab = std::move(read);
  return true;
}

SavedTabs SaveTabs(const PanelTabs& list) {
  SavedTabs saved;
  for (int32_t i = 0; i < TabCount(list); ++i) {
    const PanelTab& tab = list.tabs[static_cast<size_t>(i)];
    if (tab.kind == LocationKind::Ftp) continue;
    if (i <= list.current) saved.current = static_cast<int32_t>(saved.values.size());
    saved.values.push_back(EncodeTab(tab));
  }
  return saved;
}

Text NearestExistingFolder(TextView path, bool (*exists)(TextView folder)) {
  Text folder(path);
  while (!folder.empty() && !exists(folder)) folder = ParentFolder(folder);
  return folder;
}

PanelTabs RestoreTabs(const std::vector<Text>& values, int32_t current, bool (*exists)(TextView folder)) {
  PanelTabs list;
  for (size_t i = 0; i < values.size() && TabCount(list) < kMaxTabsPerPanel; ++i) {
    PanelTab tab;
    if (!DecodeTab(values[i], tab)) {
      if (static_cast<int32_t>(i) < current) --current;
      continue;
    }
    if (tab.kind == LocationKind::Archive) {
      tab.cursorName = tab.archiveName;
      tab.top = 0;
    }
    tab.kind = LocationKind::Local;
    tab.archiveName.clear();
    tab.inner.clear();
    Text folder = NearestExistingFolder(tab.path, exists);
    if (folder != tab.path) {
      tab.cursorName.clear();
      tab.top = 0;
    }
    tab.path = std::move(folder);
    if (tab.path.empty()) {
      if (static_cast<int32_t>(i) < current) --current;
      continue;
    }
    list.tabs.push_back(std::move(tab));
  }
  list.current = std::clamp(current, 0, std::max(0, TabCount(list) - 1));
  return list;
}

PanelTab TabOfPanel(const Panel& panel, TextView cursorName) {
  PanelTab tab;
  tab.kind = KindOf(panel);
  tab.path = panel.path;
  if (tab.kind == LocationKind::Archive) {
    tab.archiveName = panel.findName;
    tab.inner = panel.archiveFolder;
  } else if (tab.kind == LocationKind::Ftp) {
    tab.inner = panel.ftpCurrentDir;
  }
  tab.cursorName = Text(cursorName);
  tab.top = panel.top;
  tab.sortMode = panel.sortMode;
  tab.viewMode = panel.viewMode;
  tab.briefColumns = panel.briefColumns;
  return tab;
}

}  // namespace nrv
