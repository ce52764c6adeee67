#pragma once
// What the settings dialogs share: opening one on its state record, finding the record again,
// reading a check box and calling the program's hooks.
#include <windows.h>

#include "platform/handles.h"

namespace nrv {

// Opens dialog resource modally over owner with state as its record; returns its end code.
int OpenSettingsDialog(int resource, NativeWindow owner, DLGPROC procedure, void* state);

// At WM_INITDIALOG: keeps the record and centres the dialog over owner.
void KeepSettingsState(HWND dialog, LPARAM creation, NativeWindow owner);

// Whether the record is kept yet: controls may notify before WM_INITDIALOG.
inline bool HasSettingsState(HWND dialog) { return ::GetWindowLongPtrW(dialog, DWLP_USER) != 0; }

template <typename State>
State& StateOf(HWND dialog) {
  return *reinterpret_cast<State*>(::GetWindowLongPtrW(dialog, DWLP_USER));
}

bool IsChecked(HWND dialog, int box);
void SetChecked(HWND dialog, int box, bool checked);

inline void Call(void (*hook)()) {
  if (hook) hook();
}

}  // namespace nrv
