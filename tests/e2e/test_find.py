"""Find files on the real program: a tree with the text only across an 8 KB boundary, in
another letter case, in binary files and in UTF-16; the results as a temporary panel, Go to
(also into a 7z, past a damaged archive and one whose names need a password: counted, never asked
about), the area and folder switches, and Cancel with its question while a long search runs."""

import subprocess

from norvane_e2e import poll, windows_path
from norvane_e2e.checks import wait_active_title
from test_archives import copied, cursor_item

QUERY, CONTROLS_AFTER_AREA = "Find files", ["case", "whole words", "folders", "archives"]


def make_tree(rig):
    root = rig.folder("tree", folders=["sub", "box.txt"])
    (root / "sub" / "deep").mkdir()
    (root / "plain.txt").write_bytes(b"one needle here")
    (root / "upper.txt").write_bytes(b"NEEDLE in capitals")
    (root / "boundary.txt").write_bytes(b"x" * 8189 + b"needle" + b"y" * 100)
    (root / "boundary64.txt").write_bytes(b"x" * 65533 + b"needle" + b"y" * 100)  # one read
    (root / "sub" / "deep" / "nested.txt").write_bytes(b"the needle, nested")
    (root / "sub" / "other.txt").write_bytes(b"nothing to see")
    (root / "wide.txt").write_bytes("a needle in UTF-16".encode("utf-16-le"))
    (root / "noise.txt").write_bytes(bytes(range(256)) * 64)
    (root / "binary.txt").write_bytes(bytes(range(256)) * 40 + b"needle" + bytes(range(256)))
    (root / "needle.dat").write_bytes(b"needle, but not a .txt")
    work = rig.folder("packed", folders=["inner"])
    (work / "inner" / "found.txt").write_text("packed\n")
    subprocess.run(["7zz", "a", "-bd", "-bso0", "-t7z", str(root / "sub" / "pack.7z"), "inner/found.txt"],
                   cwd=work, check=True, stdin=subprocess.DEVNULL, capture_output=True)
    return root


def start(rig, root):
    rig.save_configuration(root, rig.folder("right"), SortPanelLeft=1000, SortPanelRight=1000)
    app = rig.start(rig.folder("elsewhere"))
    app.wait_title(windows_path(root))
    wait_active_title(app, app.panels()[0])
    return app


def ask(app, mask, text="", area=None, checks=()):
    """Ctrl+F and the query dialog filled in: mask, text, the area typed in its box, the named
    check boxes ticked; OK. Returns the results dialog."""
    app.key("ctrl+f")
    query = app.message_box(QUERY)
    app.x.focus(query.xid())
    app.x.key("ctrl+a", "BackSpace")
    app.x.type(mask)
    app.x.key("Tab")
    app.x.type(text)
    app.x.key("Tab")
    if area:
        app.x.key("ctrl+a", "BackSpace")
        app.x.type(area)
    position = 0
    for check in checks:
        target = CONTROLS_AFTER_AREA.index(check) + 1
        app.x.key(*["Tab"] * (target - position), "space")
        position = target
    app.x.key("Return")
    return app.message_box(f"Find files: {mask}")


def child(app, dialog, cls, text=None):
    return next(w for w in app.windows()
                if w.top == dialog.window.hwnd and w.cls == cls and text in (None, w.text))


def searching_text(app, dialog):
    return app.spy.edit_text(app.prefix, child(app, dialog, "Edit").hwnd)["text"]


def wait_complete(app, dialog, timeout=60, status="Search complete"):
    poll(lambda: searching_text(app, dialog) == status, timeout, status)


def select_first_row(app, dialog):
    left, top, right, _ = child(app, dialog, "SysListView32").rect
    app.x.raise_window(dialog.xid())
    app.x.click(left + 200, top + 30)


