#include "viewer/viewer_commands.h"

#include "viewer/viewer_moves.h"
#include "viewer/viewer_search.h"

namespace nrv {

namespace {

constexpr int32_t kFirstSize = 1000, kLastSize = 1002;
constexpr int32_t kFirstFace = 1000, kLastFace = 1004;

bool TextOutsideHex(const ViewerDocument& doc) { return ModeOf(doc) == kModeText; }

// Wrap and Unwrap change whether the horizontal scroll bar shows.
uint32_t SetWrap(ViewerDocument& doc, bool unwrapped) {
  if (!TextOutsideHex(doc)) return kEffectNone;
  SetUnwrapped(doc, unwrapped);
  return kEffectRepaint | kEffectRelayout;
}

uint32_t SetFonts(ViewerControls& controls, int32_t size, int32_t face) {
  controls.fontSize = size;
  controls.fontFace = face;
  return kEffectRepaint | kEffectFontChanged;
}

}  // namespace

int32_t NextFontSize(int32_t size) { return size >= kFirstSize && size < kLastSize ? size + 1 : kFirstSize; }
int32_t NextFontFace(int32_t face) { return face >= kFirstFace && face < kLastFace ? face + 1 : kFirstFace; }

bool MovesView(ViewerAction action) {
  switch (action) {
    case ViewerAction::LineDown:
    case ViewerAction::LineUp:
    case ViewerAction::PageDown:
    case ViewerAction::PageUp:
    case ViewerAction::Home:
    case ViewerAction::End:
    case ViewerAction::ColumnRight:
    case ViewerAction::ColumnLeft:
    case ViewerAction::PageRight:
    case ViewerAction::PageLeft: return true;
    default: return false;
  }
}

uint32_t ApplyViewerAction(ViewerDocument& doc, ViewerControls& controls, ViewerCommand command,
                           int64_t sizeByName) {
  uint32_t stop = kEffectNone;
  if (MovesView(command.action) && controls.following) {
    controls.following = false;
    stop = kEffectStopFollow;
  }
  const int columns = doc.geometry.textColumns;
  switch (command.action) {
    case ViewerAction::None: return kEffectNone;
    case ViewerAction::Leave: return kEffectLeave | kEffectStopFollow;
    case ViewerAction::LineDown: MoveLines(doc, 1); break;
    case ViewerAction::LineUp: MoveLines(doc, -1); break;
    case ViewerAction::PageDown: MovePages(doc, 1); break;
    case ViewerAction::PageUp: MovePages(doc, -1); break;
    case ViewerAction::Home: MoveHome(doc); break;
    case ViewerAction::End:
      MoveEnd(doc, sizeByName);
      controls.following = true;
      return kEffectRepaint | kEffectFollow;
    case ViewerAction::ColumnRight: MoveColumn(doc, 1); break;
    case ViewerAction::ColumnLeft: MoveColumn(doc, -1); break;
    case ViewerAction::PageRight: MoveColumn(doc, columns); break;
    case ViewerAction::PageLeft: MoveColumn(doc, -columns); break;
    case ViewerAction::ToggleWrap: return SetWrap(doc, !doc.unwrapped);
    case ViewerAction::ToggleHex: SetHexMode(doc, !doc.hexMode); return kEffectRepaint | kEffectRelayout;
    case ViewerAction::Search: return kEffectOpenSearch;
    // Without a text yet there is nothing to look for again: the dialog asks for one.
    case ViewerAction::FindPrevious: return doc.search.text.empty() ? kEffectOpenSearch : kEffectFindPrevious;
    case ViewerAction::NextCharacterSet: NextCharacterSet(doc); break;
    case ViewerAction::ResetSearch: ResetSearch(doc.search); break;
    case ViewerAction::NextFontSize: return SetFonts(controls, NextFontSize(controls.fontSize), controls.fontFace);
    case ViewerAction::NextFontFace: return SetFonts(controls, controls.fontSize, NextFontFace(controls.fontFace));
    case ViewerAction::SelectAll: SelectAll(controls.selection, doc.geometry); break;
    case ViewerAction::Deselect: Deselect(controls.selection); break;
    case ViewerAction::Copy: return kEffectCopy;
    case ViewerAction::TextDumpMode: SetHexMode(doc, false); return kEffectRepaint | kEffectRelayout;
    case ViewerAction::HexMode: SetHexMode(doc, true); return kEffectRepaint | kEffectRelayout;
    case ViewerAction::Wrap: return SetWrap(doc, false);
    case ViewerAction::Unwrap: return SetWrap(doc, true);
    case ViewerAction::CharacterSet: ChooseCharacterSet(doc, command.value); break;
    case ViewerAction::FontFace: return SetFonts(controls, controls.fontSize, command.value);
    case ViewerAction::FontSize: return SetFonts(controls, command.value, controls.fontFace);
  }
  return kEffectRepaint | stop;
}

}  // namespace nrv
