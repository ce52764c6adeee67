#pragma once
// What the three shared dialogs have in common: where they open, reading texts back, ending.
#include <windows.h>

#include <cstdint>

#include "config/dialog_store.h"
#include "platform/text.h"

namespace nrv {

// Centres dialog on window (screen coordinates, integer halves); nothing without a window.
void CentreOnWindow(HWND dialog, HWND window);
// The end of opening a prompt: focus to control, centred on window. FALSE for WM_INITDIALOG,
// as the focus is set.
BOOL FocusAndCentre(HWND dialog, HWND control, HWND window);
// Centres box horizontally on panel with its lower edge 6 pixels below the panel's.
void PlaceOverLowerEdge(HWND box, HWND panel);

// A control's text, cut at 259 characters.
Text ReadControlText(HWND control);

// Opens a shared dialog on call; its procedure finds the call with CallOf.
void OpenSharedDialog(int resource, DialogCall& call, DLGPROC procedure);
// The call a shared dialog was opened with; at WM_INITDIALOG pass its lParam to keep it.
DialogCall& CallOf(HWND dialog);
DialogCall& KeepCall(HWND dialog, LPARAM creation);

// Ends a shared dialog with result; on OK the text of textControl (0 for none) is entered.
void EndSharedDialog(HWND dialog, int32_t result, int textControl);
// OK and Cancel; FALSE for any other command.
BOOL OnOkOrCancel(HWND dialog, int command, int textControl);

}  // namespace nrv
