// What the settings dialogs do to the record: the tables that tie controls to fields, the panel
// switches with Cancel, picked colours against the schemes, and the external program fields.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <vector>

#include "config/settings_dialog_rules.h"
#include "core/settings_colours.h"
#include "support/settings_records.h"

namespace nrv {
namespace {

using test::ExpectSame;
using test::NonDefault;

TEST(SettingsDialogTables, EveryColourButOnlyTheSchemeOnesHasOneButtonAndSwatchesCollideWithNothing) {
  std::set<int> controls;
  std::vector<Colour Settings::*> edited;
  for (const ColourControl& entry : kColourButtons) {
    EXPECT_TRUE(controls.insert(entry.button).second) << entry.button;
    edited.push_back(entry.field);
  }
  for (const ColourControl& entry : kColourButtons)
    EXPECT_TRUE(controls.insert(entry.button + IDC_SWATCH_OFFSET).second) << "swatch of " << entry.button;
  for (int other : {IDC_COLOR_SCHEME, 1 /* IDOK */, 2 /* IDCANCEL */}) EXPECT_EQ(controls.count(other), 0u) << other;

  const std::vector<Colour Settings::*> schemeOnly{&Settings::ClrPanelCursorBackground, &Settings::ClrPanelCursorText,
                                                   &Settings::ClrPanelToolbarBackgroundSelected};
  const auto count = [](const auto& fields, Colour Settings::*field) { return std::count(fields.begin(), fields.end(), field); };
  for (const auto& colour : settings_colours::kColourValues)
    EXPECT_EQ(count(edited, colour.field), count(schemeOnly, colour.field) ? 0 : 1) << ToUtf8(colour.name);
}

TEST(PanelSettingsRules, ClicksSetTheirSwitchAndCancelBringsBackTheFourteenOnly) {
  Settings s = NonDefault();
  const PanelSwitchValues opened = RememberPanelSwitches(s);
  for (const SwitchControl& entry : kPanelSwitches) {
    const bool on = s.*entry.field == 0;
    EXPECT_TRUE(SetPanelSwitch(s, entry.control, on));
    EXPECT_EQ(s.*entry.field, on ? 1 : 0);
  }
  EXPECT_EQ(s.PanelShowPanelStatusbar, 1);
  EXPECT_FALSE(SetPanelSwitch(s, IDC_COLOR_SCHEME, true));

  // Switches outside the dialog changed meanwhile keep their new values.
  s.PanelShowToolbar = 1, s.PanelShowMenu = 1;
  RestorePanelSwitches(s, opened);
  Settings expected = NonDefault();
  expected.PanelShowToolbar = 1, expected.PanelShowMenu = 1;
  ExpectSame(s, expected);
}

TEST(ColoursRules, APickedColourMakesTheSchemeUserDefinedUntilABuiltInOneOverwritesIt) {
  Settings s = NonDefault();
  ASSERT_TRUE(ChooseScheme(s, kSchemeGray));
  EXPECT_EQ(s.ColorScheme, kSchemeGray);
  EXPECT_EQ(s.ClrPanelBackground, 0x282828u);
  EXPECT_EQ(s.ClrPanelCursorBackground, 0xA06E3Cu);

  EXPECT_TRUE(TakePickedColour(s, IDC_CLR_SELECTED_BACKGROUND, 0xFF123456u));
  EXPECT_EQ(s.ClrPanelSelectedBackground, 0x123456u) << "a COLORREF has no high byte";
  EXPECT_EQ(s.ColorScheme, kSchemeUserDefined);
  EXPECT_FALSE(TakePickedColour(s, IDC_COLOR_SCHEME, 0x111111u));
  EXPECT_FALSE(TakePickedColour(s, IDC_CLR_SELECTED_BACKGROUND + IDC_SWATCH_OFFSET, 0x111111u));

  // "User defined" and entries outside the list change no colour.
  Settings before = s;
  EXPECT_FALSE(ChooseScheme(s, kSchemeUserDefined));
  EXPECT_FALSE(ChooseScheme(s, 5));
  EXPECT_FALSE(ChooseScheme(s, -1));
  ExpectSame(s, before);

  ASSERT_TRUE(ChooseScheme(s, kSchemeGray));
  EXPECT_EQ(s.ClrPanelSelectedBackground, 0xA06E3Cu);

  s.ClrPanelCursorBackground = 0x010203u;
  ASSERT_TRUE(ChooseScheme(s, kSchemeWindowsDefault));
  EXPECT_EQ(s.ColorScheme, kSchemeWindowsDefault);
  EXPECT_EQ(s.ClrPanelCursorBackground, 0x010203u);
}

TEST(ProgramSettingsRules, OkTakesTheBoxesAndAPathThatFitsAndBrowsingSetsOrEmptiesAtOnce) {
  Settings s = NonDefault();
  ProgramDialogState state = ProgramStateOf(s, kViewerDialog);
  EXPECT_TRUE(state.useExternal);
  EXPECT_FALSE(state.savePosition);
  EXPECT_FALSE(state.wordWrap) << "the viewer has no word wrap";
  EXPECT_EQ(state.program, u"C:\\Tools\\view.exe");

  state.useExternal = false, state.savePosition = true, state.wordWrap = true;
  state.program = Text(300, u'p');
  TakeProgramDialog(s, kViewerDialog, state);
  Settings expected = NonDefault();
  expected.UseExternalViewer = 0, expected.ViewerSavePosition = 1;
  expected.ExternalViewer = Text(kProgramPathLength, u'p');
  ExpectSame(s, expected);

  state = ProgramStateOf(s, kEditorDialog);
  EXPECT_TRUE(state.wordWrap);
  state.wordWrap = false;
  TakeProgramDialog(s, kEditorDialog, state);
  expected.EditorWordWrap = 0;
  ExpectSame(s, expected);

  EXPECT_EQ(TakeBrowsedProgram(s, kEditorDialog, u"Z:\\bin\\edit.exe"), u"Z:\\bin\\edit.exe");
  EXPECT_EQ(s.ExternalEditor, u"Z:\\bin\\edit.exe");
  EXPECT_EQ(TakeBrowsedProgram(s, kViewerDialog, u""), u"") << "a cancelled file dialog empties the path";
  EXPECT_EQ(s.ExternalViewer, u"");
  EXPECT_EQ(s.ExternalEditor, u"Z:\\bin\\edit.exe");
}

}  // namespace
}  // namespace nrv
