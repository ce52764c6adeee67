"""The viewer in place of the panels: what F3 shows and copies, Hex mode, leaving, positions
kept between openings, files that cannot be opened, and files of several GiB (End, following
a growing file, searching across a block border)."""

import time

from norvane_e2e import poll, windows_path
from norvane_e2e.xserver import Timeout

CRLF = "\r\n"
GIB = 1 << 30


def lines(*texts):
    return "".join(text + CRLF for text in texts)


def write(path, data):
    path.write_bytes(data if isinstance(data, bytes) else data.encode("utf-8"))


def sparse(path, size, pieces):
    """A file of size bytes, zeros except for pieces (offset -> bytes); holes stay holes."""
    with open(path, "wb") as f:
        f.truncate(size)
        for offset, data in pieces.items():
            f.seek(offset)
            f.write(data)


def start_viewer_rig(rig, files):
    """Norvane with its left panel on a folder of files (name -> content), sorted by name."""
    folder = rig.folder("files")
    for name, data in files.items():
        if callable(data):
            data(folder / name)
        else:
            write(folder / name, data)
    # No re-reads behind the test's back: a file is removed under the cursor on purpose.
    rig.save_configuration(folder, rig.folder("right"), SortPanelLeft=1000, ModePanelLeft=1002,
                           PanelAutoUpdatePanels=False)
    app = rig.start(rig.folder("elsewhere"))
    app.wait_title(windows_path(folder))
    return app, folder


def view(app, index, name):
    """F3 on the index-th item below ".."; waits for the viewer's caption."""
    app.key("Home", *["Down"] * index, "F3")
    app.wait_title(f"View {name}")


def copy_screen(rig, app, keys=("ctrl+a", "ctrl+c"), want=None, timeout=15):
    """Selects the whole screen, copies it and returns the clipboard's exact text; with want,
    waits until that text holds it."""
    seen = []

    def read():
        app.key(*keys)
        seen.append(rig.spy.clipboard(rig.prefix))
        return want is None or want in seen[-1]
    try:
        poll(read, timeout, f"the copied screen to hold {want!r}", interval=0.2)
    except Timeout:
        raise Timeout(f"the copied screen holds {seen[-1]!r}, not {want!r}") from None
    return seen[-1]


def test_texts_copy_exactly_hex_rows_leaving_positions_and_a_vanished_file(rig):
    plain = lines("first line", "", "\tsecond line, tab first", "the end")
    utf8 = lines("Привет, мир", "Ελληνικά γράμματα", "漢字とかな", "Ёлка и ёж")
    utf16 = lines("plain ascii in utf-16", "и кириллица тоже", "a b c d e", "one more line")
    long_text = lines(*(f"line {i:04d}" for i in range(600)))
    app, folder = start_viewer_rig(rig, {
        "a_plain.txt": plain,
        "b_utf8.txt": utf8,
        "c_utf16.txt": utf16.encode("utf-16-le"),
        "d_long.txt": long_text,
        "e_gone.txt": "soon removed\r\n",
    })

    view(app, 1, "a_plain.txt")
    assert not any(p.visible for p in app.panels())
    assert copy_screen(rig, app, want="the end") == plain.replace("\t", " ")
    # Dragged from the lower right to the upper left, the same cells as the other way round.
    left, top, _, _ = app.children()["WC_NRVVIEWER"].rect
    drags = []
    for (x0, y0), (x1, y1) in ((3, 25), (60, 60)), ((60, 60), (3, 25)):
        rig.x.run("xdotool", "mousemove", "--sync", str(left + x0), str(top + y0), "mousedown", "1",
                  "mousemove", "--sync", str(left + x1), str(top + y1), "mouseup", "1")
        drags.append(copy_screen(rig, app, keys=("ctrl+c",)))
    assert drags[0] == drags[1] and drags[0].startswith("first line\r\n"), drags
    # Hex: rows of offset, two groups of eight bytes split by a bar, then the characters.
    app.key("F4")
    hex_rows = copy_screen(rig, app, want="0000000000: ").split(CRLF)
    assert hex_rows[0] == ("0000000000: 66 69 72 73 74 20 6C 69 \u2502 6E 65 0D 0A 0D 0A "
                           "09 73  first line\u266a\u25d9\u266a\u25d9\u25cbs")
    assert hex_rows[1].startswith("0000000010: 65 63 6F 6E 64 20 6C 69 ")
    app.key("F4", "Escape")
    app.wait_title(windows_path(folder))
    left, right = app.panels()
    assert left.visible and right.visible
    # The cursor stayed on the viewed file: Ctrl+C copies its full path.
    app.key("ctrl+c")
    assert rig.spy.clipboard(rig.prefix) == windows_path(folder / "a_plain.txt") + CRLF

    view(app, 2, "b_utf8.txt")
    assert copy_screen(rig, app, want="Ёлка") == utf8
    app.key("Escape")
    view(app, 3, "c_utf16.txt")
    assert copy_screen(rig, app, want="one more") == utf16
    app.key("Escape")

    # Positions: the stored top comes back; beyond a file that shrank, the start.
    view(app, 4, "d_long.txt")
    app.x.run("xdotool", "click", "--repeat", "3", "5")  # the wheel, towards the user
    assert copy_screen(rig, app, want="line 0003").startswith("line 0003\r\n")
    app.key(*["Next"] * 5, "Down", "Down")
    top = copy_screen(rig, app).split(CRLF)[0]
    assert top.startswith("line 0") and top != "line 0000"
    app.key("Escape")
    app.wait_title(windows_path(folder))
    view(app, 4, "d_long.txt")
    assert copy_screen(rig, app, want=top).split(CRLF)[0] == top
    app.key("Escape")
    app.wait_title(windows_path(folder))
    write(folder / "d_long.txt", lines("short now", "two lines"))
    view(app, 4, "d_long.txt")
    assert copy_screen(rig, app, want="short now") == lines("short now", "two lines")
    app.key("Escape")
    app.wait_title(windows_path(folder))

    # Removed after the cursor was put on it: the message, and the panels stay.
    app.key("Home", *["Down"] * 5)
    (folder / "e_gone.txt").unlink()
    app.key("F3")
    box = app.message_box("Norvane 1.0.0")
    assert box.text.startswith('Text viewer: Cannot open file "e_gone.txt"'), box.text
    box.answer("Return")
    left, right = app.panels()
    assert left.visible and right.visible
    assert app.title() == windows_path(folder)


