#pragma once
// The internal editor as the shell sees it: opened from a panel, closed back to it, and the
// frame's messages it takes while open.
#include <windows.h>

#include <cstdint>

#include "core/settings.h"
#include "platform/text.h"

namespace nrv {

// What the editor needs of the shell: the frame, the settings, the search dialog's slot and
// the switch between the panels and the editor.
struct EditorHost {
  HWND frame = nullptr;
  Settings* settings = nullptr;
  int osMajor = 6;
  HWND* searchDialog = nullptr;  // shared with the viewer's "Search text" dialog
  // Panels hidden and disabled, the menu bar taken off.
  void (*enter)() = nullptr;
  // Menu bar (when set) and panels back, the cursor on the edited item's name.
  void (*leave)(TextView itemName) = nullptr;
};

// path is the file as the panel names it (relative to the current folder or absolute);
// fullPath keys the remembered caret line. 0, or -1 when nothing was opened.
int OpenEditor(const EditorHost& host, TextView path, TextView fullPath);
// 0 when the editor was closed, -2 when it stays open.
int ConfirmClose();
void UpdateStatus();

bool EditorActive();
HWND EditorControl();
// The popup menu's commands (8001 to 8013) as the frame receives them.
bool RunEditorCommand(uint32_t id);

}  // namespace nrv
