"""A complete saved configuration as the program stores it under HKCU\\Software\\Norvane, for
tests that start from saved settings. Every value must be present: one missing value makes
the program discard the whole key with a message."""

KEY = "Software\\Norvane"


def rgb(r, g, b):
    return r | g << 8 | b << 16


# Colour scheme 3 "White", the default.
WHITE = {
    "ClrPanelBackground": rgb(255, 255, 255),
    "ClrPanelText": rgb(180, 180, 180),
    "ClrPanelHighlightText": rgb(0, 0, 0),
    "ClrPanelStatusbarBackground": rgb(125, 171, 255),
    "ClrPanelStatusbarText": rgb(0, 0, 0),
    "ClrPanelSelectedBackground": rgb(125, 171, 255),
    "ClrPanelSelectedText": rgb(255, 0, 0),
    "ClrPanelCursorBackground": rgb(60, 110, 160),
    "ClrPanelCursorText": rgb(0, 0, 0),
    "ClrPanelFilesText": rgb(32, 32, 32),
    "ClrPanelFoldersText": rgb(0, 0, 0),
    "ClrPanelJunctionFrame": rgb(160, 160, 160),
    "ClrPanelFolderFrame": rgb(0, 0, 0),
    "ClrPanelLongNameFrame": rgb(100, 100, 100),
    "ClrPanelHiddenFilesText": rgb(103, 103, 165),
    "ClrPanelArchiveFilesText": rgb(166, 0, 141),
    "ClrPanelExecutableFilesText": rgb(23, 75, 255),
    "ClrPanelToolbarBackground": rgb(240, 240, 240),
    "ClrPanelToolbarBackgroundSelected": rgb(125, 171, 255),
    "ClrPanelToolbarText": rgb(0, 0, 0),
    "ClrPanelMenuText": rgb(0, 0, 0),
    "ClrPanelMenuBackground": rgb(125, 171, 255),
    "ClrPanelMenuBackgroundDefault": rgb(255, 255, 255),
    "ClrPanelMenuBackgroundChecked": rgb(200, 200, 200),
    "ClrPanelTitleBackground": rgb(200, 200, 200),
    "ClrViewerBackground": rgb(255, 255, 255),
    "ClrViewerText": rgb(32, 32, 32),
    "ClrViewerStatusbarBackground": rgb(125, 171, 255),
    "ClrViewerStatusbarText": rgb(0, 0, 0),
    "ClrViewerSelectedBackground": rgb(125, 171, 255),
    "ClrViewerSelectedText": rgb(0, 0, 0),
    "ClrEditorBackground": rgb(255, 255, 255),
    "ClrEditorText": rgb(32, 32, 32),
    "ClrEditorStatusbarBackground": rgb(125, 171, 255),
    "ClrEditorStatusbarText": rgb(0, 0, 0),
    "ClrEditorSelectedBackground": rgb(125, 171, 255),
    "ClrEditorSelectedText": rgb(0, 0, 0),
}



def colour(name):
    """A colour of the default scheme as (red, green, blue)."""
    value = WHITE[name]
    return (value & 0xFF, value >> 8 & 0xFF, value >> 16 & 0xFF)


SELECTED_BACKGROUND = colour("ClrPanelSelectedBackground")

FLAGS = {
    "PanelShowToolbar": True, "PanelShowMenu": True, "PanelAutoUpdatePanels": True,
    "PanelAutoUpdateNetwork": False, "PanelShowFreeSize": True,
    "PanelShowFreeSizeNetwork": False, "PanelShowFileOwners": False,
    "PanelScrollColumns": False, "PanelSelectFolders": False, "PanelDeleteRecycle": True,
    "PanelAllowDragdrop": True, "PanelAllowSysmenu": True, "PanelShowTooltips": True,
    "PanelShowPanelStatusbar": True, "PanelShowIcons": True, "PanelLargeIcons": False,
    "ArrageHorizontal": False, "ViewerSavePosition": True, "UseExternalViewer": False,
    "UseExternalEditor": False, "EditorSavePosition": True, "EditorWordWrap": False,
}

LOGFONT_MEMBERS = ["lfCharSet", "lfClipPrecision", "lfEscapement", "lfHeight", "lfItalic",
                   "lfOrientation", "lfPitchAndFamily", "lfOutPrecision", "lfQuality",
                   "lfStrikeOut", "lfUnderline", "lfWeight", "lfWidth"]


def font_group(prefix, face, height, weight, charset):
    group = {prefix + member: 0 for member in LOGFONT_MEMBERS}
    group.update({prefix + "lfHeight": height, prefix + "lfWeight": weight,
                  prefix + "lfCharSet": charset, prefix + "lfFaceName": face})
    return group


def configuration(left, right, without=(), **changes):
    """Every value of a saved configuration: the defaults, the panels starting in the Windows
    paths left and right, then changes (value name -> int, bool or str), less the values
    named in without."""
    values = {"ColorScheme": 3, **WHITE}
    values.update({name: 1001 for name in (
        "FontPanelSizeLeft", "FontPanelFaceLeft", "FontPanelSizeRight", "FontPanelFaceRight",
        "FontViewerSize", "FontViewerFace", "FontStatusbarSize", "FontStatusbarFace")})
    values.update({"SortPanelLeft": 1002, "SortPanelRight": 1001, "ModePanelLeft": 1002,
                   "ModePanelRight": 1000, "ModePanelLeftColumns": 2, "ModePanelRightColumns": 2,
                   "PanelContextMenuTimer": 300, "WindowsOffset": 0, "HistoryCount": 10,
                   "WindowLeft": 0, "WindowTop": 0, "WindowRight": 0, "WindowBottom": 0})
    values.update(FLAGS)
    values.update(font_group("l_", "Tahoma", -11, 400, 0))
    values.update(font_group("lt_", "Consolas", 15, 0, 1))
    values.update(font_group("r_", "Tahoma", -11, 400, 0))
    values.update(font_group("rt_", "Consolas", 15, 0, 1))
    values.update({"PanelPathLeft": left, "PanelPathRight": right,
                   "ExternalViewer": "", "ExternalEditor": ""})
    unknown = (set(changes) | set(without)) - set(values)
    assert not unknown, f"not configuration values: {unknown}"
    values.update(changes)
    return {name: value for name, value in values.items() if name not in without}
