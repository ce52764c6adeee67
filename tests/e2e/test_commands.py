"""Keys, menus, the toolbar and the mouse reaching their commands: what the user sees in the
window title, on disk and in the saved configuration."""

import hashlib

from norvane_e2e import poll, windows_path
from norvane_e2e.checks import text_bands, wait_active_title
from norvane_e2e.settings import KEY

POPUP_MENU = "#32768"
OPTIONS_SAVE = ("F9", "Right", "Right", "Right", "Down", "Up", "Return")


def saved_key(rig, subkey=KEY, value="SortPanelLeft"):
    def read():
        key = rig.spy.registry(rig.prefix, subkey)
        return key if key and value in key.values else None
    return poll(read, 20, f"{value} under HKCU\\{subkey}")


def digest(path):
    return hashlib.sha256(path.read_bytes()).hexdigest()


def row_centre(shot, panel, index):
    """Screen point of the index-th listed row (0 is "..") in the panel's first column."""
    bands = text_bands(shot, panel, 20, 80)
    assert len(bands) > index, f"the panel shows {len(bands)} rows"
    top, bottom = bands[index]
    return panel.client[0] + 40, (top + bottom) // 2


def test_cursor_keys_choose_what_enter_opens_and_backspace_comes_back(rig):
    left = rig.folder("left", folders=[f"d{i:02d}" for i in range(60)])
    right = rig.folder("right", files=["r.txt"])
    rig.save_configuration(left, right, SortPanelLeft=1000, ModePanelLeft=1002)
    app = rig.start(rig.folder("elsewhere"))
    app.wait_title(windows_path(left))

    app.key("Down", "Down", "Down", "Return")  # "..", d00, d01, d02
    app.wait_title(windows_path(left / "d02"))
    app.key("BackSpace")
    app.wait_title(windows_path(left))
    app.key("Return")  # the cursor came back on the folder left
    app.wait_title(windows_path(left / "d02"))
    app.key("BackSpace")
    app.wait_title(windows_path(left))

    app.key("End", "Return")
    app.wait_title(windows_path(left / "d59"))
    app.key("BackSpace")
    app.wait_title(windows_path(left))
    # A page down and a page up are the same number of items; Up stops at the top.
    app.key("Home", "Down", "Next", "Prior", "Return")
    app.wait_title(windows_path(left / "d00"))
    app.key("BackSpace")
    app.wait_title(windows_path(left))
    app.key("Home", "Up", "Return")  # ".." leads to the parent
    app.wait_title(windows_path(left.parent))


def test_sort_and_view_keys_are_saved_through_the_options_menu(rig):
    left = rig.folder("left", files=["a.txt", "b.doc"])
    right = rig.folder("right", files=["c.txt"])
    rig.save_configuration(left, right)
    app = rig.start(rig.folder("elsewhere"))
    app.wait_title(windows_path(left))

    app.key("ctrl+F4", "ctrl+1", "ctrl+4", "ctrl+4", "Tab", "ctrl+3", "ctrl+F6")
    app.wait_title(windows_path(right))
    app.key(*OPTIONS_SAVE)
    saved = poll(lambda: (lambda k: k if k.dword("SortPanelLeft") == 1001 else None)(saved_key(rig)),
                 20, "the saved configuration")
    assert saved.dword("ModePanelLeft") == 1000
    assert saved.dword("ModePanelLeftColumns") == 4
    assert saved.dword("ModePanelRight") == 1002
    assert saved.dword("SortPanelRight") == 1002
    # Ctrl+4 outside brief mode changes nothing.
    app.key("ctrl+4", *OPTIONS_SAVE)
    again = saved_key(rig)
    assert again.dword("ModePanelRightColumns") == 2


def test_hiding_the_menu_is_announced_and_f9_still_opens_it(rig):
    start = rig.folder("start", files=["a.txt"])
    app = rig.start(start)
    app.wait_title(windows_path(start))
    with_menu = app.main()

    app.key("F9", "Right", "Right", "Right", "Down", "Down", "Return")  # "Always show menu"
    box = app.message_box("Hide menu")
    assert box.text == "Menu will be hidden. Use F9 to show menu."
    box.answer("Return")
    without = poll(lambda: (lambda m: m if m.client[3] - m.client[1] >
                            with_menu.client[3] - with_menu.client[1] else None)(app.main()),
                   10, "the client area to grow by the menu bar")
    assert without.rect == with_menu.rect

    app.key("F9")
    poll(lambda: app.main().client[3] - app.main().client[1] <
         without.client[3] - without.client[1], 10, "F9 to bring the menu bar back while it is used")
    app.key("Escape", "Escape")
    poll(lambda: app.main().client == without.client, 10, "the bar to go again after the menu")


