#pragma once
// What the viewer's keys and popup menu do, as one vocabulary of actions applied to the model.
// The window translates messages into actions and acts on the effects it gets back.
#include <cstdint>

#include "viewer/viewer_document.h"
#include "viewer/viewer_selection.h"

namespace nrv {

enum class ViewerAction {
  None,
  Leave,
  LineDown,
  LineUp,
  PageDown,
  PageUp,
  Home,
  End,
  ColumnRight,
  ColumnLeft,
  PageRight,  // horizontal scroll bar only
  PageLeft,
  ToggleWrap,
  ToggleHex,
  Search,
  FindPrevious,  // the search text again, towards the start of the file
  NextCharacterSet,
  ResetSearch,
  NextFontSize,
  NextFontFace,
  SelectAll,
  Deselect,
  Copy,
  // Popup menu only; the value of the command says which.
  TextDumpMode,
  HexMode,
  Wrap,
  Unwrap,
  CharacterSet,  // value: kCharacterSetOem .. kCharacterSetUtf8
  FontFace,      // value: 1000 to 1004
  FontSize,      // value: 1000 to 1002
};

struct ViewerCommand {
  ViewerAction action = ViewerAction::None;
  int32_t value = 0;
};

// Viewer state beside the document: the selection, the font codes and whether End follows.
struct ViewerControls {
  SelectionRange selection;
  int32_t fontSize = 1001;
  int32_t fontFace = 1001;
  bool following = false;
};

// What the window does after an action, besides repainting.
enum ViewerEffect : uint32_t {
  kEffectNone = 0,
  kEffectRepaint = 1,
  kEffectLeave = 2,
  kEffectOpenSearch = 4,
  kEffectCopy = 8,
  kEffectFontChanged = 16,  // select the new font and take the geometry again
  kEffectRelayout = 32,     // the frame shows or hides the horizontal scroll bar
  kEffectFollow = 64,       // (re)start the follow timer
  kEffectStopFollow = 128,
  kEffectFindPrevious = 256,
};

// Whether an action moves the view (and so stops following).
bool MovesView(ViewerAction action);

// Applies the action to the model. sizeByName is the file's size read again by name, for End
// (-1 when it cannot be read).
uint32_t ApplyViewerAction(ViewerDocument& doc, ViewerControls& controls, ViewerCommand command,
                           int64_t sizeByName = -1);

// 1000, 1001, 1002 and round; 1000 to 1004 and round.
int32_t NextFontSize(int32_t size);
int32_t NextFontFace(int32_t face);

}  // namespace nrv
