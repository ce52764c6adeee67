// The settings record: defaults and schemes, and the store against the in-memory registry with
// the failures only the host can stage. Layout and reading rules are checked under Wine,
// as are the ordering and de-duplication of histories.
#include <gtest/gtest.h>

#include "support/test_context.h"

#include "config/history.h"
#include "core/settings.h"
#include "config/settings_store.h"
#include "platform/errors.h"
#include "platform/files.h"
#include "platform/portable/portable_controls.h"
#include "platform/registry.h"
#include "platform/registry_text.h"
#include "platform/system.h"
#include "support/message_capture.h"
#include "support/settings_records.h"
#include "support/stored_history.h"

namespace nrv {
namespace {

using test::ExpectSame;
using test::NonDefault;

Settings Defaults() {
  Settings s;
  ApplyDefaults(s);
  return s;
}

TEST(SettingsDefaults, ResetEveryFieldWhateverWasThereBefore) {
  Settings s = NonDefault();
  ApplyDefaults(s);
  ExpectSame(s, Defaults());
  EXPECT_EQ(s.PanelPathLeft, platform::CurrentFolder());
}

TEST(SettingsSchemes, LeaveTheNumberAndUnknownOnesChangeNothing) {
  Settings s = NonDefault();
  const Colour cursor = s.ClrPanelCursorBackground;
  EXPECT_EQ(ApplyScheme(s, kSchemeWindowsDefault), 0);
  EXPECT_EQ(s.ClrPanelCursorBackground, cursor);
  EXPECT_EQ(s.ClrPanelBackground, platform::SystemColor(5));  // COLOR_WINDOW

  EXPECT_EQ(ApplyScheme(s, kSchemeWhite), 0);
  EXPECT_EQ(s.ClrPanelBackground, Defaults().ClrPanelBackground);
  EXPECT_EQ(s.ColorScheme, NonDefault().ColorScheme);
  for (int32_t scheme : {kSchemeUserDefined, 5, -1, 1000}) {
    s = NonDefault();
    EXPECT_EQ(ApplyScheme(s, scheme), 0);
    ExpectSame(s, NonDefault());
  }
}

TEST(SettingsLoadDefaultConfiguration, KeepsModesSplitterAndPaths) {
  Settings s = NonDefault();
  LoadDefaultConfiguration(s);
  Settings expected = Defaults();
  const Settings before = NonDefault();
  expected.SortPanelLeft = before.SortPanelLeft, expected.SortPanelRight = before.SortPanelRight;
  expected.ModePanelLeft = before.ModePanelLeft, expected.ModePanelRight = before.ModePanelRight;
  expected.ModePanelLeftColumns = before.ModePanelLeftColumns, expected.WindowsOffset = before.WindowsOffset;
  expected.ModePanelRightColumns = before.ModePanelRightColumns;
  expected.PanelPathLeft = before.PanelPathLeft, expected.PanelPathRight = before.PanelPathRight;
  ExpectSame(s, expected);
}


class SettingsStore : public ::testing::Test {
 protected:
  void SetUp() override { platform::portable::ResetRegistry(), test::TestSettings() = Settings{}; }
  void TearDown() override { platform::portable::ResetRegistry(); }
  test::MessageCapture messages;
};

void ExpectOneError(const std::vector<platform::MessageRequest>& taken, const Text& text) {
  ASSERT_EQ(taken.size(), 1u);
  EXPECT_EQ(taken[0].text, text);
  EXPECT_EQ(taken[0].caption, u"Error");
  EXPECT_EQ(taken[0].icon, platform::MessageIcon::Error);
}

TEST_F(SettingsStore, SaveTakesTheLiveStateFirst) {
  Settings s = NonDefault();
  LiveState live;
  live.SortPanelLeft = 1004, live.ModePanelRightColumns = 4, live.WindowsOffset = 80, live.WindowRight = 1920;
  live.PanelPathRight = u"C:\\live";
  live.rightTitleFont = test::Font(3, u"C");
  ASSERT_EQ(SaveSettings(s, live), 0);
  Settings loaded = Defaults();
  ASSERT_EQ(LoadSettings(loaded), 0);
  EXPECT_EQ(loaded.SortPanelLeft, 1004);
  EXPECT_EQ(loaded.ModePanelRightColumns, 4);
  EXPECT_EQ(loaded.WindowsOffset, 80);
  EXPECT_EQ(loaded.WindowRight, 1920);
  EXPECT_EQ(loaded.PanelPathRight, u"C:\\live");
  test::ExpectSameFont(loaded.rt_, live.rightTitleFont);
}

TEST_F(SettingsStore, RefusedWritesGiveTheSaveMessageAndKeepEarlierValues) {
  Settings first = NonDefault();
  ASSERT_EQ(SaveSettings(first), 0);
  Settings second = Defaults();
  platform::portable::SetRegistryWriteFailure(platform::kErrorAccessDenied);
  EXPECT_EQ(SaveSettings(second), 0);
  platform::portable::SetRegistryWriteFailure(0);
  ExpectOneError(messages.Taken(), u"Error save configuration to system registry. Error 5.");

  Settings loaded = Defaults();
  ASSERT_EQ(LoadSettings(loaded), 0);
  ExpectSame(loaded, first);
}

TEST_F(SettingsStore, AKeyThatCannotBeCreatedStopsSavingLoudlyAndLoadingSilently) {
  platform::portable::SetRegistryWriteFailure(1021);
  Settings s = NonDefault();
  EXPECT_EQ(SaveSettings(s), -1);
  ExpectOneError(messages.Taken(), u"Error opening system registry. Error 1021.");

  s = NonDefault();
  EXPECT_EQ(LoadSettings(s), -1);
  platform::portable::SetRegistryWriteFailure(0);
  ExpectSame(s, Defaults());
  // Nothing was written by the failed save.
  EXPECT_EQ(LoadSettings(s), -1);
  EXPECT_EQ(messages.Taken().size(), 1u);
}

TEST_F(SettingsStore, OverlongTextsOfAnyKindLoadEmptyAndStaleTextsDoNotSurvive) {
  Settings s = NonDefault();
  s.ExternalEditor = Text(1000, u'e');
  s.l_.lfFaceName = Text(300, u'f');
  s.ExternalViewer.clear();
  ASSERT_EQ(SaveSettings(s), 0);
  Settings loaded = Defaults();
  loaded.ExternalViewer = u"stale";
  EXPECT_EQ(LoadSettings(loaded), 0);
  EXPECT_TRUE(messages.Taken().empty());
  EXPECT_EQ(loaded.ExternalEditor, u"");
  EXPECT_EQ(loaded.l_.lfFaceName, u"");
  EXPECT_EQ(loaded.ExternalViewer, u"");
}

class History : public SettingsStore {};

TEST_F(History, TheOldestEntryGivesWayAtTheLimitOfOneToTen) {
  for (int i = 0; i < 11; ++i) AddHistory(test::TestSettings(), kHistorySelections, u"*." + Text(1, u'a' + i));
  const auto stored = test::StoredHistory(kHistorySelections);
  ASSERT_EQ(stored.size(), 10u);
  EXPECT_EQ(stored.front(), (std::pair<Text, Text>{u"Item0", u"*.b"}));
  EXPECT_EQ(stored.back(), (std::pair<Text, Text>{u"Item9", u"*.k"}));
  test::TestSettings().HistoryCount = 0;  // still one
  AddHistory(test::TestSettings(), kHistorySelections, u"*.y");
  EXPECT_EQ(ReadHistory(kHistorySelections), std::vector<Text>{u"*.y"});
}

TEST_F(History, PositionsKeepOneValuePerFileAndAtMostAHundred) {
  AddHistory(test::TestSettings(), kHistoryViewer, u"C:\\a.txt", 10);
  AddHistory(test::TestSettings(), kHistoryViewer, u"C:\\A.TXT", 5000000000LL);
  EXPECT_EQ(ReadHistoryPosition(kHistoryViewer, u"c:\\a.txt"), 5000000000LL);
  EXPECT_FALSE(ReadHistoryPosition(kHistoryEditor, u"c:\\a.txt").has_value());
  for (int i = 0; i < 100; ++i) AddHistory(test::TestSettings(), kHistoryViewer, u"C:\\f" + Ascii(std::to_string(i)), -i);
  EXPECT_EQ(test::StoredHistory(kHistoryViewer).size(), 100u);
  EXPECT_FALSE(ReadHistoryPosition(kHistoryViewer, u"C:\\a.txt").has_value());
  EXPECT_EQ(ReadHistoryPosition(kHistoryViewer, u"C:\\f99"), -99);
}

TEST_F(History, OverlongEntriesUnknownListsAndRefusedWritesGiveNothing) {
  {
    platform::RegistryKey key;
    ASSERT_EQ(platform::CreateUserKey(HistoryKeyPath(kHistoryMove), platform::RegistryAccess::Write, key), 0u);
    platform::SetTextValue(key, u"Item0", Text(300, u'x'));
    platform::SetTextValue(key, u"Item1", u"D:\\ok");
  }
  EXPECT_EQ(ReadHistory(kHistoryMove), std::vector<Text>{u"D:\\ok"});
  EXPECT_EQ(AddHistory(test::TestSettings(), 0, u"x"), -1);
  EXPECT_EQ(AddHistory(test::TestSettings(), 12, u"x"), -1);
  EXPECT_TRUE(ReadHistory(42).empty());

  AddHistory(test::TestSettings(), kHistoryCopy, u"C:\\kept");
  platform::portable::SetRegistryWriteFailure(5);
  EXPECT_EQ(AddHistory(test::TestSettings(), kHistoryCopy, u"C:\\new"), 0);  // without complaint
  platform::portable::SetRegistryWriteFailure(0);
  EXPECT_EQ(ReadHistory(kHistoryCopy), std::vector<Text>{u"C:\\kept"});
}

}  // namespace
}  // namespace nrv