def test_toolbar_click_on_the_shared_edge_runs_back_only(rig):
    left = rig.folder("left", folders=["sub"])
    right = rig.folder("right", files=["r.txt"])
    rig.save_configuration(left / "sub", right)
    app = rig.start(rig.folder("elsewhere"))
    app.wait_title(windows_path(left / "sub"))
    main = app.main()
    rig.x.click(main.client[0] + 64, main.client[1] + 10)
    app.wait_title(windows_path(left))
    assert not [w for w in app.windows() if w.cls == POPUP_MENU and w.visible], \
        "the click at x = 64 also opened the location menu"


def test_right_drag_selects_a_run_and_copy_takes_exactly_it(rig):
    names = [f"a{i}.bin" for i in range(1, 7)]
    left = rig.folder("left", files={name: name * (100 + i) for i, name in enumerate(names)})
    right = rig.folder("right")
    rig.save_configuration(left, right, SortPanelLeft=1000, ModePanelLeft=1002)
    app = rig.start(rig.folder("elsewhere"))
    app.wait_title(windows_path(left))
    panel_left, _ = app.panels()
    shot = wait_active_title(app, panel_left, "left")

    def right_drag(y_from, y_to):
        rig.x.run("xdotool", "mousemove", "--sync", str(x), str(y_from), "mousedown", "3",
                  "mousemove", "--sync", str(x), str(y_to), "mouseup", "3")

    # Press on a2, drag down to a4: three items selected. Pressed again on a selected item
    # (a3) and dragged to a4, both are deselected and a2 stays.
    x, y_a2 = row_centre(shot, panel_left, 2)
    _, y_a3 = row_centre(shot, panel_left, 3)
    _, y_a4 = row_centre(shot, panel_left, 4)
    right_drag(y_a2, y_a4)
    right_drag(y_a3, y_a4)  # a second press soon after the first: a double click to Windows
    app.key("F5")
    prompt = app.message_box("Copy")
    assert prompt.text.startswith("Copy a2.bin to:")
    prompt.answer("Escape")
    right_drag(y_a3, y_a4)  # a3 was clear: this drag selects again
    app.key("F5")
    prompt = app.message_box("Copy")
    assert prompt.text.startswith("Copy 3 items to:")
    prompt.answer("Return")

    copied = [left / name for name in names[1:4]]
    poll(lambda: all((right / p.name).exists() for p in copied), 30, "the three files copied")
    for source in copied:
        poll(lambda: digest(right / source.name) == digest(source), 10, f"{source.name} complete")
    assert sorted(p.name for p in right.iterdir()) == sorted(p.name for p in copied)
    history = saved_key(rig, KEY + "\\History\\Copy", "Item0")
    assert history.text("Item0").rstrip("\\") == windows_path(right)


def test_make_folder_creates_a_chain_and_remembers_it(rig):
    start = rig.folder("start")
    app = rig.start(start)
    app.wait_title(windows_path(start))
    app.key("F7")
    prompt = app.message_box("Make folder")
    rig.x.focus(prompt.xid())
    rig.x.type("a\\b\\c")
    prompt.answer("Return")
    poll(lambda: (start / "a" / "b" / "c").is_dir(), 20, "the folder chain a\\b\\c")
    history = saved_key(rig, KEY + "\\History\\CreateFolder", "Item0")
    assert history.text("Item0") == "a\\b\\c"
    # The cursor is on "a": Enter opens it.
    app.key("Return")
    app.wait_title(windows_path(start / "a"))


def test_gray_plus_selects_by_mask_and_folders_stay_out(rig):
    left = rig.folder("left", files=["one.txt", "two.txt", "three.doc"], folders=["sub.txt"])
    right = rig.folder("right")
    rig.save_configuration(left, right)
    app = rig.start(rig.folder("elsewhere"))
    app.wait_title(windows_path(left))
    app.key("KP_Add")
    prompt = app.message_box("Select file(s)")
    rig.x.focus(prompt.xid())
    rig.x.key("ctrl+a", "BackSpace")
    rig.x.type("*.txt")
    prompt.answer("Return")
    app.key("F5")
    copy = app.message_box("Copy")
    assert copy.text.startswith("Copy 2 items to:")
    copy.answer("Return")
    poll(lambda: sorted(p.name for p in right.iterdir()) == ["one.txt", "two.txt"], 30,
         "only the two .txt files copied")
