// The viewer's keys, popup menu and what each action does to the model: following, modes,
// character sets and fonts.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/viewer_documents.h"
#include "viewer/viewer_commands.h"
#include "viewer/viewer_keys.h"
#include "viewer/viewer_menu.h"
#include "viewer/viewer_moves.h"
#include "viewer/viewer_screen.h"

namespace nrv {
namespace {

using test::MemoryDocument;

ViewerAction Key(uint32_t key, bool ctrl = false, bool shift = false, bool alt = false) {
  return ViewerKeyAction(key, ctrl, shift, alt).action;
}

std::string Lines(int count) {
  std::string text;
  for (int i = 0; i < count; ++i) text += "line " + std::to_string(i) + "\r\n";
  return text;
}

TEST(ViewerKeys, EveryKeyOfTheTableAndNothingElse) {
  EXPECT_EQ(Key(0x1B), ViewerAction::Leave);
  EXPECT_EQ(Key(0x28), ViewerAction::LineDown);
  EXPECT_EQ(Key(0x26), ViewerAction::LineUp);
  EXPECT_EQ(Key(0x22), ViewerAction::PageDown);
  EXPECT_EQ(Key(0x21), ViewerAction::PageUp);
  EXPECT_EQ(Key(0x24), ViewerAction::Home);
  EXPECT_EQ(Key(0x23), ViewerAction::End);
  EXPECT_EQ(Key(0x27), ViewerAction::ColumnRight);
  EXPECT_EQ(Key(0x25), ViewerAction::ColumnLeft);
  EXPECT_EQ(Key(0x71), ViewerAction::ToggleWrap);
  EXPECT_EQ(Key(0x73), ViewerAction::ToggleHex);
  EXPECT_EQ(Key(0x76), ViewerAction::Search);
  EXPECT_EQ(Key(0x76, false, true), ViewerAction::FindPrevious);
  EXPECT_EQ(Key(0x77), ViewerAction::NextCharacterSet);
  EXPECT_EQ(Key(0x7A), ViewerAction::ResetSearch);
  // 5 and 6 with or without Ctrl, as the menu writes them.
  for (bool ctrl : {false, true}) {
    EXPECT_EQ(Key('5', ctrl), ViewerAction::NextFontSize);
    EXPECT_EQ(Key('6', ctrl), ViewerAction::NextFontFace);
  }
  EXPECT_EQ(Key('A', true), ViewerAction::SelectAll);
  EXPECT_EQ(Key('X', true), ViewerAction::Deselect);
  EXPECT_EQ(Key('C', true), ViewerAction::Copy);
  EXPECT_EQ(Key(0x2D, true), ViewerAction::Copy);
  // Without Ctrl the letters and Insert do nothing; Alt turns every key off.
  for (uint32_t key : {uint32_t('A'), uint32_t('X'), uint32_t('C'), uint32_t(0x2D)})
    EXPECT_EQ(Key(key), ViewerAction::None) << key;
  EXPECT_EQ(Key(0x1B, false, false, true), ViewerAction::None);
  EXPECT_EQ(Key('7'), ViewerAction::None);
  EXPECT_EQ(Key(0x72), ViewerAction::None);  // F3
}

std::vector<std::pair<std::u16string, uint32_t>> Flatten(const std::vector<ViewerMenuItem>& items) {
  std::vector<std::pair<std::u16string, uint32_t>> flat;
  for (const ViewerMenuItem& item : items) {
    flat.emplace_back(item.text, item.id);
    for (const ViewerMenuItem& sub : item.submenu) flat.emplace_back(u"  " + sub.text, sub.id);
  }
  return flat;
}

TEST(ViewerMenu, ItemsInOrderWithTheirIdsAndConsolasOnlyOnNewerSystems) {
  const std::vector<std::pair<std::u16string, uint32_t>> expected{
      {u"Copy\tCtrl+C", 3950},
      {u"Select all\tCtrl+A", 3952},
      {u"Deselect\tCtrl+X", 3953},
      {u"Reset search results\tF11", 3959},
      {u"", 0},
      {u"Search", 3951},
      {u"Mode\tF4", 0},
      {u"  Text/Dump", 3996},
      {u"  Hex", 3995},
      {u"Wrap mode\tF2", 0},
      {u"  Wrap", 3998},
      {u"  Unwrap", 3999},
      {u"", 0},
      {u"Character set\tF8", 0},
      {u"  OEM DOS\tCP866", 3980},
      {u"  ANSI\tCP1251", 3981},
      {u"  KOI8-R", 3982},
      {u"  Unicode", 3983},
      {u"  UTF-8", 3984},
      {u"Font\tCtrl+6", 0},
      {u"  Lucida console\t(Unicode)", 3973},
      {u"  Consolas\t(Unicode)", 3974},
      {u"  Consolas bold\t(Unicode)", 3975},
      {u"  Courier new\t(Unicode)", 3976},
      {u"  Terminal\t(OEM)", 3977},
      {u"Font size\tCtrl+5", 0},
      {u"  Small", 3970},
      {u"  Normal", 3971},
      {u"  Big", 3972},
  };
  EXPECT_EQ(Flatten(ViewerMenuItems(6)), expected);
  auto older = expected;
  older.erase(older.begin() + 21, older.begin() + 23);
  EXPECT_EQ(Flatten(ViewerMenuItems(5)), older);

  // Each face item sets 1000 + its place in the full list, Consolas included.
  EXPECT_EQ(ViewerMenuCommand(3973).value, 1000);
  EXPECT_EQ(ViewerMenuCommand(3976).value, 1003);
  EXPECT_EQ(ViewerMenuCommand(3977).value, 1004);
  EXPECT_EQ(ViewerMenuCommand(3972).action, ViewerAction::FontSize);
  EXPECT_EQ(ViewerMenuCommand(3972).value, 1002);
  EXPECT_EQ(ViewerMenuCommand(3983).value, kCharacterSetUnicode);
  EXPECT_EQ(ViewerMenuCommand(3960).action, ViewerAction::None);
}

TEST(ViewerActions, EndFollowsUntilAMoveAndLeavingStopsItToo) {
  MemoryDocument m(Lines(200), 40, 10);
  ViewerControls controls;
  LayoutScreen(m.doc);
  uint32_t effects = ApplyViewerAction(m.doc, controls, {ViewerAction::End, 0});
  EXPECT_TRUE(effects & kEffectFollow);
  EXPECT_TRUE(controls.following);
  // The timer's End keeps following.
  effects = ApplyViewerAction(m.doc, controls, {ViewerAction::End, 0});
  EXPECT_TRUE(controls.following);
  // A non-moving command leaves it running; a move ends it.
  effects = ApplyViewerAction(m.doc, controls, {ViewerAction::SelectAll, 0});
  EXPECT_TRUE(controls.following);
  EXPECT_FALSE(effects & kEffectStopFollow);
  effects = ApplyViewerAction(m.doc, controls, {ViewerAction::LineUp, 0});
  EXPECT_FALSE(controls.following);
  EXPECT_TRUE(effects & kEffectStopFollow);
  effects = ApplyViewerAction(m.doc, controls, {ViewerAction::Leave, 0});
  EXPECT_EQ(effects, kEffectLeave | kEffectStopFollow);
  // Shift+F7 asks for a text first; with one it searches again.
  EXPECT_EQ(ApplyViewerAction(m.doc, controls, {ViewerAction::FindPrevious, 0}), kEffectOpenSearch);
  m.doc.search.text = u"line";
  EXPECT_EQ(ApplyViewerAction(m.doc, controls, {ViewerAction::FindPrevious, 0}), kEffectFindPrevious);
}

TEST(ViewerActions, EndSeesTheFileGrowByName) {
  std::string text = Lines(100);
  MemoryDocument m(text, 40, 10);
  ViewerControls controls;
  LayoutScreen(m.doc);
  ApplyViewerAction(m.doc, controls, {ViewerAction::End, 0});
  ViewerScreen screen = LayoutScreen(m.doc);
  EXPECT_EQ(screen.rows.back().cells, u"line 99");
  // The buffer grows in place (as a file appended to); End with the new size shows its end.
  m.bytes += "line 100\r\n";
  OpenViewerMemory(m.doc.file, reinterpret_cast<const uint8_t*>(m.bytes.data()),
                   static_cast<int64_t>(m.bytes.size()));
  ApplyViewerAction(m.doc, controls, {ViewerAction::End, 0}, static_cast<int64_t>(m.bytes.size()));
  screen = LayoutScreen(m.doc);
  EXPECT_EQ(screen.rows.back().cells, u"line 100");
  EXPECT_EQ(m.doc.fileSize, static_cast<int64_t>(m.bytes.size()));
}

TEST(ViewerActions, WrapOnlyInTextModeAndHexCountsBytes) {
  // Dump mode: F2 and the menu's Wrap items do nothing.
  MemoryDocument dump(std::string(300, 'x'), 40, 10);
  ASSERT_EQ(ModeOf(dump.doc), kModeDump);
  ViewerControls controls;
  EXPECT_EQ(ApplyViewerAction(dump.doc, controls, {ViewerAction::ToggleWrap, 0}), kEffectNone);
  EXPECT_FALSE(dump.doc.unwrapped);

  MemoryDocument text(Lines(50), 40, 10);
  EXPECT_TRUE(ApplyViewerAction(text.doc, controls, {ViewerAction::ToggleWrap, 0}) & kEffectRelayout);
  EXPECT_TRUE(text.doc.unwrapped);
  ApplyViewerAction(text.doc, controls, {ViewerAction::ColumnRight, 0});
  EXPECT_EQ(text.doc.column, 1);
  ApplyViewerAction(text.doc, controls, {ViewerAction::PageRight, 0});
  EXPECT_EQ(text.doc.column, 41);
  ApplyViewerAction(text.doc, controls, {ViewerAction::Wrap, 0});
  EXPECT_FALSE(text.doc.unwrapped);
  EXPECT_EQ(text.doc.column, 0);
  ApplyViewerAction(text.doc, controls, {ViewerAction::HexMode, 0});
  EXPECT_EQ(ApplyViewerAction(text.doc, controls, {ViewerAction::Unwrap, 0}), kEffectNone);

  // A UTF-16 document: Hex doubles the top, Text/Dump halves it again.
  std::u16string lines;
  for (int i = 0; i < 50; ++i) lines += u"a line \r\n";
  MemoryDocument wide(test::Utf16(lines), 40, 10);
  ASSERT_TRUE(wide.doc.isUnicode);
  wide.doc.viewTop = 18;
  ApplyViewerAction(wide.doc, controls, {ViewerAction::ToggleHex, 0});
  EXPECT_EQ(wide.doc.viewTop, 36);
  ApplyViewerAction(wide.doc, controls, {ViewerAction::TextDumpMode, 0});
  EXPECT_EQ(wide.doc.viewTop, 18);
}

TEST(ViewerActions, CharacterSetsAndFontsCycle) {
  // F8 in a UTF-8 document changes only the set the Hex character column uses.
  std::string utf8;
  for (int i = 0; i < 10; ++i) utf8 += "\xD0\x90\xD0\x91 \xCE\xB1\r\n";
  MemoryDocument m(utf8, 40, 10);
  ASSERT_TRUE(m.doc.isUtf8);
  ViewerControls controls;
  ApplyViewerAction(m.doc, controls, {ViewerAction::NextCharacterSet, 0});
  EXPECT_TRUE(m.doc.isUtf8);
  EXPECT_EQ(m.doc.characterSet, kCharacterSetKoi8r);
  ApplyViewerAction(m.doc, controls, {ViewerAction::NextCharacterSet, 0});
  EXPECT_EQ(m.doc.characterSet, kCharacterSetOem);
  // The menu's OEM leaves UTF-8.
  ApplyViewerAction(m.doc, controls, {ViewerAction::CharacterSet, kCharacterSetOem});
  EXPECT_FALSE(m.doc.isUtf8);

  // 6 goes through all five faces, 5 through the three sizes; odd codes start again.
  controls.fontFace = 1000;
  std::vector<int32_t> faces;
  for (int i = 0; i < 6; ++i) {
    EXPECT_TRUE(ApplyViewerAction(m.doc, controls, {ViewerAction::NextFontFace, 0}) & kEffectFontChanged);
    faces.push_back(controls.fontFace);
  }
  EXPECT_EQ(faces, (std::vector<int32_t>{1001, 1002, 1003, 1004, 1000, 1001}));
  controls.fontSize = 1002;
  ApplyViewerAction(m.doc, controls, {ViewerAction::NextFontSize, 0});
  EXPECT_EQ(controls.fontSize, 1000);
  EXPECT_EQ(NextFontSize(7), 1000);
  EXPECT_EQ(NextFontFace(2000), 1000);
}

}  // namespace
}  // namespace nrv
