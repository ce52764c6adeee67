#pragma once
// The keys the editor takes from its rich-edit control: a pure table, so the control's window
// procedure only translates key messages. Every other key is the control's own.
#include <cstdint>

namespace nrv {

enum class EditorKey : uint8_t {
  None,  // the control's: typing, moving, Ctrl+C, Ctrl+X, Ctrl+Z, Ctrl+Y, Delete
  Close,
  PastePlain,
  Copy,
  SelectAll,
  FindReplace,
  GoToLine,
  Save,
  SaveAs,
};

// A key-down of the control with the modifiers held. Alt (or AltGr, which is Ctrl+Alt) gives
// characters and menus, never the editor's commands.
EditorKey EditorKeyAction(uint32_t virtualKey, bool ctrl, bool shift, bool alt);

}  // namespace nrv
