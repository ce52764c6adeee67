// "Viewer settings" and "Editor settings": the external program with its switch, and the
// position and wrapping switches, taken at OK. "Browse..." sets the program at once, and a
// cancelled file dialog empties it, whatever the settings dialog ends with.
#include <windows.h>
#include <commdlg.h>

#include <array>

#include "config/dialog_common_win32.h"
#include "config/dialog_store.h"
#include "config/settings_dialog_common_win32.h"
#include "config/settings_dialog_rules.h"
#include "config/settings_dialogs_win32.h"
#include "platform/files.h"
#include "platform/win32/common_dialogs.h"
#include "platform/win32/wide.h"

namespace nrv {

namespace {

struct ProgramDialogWindow {
  Settings& settings;
  const SettingsDialogHooks& hooks;
  const ProgramDialog& fields;
};

void ShowEditable(HWND dialog, const ProgramDialog& fields, bool editable) {
  ::SendDlgItemMessageW(dialog, fields.programEdit, EM_SETREADONLY, editable ? FALSE : TRUE, 0);
  ::EnableWindow(::GetDlgItem(dialog, fields.browseButton), editable ? TRUE : FALSE);
}

BOOL OnInit(HWND dialog, LPARAM creation) {
  const ProgramDialogWindow& window = *reinterpret_cast<ProgramDialogWindow*>(creation);
  KeepSettingsState(dialog, creation, window.hooks.owner);
  const ProgramDialog& fields = window.fields;
  const ProgramDialogState state = ProgramStateOf(window.settings, fields);
  SetChecked(dialog, IDC_USE_EXTERNAL, state.useExternal);
  SetChecked(dialog, fields.savePositionBox, state.savePosition);
  if (fields.wordWrapBox) SetChecked(dialog, fields.wordWrapBox, state.wordWrap);
  ::SendDlgItemMessageW(dialog, fields.programEdit, EM_LIMITTEXT, kProgramPathLength, 0);
  ::SetDlgItemTextW(dialog, fields.programEdit, platform::Wide(state.program));
  ShowEditable(dialog, fields, ProgramFieldEditable(state.useExternal));
  return TRUE;
}

void Browse(HWND dialog) {
  const ProgramDialogWindow& window = StateOf<ProgramDialogWindow>(dialog);
  std::array<wchar_t, kProgramPathLength + 1> path{};
  const Text startIn = platform::CurrentFolder();
  OPENFILENAMEW request{};
  request.lStructSize = sizeof(request);
  request.hwndOwner = dialog;
  request.lpstrFilter = L"*.*\0*.*\0";
  request.lpstrFile = path.data();
  request.nMaxFile = static_cast<DWORD>(path.size());
  request.lpstrInitialDir = platform::Wide(startIn);
  request.lpstrTitle = L"Select file...";
  request.Flags = OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
  const bool chosen = platform::ShowOpenFileName(request) != FALSE;
  const Text& program = TakeBrowsedProgram(window.settings, window.fields, chosen ? platform::FromWide(path.data()) : Text());
  ::SetDlgItemTextW(dialog, window.fields.programEdit, platform::Wide(program));
}

void TakeDialog(HWND dialog) {
  const ProgramDialogWindow& window = StateOf<ProgramDialogWindow>(dialog);
  const ProgramDialog& fields = window.fields;
  ProgramDialogState state;
  state.useExternal = IsChecked(dialog, IDC_USE_EXTERNAL);
  state.savePosition = IsChecked(dialog, fields.savePositionBox);
  state.wordWrap = fields.wordWrapBox && IsChecked(dialog, fields.wordWrapBox);
  state.program = ReadControlText(::GetDlgItem(dialog, fields.programEdit));
  TakeProgramDialog(window.settings, fields, state);
}

BOOL OnCommand(HWND dialog, WPARAM wParam) {
  const ProgramDialog& fields = StateOf<ProgramDialogWindow>(dialog).fields;
  const int control = LOWORD(wParam);
  if (control == IDOK) {
    TakeDialog(dialog);
    ::EndDialog(dialog, kDialogOk);
  } else if (control == IDCANCEL) {
    ::EndDialog(dialog, kDialogCancel);
  } else if (control == IDC_USE_EXTERNAL && HIWORD(wParam) == BN_CLICKED) {
    ShowEditable(dialog, fields, ProgramFieldEditable(IsChecked(dialog, IDC_USE_EXTERNAL)));
  } else if (control == fields.browseButton && HIWORD(wParam) == BN_CLICKED) {
    Browse(dialog);
  } else {
    return FALSE;
  }
  return TRUE;
}

INT_PTR CALLBACK ProgramSettingsProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: return OnInit(dialog, lParam);
    case WM_COMMAND: return HasSettingsState(dialog) && OnCommand(dialog, wParam);
    case WM_CLOSE: ::EndDialog(dialog, kDialogCancel); return TRUE;
    default: return FALSE;
  }
}

int ProgramSettingsDialog(Settings& settings, const SettingsDialogHooks& hooks, const ProgramDialog& fields) {
  ProgramDialogWindow window{settings, hooks, fields};
  return OpenSettingsDialog(fields.resource, hooks.owner, ProgramSettingsProc, &window);
}

}  // namespace

int ViewerSettingsDialog(Settings& settings, const SettingsDialogHooks& hooks) {
  return ProgramSettingsDialog(settings, hooks, kViewerDialog);
}

int EditorSettingsDialog(Settings& settings, const SettingsDialogHooks& hooks) {
  return ProgramSettingsDialog(settings, hooks, kEditorDialog);
}

}  // namespace nrv
