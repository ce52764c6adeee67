"""Keys, menus, the toolbar and the mouse reaching their commands: what the user sees in the
window title, on disk and in the saved configuration."""

import hashlib

from norvane_e2e import poll, windows_path
from norvane_e2e.checks import text_bands, wait_active_title, wait_clipboard
from norvane_e2e.settings import KEY

OPTIONS_SAVE = ("F9", "Right", "Right", "Right", "Down", "Up", "Return")  # its last item


def saved(rig, value, subkey=KEY, check=lambda key: True):
    def read():
        key = rig.registry(subkey)
        return key if key and value in key.values and check(key) else None
    return poll(read, 20, f"{value} under HKCU\\{subkey}")


def test_cursor_keys_quick_search_and_the_way_back_from_a_folder(rig):
    # Ctrl+C puts the cursor item's full path on the clipboard: that is where the cursor is.
    files = [f"f{i:03d}.txt" for i in range(200)]
    left = rig.folder("left", files=files, folders=["sub"])
    rig.save_configuration(left, rig.folder("right"), SortPanelLeft=1000, ModePanelLeft=1002)
    app = rig.start(rig.folder("elsewhere"))
    app.wait_title(windows_path(left))

    def cursor_on(keys, *names):
        app.key(*keys, "ctrl+c")
        wait_clipboard(rig, [windows_path(left / n) for n in names], f"{keys}: cursor on {names}")

    cursor_on(["Down"] * 3, "f001.txt")  # "..", sub, f000, f001
    cursor_on(["End"], "f199.txt")
    cursor_on(["Home", "Down", "Down", "Next", "Prior"], "f000.txt")  # a page down and back up
    cursor_on(["Home", "Down"], "sub")
    app.key("Return", "Down")
    app.wait_title(windows_path(left / "sub"))
    app.key("BackSpace")
    app.wait_title(windows_path(left))
    cursor_on(["Down"], "f000.txt")  # back from sub, the cursor was on the folder left
    app.key("Home", "Up", "Return")  # Up stops at "..", which leads to the parent
    app.wait_title(windows_path(left.parent))
    app.key("Return")  # the cursor came up on left
    app.wait_title(windows_path(left))

    # Typing opens the quick-search box and moves the cursor. No name goes on with "f15x", so
    # x is refused and Backspace leaves "f1": 7 then finds f170 (f157 had x gone in).
    app.key("f")
    rig.x.focus(poll(lambda: app.x_window("Search"), 15, "the quick-search box"))
    rig.x.key("1", "5", "x", "BackSpace", "7", "Return")  # Enter closes the box
    poll(lambda: app.x_window("Search") is None, 15, "the quick-search box to close")
    cursor_on([], "f170.txt")
    # Insert selects and moves on: the selection is what Ctrl+C takes then.
    cursor_on(["Home", "Down", "Down", "Insert", "Insert"], "f000.txt", "f001.txt")


def test_sort_and_view_keys_are_saved_and_the_menu_can_be_hidden(rig):
    left = rig.folder("left", files=["a.txt", "b.doc"])
    right = rig.folder("right", files=["c.txt"])
    rig.save_configuration(left, right)
    app = rig.start(rig.folder("elsewhere"))
    app.wait_title(windows_path(left))

    app.key("ctrl+F4", "ctrl+1", "ctrl+4", "ctrl+4", "Tab", "ctrl+3", "ctrl+F6")
    app.wait_title(windows_path(right))
    app.key(*OPTIONS_SAVE)
    key = saved(rig, "SortPanelLeft", check=lambda key: key.dword("SortPanelLeft") == 1001)
    assert [key.dword(name) for name in ("ModePanelLeft", "ModePanelLeftColumns",
                                         "ModePanelRight", "SortPanelRight")] == [1000, 4, 1002,
                                                                                  1002]
    app.key("ctrl+4", *OPTIONS_SAVE)  # Ctrl+4 outside brief mode changes nothing
    assert saved(rig, "SortPanelLeft").dword("ModePanelRightColumns") == 2
    app.key("ctrl+2", *OPTIONS_SAVE)
    saved(rig, "ModePanelRight", check=lambda key: key.dword("ModePanelRight") == 1001)

    with_menu = app.main()
    height = lambda window: window.client[3] - window.client[1]  # noqa: E731
    app.key("F9", "Right", "Right", "Right", "Down", "Down", "Return")  # "Always show menu"
    box = app.message_box("Hide menu")
    assert box.text == "Menu will be hidden. Use F9 to show menu."
    box.answer("Return")
    without = poll(lambda: (lambda m: m if height(m) > height(with_menu) else None)(app.main()),
                   10, "the client area to grow by the menu bar")
    assert without.rect == with_menu.rect
    app.key("F9")
    poll(lambda: height(app.main()) < height(without), 10, "F9 to bring the menu bar back")
    app.key("Escape", "Escape")
    poll(lambda: app.main().client == without.client, 10, "the bar to go again after the menu")


def test_right_drag_selects_a_run_and_the_toolbar_back_button(rig):
    names = [f"a{i}.bin" for i in range(1, 7)]
    left = rig.folder("left", folders=["sub"])
    for i, name in enumerate(names):
        (left / "sub" / name).write_text(name * (100 + i))
    right = rig.folder("right")
    rig.save_configuration(left / "sub", right, SortPanelLeft=1000, ModePanelLeft=1002)
    app = rig.start(rig.folder("elsewhere"))
    app.wait_title(windows_path(left / "sub"))
    panel_left, _ = app.panels()
    bands = text_bands(wait_active_title(app, panel_left), panel_left)
    x, (y_a2, y_a3, y_a4) = panel_left.client[0] + 40, [sum(b) // 2 for b in bands[2:5]]

    def right_drag(y_from, y_to):
        rig.x.run("xdotool", "mousemove", "--sync", str(x), str(y_from), "mousedown", "3",
                  "mousemove", "--sync", str(x), str(y_to), "mouseup", "3")

    def copy_prompt(start, answer):
        app.key("F5")
        prompt = app.message_box("Copy")
        assert prompt.text.startswith(start), prompt.text
        prompt.answer(answer)

    # Pressed on a2 and dragged down to a4: three selected. Pressed on a selected item (a3)
    # and dragged to a4: both deselected, a2 stays. The second press comes soon after the
    # first, a double click to Windows.
    right_drag(y_a2, y_a4)
    right_drag(y_a3, y_a4)
    copy_prompt("Copy a2.bin to:", "Escape")
    right_drag(y_a3, y_a4)
    copy_prompt("Copy 3 items to:", "Return")
    copied = [left / "sub" / name for name in names[1:4]]
    digest = lambda path: hashlib.sha256(path.read_bytes()).hexdigest()  # noqa: E731
    poll(lambda: sorted(p.name for p in right.iterdir()) == names[1:4] and
         all(digest(right / p.name) == digest(p) for p in copied), 30, "a2 to a4 copied")

    main = app.main()
    rig.x.click(main.client[0] + 64, main.client[1] + 10)  # "back", on the edge it shares
    app.wait_title(windows_path(left))
    assert not app.popup_menus(), "the click at x = 64 also opened the location menu"
