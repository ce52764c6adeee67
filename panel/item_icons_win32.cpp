#include <windows.h>
#include <shellapi.h>

#include "core/panel_context.h"
#include "panel/panel_paint.h"
#include "panel/shell_calls.h"
#include "platform/system.h"
#include "platform/win32/wide.h"

namespace nrv {
namespace {

void ReleaseIcon(PanelItem& item) {
  platform::DestroyIconHandle(item.icon);
  item.icon = nullptr;
}

// Where the icons were last trimmed, per side: the page moves far less often than icons load.
struct TrimmedAt {
  const ItemList* list = nullptr;
  int count = -1;
  int top = -1;
  int capacity = -1;
};
TrimmedAt gTrimmedAt[3];

// Only a page before, the page and a page after keep their icons.
void ReleaseFarIcons(ItemList& list, const Panel& panel) {
  const int count = Count(list);
  TrimmedAt& last = gTrimmedAt[panel.side == kRightPanel ? kRightPanel : kLeftPanel];
  const TrimmedAt now{&list, count, panel.top, panel.capacity};
  if (last.list == now.list && last.count == now.count && last.top == now.top &&
      last.capacity == now.capacity)
    return;
  last = now;
  const int before = panel.top - panel.capacity;
  if (before > 0 && before < count)
    for (int i = 0; i < before; ++i) ReleaseIcon(At(list, i));
  const int after = panel.top + 2 * panel.capacity;
  if (after >= 0 && after < count)
    for (int i = after; i < count; ++i) ReleaseIcon(At(list, i));
}

// By name and attributes only: the shell does not open the file.
HICON ShellIcon(const wchar_t* name, DWORD attributes, UINT size) {
  SHFILEINFOW info{};
  if (!::SHGetFileInfoW(name, attributes, &info, sizeof(info), SHGFI_USEFILEATTRIBUTES | SHGFI_ICON | size))
    return nullptr;
  return info.hIcon;
}

}  // namespace

void LoadItemIcon(ItemList& list, Panel& panel, int index) {
  const Settings& settings = SettingsOf(panel);
  if (!settings.PanelShowIcons || index < 0 || index >= Count(list) || ShellCallsHeld()) return;
  PanelItem& item = At(list, index);
  if (item.icon) return;
  ReleaseFarIcons(list, panel);
  if (IsUpEntry(item)) {
    item.icon = ShellIcon(L"folder", FILE_ATTRIBUTE_DIRECTORY, SHGFI_SMALLICON);
    return;
  }
  const UINT size = settings.PanelLargeIcons ? SHGFI_LARGEICON : SHGFI_SMALLICON;
  item.icon = ShellIcon(reinterpret_cast<const wchar_t*>(ItemNameZ(item)), item.attributes, size);
}

}  // namespace nrv
