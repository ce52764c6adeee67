#include <windows.h>

#include "core/settings.h"
#include "shell/location_menu.h"
#include "panel/timer_ids.h"
#include "shell/activation.h"
#include "shell/drag_drop_win32.h"
#include "shell/folder_sizes_command_win32.h"
#include "shell/key_table.h"
#include "shell/main_layout_win32.h"
#include "shell/main_loop.h"
#include "shell/main_menu_win32.h"
#include "shell/panel_tabs_win32.h"
#include "shell/startup.h"
#include "shell/application.h"

namespace nrv {
namespace {


bool PanelsBusy() {
  const ShellState& state = TheShellState();
  return state.viewerOpen || state.editorOpen;
}

bool Held(int key) { return (::GetKeyState(key) & 0x8000) != 0; }

HCURSOR DividerCursor() {
  const ShellWindows& windows = TheShellWindows();
  return TheSettings().ArrageHorizontal ? windows.sizeNorthSouthCursor : windows.sizeWestEastCursor;
}

void Dispatch(MSG& message) {
  const ShellState& state = TheShellState();
  if (state.searchDialog && ::IsDialogMessageW(state.searchDialog, &message)) return;
  ::TranslateMessage(&message);
  ::DispatchMessageW(&message);
}

void ResizeMain() { ::SendMessageW(TheShellWindows().main, WM_SIZE, 0, 0); }

void OnMouseMove(const MSG& message) {
  if (PanelsBusy()) return;
  ShellState& state = TheShellState();
  const ShellWindows& windows = TheShellWindows();
  POINT pointer = message.pt;
  ::ScreenToClient(windows.main, &pointer);
  RECT left{};
  ::GetClientRect(windows.left, &left);
  const MainLayoutInput input = CurrentLayoutInput();
  if (state.draggingDivider) {
    int32_t offset = 0;
    if (DividerOffsetAt(input, pointer.x, pointer.y, offset)) {
      state.windowsOffset = offset;
      ::SetCursor(DividerCursor());
      ResizeMain();
    }
  }
  const int32_t edge = input.stacked ? left.bottom : left.right;
  state.hoveringDivider = IsOverDivider(input, edge, pointer.x, pointer.y);
  if (state.hoveringDivider) ::SetCursor(DividerCursor());
}

// True when the message is used up.
bool OnLeftButtonDown() {
  ShellState& state = TheShellState();
  if (state.draggingDivider) {
    state.draggingDivider = false;
    return true;
  }
  if (!state.hoveringDivider) return false;
  state.draggingDivider = true;
  ::SetCursor(DividerCursor());
  return true;
}

bool OnLeftButtonUp() {
  if (PanelsBusy()) return false;
  PanelOf(kLeftPanel).leftButtonDown = 0;
  PanelOf(kRightPanel).leftButtonDown = 0;
  EndFileDrag();
  TheShellState().draggingDivider = false;
  return true;
}

void OnRightButtonUp() {
  const ShellWindows& windows = TheShellWindows();
  ::KillTimer(windows.left, kContextMenuTimerId);
  ::KillTimer(windows.right, kContextMenuTimerId);
  PanelOf(kLeftPanel).rightDragActive = 0;
  PanelOf(kRightPanel).rightDragActive = 0;
}

void StepDividerBy(int32_t step) {
  ShellState& state = TheShellState();
  state.windowsOffset = StepDivider(state.windowsOffset, step);
  ResizeMain();
}

// True when the message is used up. A held F9 or F10 acts whatever key the message is for.
bool OnKeyDown(const MSG& message) {
  KeyState key{static_cast<uint32_t>(message.wParam), Held(VK_CONTROL), Held(VK_SHIFT), Held(VK_MENU)};
  if (Held(VK_F9))
    key.key = vk::kF9;
  else if (Held(VK_F10))
    key.key = vk::kF10;
  const ShellState& state = TheShellState();
  const LoopKey action = LoopKeyAction(key, ShellModes{state.viewerOpen, state.editorOpen});
  switch (action) {
    case LoopKey::None: return false;
    case LoopKey::Menu: OpenMainMenuFromKeyboard(); return true;
    case LoopKey::Quit: ::SendMessageW(TheShellWindows().main, WM_CLOSE, 0, 0); return true;
    case LoopKey::OtherPanel: ActivateOtherPanel(); return true;
    case LoopKey::FullScreen: ToggleFullScreen(TheShellWindows().main); return true;
    case LoopKey::LeftLocationMenu: OpenLocationMenu(PanelOf(kLeftPanel)); return true;
    case LoopKey::RightLocationMenu: OpenLocationMenu(PanelOf(kRightPanel)); return true;
    case LoopKey::SplitterLeft: StepDividerBy(-1); return true;
    case LoopKey::SplitterRight: StepDividerBy(1); return true;
    case LoopKey::FolderSizes: RunFolderSizes(); return true;
    case LoopKey::Swallow: return true;
    case LoopKey::NextTab:
    case LoopKey::PreviousTab:
      if (Panel* active = ActivePanel()) StepTab(*active, ItemsOf(active->side), action == LoopKey::NextTab ? 1 : -1);
      return true;
  }
  return false;
}

bool IsModifier(WPARAM key) { return key == VK_CONTROL || key == VK_SHIFT || key == VK_MENU; }

bool IsUserInput(UINT message) {
  return (message >= WM_KEYFIRST && message <= WM_KEYLAST) || (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST);
}

// True when the loop takes the message itself instead of dispatching it.
bool TakeMessage(const MSG& message) {
  switch (message.message) {
    case WM_MOUSEMOVE: OnMouseMove(message); return false;
    case WM_LBUTTONDOWN: return OnLeftButtonDown();
    case WM_LBUTTONUP: return OnLeftButtonUp();
    case WM_RBUTTONUP: OnRightButtonUp(); return true;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: return OnKeyDown(message);
    case WM_KEYUP:
    case WM_SYSKEYUP: return IsModifier(message.wParam);
    case WM_COMMAND: return message.hwnd == nullptr && RunLocationCommand(LOWORD(message.wParam));
    default: return false;
  }
}

}  // namespace

int RunMainLoop() {
  MSG message{};
  for (;;) {
    const BOOL got = ::GetMessageW(&message, nullptr, 0, 0);
    if (got == 0) return static_cast<int>(message.wParam);
    if (got == -1) return 3;
    if (IsUserInput(message.message)) StartDeferredServices();
    if (!TakeMessage(message)) Dispatch(message);
  }
}

}  // namespace nrv
