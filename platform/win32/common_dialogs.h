#pragma once
// The system's common dialogs and controls, reached through libraries loaded only while one is
// open: the libraries and what they bring in cost a noticeable part of start-up under Wine, and
// most runs never open one.
#include <windows.h>
#include <commdlg.h>

#include "platform/win32/gdi_objects.h"

namespace nrv::platform {

// ChooseFontW, ChooseColorW, GetOpenFileNameW and GetSaveFileNameW; FALSE also when the library
// cannot be loaded.
BOOL ShowChooseFont(CHOOSEFONTW& request);
BOOL ShowChooseColor(CHOOSECOLORW& request);
BOOL ShowOpenFileName(OPENFILENAMEW& request);
BOOL ShowSaveFileName(OPENFILENAMEW& request);

// The common controls of classes (ICC_*) registered; keep the library while a window uses them.
Module LoadCommonControls(DWORD classes);

}  // namespace nrv::platform
