#include "viewer/viewer_menu.h"

#include "viewer/viewer_moves.h"

namespace nrv {

namespace {

ViewerMenuItem Item(const char16_t* text, uint32_t id) { return {text, id, {}}; }
ViewerMenuItem Separator() { return {}; }
ViewerMenuItem Submenu(const char16_t* text, std::vector<ViewerMenuItem> items) {
  return {text, 0, std::move(items)};
}

}  // namespace

std::vector<ViewerMenuItem> ViewerMenuItems(int osMajor) {
  using namespace viewer_menu;
  std::vector<ViewerMenuItem> faces{Item(u"Lucida console\t(Unicode)", kFaceLucida)};
  if (osMajor >= 6) {
    faces.push_back(Item(u"Consolas\t(Unicode)", kFaceConsolas));
    faces.push_back(Item(u"Consolas bold\t(Unicode)", kFaceConsolasBold));
  }
  faces.push_back(Item(u"Courier new\t(Unicode)", kFaceCourier));
  faces.push_back(Item(u"Terminal\t(OEM)", kFaceTerminal));
  return {
      Item(u"Copy\tCtrl+C", kCopy),
      Item(u"Select all\tCtrl+A", kSelectAll),
      Item(u"Deselect\tCtrl+X", kDeselect),
      Item(u"Reset search results\tF11", kResetSearch),
      Separator(),
      Item(u"Search", kSearch),
      Submenu(u"Mode\tF4", {Item(u"Text/Dump", kTextDump), Item(u"Hex", kHex)}),
      Submenu(u"Wrap mode\tF2", {Item(u"Wrap", kWrap), Item(u"Unwrap", kUnwrap)}),
      Separator(),
      Submenu(u"Character set\tF8", {Item(u"OEM DOS\tCP866", kOem), Item(u"ANSI\tCP1251", kAnsi),
                                      Item(u"KOI8-R", kKoi8r), Item(u"Unicode", kUnicode),
                                      Item(u"UTF-8", kUtf8)}),
      Submenu(u"Font\tCtrl+6", std::move(faces)),
      Submenu(u"Font size\tCtrl+5", {Item(u"Small", kFontSmall), Item(u"Normal", kFontNormal),
                                      Item(u"Big", kFontBig)}),
  };
}

ViewerCommand ViewerMenuCommand(uint32_t id) {
  using namespace viewer_menu;
  switch (id) {
    case kCopy: return {ViewerAction::Copy, 0};
    case kSearch: return {ViewerAction::Search, 0};
    case kSelectAll: return {ViewerAction::SelectAll, 0};
    case kDeselect: return {ViewerAction::Deselect, 0};
    case kResetSearch: return {ViewerAction::ResetSearch, 0};
    case kTextDump: return {ViewerAction::TextDumpMode, 0};
    case kHex: return {ViewerAction::HexMode, 0};
    case kWrap: return {ViewerAction::Wrap, 0};
    case kUnwrap: return {ViewerAction::Unwrap, 0};
    case kOem: return {ViewerAction::CharacterSet, kCharacterSetOem};
    case kAnsi: return {ViewerAction::CharacterSet, kCharacterSetAnsi};
    case kKoi8r: return {ViewerAction::CharacterSet, kCharacterSetKoi8r};
    case kUnicode: return {ViewerAction::CharacterSet, kCharacterSetUnicode};
    case kUtf8: return {ViewerAction::CharacterSet, kCharacterSetUtf8};
    case kFontSmall:
    case kFontNormal:
    case kFontBig: return {ViewerAction::FontSize, static_cast<int32_t>(1000 + id - kFontSmall)};
    case kFaceLucida:
    case kFaceConsolas:
    case kFaceConsolasBold:
    case kFaceCourier:
    case kFaceTerminal: return {ViewerAction::FontFace, static_cast<int32_t>(1000 + id - kFaceLucida)};
    default: return {};
  }
}

}  // namespace nrv
