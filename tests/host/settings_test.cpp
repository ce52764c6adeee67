// The settings record: defaults and schemes, and the store against the in-memory registry with
// the failures only the host can stage. Layout and reading rules are checked under Wine.
#include <gtest/gtest.h>

#include "config/settings.h"
#include "config/settings_store.h"
#include "platform/errors.h"
#include "platform/files.h"
#include "platform/portable/portable_controls.h"
#include "platform/system.h"
#include "support/message_capture.h"
#include "support/settings_records.h"

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
  test::ExpectSame(s, Defaults());
  EXPECT_EQ(s.PanelPathLeft, platform::CurrentFolder());
}

TEST(SettingsSchemes, LeaveTheNumberAndUnknownOnesChangeNothing) {
  Settings s = NonDefault();
  const Colour cursor = s.ClrPanelCursorBackground;
  EXPECT_EQ(ApplyScheme(s, kSchemeWindowsDefault), 0);
  EXPECT_EQ(s.ClrPanelCursorBackground, cursor);
  EXPECT_EQ(s.ClrPanelBackground, platform::SystemColor(5));  // COLOR_WINDOW
  EXPECT_EQ(s.ColorScheme, NonDefault().ColorScheme);

  EXPECT_EQ(ApplyScheme(s, kSchemeWhite), 0);
  EXPECT_EQ(s.ClrPanelBackground, Defaults().ClrPanelBackground);
  EXPECT_EQ(s.ColorScheme, NonDefault().ColorScheme);
  for (int32_t scheme : {kSchemeUserDefined, 5, -1, 1000}) {
    s = NonDefault();
    EXPECT_EQ(ApplyScheme(s, scheme), 0);
    test::ExpectSame(s, NonDefault());
  }
}

TEST(SettingsLoadDefaultConfiguration, KeepsModesSplitterAndPaths) {
  Settings s = NonDefault();
  LoadDefaultConfiguration(s);
  Settings expected = Defaults();
  const Settings before = NonDefault();
  expected.SortPanelLeft = before.SortPanelLeft, expected.SortPanelRight = before.SortPanelRight;
  expected.ModePanelLeft = before.ModePanelLeft, expected.ModePanelRight = before.ModePanelRight;
  expected.ModePanelLeftColumns = before.ModePanelLeftColumns;
  expected.ModePanelRightColumns = before.ModePanelRightColumns;
  expected.WindowsOffset = before.WindowsOffset;
  expected.PanelPathLeft = before.PanelPathLeft, expected.PanelPathRight = before.PanelPathRight;
  test::ExpectSame(s, expected);
}


class SettingsStore : public ::testing::Test {
 protected:
  void SetUp() override { platform::portable::ResetRegistry(); }
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
  EXPECT_EQ(messages.Taken().size(), 1u);
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

}  // namespace
}  // namespace nrv
