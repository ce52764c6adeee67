#include "shell/panel_keys.h"

#include <windows.h>

#include "panel/panel_view.h"
#include "shell/key_table.h"
#include "shell/panel_commands_win32.h"
#include "shell/panel_reads_win32.h"

namespace nrv {

void OnPanelKeyDown(Panel& panel, ItemList& list, uintptr_t key) {
  const KeyState state{static_cast<uint32_t>(key), ::GetKeyState(VK_CONTROL) < 0,
                       ::GetKeyState(VK_SHIFT) < 0, ::GetKeyState(VK_MENU) < 0};
  if (key == VK_ESCAPE && CancelPanelRead(panel)) return;
  const PanelKey action = PanelKeyAction(state);
  if (action == PanelKey::None) return;
  // The character a handled key makes (Gray + and *, Enter) must not reach the prompt the
  // command may open, nor start a quick search.
  MSG pending;
  ::PeekMessageW(&pending, static_cast<HWND>(WindowOf(panel)), WM_CHAR, WM_CHAR, PM_REMOVE);
  RunPanelAction(panel, list, action);
}

void OnPanelCharacter(Panel& panel, ItemList& list, uintptr_t character) {
  const auto typed = static_cast<char16_t>(character);
  if (StartsQuickSearch(typed, ::GetKeyState(VK_CONTROL) < 0)) RunQuickSearchFromPanel(panel, list, typed);
}

}  // namespace nrv
