"""Start-up as a user meets it: the first window, its place, its panels, its messages."""

import shutil

from norvane_e2e import windows_path
from norvane_e2e.app import LEFT_CLASS, RIGHT_CLASS, VIEWER_CLASS, WS_CAPTION, START_TIMEOUT
from norvane_e2e.settings import KEY, SELECTED_BACKGROUND
from norvane_e2e.xserver import SCREEN
from norvane_e2e.checks import (dark_pixels, default_window_rect, text_bands, title_band,
                                wait_active_title, x_rect)

LIBRARY_MESSAGE = ("Error loading 7-zip library (7z.dll). Please check the file 7z.dll and "
                   "restart program. Working with archives are unavailable in this session.")


def test_first_start_without_configuration(rig):
    start = rig.folder("start", files=["alpha.txt", "beta.txt"], folders=["gamma"])
    app = rig.start(start)  # fails on any message box before the window

    windows = app.windows()
    main = app.main(windows)
    assert main.rect == default_window_rect(SCREEN[1])
    assert main.style & WS_CAPTION == WS_CAPTION
    # What the screen shows: Wine draws the frame, so the X window is the whole window.
    assert x_rect(app) == main.rect
    assert app.message_boxes(windows) == []

    app.wait_title(windows_path(start))

    children = app.children(windows)
    left, right = children.get(LEFT_CLASS), children.get(RIGHT_CLASS)
    assert left and left.visible and right and right.visible
    assert VIEWER_CLASS in children and not children[VIEWER_CLASS].visible
    # Side by side under a 20-pixel toolbar, halves of the client width.
    half = (main.client[2] - main.client[0]) // 2
    assert left.client[:2] == (main.client[0], main.client[1] + 20)
    assert right.client[:2] == (main.client[0] + half, main.client[1] + 20)
    assert left.client[2] - left.client[0] == half == right.client[2] - right.client[0]
    assert left.client[3] == right.client[3] < main.client[3]

    # Both panels are drawn with their titles; the left one is active.
    shot = wait_active_title(app, left, "left")
    assert shot.count(SELECTED_BACKGROUND, title_band(right)) == 0
    assert dark_pixels(shot, title_band(right)) > 0, "the right panel shows no title text"
    # Each lists "..", gamma, alpha.txt and beta.txt: four rows of icon and name.
    assert len(text_bands(shot, left, 2, 60)) == 4
    assert len(text_bands(shot, right, 2, 60)) == 4

    # Nothing was saved by starting.
    saved = rig.spy.registry(rig.prefix, KEY)
    assert saved is None or saved.values == {}


def test_missing_archive_library_is_reported_and_start_up_goes_on(rig):
    alone = rig.dir / "alone"
    alone.mkdir()
    for file in rig.exe.parent.iterdir():
        if file == rig.exe or (file.suffix.lower() == ".dll" and file.name.lower() != "7z.dll"):
            shutil.copy2(file, alone / file.name)
    start = rig.folder("start", files=["one.txt"])

    app = rig.start(start, exe=alone / rig.exe.name, wait=False)
    box = app.message_box("Norvane 1.0.0", timeout=START_TIMEOUT)
    assert box.text == LIBRARY_MESSAGE
    assert box.buttons == ["OK"]
    assert app.main() is None, "the window appeared before the library message was answered"

    box.answer("Return")
    app.wait_main_window()
    app.wait_title(windows_path(start))
    assert app.message_boxes() == []
