#include "editor/editor_keys.h"

namespace nrv {
namespace {

// Win32 virtual-key codes.
constexpr uint32_t kEscape = 0x1B, kInsert = 0x2D, kA = 0x41, kF = 0x46, kG = 0x47, kV = 0x56;
constexpr uint32_t kF2 = 0x71, kF7 = 0x76, kF8 = 0x77;

}  // namespace

EditorKey EditorKeyAction(uint32_t virtualKey, bool ctrl, bool shift, bool alt) {
  if (alt) return EditorKey::None;
  switch (virtualKey) {
    case kEscape: return EditorKey::Close;
    case kInsert: return shift ? EditorKey::PastePlain : ctrl ? EditorKey::Copy : EditorKey::None;
    case kA: return ctrl ? EditorKey::SelectAll : EditorKey::None;
    case kV: return ctrl ? EditorKey::PastePlain : EditorKey::None;
    case kF: return ctrl ? EditorKey::FindReplace : EditorKey::None;
    case kG: return ctrl ? EditorKey::GoToLine : EditorKey::None;
    case kF7: return EditorKey::FindReplace;
    case kF8: return EditorKey::GoToLine;
    case kF2: return shift ? EditorKey::SaveAs : EditorKey::Save;
    default: return EditorKey::None;
  }
}

}  // namespace nrv
