"""Starting from a saved configuration: what is restored, and what a broken one does."""

from norvane_e2e.app import START_TIMEOUT
from norvane_e2e.checks import default_window_rect, x_rect
from norvane_e2e.xserver import SCREEN

LOAD_ERROR = ("Error load configuration from system registry: "
              "HKEY_CURRENT_USER\\Software\\Norvane\\ Error 2.")


def test_saved_window_rectangle_is_used_even_partly_off_screen(rig):
    left = rig.folder("left", files=["a.txt"])
    right = rig.folder("right", files=["b.txt"])
    saved = (-200, 600, 700, 1300)
    rig.save_configuration(left, right, WindowLeft=saved[0], WindowTop=saved[1],
                           WindowRight=saved[2], WindowBottom=saved[3])

    app = rig.start(rig.folder("elsewhere"))
    assert app.message_boxes() == []
    assert app.main().rect == saved
    assert x_rect(app) == saved
    app.wait_panel_folders(left, right)


def test_configuration_missing_a_value_is_reported_once_and_defaults_used(rig):
    left = rig.folder("left", files=["a.txt"])
    right = rig.folder("right", files=["b.txt"])
    start = rig.folder("start", files=["c.txt"])
    rig.save_configuration(left, right, without=["PanelLargeIcons"], WindowLeft=10,
                           WindowTop=10, WindowRight=610, WindowBottom=410)

    app = rig.start(start, wait=False)
    box = app.message_box("Error", timeout=START_TIMEOUT)
    assert box.text == LOAD_ERROR
    assert box.buttons == ["OK"]
    box.answer("Return")

    app.wait_main_window()
    assert app.message_boxes() == [], "more than one message for one broken configuration"
    # Everything read before the gap is dropped: default place, both panels in the
    # current folder.
    assert app.main().rect == default_window_rect(SCREEN[1])
    app.wait_panel_folders(start, start)


def test_saved_folder_that_is_gone_starts_in_the_current_folder(rig):
    right = rig.folder("right", files=["b.txt"])
    start = rig.folder("start", files=["c.txt"])
    rig.save_configuration(rig.dir / "files" / "removed", right)

    app = rig.start(start)
    assert app.message_boxes() == []
    app.wait_panel_folders(start, right)
