#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "core/settings.h"
#include "core/formatting.h"
#include "panel/panel_paint_win32.h"
#include "platform/win32/gdi_objects.h"
#include "platform/win32/wide.h"
#include "core/panel_context.h"
#include "core/panel_read.h"
#include "panel/panel_view.h"
#include "panel/shell_calls.h"

namespace nrv {

using platform::Selection;
namespace {

constexpr int32_t kNameLeft = 38;
constexpr int32_t kRightTextLimit = 36;

// With SHGFI_USEFILEATTRIBUTES the shell answers from the extension and the folder bit alone,
// so one answer serves every later item of the same kind. Programs, icons and links carry icons
// of their own: for them only the type name is kept.
struct KnownKind {
  Text key;
  Text typeName;
  platform::OwnedIcon icon;
};
constexpr size_t kKnownKindsLimit = 64;

std::vector<KnownKind>& KnownKinds() {
  static std::vector<KnownKind> kinds;
  return kinds;
}

// The extension as the shell finds it, with its dot and its case; "." for none (the shell's
// "File"); empty when a space follows the last dot, which the shell reads differently.
Text KindKey(const PanelItem& item) {
  if (IsFolder(item)) return u"\\";
  const TextView name = ItemName(item);
  const size_t dot = name.find_last_of(u'.');
  if (dot == TextView::npos) return u".";
  const TextView extension = name.substr(dot);
  return extension.find(u' ') == TextView::npos ? Text(extension) : Text();
}

bool IconPerFile(const PanelItem& item) {
  static constexpr TextView kOwnIcons[] = {u"exe", u"dll", u"ico", u"cur", u"ani", u"lnk", u"scr", u"cpl",
                                           u"ocx", u"com", u"pif", u"url", u"msc", u"sys", u"drv", u"icl"};
  const TextView extension = ItemExtension(item);  // lower-cased from A to Z
  return !IsFolder(item) && std::find(std::begin(kOwnIcons), std::end(kOwnIcons), extension) != std::end(kOwnIcons);
}

struct ShellDescription {
  platform::OwnedIcon ownIcon;  // an icon of this file alone, destroyed after drawing
  HICON icon = nullptr;
  Text typeName;
};

void AskShell(const PanelItem& item, UINT what, SHFILEINFOW& info, bool& answered) {
  info = SHFILEINFOW{};
  answered = ::SHGetFileInfoW(reinterpret_cast<const wchar_t*>(ItemNameZ(item)), item.attributes, &info,
                              sizeof(info), SHGFI_USEFILEATTRIBUTES | what) != 0;
}

ShellDescription DescribeItem(const PanelItem& item) {
  ShellDescription description;
  if (ShellCallsHeld()) return description;
  SHFILEINFOW info{};
  bool answered = false;
  const Text key = KindKey(item);
  std::vector<KnownKind>& kinds = KnownKinds();
  auto known = key.empty() ? kinds.end()
                           : std::find_if(kinds.begin(), kinds.end(), [&](const KnownKind& k) { return k.key == key; });
  const bool perFile = key.empty() || IconPerFile(item);
  if (known == kinds.end()) {
    AskShell(item, SHGFI_ICON | SHGFI_LARGEICON | SHGFI_TYPENAME, info, answered);
    if (!answered) return description;
    description.typeName = platform::FromWide(info.szTypeName);
    platform::OwnedIcon icon(info.hIcon);
    if (key.empty()) {
      description.ownIcon = std::move(icon);
      description.icon = description.ownIcon.Get();
      return description;
    }
    if (kinds.size() >= kKnownKindsLimit) kinds.clear();
    kinds.push_back({key, description.typeName, perFile ? platform::OwnedIcon() : std::move(icon)});
    if (perFile) {
      description.ownIcon = std::move(icon);
      description.icon = description.ownIcon.Get();
    } else {
      description.icon = kinds.back().icon.Get();
    }
    return description;
  }
  description.typeName = known->typeName;
  if (!perFile) {
    description.icon = known->icon.Get();
    return description;
  }
  AskShell(item, SHGFI_ICON | SHGFI_LARGEICON, info, answered);
  if (answered) description.ownIcon = platform::OwnedIcon(info.hIcon);
  description.icon = description.ownIcon.Get();
  return description;
}

// The account that owns the file, from its security descriptor; empty on any failure.
Text FileOwner(const Panel& panel, const PanelItem& item) {
  Text path = panel.path;
  if (!path.empty() && path.back() != u'\\') path += u'\\';
  path += ItemName(item);
  alignas(SECURITY_DESCRIPTOR) BYTE buffer[1024];
  DWORD needed = 0;
  if (!::GetFileSecurityW(platform::Wide(path), OWNER_SECURITY_INFORMATION, buffer, sizeof(buffer), &needed))
    return {};
  PSID owner = nullptr;
  BOOL defaulted = FALSE;
  if (!::GetSecurityDescriptorOwner(buffer, &owner, &defaulted) || !owner) return {};
  wchar_t name[260];
  wchar_t domain[260];
  DWORD nameLength = 260, domainLength = 260;
  SID_NAME_USE use{};
  if (!::LookupAccountSidW(nullptr, owner, name, &nameLength, domain, &domainLength, &use)) return {};
  return platform::FromWide(name);
}

int TextWidth(HDC dc, TextView text) {
  SIZE size{};
  ::GetTextExtentPoint32W(dc, reinterpret_cast<const wchar_t*>(text.data()), static_cast<int>(text.size()), &size);
  return size.cx;
}

void DrawCurrentLine(HDC dc, const PanelItem& item, Panel& panel, HICON icon) {
  const SIZE client = PanelClientSize(panel);
  const Settings& settings = SettingsOf(panel);
  Selection font(dc, static_cast<HFONT>(TitleFontOf(panel)));
  ::SetTextColor(dc, settings.ClrPanelHighlightText);
  ::SetBkColor(dc, settings.ClrPanelTitleBackground);
  const int32_t iconTop = client.cy - panel.statusHeight / 2 - 16;
  const RECT square{4, iconTop, 4 + 32, iconTop + 32};
  ::FillRect(dc, &square, static_cast<HBRUSH>(SharedDrawingOf(panel)->titleBrush));
  if (icon) ::DrawIconEx(dc, 4, iconTop, icon, 32, 32, 0, nullptr, DI_NORMAL);

  const int32_t y = client.cy - panel.statusHeight + panel.titleFontHeight + 2;
  const CellText right = CurrentItemRightText(item);
  const int32_t rightEdge = client.cx - 1;
  const int32_t rightLeft = std::max(rightEdge - TextWidth(dc, right), kRightTextLimit);
  const RECT rightArea{rightLeft, y, rightEdge, y + panel.titleFontHeight};
  ::ExtTextOutW(dc, rightLeft, y, ETO_OPAQUE | ETO_CLIPPED, &rightArea, reinterpret_cast<const wchar_t*>(right.c_str()),
                static_cast<UINT>(right.length), nullptr);

  // A long name loses its start, so its end stays readable.
  TextView name = ItemName(item);
  const int32_t room = rightLeft - kNameLeft;
  while (!name.empty() && TextWidth(dc, name) > room) name.remove_prefix(1);
  const RECT nameArea{kNameLeft, y, std::max(rightLeft, kNameLeft), y + panel.titleFontHeight};
  ::ExtTextOutW(dc, kNameLeft, y, ETO_OPAQUE | ETO_CLIPPED, &nameArea, reinterpret_cast<const wchar_t*>(name.data()),
                static_cast<UINT>(name.size()), nullptr);
}

}  // namespace

void ShowCurrentItemInto(HDC dc, const PanelItem& item, Panel& panel) {
  // Dimmed contents wait for a list being read: the shell's look at a folder in it (its own
  // icon, a desktop.ini) can stall on the file system the reading worker holds.
  const ShellDescription description = ReadingShown(panel) ? ShellDescription{} : DescribeItem(item);
  if (StatusAreaShown(panel, PanelClientSize(panel).cx)) DrawCurrentLine(dc, item, panel, description.icon);

  CurrentItemInfo& current = panel.current;
  current.attributes = item.attributes;
  current.size = item.size;
  current.name = Text(ItemName(item));
  current.typeName = description.typeName;
  current.owner.clear();
  // Only the active panel's cursor item reaches the main status bar; activation redraws.
  if (panel.active && SettingsOf(panel).PanelShowFileOwners && KindOf(panel) == LocationKind::Local)
    current.owner = FileOwner(panel, item);
  if (const SharedDrawing* shared = SharedDrawingOf(panel); shared && shared->drawMainStatusBar)
    shared->drawMainStatusBar(shared->owner);
}

}  // namespace nrv
