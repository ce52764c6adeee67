#include "config/settings_dialog_rules.h"

#include <algorithm>

namespace nrv {

namespace {

uint8_t Flag(bool on) { return on ? 1 : 0; }

}  // namespace

const SwitchControl* PanelSwitchOf(int control) {
  const auto* found = std::find_if(std::begin(kPanelSwitches), std::end(kPanelSwitches),
                                   [control](const SwitchControl& entry) { return entry.control == control; });
  return found == std::end(kPanelSwitches) ? nullptr : found;
}

const ColourControl* ColourButtonOf(int button) {
  const auto* found = std::find_if(std::begin(kColourButtons), std::end(kColourButtons),
                                   [button](const ColourControl& entry) { return entry.button == button; });
  return found == std::end(kColourButtons) ? nullptr : found;
}

PanelSwitchValues RememberPanelSwitches(const Settings& settings) {
  PanelSwitchValues values{};
  for (size_t i = 0; i < kPanelSwitchCount; ++i) values[i] = settings.*kPanelSwitches[i].field;
  return values;
}

void RestorePanelSwitches(Settings& settings, const PanelSwitchValues& remembered) {
  for (size_t i = 0; i < kPanelSwitchCount; ++i) settings.*kPanelSwitches[i].field = remembered[i];
}

bool SetPanelSwitch(Settings& settings, int control, bool checked) {
  const SwitchControl* entry = PanelSwitchOf(control);
  if (!entry) return false;
  settings.*entry->field = Flag(checked);
  return true;
}

bool TakePickedColour(Settings& settings, int button, Colour picked) {
  const ColourControl* entry = ColourButtonOf(button);
  if (!entry) return false;
  settings.*entry->field = picked & 0x00FFFFFFu;
  settings.ColorScheme = kSchemeUserDefined;
  return true;
}

bool ChooseScheme(Settings& settings, int32_t index) {
  if (index < 0 || index >= static_cast<int32_t>(std::size(kSchemeNames))) return false;
  settings.ColorScheme = index;
  if (index == kSchemeUserDefined) return false;
  ApplyScheme(settings, index);
  return true;
}

const Text& TakeBrowsedProgram(Settings& settings, const ProgramDialog& dialog, TextView chosen) {
  Text& program = settings.*dialog.program;
  program = Text(chosen.substr(0, kProgramPathLength));
  return program;
}

ProgramDialogState ProgramStateOf(const Settings& settings, const ProgramDialog& dialog) {
  ProgramDialogState state;
  state.useExternal = settings.*dialog.useExternal != 0;
  state.savePosition = settings.*dialog.savePosition != 0;
  state.wordWrap = dialog.wordWrap && settings.*dialog.wordWrap != 0;
  state.program = settings.*dialog.program;
  return state;
}

void TakeProgramDialog(Settings& settings, const ProgramDialog& dialog, const ProgramDialogState& state) {
  settings.*dialog.useExternal = Flag(state.useExternal);
  settings.*dialog.savePosition = Flag(state.savePosition);
  if (dialog.wordWrap) settings.*dialog.wordWrap = Flag(state.wordWrap);
  settings.*dialog.program = Text(TextView(state.program).substr(0, kProgramPathLength));
}

}  // namespace nrv
