// Defaults, colour schemes and "Load default configuration" on the record.
#include <gtest/gtest.h>

#include "config/settings.h"
#include "platform/files.h"
#include "platform/system.h"
#include "support/settings_records.h"

namespace nrv {
namespace {

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

}  // namespace
}  // namespace nrv
