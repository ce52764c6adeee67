#include "panel/location_menu_model.h"

#include "core/formatting.h"

namespace nrv {
namespace {

using Kind = LocationEntry::Kind;

const char16_t* DriveTypeName(uint32_t type) {
  switch (type) {
    case 2: return u"Removable";
    case 3: return u"Fixed";
    case 4: return u"Network";
    case 5: return u"CD-ROM";
    case 6: return u"RAM-Disk";
    default: return u"Unknown";
  }
}

bool SameRoot(TextView a, TextView b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    const auto fold = [](char16_t c) { return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - 32) : c; };
    if (fold(a[i]) != fold(b[i])) return false;
  }
  return true;
}

LocationEntry Item(Text text, uint32_t command, Text iconPath = {}) {
  LocationEntry entry;
  entry.text = std::move(text);
  entry.command = command;
  entry.iconPath = std::move(iconPath);
  return entry;
}

LocationEntry Separator() {
  LocationEntry entry;
  entry.kind = Kind::Separator;
  return entry;
}

}  // namespace

Text DriveEntryText(const DriveInfo& row) {
  Text root = row.root;
  if (!root.empty() && root.back() == u'\\') root.pop_back();
  Text text = root + u" " + DriveTypeName(row.type) + u" \t " + row.label;
  if (row.totalBytes > 0) {
    text += u" \t " + Text(TextView(ShortSize(static_cast<int64_t>(row.freeBytes)))) + u"/" +
            Text(TextView(ShortSize(static_cast<int64_t>(row.totalBytes))));
  }
  return text;
}

std::vector<LocationEntry> LocationMenuModel(const Panel& panel, const DriveTable& drives,
                                             const std::vector<Text>& specialFolders,
                                             const std::vector<Text>& recent) {
  std::vector<LocationEntry> menu;
  const Text panelRoot = RootOfPath(panel.path);
  for (size_t i = 0; i < drives.rows.size(); ++i) {
    LocationEntry entry = Item(DriveEntryText(drives.rows[i]), kLocationFirstDrive + static_cast<uint32_t>(i),
                               drives.rows[i].root);
    entry.checked = !panel.temporary && SameRoot(drives.rows[i].root, panelRoot);
    menu.push_back(std::move(entry));
  }
  menu.push_back(Separator());
  LocationEntry temporary = Item(u"Temporary panel", kLocationTemporaryPanel, panel.path);
  temporary.checked = panel.temporary != 0;
  menu.push_back(std::move(temporary));
  menu.push_back(Separator());
  const char16_t* names[] = {u"Desktop", u"Documents", u"Pictures", u"Music", u"Video"};
  for (uint32_t i = 0; i < 5; ++i)
    menu.push_back(Item(names[i], kLocationDesktop + i, i < specialFolders.size() ? specialFolders[i] : Text()));
  menu.push_back(Separator());

  LocationEntry recentMenu;
  recentMenu.kind = Kind::RecentSubmenu;
  recentMenu.text = u"Recent locations";
  for (size_t i = 0; i < recent.size(); ++i) {
    const Text& path = recent[recent.size() - 1 - i];  // the newest first
    recentMenu.children.push_back(Item(path, kLocationFirstRecent + static_cast<uint32_t>(i), path));
  }
  if (recentMenu.children.empty()) {
    LocationEntry empty = Item(u"Empty", kLocationEmpty);
    empty.disabled = true;
    recentMenu.children.push_back(std::move(empty));
  }
  menu.push_back(std::move(recentMenu));
  menu.push_back(Separator());
  menu.push_back(Item(u"Open URL...", kLocationOpenUrl));
  menu.push_back(Item(u"Browse...", kLocationBrowse));
  return menu;
}

Text RecentLocationOfCommand(uint32_t command, const std::vector<Text>& recent) {
  if (command < kLocationFirstRecent || command >= kLocationFirstRecent + recent.size()) return {};
  return recent[recent.size() - 1 - (command - kLocationFirstRecent)];
}

}  // namespace nrv
