#include <windows.h>
#include <shellapi.h>

#include <algorithm>

#include "core/settings.h"
#include "core/formatting.h"
#include "panel/panel_paint_win32.h"
#include "platform/win32/gdi_objects.h"
#include "platform/win32/wide.h"
#include "core/panel_context.h"
#include "panel/panel_view.h"

namespace nrv {

using platform::Selection;
namespace {

constexpr int32_t kNameLeft = 38;
constexpr int32_t kRightTextLimit = 36;

struct ShellDescription {
  platform::OwnedIcon icon;
  Text typeName;
};

ShellDescription DescribeItem(const PanelItem& item) {
  SHFILEINFOW info{};
  ShellDescription description;
  if (::SHGetFileInfoW(reinterpret_cast<const wchar_t*>(ItemNameZ(item)), item.attributes, &info, sizeof(info),
                       SHGFI_USEFILEATTRIBUTES | SHGFI_ICON | SHGFI_LARGEICON | SHGFI_TYPENAME)) {
    description.icon = platform::OwnedIcon(info.hIcon);
    description.typeName = platform::FromWide(info.szTypeName);
  }
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
  Selection font(dc, static_cast<HFONT>(panel.titleFont));
  ::SetTextColor(dc, settings.ClrPanelHighlightText);
  ::SetBkColor(dc, settings.ClrPanelTitleBackground);
  const int32_t iconTop = client.cy - panel.statusHeight / 2 - 16;
  const RECT square{4, iconTop, 4 + 32, iconTop + 32};
  ::FillRect(dc, &square, static_cast<HBRUSH>(panel.view->titleBrush));
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
  ShellDescription description = DescribeItem(item);
  if (StatusAreaShown(panel, PanelClientSize(panel).cx)) DrawCurrentLine(dc, item, panel, description.icon.Get());

  CurrentItemInfo& current = panel.current;
  current.attributes = item.attributes;
  current.size = item.size;
  current.name = Text(ItemName(item));
  current.typeName = description.typeName;
  current.owner.clear();
  if (SettingsOf(panel).PanelShowFileOwners && KindOf(panel) == LocationKind::Local)
    current.owner = FileOwner(panel, item);
  if (panel.view && panel.view->drawMainStatusBar) panel.view->drawMainStatusBar(panel.view->owner);
}

}  // namespace nrv
