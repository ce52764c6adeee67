"""Start-up as a user meets it, the two panels, and the keys the main loop handles itself."""

import shutil

from norvane_e2e import poll, poll_value, windows_path
from norvane_e2e.app import START_TIMEOUT
from norvane_e2e.checks import is_dark, text_bands, title_band, wait_active_title
from norvane_e2e.settings import SELECTED_BACKGROUND, STATUS_BACKGROUND, colour
from norvane_e2e.xserver import SCREEN

WS_CAPTION, SW_SHOWNORMAL, SW_SHOWMAXIMIZED = 0x00C00000, 1, 3


def divider_widths(main, offset):
    """Left and right panel widths for a divider offset in percent from the centre."""
    half = (main.client[2] - main.client[0]) // 2
    return int(half + offset / 100.0 * half), int(half - offset / 100.0 * half)


def test_first_start_places_the_window_and_the_main_loop_keys_act(rig):
    start = rig.folder("start", files=["alpha.txt", "beta.txt"], folders=["gamma"])
    app = rig.start(start)  # fails on any message box before the window
    windows = app.windows()
    main = app.main(windows)
    assert app.message_boxes(windows) == []
    # No saved place: W = 1.4 x screen height, the window 2W/3 by 2H/3 centred on (W/2, H/2).
    wide, high = int(SCREEN[1] * 1.4), SCREEN[1]
    left, top = wide // 2 - 2 * wide // 3 // 2, high // 2 - 2 * high // 3 // 2
    assert main.rect == (left, top, left + 2 * wide // 3, top + 2 * high // 3)
    assert main.style & WS_CAPTION == WS_CAPTION
    assert app.x_rect() == main.rect  # Wine draws the frame: the X window is the whole window
    app.wait_title(windows_path(start))

    # Side by side under a 20-pixel toolbar, each titled and listing "..", gamma, alpha.txt
    # and beta.txt; the left one active.
    panel_left, panel_right = app.panels()
    assert panel_left.client[:2] == (main.client[0], main.client[1] + 20)
    assert panel_right.client[:2] == (panel_left.client[2], main.client[1] + 20)
    shot = wait_active_title(app, panel_left)
    assert shot.count(SELECTED_BACKGROUND, title_band(panel_right)) == 0
    assert any(max(c) < 100 for c in shot.colours(title_band(panel_right))), "no right title"
    assert len(text_bands(shot, panel_left)) == len(text_bands(shot, panel_right)) == 4

    def widths():
        panel_left, panel_right = app.panels()
        return panel_left.width, panel_right.width

    for key, times, offset in (("ctrl+Right", 1, 10), ("ctrl+Right", 8, 80),  # 80 at most
                               ("ctrl+Left", 1, 70), ("ctrl+Left", 16, -80)):
        app.key(*[key] * times)
        poll_value(widths, divider_widths(main, offset), 10, f"panel widths at offset {offset}")
    # The user sees the divider where the left panel now ends.
    edge = app.panels()[0].client
    column = (edge[2] - 1, edge[1] + 30, edge[2], edge[3] - 40)
    poll(lambda: app.screenshot().count(colour("ClrPanelText"), column) > 10, 10,
         f"the divider drawn at x {column[0]}")
    app.key("alt+Return")
    full = poll(lambda: (lambda w: w if w.show == SW_SHOWMAXIMIZED else None)(app.main()), 10,
                "the main window maximised")
    assert full.style & WS_CAPTION == 0, "full screen keeps the caption"
    assert full.rect[0] <= 0 and full.rect[1] <= 0
    assert full.rect[2] >= SCREEN[0] and full.rect[3] >= SCREEN[1]
    poll(lambda: app.x_rect() == full.rect, 10, f"the X window at {full.rect}")
    poll_value(widths, divider_widths(full, -80), 10, "the panels laid out over the screen")
    app.key("alt+Return")
    back = poll(lambda: (lambda w: w if w.show == SW_SHOWNORMAL else None)(app.main()), 10,
                "the main window back to normal")
    assert (back.rect, back.style & WS_CAPTION) == (main.rect, WS_CAPTION)
    poll(lambda: app.x_rect() == main.rect, 10, f"the X window back at {main.rect}")

    app.key("F10")
    box = app.message_box("Question")
    assert (box.text, box.buttons) == ("Do You want to quit program?", ["OK", "Cancel"])
    box.answer("Escape")
    app.key("ctrl+Right")  # still taking keys
    poll_value(widths, divider_widths(main, -70), 10, "the divider moved after Escape")
    assert app.running() and app.message_boxes() == []
    app.key("F10")
    app.message_box("Question").answer("Return")
    app.wait_exit()
    saved = rig.registry()
    assert saved is None or saved.values == {}, "starting or quitting saved settings"


def test_saved_folders_are_listed_and_tab_switches_panels(rig):
    # Same names and sizes except the last item, so the panels differ only in that row.
    left = rig.folder("left", files=["aaa.txt", "bbb.txt", "left.txt"])
    right = rig.folder("right", files=["aaa.txt", "bbb.txt", "rght.txt"])
    rig.save_configuration(left, right, ModePanelLeft=1000, SortPanelLeft=1000,
                           SortPanelRight=1000)
    app = rig.start(rig.folder("elsewhere", files=["other.txt"]))
    assert app.message_boxes() == []
    app.wait_title(windows_path(left))
    panel_left, panel_right = app.panels()
    shot = wait_active_title(app, panel_left)
    assert shot.count(SELECTED_BACKGROUND, title_band(panel_right)) == 0

    # Pixel rows of the two item areas side by side, (same, text left, text right), from below
    # the title to the status area; the outermost columns are the divider's.
    rows, width = [], panel_left.client[2] - panel_left.client[0]
    assert width == panel_right.client[2] - panel_right.client[0]
    for y in range(8, panel_left.client[3] - panel_left.client[1]):
        a = shot.row(panel_left.client[1] + y, panel_left.client[0] + 2, panel_left.client[2] - 3)
        b = shot.row(panel_right.client[1] + y, panel_right.client[0] + 2,
                     panel_right.client[2] - 3)
        if a.count(bytes(STATUS_BACKGROUND)) > len(a) // 6:
            break
        rows.append((a == b, is_dark(a), is_dark(b)))
    shared = [y for y, (same, text, _) in enumerate(rows) if same and text]
    assert shared, "no item row is the same in both panels (aaa.txt, bbb.txt)"
    differing = [y for y, (same, _, _) in enumerate(rows) if not same and y > shared[0]]
    assert any(rows[y][1] and rows[y][2] for y in differing), \
        "the panels do not differ in the row of left.txt and rght.txt"
    assert differing == list(range(differing[0], differing[-1] + 1)), \
        f"the panels differ in more rows than that of left.txt and rght.txt: {differing}"

    for folder, active, other in ((right, panel_right, panel_left),
                                  (left, panel_left, panel_right)):
        app.key("Tab")
        app.wait_title(windows_path(folder))
        shot = wait_active_title(app, active)
        assert shot.count(SELECTED_BACKGROUND, title_band(other)) == 0


def test_missing_archive_library_is_reported_and_start_up_goes_on(rig):
    alone = rig.dir / "alone"
    alone.mkdir()
    for file in rig.exe.parent.iterdir():
        if file == rig.exe or (file.suffix.lower() == ".dll" and file.name.lower() != "7z.dll"):
            shutil.copy2(file, alone / file.name)
    start = rig.folder("start", files=["one.txt"])

    app = rig.start(start, exe=alone / rig.exe.name, wait=False)
    box = app.message_box("Norvane 1.0.0", timeout=START_TIMEOUT)
    assert box.text == ("Error loading 7-zip library (7z.dll). Please check the file 7z.dll and "
                        "restart program. Working with archives are unavailable in this session.")
    assert box.buttons == ["OK"]
    assert app.main() is None, "the window appeared before the library message was answered"
    box.answer("Return")
    app.wait_main_window()
    app.wait_title(windows_path(start))
    assert app.message_boxes() == []
