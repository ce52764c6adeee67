// "Panel settings": each check box is its switch at once, and the panels show it while the
// dialog is still open; Cancel takes the fourteen back, closing by the frame does not.
#include <windows.h>

#include "config/dialog_store.h"
#include "config/settings_dialog_common_win32.h"
#include "config/settings_dialog_rules.h"
#include "config/settings_dialogs_win32.h"

namespace nrv {

namespace {

struct PanelDialogState {
  Settings& settings;
  const SettingsDialogHooks& hooks;
  PanelSwitchValues remembered;
};

BOOL OnInit(HWND dialog, LPARAM creation) {
  PanelDialogState& state = *reinterpret_cast<PanelDialogState*>(creation);
  KeepSettingsState(dialog, creation, state.hooks.owner);
  state.remembered = RememberPanelSwitches(state.settings);
  for (const SwitchControl& entry : kPanelSwitches) SetChecked(dialog, entry.control, state.settings.*entry.field != 0);
  return TRUE;
}

void OnSwitchClicked(HWND dialog, int control) {
  PanelDialogState& state = StateOf<PanelDialogState>(dialog);
  if (!SetPanelSwitch(state.settings, control, IsChecked(dialog, control))) return;
  if (control == IDC_LARGE_ICONS) Call(state.hooks.rereadPanels);
  Call(state.hooks.redraw);
}

BOOL OnCommand(HWND dialog, WPARAM wParam) {
  const int control = LOWORD(wParam);
  switch (control) {
    case IDOK: ::EndDialog(dialog, kDialogOk); return TRUE;
    case IDCANCEL: {
      PanelDialogState& state = StateOf<PanelDialogState>(dialog);
      const uint8_t largeIcons = state.settings.PanelLargeIcons;
      RestorePanelSwitches(state.settings, state.remembered);
      // Icons of the other size are already loaded.
      if (state.settings.PanelLargeIcons != largeIcons) Call(state.hooks.rereadPanels);
      ::EndDialog(dialog, kDialogCancel);
      return TRUE;
    }
    default:
      if (HIWORD(wParam) != BN_CLICKED) return FALSE;
      OnSwitchClicked(dialog, control);
      return TRUE;
  }
}

INT_PTR CALLBACK PanelSettingsProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: return OnInit(dialog, lParam);
    case WM_COMMAND: return HasSettingsState(dialog) && OnCommand(dialog, wParam);
    case WM_CLOSE: ::EndDialog(dialog, kDialogCancel); return TRUE;
    default: return FALSE;
  }
}

}  // namespace

int PanelSettingsDialog(Settings& settings, const SettingsDialogHooks& hooks) {
  PanelDialogState state{settings, hooks, {}};
  return OpenSettingsDialog(IDD_PANEL_SETTINGS, hooks.owner, PanelSettingsProc, &state);
}

}  // namespace nrv