def press(app, dialog, button):
    """Clicks a button of a dialog that stays open."""
    window = next(w for w in dialog.button_windows if w.text.replace("&", "") == button)
    app.x.raise_window(dialog.xid())
    left, top, right, bottom = window.rect
    app.x.click((left + right) // 2, (top + bottom) // 2)


def temporary_paths(app, rig):
    """The full paths the temporary panel (the right one) lists, Ctrl+A and Ctrl+C."""
    app.key("Tab")
    return copied(app, rig, ["ctrl+a", "ctrl+c", "ctrl+u"], "the full paths")


def test_mask_and_text_list_exactly_the_files_holding_the_text(rig):
    root = make_tree(rig)
    app = start(rig, root)
    results = ask(app, "*.txt", "needle")
    wait_complete(app, results)
    assert child(app, results, "Static", "6") is not None  # Found files
    results.click("Panel")
    expected = [windows_path(root / name) for name in
                ("binary.txt", "boundary.txt", "boundary64.txt", "plain.txt", "sub/deep/nested.txt",
                 "upper.txt")]
    assert sorted(temporary_paths(app, rig)) == sorted(expected)


def test_area_folders_and_go_to(rig):
    root = make_tree(rig)
    app = start(rig, root)
    results = ask(app, "*.txt", area="The current folder only", checks=["folders"])
    wait_complete(app, results)
    results.click("Panel")
    names = ["binary.txt", "boundary.txt", "boundary64.txt", "box.txt", "noise.txt", "plain.txt", "upper.txt", "wide.txt"]
    assert sorted(temporary_paths(app, rig)) == sorted(windows_path(root / n) for n in names)

    app.key("Tab")  # back to the left panel
    results = ask(app, "nested.txt")
    wait_complete(app, results)
    select_first_row(app, results)
    results.click("Go to")
    app.wait_title(windows_path(root / "sub" / "deep"))
    assert cursor_item(app, rig) == ["nested.txt"]


def test_go_to_a_name_inside_an_archive(rig):
    root = make_tree(rig)
    # A damaged zip and a 7z whose names need a password: the search thread asks and shows
    # nothing, skips both and counts them.
    (root / "sub" / "broken.zip").write_bytes(b"PK\x03\x04" + bytes(range(200)))
    subprocess.run(["7zz", "a", "-bd", "-bso0", "-t7z", "-psecret", "-mhe=on", str(root / "secret.7z"),
                    "inner/found.txt"], cwd=rig.dir / "files" / "packed", check=True, stdin=subprocess.DEVNULL,
                   capture_output=True)
    unread = "Search complete; 2 archives could not be read"
    app = start(rig, root)
    results = ask(app, "found.txt", checks=["archives"])
    wait_complete(app, results, status=unread)
    assert [w.text for w in app.message_boxes()] == [results.caption]
    results.click("Panel")
    assert temporary_paths(app, rig) == [windows_path(root / "sub" / "pack.7z") + "\\inner\\found.txt"]

    app.key("Tab")
    results = ask(app, "found.txt", checks=["archives"])
    wait_complete(app, results, status=unread)
    select_first_row(app, results)
    press(app, results, "Open")  # the name is extracted to the temporary folder and opened there
    copies = lambda: [p for p in rig.prefix.path.rglob("found.txt") if "Temp" in str(p)]  # noqa: E731
    assert poll(copies, 60, "the extracted copy in the temporary folder")[0].read_text() == "packed\n"
    # Handed to the shell: a program opens it, or Wine says it has none for it.
    poll(lambda: [w for w in app.message_boxes() if w.text != results.caption]
         or app.x.search("--name", "found.txt"), 60, "the copy handed to its program")
    for window in app.message_boxes():
        if window.text != results.caption:
            box = app.message_box(window.text)
            assert "found.txt" in box.text, box
            box.answer("Return")
    results.click("Go to")
    assert cursor_item(app, rig) == ["found.txt"]
    assert cursor_item(app, rig, ["Home", "Return"]) == ["inner"]  # ".." leaves inner for the root


def test_cancel_asks_before_ending_a_running_search(rig):
    root = rig.folder("large")
    for i in range(64):  # sparse: 64 GiB to read, nothing on the disk
        with open(root / f"big{i:02d}.bin", "wb") as big:
            big.truncate(1 << 30)
    app = start(rig, root)
    results = ask(app, "*.*", "needle")
    app.x.focus(results.xid())
    app.x.key("Escape")
    question = app.message_box("Question")
    assert question.text == "Abort operation?", question
    question.answer("n")
    assert searching_text(app, results) != "Search complete"
    assert app.message_box("Find files: *.*").window.hwnd == results.window.hwnd

    app.x.focus(results.xid())
    app.x.key("Escape")
    app.message_box("Question").answer("y")
    poll(lambda: all(w.hwnd != results.window.hwnd for w in app.message_boxes()), 15,
         "the results dialog to close")
    app.wait_title(windows_path(root))
