#pragma once
// The four modal settings dialogs of the Options menu (148 "Panel settings", 149 "Colors",
// 150 "Viewer settings", 151 "Editor settings"). They change the record they are given and
// never write the registry: "Save configuration" does that.
#include <cstdint>

#include "core/settings.h"
#include "platform/handles.h"

namespace nrv {

// What the program around the dialogs does for them; the owner is the window they are centred
// on and whose look follows a change at once.
struct SettingsDialogHooks {
  NativeWindow owner = nullptr;
  void (*redraw)() = nullptr;         // lay the main window out and draw it again
  void (*rereadPanels)() = nullptr;   // re-read both panels (their icons follow "Large icons")
  void (*remakeDrawing)() = nullptr;  // pen and brushes made again from the current colours
  uint32_t* customColours = nullptr;  // sixteen, the colour chooser's for the whole run
};

// Each returns kDialogOk or kDialogCancel (also for closing by the frame).
int PanelSettingsDialog(Settings& settings, const SettingsDialogHooks& hooks);
int ColoursDialog(Settings& settings, const SettingsDialogHooks& hooks);
int ViewerSettingsDialog(Settings& settings, const SettingsDialogHooks& hooks);
int EditorSettingsDialog(Settings& settings, const SettingsDialogHooks& hooks);

}  // namespace nrv
