"""A complete saved configuration under HKCU\\Software\\Norvane, for tests that start from one.
Every value must be there: one missing value makes the program drop the whole key."""

KEY = "Software\\Norvane"

# Colour scheme 3 "White", the default, as RRGGBB.
WHITE = {name: int(value[4:6] + value[2:4] + value[0:2], 16) for name, value in (
    item.split("=") for item in """
    ClrPanelBackground=ffffff ClrPanelText=b4b4b4 ClrPanelHighlightText=000000
    ClrPanelStatusbarBackground=7dabff ClrPanelStatusbarText=000000
    ClrPanelSelectedBackground=7dabff ClrPanelSelectedText=ff0000
    ClrPanelCursorBackground=3c6ea0 ClrPanelCursorText=000000 ClrPanelFilesText=202020
    ClrPanelFoldersText=000000 ClrPanelJunctionFrame=a0a0a0 ClrPanelFolderFrame=000000
    ClrPanelLongNameFrame=646464 ClrPanelHiddenFilesText=6767a5
    ClrPanelArchiveFilesText=a6008d ClrPanelExecutableFilesText=174bff
    ClrPanelToolbarBackground=f0f0f0 ClrPanelToolbarBackgroundSelected=7dabff
    ClrPanelToolbarText=000000 ClrPanelMenuText=000000 ClrPanelMenuBackground=7dabff
    ClrPanelMenuBackgroundDefault=ffffff ClrPanelMenuBackgroundChecked=c8c8c8
    ClrPanelTitleBackground=c8c8c8 ClrViewerBackground=ffffff ClrViewerText=202020
    ClrViewerStatusbarBackground=7dabff ClrViewerStatusbarText=000000
    ClrViewerSelectedBackground=7dabff ClrViewerSelectedText=000000
    ClrEditorBackground=ffffff ClrEditorText=202020 ClrEditorStatusbarBackground=7dabff
    ClrEditorStatusbarText=000000 ClrEditorSelectedBackground=7dabff
    ClrEditorSelectedText=000000""".split())}


def colour(name):
    """A colour of the default scheme as (red, green, blue)."""
    value = WHITE[name]
    return (value & 0xFF, value >> 8 & 0xFF, value >> 16 & 0xFF)


SELECTED_BACKGROUND = colour("ClrPanelSelectedBackground")
SELECTED_TEXT = colour("ClrPanelSelectedText")
STATUS_BACKGROUND = colour("ClrPanelTitleBackground")

FLAGS = dict.fromkeys(
    "PanelShowToolbar PanelShowMenu PanelAutoUpdatePanels PanelShowFreeSize PanelDeleteRecycle "
    "PanelAllowDragdrop PanelAllowSysmenu PanelShowTooltips PanelShowPanelStatusbar "
    "PanelShowIcons ViewerSavePosition EditorSavePosition".split(), True)
FLAGS.update(dict.fromkeys(
    "PanelAutoUpdateNetwork PanelShowFreeSizeNetwork PanelShowFileOwners PanelScrollColumns "
    "PanelSelectFolders PanelLargeIcons ArrageHorizontal UseExternalViewer UseExternalEditor "
    "EditorWordWrap PanelAlwaysShowTabs".split(), False))

LOGFONT = ("lfCharSet lfClipPrecision lfEscapement lfHeight lfItalic lfOrientation "
           "lfPitchAndFamily lfOutPrecision lfQuality lfStrikeOut lfUnderline lfWeight "
           "lfWidth").split()


def font_group(prefix, face, height, weight, charset):
    group = {prefix + member: 0 for member in LOGFONT}
    group.update({prefix + "lfHeight": height, prefix + "lfWeight": weight,
                  prefix + "lfCharSet": charset, prefix + "lfFaceName": face})
    return group


def configuration(left, right, **changes):
    """Every value of a saved configuration with the panels in the Windows paths left and
    right, then changes (value name -> int, bool or str)."""
    values = {"ColorScheme": 3, **WHITE, **FLAGS}
    values.update(dict.fromkeys(
        "FontPanelSizeLeft FontPanelFaceLeft FontPanelSizeRight FontPanelFaceRight "
        "FontViewerSize FontViewerFace FontStatusbarSize FontStatusbarFace".split(), 1001))
    values.update({"SortPanelLeft": 1002, "SortPanelRight": 1001, "ModePanelLeft": 1002,
                   "ModePanelRight": 1000, "ModePanelLeftColumns": 2, "ModePanelRightColumns": 2,
                   "PanelContextMenuTimer": 300, "WindowsOffset": 0, "HistoryCount": 10,
                   "WindowLeft": 0, "WindowTop": 0, "WindowRight": 0, "WindowBottom": 0})
    for prefix, face, height, weight, charset in (("l_", "Tahoma", -11, 400, 0),
                                                  ("lt_", "Consolas", 15, 0, 1),
                                                  ("r_", "Tahoma", -11, 400, 0),
                                                  ("rt_", "Consolas", 15, 0, 1)):
        values.update(font_group(prefix, face, height, weight, charset))
    values.update({"PanelPathLeft": left, "PanelPathRight": right,
                   "ExternalViewer": "", "ExternalEditor": ""})
    unknown = set(changes) - set(values)
    assert not unknown, f"not configuration values: {unknown}"
    return {**values, **changes}
