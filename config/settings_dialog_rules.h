#pragma once
// What the settings dialogs do to the settings record, apart from their windows: which control
// edits which field, the colour scheme list, and the rules for clicks, picks and OK.
#include <array>
#include <cstddef>
#include <cstdint>

#include "config/settings_dialog_ids.h"
#include "core/settings.h"
#include "platform/text.h"

namespace nrv {

struct SwitchControl {
  int control;
  uint8_t Settings::*field;
};

struct ColourControl {
  int button;  // its swatch is button + IDC_SWATCH_OFFSET
  Colour Settings::*field;
};

// clang-format off
inline constexpr SwitchControl kPanelSwitches[] = {
  {IDC_AUTO_UPDATE_PANELS, &Settings::PanelAutoUpdatePanels},
  {IDC_AUTO_UPDATE_NETWORK, &Settings::PanelAutoUpdateNetwork},
  {IDC_SHOW_FREE_SIZE, &Settings::PanelShowFreeSize},
  {IDC_SHOW_FREE_SIZE_NETWORK, &Settings::PanelShowFreeSizeNetwork},
  {IDC_SHOW_FILE_OWNERS, &Settings::PanelShowFileOwners},
  {IDC_SELECT_FOLDERS, &Settings::PanelSelectFolders},
  {IDC_SCROLL_COLUMNS, &Settings::PanelScrollColumns},
  {IDC_DELETE_RECYCLE, &Settings::PanelDeleteRecycle},
  {IDC_ALLOW_DRAGDROP, &Settings::PanelAllowDragdrop},
  {IDC_SHOW_TOOLTIPS, &Settings::PanelShowTooltips},
  {IDC_ALLOW_SYSMENU, &Settings::PanelAllowSysmenu},
  {IDC_SHOW_PANEL_STATUSBAR, &Settings::PanelShowPanelStatusbar},
  {IDC_SHOW_ICONS, &Settings::PanelShowIcons},
  {IDC_LARGE_ICONS, &Settings::PanelLargeIcons},
  {IDC_ALWAYS_SHOW_TABS, &Settings::PanelAlwaysShowTabs},
};

// ClrPanelCursorBackground, ClrPanelCursorText and ClrPanelToolbarBackgroundSelected have no
// button: only a scheme changes them.
inline constexpr ColourControl kColourButtons[] = {
  {IDC_CLR_PANEL_BACKGROUND, &Settings::ClrPanelBackground},
  {IDC_CLR_PANEL_TEXT, &Settings::ClrPanelText},
  {IDC_CLR_STATUSBAR_BACKGROUND, &Settings::ClrPanelStatusbarBackground},
  {IDC_CLR_STATUSBAR_TEXT, &Settings::ClrPanelStatusbarText},
  {IDC_CLR_TOOLBAR_BACKGROUND, &Settings::ClrPanelToolbarBackground},
  {IDC_CLR_TOOLBAR_TEXT, &Settings::ClrPanelToolbarText},
  {IDC_CLR_MENU_BACKGROUND, &Settings::ClrPanelMenuBackground},
  {IDC_CLR_MENU_BACKGROUND_DEFAULT, &Settings::ClrPanelMenuBackgroundDefault},
  {IDC_CLR_MENU_BACKGROUND_CHECKED, &Settings::ClrPanelMenuBackgroundChecked},
  {IDC_CLR_MENU_TEXT, &Settings::ClrPanelMenuText},
  {IDC_CLR_TITLE_BACKGROUND, &Settings::ClrPanelTitleBackground},
  {IDC_CLR_HIGHLIGHT_TEXT, &Settings::ClrPanelHighlightText},
  {IDC_CLR_FILES_TEXT, &Settings::ClrPanelFilesText},
  {IDC_CLR_FOLDERS_TEXT, &Settings::ClrPanelFoldersText},
  {IDC_CLR_ARCHIVE_FILES_TEXT, &Settings::ClrPanelArchiveFilesText},
  {IDC_CLR_EXECUTABLE_FILES_TEXT, &Settings::ClrPanelExecutableFilesText},
  {IDC_CLR_HIDDEN_FILES_TEXT, &Settings::ClrPanelHiddenFilesText},
  {IDC_CLR_SELECTED_TEXT, &Settings::ClrPanelSelectedText},
  {IDC_CLR_SELECTED_BACKGROUND, &Settings::ClrPanelSelectedBackground},
  {IDC_CLR_FOLDER_FRAME, &Settings::ClrPanelFolderFrame},
  {IDC_CLR_JUNCTION_FRAME, &Settings::ClrPanelJunctionFrame},
  {IDC_CLR_LONG_NAME_FRAME, &Settings::ClrPanelLongNameFrame},
  {IDC_CLR_VIEWER_BACKGROUND, &Settings::ClrViewerBackground},
  {IDC_CLR_VIEWER_TEXT, &Settings::ClrViewerText},
  {IDC_CLR_VIEWER_SELECTED_BACKGROUND, &Settings::ClrViewerSelectedBackground},
  {IDC_CLR_VIEWER_SELECTED_TEXT, &Settings::ClrViewerSelectedText},
  {IDC_CLR_VIEWER_STATUSBAR_BACKGROUND, &Settings::ClrViewerStatusbarBackground},
  {IDC_CLR_VIEWER_STATUSBAR_TEXT, &Settings::ClrViewerStatusbarText},
  {IDC_CLR_EDITOR_BACKGROUND, &Settings::ClrEditorBackground},
  {IDC_CLR_EDITOR_TEXT, &Settings::ClrEditorText},
  {IDC_CLR_EDITOR_SELECTED_BACKGROUND, &Settings::ClrEditorSelectedBackground},
  {IDC_CLR_EDITOR_SELECTED_TEXT, &Settings::ClrEditorSelectedText},
  {IDC_CLR_EDITOR_STATUSBAR_BACKGROUND, &Settings::ClrEditorStatusbarBackground},
  {IDC_CLR_EDITOR_STATUSBAR_TEXT, &Settings::ClrEditorStatusbarText},
};
// clang-format on

inline constexpr size_t kPanelSwitchCount = std::size(kPanelSwitches);

// The "Color scheme:" list; an entry's index is its ColorScheme value.
inline constexpr const char16_t* kSchemeNames[] = {u"Windows default colors", u"Gray", u"Blue", u"White",
                                                  u"User defined"};

const SwitchControl* PanelSwitchOf(int control);
const ColourControl* ColourButtonOf(int button);

// The panel dialog's fourteen switches as they were when it opened, for Cancel.
using PanelSwitchValues = std::array<uint8_t, kPanelSwitchCount>;
PanelSwitchValues RememberPanelSwitches(const Settings& settings);
void RestorePanelSwitches(Settings& settings, const PanelSwitchValues& remembered);

// A click on a panel check box: its switch takes the box's state (0 or 1). False for a control
// that is not one of the fourteen.
bool SetPanelSwitch(Settings& settings, int control, bool checked);

// A colour accepted in the chooser for button: the colour takes it and the scheme becomes
// "User defined". False for a control that is no colour button.
bool TakePickedColour(Settings& settings, int button, Colour picked);

// An entry of the scheme list: ColorScheme takes its index, and the entries 0 to 3 apply their
// scheme. Returns whether any colour may have changed; false for "User defined" and for an
// index outside the list, which changes nothing at all.
bool ChooseScheme(Settings& settings, int32_t index);

// The fields and controls of the viewer or the editor settings dialog.
struct ProgramDialog {
  int resource;
  int programEdit;
  int browseButton;
  int savePositionBox;
  int wordWrapBox;  // 0: the viewer has none
  uint8_t Settings::*useExternal;
  Text Settings::*program;
  uint8_t Settings::*savePosition;
  uint8_t Settings::*wordWrap;  // nullptr for the viewer
};

inline constexpr ProgramDialog kViewerDialog{IDD_VIEWER_SETTINGS,     IDC_VIEWER_PROGRAM, IDC_VIEWER_BROWSE,
                                             IDC_VIEWER_SAVE_POSITION, 0,                 &Settings::UseExternalViewer,
                                             &Settings::ExternalViewer, &Settings::ViewerSavePosition, nullptr};
inline constexpr ProgramDialog kEditorDialog{
    IDD_EDITOR_SETTINGS,          IDC_EDITOR_PROGRAM,        IDC_EDITOR_BROWSE,
    IDC_EDITOR_SAVE_POSITION,     IDC_EDITOR_WORD_WRAP,      &Settings::UseExternalEditor,
    &Settings::ExternalEditor,    &Settings::EditorSavePosition, &Settings::EditorWordWrap};

// The longest program path the record keeps (its buffer holds 260 characters with the end).
inline constexpr size_t kProgramPathLength = 259;

// The program field can be typed into and "Browse..." used exactly while the use-external box
// is checked.
inline bool ProgramFieldEditable(bool useExternalChecked) { return useExternalChecked; }

// What "Browse..." leaves: the chosen path, or an empty one when the file dialog was cancelled.
// Returns the path as stored, cut to kProgramPathLength.
const Text& TakeBrowsedProgram(Settings& settings, const ProgramDialog& dialog, TextView chosen);

// The boxes and the field as they are at OK.
struct ProgramDialogState {
  bool useExternal = false;
  bool savePosition = false;
  bool wordWrap = false;
  Text program;
};
ProgramDialogState ProgramStateOf(const Settings& settings, const ProgramDialog& dialog);
void TakeProgramDialog(Settings& settings, const ProgramDialog& dialog, const ProgramDialogState& state);

}  // namespace nrv
