// The settings store against the in-memory registry: the failures only the host can stage and
// the live state and texts. Layout and reading rules are checked under Wine.
#include <gtest/gtest.h>

#include "config/settings.h"
#include "config/settings_store.h"
#include "platform/errors.h"
#include "platform/portable/portable_controls.h"
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
