"""The settings dialogs of the Options menu: panel switches and colours shown while a dialog is
open, Cancel, "Save configuration" and a restart, and the external viewer that F3 starts."""

from pathlib import Path

from norvane_e2e import poll, windows_path
from norvane_e2e.checks import title_band, wait_active_title
from norvane_e2e.settings import KEY, STATUS_BACKGROUND

OPTIONS = ("F9", "Right", "Right", "Right", "Down")  # the menu open on its first item
PANEL_SETTINGS = (*OPTIONS, "Down", "Down", "Down", "Return")
VIEWER_SETTINGS = (*OPTIONS, *["Down"] * 4, "Return")
COLOURS = (*OPTIONS, *["Down"] * 6, "Return")
SAVE = (*OPTIONS, "Up", "Return")  # its last item

ES_READONLY = 0x0800
BLUE_CURSOR = (12, 95, 143)  # ClrPanelSelectedBackground of "Blue"
GRAY_CURSOR = (60, 110, 160)  # and of "Gray"
PICKED = (30, 160, 90)


class Dialog:
    """A dialog of the program as winspy sees it: the window and its controls."""

    def __init__(self, rig, window, controls):
        self.rig, self.window, self.controls = rig, window, controls

    def control(self, text=None, ident=None):
        return next(c for c in self.controls
                    if (text is None or c["text"].replace("&", "") == text) and
                    (ident is None or c["id"] == ident))

    def click(self, text=None, ident=None):
        left, top, right, bottom = self.control(text, ident)["rect"]
        self.rig.x.click((left + right) // 2, (top + bottom) // 2)

    def fresh(self, ident):
        """The control with this id as it is now."""
        return find_dialog(self.rig, self.window["text"]).control(ident=ident)


def find_dialog(rig, caption=None, has_id=None, gone=None):
    """The visible dialog with this caption (or with a control of id has_id), or None."""
    windows = rig.spy.windows(rig.prefix)
    for window in windows:
        if window["top"] or window["class"] != "#32770" or not window["visible"]:
            continue
        controls = [w for w in windows if w["top"] == window["hwnd"]]
        if caption is not None and window["text"] != caption:
            continue
        if has_id is not None and not any(c["id"] == has_id for c in controls):
            continue
        return Dialog(rig, window, controls)
    return None


def open_dialog(rig, app, keys, caption):
    app.key(*keys)
    return poll(lambda: find_dialog(rig, caption), 20, f"the dialog {caption!r}")


def wait_closed(rig, caption):
    poll(lambda: find_dialog(rig, caption) is None, 15, f"the dialog {caption!r} to close")


def status_shown(app, panels):
    """Whether each panel shows its status area: its lowest rows in the status colour."""
    shot = app.screenshot()
    shown = []
    for panel in panels:
        left, _, right, bottom = panel.client
        shown.append(shot.count(STATUS_BACKGROUND, (left, bottom - 10, right, bottom - 2)) > 200)
    return shown


def wait_status(app, panels, expected, what):
    poll(lambda: status_shown(app, panels) == expected, 15, what)


def saved(rig, check, what):
    def read():
        key = rig.registry(KEY)
        return key if key and check(key) else None
    return poll(read, 20, what)


def flag(key, name):
    kind, data = key.values[name]
    assert kind == 3 and len(data) == 1, f"{name} is type {kind}, {len(data)} bytes"
    return data[0]


def quit_and_restart(rig, app, left):
    app.key("F10")
    app.message_box("Question").answer("Return")
    app.wait_exit()
    app = rig.start(rig.folder(f"elsewhere{len(rig.apps) + 1}"))
    app.wait_title(windows_path(left))
    return app


def start(rig):
    left = rig.folder("left", files=["shown.txt"])
    rig.save_configuration(left, rig.folder("right", files=["other.txt"]))
    app = rig.start(rig.folder("elsewhere"))
    app.wait_title(windows_path(left))
    return app, left


def test_panel_status_areas_follow_the_box_cancel_restores_and_a_saved_switch_stays(rig):
    app, left = start(rig)
    panels = app.panels()
    wait_status(app, panels, [True, True], "both status areas at start")

    dialog = open_dialog(rig, app, PANEL_SETTINGS, "Panel settings")
    dialog.click("Show panel status bar")
    wait_status(app, panels, [False, False], "both status areas gone with the dialog still open")
    dialog.click("Cancel")
    wait_closed(rig, "Panel settings")
    wait_status(app, panels, [True, True], "Cancel to bring both status areas back")

    dialog = open_dialog(rig, app, PANEL_SETTINGS, "Panel settings")
    dialog.click("Show panel status bar")
    wait_status(app, panels, [False, False], "both status areas gone again")
    dialog.click("OK")
    wait_closed(rig, "Panel settings")
    assert status_shown(app, panels) == [False, False]
    assert flag(rig.registry(), "PanelShowPanelStatusbar") == 1, "written before the save"
    app.key(*SAVE)
    saved(rig, lambda key: flag(key, "PanelShowPanelStatusbar") == 0, "the switch saved off")

    app = quit_and_restart(rig, app, left)
    panels = app.panels()
    app.wait_painted(app.x_rect())
    wait_status(app, panels, [False, False], "a restart without status areas")


def test_schemes_repaint_at_once_a_picked_colour_is_user_defined_and_both_stay(rig):
    app, left = start(rig)
    panel = app.panels()[0]
    wait_active_title(app, panel)

    dialog = open_dialog(rig, app, COLOURS, "Colors")
    assert dialog.control(ident=1085)["text"] == "White"
    swatch = dialog.control(ident=1046 + 1000)  # beside "Panel background"
    shot = app.wait_painted(tuple(swatch["rect"]))
    assert shot.count((255, 255, 255), tuple(swatch["rect"])) > 50, "the swatch shows the colour"

    def choose(keys, name):
        dialog.click(ident=1085)
        app.x.key(*keys)
        poll(lambda: dialog.fresh(1085)["text"] == name, 15, f"the list showing {name!r}")

    choose(("Up", "Return"), "Blue")
    poll(lambda: app.screenshot().count(BLUE_CURSOR, title_band(panel)) > 50, 15,
         "the active title in the cursor colour of Blue")
    choose(("Up", "Return"), "Gray")
    poll(lambda: app.screenshot().count(GRAY_CURSOR, title_band(panel)) > 50, 15,
         "the active title in the cursor colour of Gray")

    dialog.click("Panel background")
    chooser = poll(lambda: find_dialog(rig, has_id=706), 20, "the colour chooser")
    for ident, value in zip((706, 707, 708), PICKED):  # its red, green and blue fields
        chooser.click(ident=ident)
        app.x.key("End", "BackSpace", "BackSpace", "BackSpace")
        app.x.type(str(value))
    chooser.click("OK")
    poll(lambda: find_dialog(rig, has_id=706) is None, 15, "the colour chooser to close")
    poll(lambda: dialog.fresh(1085)["text"] == "User defined", 15, "the list on 'User defined'")
    left_panel = panel.client
    poll(lambda: app.screenshot().count(PICKED, left_panel) > 1000, 15,
         "the panel drawn in the picked background")
    dialog.click("Cancel")  # keeps the colours
    wait_closed(rig, "Colors")
    assert rig.registry().dword("ColorScheme") == 3, "written before the save"
    app.key(*SAVE)
    picked = PICKED[0] | PICKED[1] << 8 | PICKED[2] << 16
    saved(rig, lambda key: (key.dword("ColorScheme"), key.dword("ClrPanelBackground")) == (4, picked),
          "the user-defined scheme with the picked background")

    app = quit_and_restart(rig, app, left)
    panel = app.panels()[0]
    poll(lambda: app.screenshot().count(PICKED, panel.client) > 1000, 30,
         "the picked background after a restart")
    poll(lambda: app.screenshot().count(GRAY_CURSOR, title_band(panel)) > 50, 15,
         "the active title still in Gray's cursor colour")


def command_lines():
    """The command lines of the machine's processes, as Wine shows them for its own."""
    lines = []
    for entry in Path("/proc").iterdir():
        if entry.name.isdigit():
            try:
                lines.append((entry / "cmdline").read_bytes().replace(b"\0", b" ").decode(
                    "utf-8", "replace"))
            except OSError:
                pass
    return lines


def test_the_external_viewer_field_follows_its_box_and_f3_starts_the_program(rig):
    app, left = start(rig)
    dialog = open_dialog(rig, app, VIEWER_SETTINGS, "Viewer settings")
    field, browse = dialog.control(ident=1087), dialog.control(ident=1088)
    assert field["style"] & ES_READONLY and not browse["enabled"]
    dialog.click("Use external viewer:")
    poll(lambda: not dialog.fresh(1087)["style"] & ES_READONLY and dialog.fresh(1088)["enabled"],
         15, "the path field editable and Browse... enabled")
    dialog.click(ident=1087)
    app.x.type("C:\\windows\\system32\\notepad.exe")
    dialog.click("OK")
    wait_closed(rig, "Viewer settings")

    shown = windows_path(left / "shown.txt")
    app.key("Home", "Down", "F3")
    poll(lambda: [line for line in command_lines() if "notepad" in line.lower() and shown in line],
         30, f"a program started with {shown}")
    assert rig.registry().text("ExternalViewer") == "", "written before the save"
