#pragma once
// The system's common dialogs, reached through a library loaded only while one is open: the
// library and what it brings in cost a noticeable part of start-up under Wine, and most runs
// never open a common dialog.
#include <windows.h>
#include <commdlg.h>

namespace nrv::platform {

// ChooseFontW and GetSaveFileNameW; FALSE also when the library cannot be loaded.
BOOL ShowChooseFont(CHOOSEFONTW& request);
BOOL ShowSaveFileName(OPENFILENAMEW& request);

}  // namespace nrv::platform
