#include <windows.h>

#include <iterator>

#include "core/settings.h"
#include "platform/win32/gdi_objects.h"
#include "shell/main_layout.h"
#include "shell/resource_ids.h"
#include "shell/application.h"
#include "shell/toolbar.h"

namespace nrv {

using platform::Selection;
namespace {

struct ToolButton {
  const wchar_t* label;
  int icon;
  int x;
  int hitRight;
};

constexpr ToolButton kButtons[] = {
    {L"back", IDI_BACK, 4, 64},           {L"path", IDI_PATH, 64, 124},
    {L"mode", IDI_MODE, 124, 184},        {L"sort", IDI_SORT, 184, 244},
    {L"select", IDI_SELECT, 244, 314},    {L"cmd", IDI_CONSOLE, 314, 364},
    {L"find", IDI_FIND, 364, 424},        {L"make", IDI_MAKE_FOLDER, 424, 484},
    {L"pack", IDI_PACK, 484, 544},        {L"copy", IDI_COPY, 544, 604},
    {L"move", IDI_MOVE, 604, 664},        {L"delete", IDI_DELETE, 664, 734},
};

}  // namespace

void DrawToolbar() {
  const ShellState& state = TheShellState();
  const ShellWindows& windows = TheShellWindows();
  const Settings& settings = TheSettings();
  HDC target = windows.mainDc.Get();
  if (!target || !state.startupDone || state.viewerOpen || state.editorOpen) return;
  platform::MemoryCanvas canvas(target, state.clientWidth, kToolbarHeight);
  if (!canvas.Ready()) return;
  HDC dc = canvas.Dc();
  const RECT all{0, 0, state.clientWidth, kToolbarHeight};
  ::FillRect(dc, &all, windows.toolbarBrush.Get());
  if (state.highlightedTool >= 0 && state.highlightedTool < static_cast<int>(std::size(kButtons))) {
    const ToolButton& button = kButtons[state.highlightedTool];
    const RECT hit{button.x - 4, 0, button.hitRight - 4, kToolbarHeight};
    platform::Brush highlight(::CreateSolidBrush(settings.ClrPanelMenuBackground));
    ::FillRect(dc, &hit, highlight.Get());
  }
  Selection font(dc, windows.iconTitleFont.Get());
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, settings.ClrPanelToolbarText);
  for (const ToolButton& button : kButtons) {
    if (HICON icon = ToolIcon(button.icon)) ::DrawIconEx(dc, button.x, 2, icon, 16, 16, 0, nullptr, DI_NORMAL);
    ::TextOutW(dc, button.x + 18, 2, button.label, static_cast<int>(wcslen(button.label)));
  }
  canvas.CopyTo(target, 0, 0);
}

}  // namespace nrv