def test_files_of_several_gib_end_follow_and_search_across_a_block_border(rig):
    head = lines(*(f"head {i}" for i in range(40))).encode()
    big_last = b"\r\nthe very last line of eight GiB\r\n"
    needle_at = GIB - 3  # "findme" straddles the 8192-byte border at 1 GiB
    app, folder = start_viewer_rig(rig, {
        "a_big.txt": lambda p: sparse(p, 8 * GIB, {0: head, 8 * GIB - len(big_last): big_last}),
        "b_search.txt": lambda p: sparse(p, GIB + 4096, {0: head, needle_at - 2: b"\r\nfindme\r\n"}),
        "c_grow.txt": lines(*(f"row {i}" for i in range(100))),
    })

    view(app, 1, "a_big.txt")
    app.key("End")
    assert copy_screen(rig, app, want="eight GiB").endswith("the very last line of eight GiB\r\n")
    app.key("Home")
    assert copy_screen(rig, app, want="head 0").startswith("head 0\r\nhead 1\r\n")
    app.key("Escape")

    view(app, 2, "b_search.txt")
    app.key("F7")
    dialog = poll(lambda: app.x_window("Search text"), 15, "the search dialog")
    rig.x.focus(dialog)
    rig.x.key("ctrl+a", "BackSpace", "Return")
    box = app.message_box("Search text")
    assert box.text == "No text entered"
    box.answer("Return")
    rig.x.focus(dialog)
    rig.x.type("FindMe")
    rig.x.key("Return")
    # After a hit the button reads "Next"; the hit's line is the third row of the screen.
    poll(lambda: any(w.cls == "Button" and w.text == "Next" for w in app.windows()), 60,
         "the search to end with a hit")
    rig.x.focus(dialog)
    rig.x.key("Escape")
    poll(lambda: app.x_window("Search text") is None, 15, "the search dialog to close")
    screen = copy_screen(rig, app, want="findme", timeout=60).split(CRLF)
    assert screen[2] == "findme", screen[:4]
    app.key("Escape")

    # End follows the file as it grows, until another key.
    grow = folder / "c_grow.txt"
    view(app, 3, "c_grow.txt")
    app.key("End")
    copy_screen(rig, app, want="row 99")
    with open(grow, "ab") as f:
        f.write(b"appended row\r\n")
    appended = time.monotonic()
    seen_after = []

    def shown():
        seen_after.append(time.monotonic() - appended)
        return "appended row" in copy_screen(rig, app)
    poll(shown, 10, "the appended row")
    assert seen_after[-1] <= 3.0, f"the appended row showed after {seen_after[-1]:.1f} s"
    app.key("Left")  # a move ends following
    with open(grow, "ab") as f:
        f.write(b"second appended row\r\n")
    # Watched over two periods of the follow timer, which must not run any more.
    watched = time.monotonic()
    while time.monotonic() - watched < 4.5:
        assert "second appended row" not in copy_screen(rig, app)
    app.key("Escape")
    app.wait_title(windows_path(folder))
