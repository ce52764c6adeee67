"""Keys the main loop handles itself: F10 quit question, Alt+Enter full screen, Ctrl+arrows
divider, F9 menu."""

from norvane_e2e import poll, poll_value, windows_path
from norvane_e2e.app import SW_SHOWMAXIMIZED, SW_SHOWNORMAL, WS_CAPTION
from norvane_e2e.settings import KEY, colour
from norvane_e2e.xserver import SCREEN
from norvane_e2e.checks import divider_widths, x_rect

QUESTION = "Do You want to quit program?"
POPUP_MENU = "#32768"
DIVIDER = colour("ClrPanelText")


def test_f10_asks_before_quitting(rig):
    start = rig.folder("start", files=["one.txt"])
    app = rig.start(start)
    app.wait_title(windows_path(start))

    app.key("F10")
    box = app.message_box("Question")
    assert box.text == QUESTION
    assert box.buttons == ["OK", "Cancel"]
    box.answer("Escape")
    # Still taking keys: the divider follows Ctrl+Right.
    main = app.main()
    app.key("ctrl+Right")
    poll_value(lambda: app.panels()[0].width, divider_widths(main, 10)[0], 10,
               "the left panel width after Escape and ctrl+Right")
    assert app.running()
    assert app.title() == windows_path(start)
    assert app.message_boxes() == []

    app.key("F10")
    box = app.message_box("Question")
    assert box.text == QUESTION
    box.answer("Return")
    app.wait_exit()

    saved = rig.spy.registry(rig.prefix, KEY)
    assert saved is None or saved.values == {}, "quitting saved settings"


def test_alt_enter_enters_and_leaves_full_screen(rig):
    start = rig.folder("start", files=["one.txt"])
    app = rig.start(start)
    app.wait_title(windows_path(start))
    normal = app.main()
    assert normal.show == SW_SHOWNORMAL

    app.key("alt+Return")
    full = poll(lambda: (lambda w: w if w.show == SW_SHOWMAXIMIZED else None)(app.main()),
                10, "the main window maximised")
    assert full.style & WS_CAPTION == 0, "full screen keeps the caption"
    assert full.rect[0] <= 0 and full.rect[1] <= 0
    assert full.rect[2] >= SCREEN[0] and full.rect[3] >= SCREEN[1]
    poll(lambda: x_rect(app) == full.rect, 10, f"the X window at {full.rect}")
    poll_value(lambda: app.panels()[0].width, divider_widths(full, 0)[0], 10,
               "the left panel laid out over the whole screen")
    assert app.title() == windows_path(start)

    app.key("alt+Return")
    back = poll(lambda: (lambda w: w if w.show == SW_SHOWNORMAL else None)(app.main()),
                10, "the main window back to normal")
    assert back.style & WS_CAPTION == WS_CAPTION
    assert back.rect == normal.rect
    poll_value(lambda: app.panels()[0].width, divider_widths(normal, 0)[0], 10,
               "the left panel laid out in the normal window again")
    poll(lambda: x_rect(app) == normal.rect, 10, f"the X window back at {normal.rect}")


def test_ctrl_arrows_move_the_divider(rig):
    start = rig.folder("start", files=["one.txt"])
    app = rig.start(start)
    app.wait_title(windows_path(start))
    main = app.main()

    def widths():
        left, right = app.panels()
        assert right.client[0] == left.client[2], "the panels do not meet"
        return left.client[2] - left.client[0], right.client[2] - right.client[0]

    def press(key, times, offset):
        for _ in range(times):
            app.key(key)
        poll_value(widths, divider_widths(main, offset), 10,
                   f"panel widths at offset {offset} after {times} x {key}")

    assert widths() == divider_widths(main, 0)
    press("ctrl+Right", 1, 10)
    press("ctrl+Right", 7, 80)
    press("ctrl+Right", 1, 80)  # no further than 80 from the centre: the next step shows it

    # The user sees the divider where the left panel now ends.
    left, _ = app.panels()
    column = (left.client[2] - 1, left.client[1] + 30, left.client[2], left.client[3] - 40)
    app.wait_screenshot(lambda shot: shot.count(DIVIDER, column) > (column[3] - column[1]) // 2,
                        f"the divider drawn at x {column[0]}")

    press("ctrl+Left", 1, 70)
    press("ctrl+Left", 15, -80)
    press("ctrl+Left", 1, -80)
    press("ctrl+Right", 1, -70)
    assert app.title() == windows_path(start)


def test_only_f9_opens_the_menu(rig):
    start = rig.folder("start", files=["one.txt", "two.txt"])
    app = rig.start(start)
    app.wait_title(windows_path(start))
    main = app.main()

    def popup_menus():
        return [w for w in app.windows() if w.top == 0 and w.cls == POPUP_MENU and w.visible]

    def widths():
        left, right = app.panels()
        return left.width, right.width

    # Down opens the first menu when the menu bar has the keyboard; Ctrl+Right after it
    # moves the divider only when the keys reach the window, which shows they were handled.
    for step, keys in enumerate(["alt", "alt+f", "alt+o"], start=1):
        app.key(keys)
        app.key("Down")
        app.key("ctrl+Right")
        try:
            poll_value(widths, divider_widths(main, 10 * step), 10,
                       f"panel widths after {keys}, Down and ctrl+Right")
        finally:
            assert popup_menus() == [], f"{keys} gave the menu bar the keyboard"
        assert app.title() == windows_path(start)
        assert app.message_boxes() == []

    app.key("F9")
    app.key("Down")
    poll(popup_menus, 10, "a menu opened by F9 and Down")
    app.key("Escape", "Escape")
    poll(lambda: not popup_menus(), 10, "the menu to close")
    assert app.running()
