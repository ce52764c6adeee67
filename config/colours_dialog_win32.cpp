// "Colors": a button per colour opens the system colour chooser; a swatch beside each shows the
// colour; the scheme list applies a built-in scheme. Every change shows at once and stays:
// Cancel takes nothing back.
#include <windows.h>
#include <commdlg.h>

#include <iterator>

#include "config/dialog_store.h"
#include "config/settings_dialog_common_win32.h"
#include "config/settings_dialog_rules.h"
#include "config/settings_dialogs_win32.h"
#include "platform/win32/common_dialogs.h"
#include "platform/win32/gdi_objects.h"

namespace nrv {

namespace {

struct ColoursDialogState {
  Settings& settings;
  const SettingsDialogHooks& hooks;
  platform::Brush swatch;  // the latest swatch's, made when it is drawn
};

void ShowScheme(HWND dialog, int32_t scheme) {
  ::SendDlgItemMessageW(dialog, IDC_COLOR_SCHEME, CB_SETCURSEL, static_cast<WPARAM>(scheme), 0);
}

BOOL OnInit(HWND dialog, LPARAM creation) {
  const ColoursDialogState& state = *reinterpret_cast<ColoursDialogState*>(creation);
  KeepSettingsState(dialog, creation, state.hooks.owner);
  for (const char16_t* name : kSchemeNames)
    ::SendDlgItemMessageW(dialog, IDC_COLOR_SCHEME, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
  ShowScheme(dialog, state.settings.ColorScheme);
  return TRUE;
}

// The look of the program follows the colours at once.
void ShowNewColours(HWND dialog, const ColoursDialogState& state) {
  ::InvalidateRect(dialog, nullptr, TRUE);
  Call(state.hooks.remakeDrawing);
  Call(state.hooks.redraw);
}

void PickColour(HWND dialog, int button) {
  ColoursDialogState& state = StateOf<ColoursDialogState>(dialog);
  const ColourControl* entry = ColourButtonOf(button);
  if (!entry) return;
  CHOOSECOLORW request{};
  request.lStructSize = sizeof(request);
  request.hwndOwner = dialog;
  request.rgbResult = state.settings.*entry->field;
  request.lpCustColors = reinterpret_cast<COLORREF*>(state.hooks.customColours);
  request.Flags = CC_FULLOPEN | CC_RGBINIT;
  // Without the run's custom colours the chooser keeps its own for this one opening.
  COLORREF ownCustom[16] = {};
  if (!request.lpCustColors) request.lpCustColors = ownCustom;
  if (!platform::ShowChooseColor(request)) return;
  TakePickedColour(state.settings, button, request.rgbResult);
  ShowScheme(dialog, state.settings.ColorScheme);
  ShowNewColours(dialog, state);
}

void OnSchemeChosen(HWND dialog) {
  ColoursDialogState& state = StateOf<ColoursDialogState>(dialog);
  const LRESULT index = ::SendDlgItemMessageW(dialog, IDC_COLOR_SCHEME, CB_GETCURSEL, 0, 0);
  if (index == CB_ERR) return;
  if (ChooseScheme(state.settings, static_cast<int32_t>(index)))
    ShowNewColours(dialog, state);
  else
    ::InvalidateRect(dialog, nullptr, TRUE);
}

BOOL OnCommand(HWND dialog, WPARAM wParam) {
  const int control = LOWORD(wParam);
  switch (control) {
    case IDOK: ::EndDialog(dialog, kDialogOk); return TRUE;
    case IDCANCEL: ::EndDialog(dialog, kDialogCancel); return TRUE;
    case IDC_COLOR_SCHEME:
      if (HIWORD(wParam) == CBN_SELCHANGE) OnSchemeChosen(dialog);
      return TRUE;
    default:
      if (HIWORD(wParam) != BN_CLICKED) return FALSE;
      PickColour(dialog, control);
      return TRUE;
  }
}

// A swatch is filled with a brush of its colour; the one made for the previous swatch goes first.
INT_PTR OnStaticColour(HWND dialog, HWND control) {
  const ColourControl* entry = ColourButtonOf(::GetDlgCtrlID(control) - IDC_SWATCH_OFFSET);
  if (!entry) return FALSE;
  ColoursDialogState& state = StateOf<ColoursDialogState>(dialog);
  state.swatch.Reset();
  state.swatch.Reset(::CreateSolidBrush(state.settings.*entry->field));
  return reinterpret_cast<INT_PTR>(state.swatch.Get());
}

INT_PTR CALLBACK ColoursProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: return OnInit(dialog, lParam);
    case WM_COMMAND: return HasSettingsState(dialog) && OnCommand(dialog, wParam);
    case WM_CTLCOLORSTATIC: return HasSettingsState(dialog) ? OnStaticColour(dialog, reinterpret_cast<HWND>(lParam)) : FALSE;
    case WM_CLOSE: ::EndDialog(dialog, kDialogCancel); return TRUE;
    default: return FALSE;
  }
}

}  // namespace

int ColoursDialog(Settings& settings, const SettingsDialogHooks& hooks) {
  ColoursDialogState state{settings, hooks, {}};
  return OpenSettingsDialog(IDD_COLOURS, hooks.owner, ColoursProc, &state);
}

}  // namespace nrv
