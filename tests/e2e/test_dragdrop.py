"""Dragging files between the panels with the left button, files dropped on a panel by
another program (dropsource.c under the same Wine), and files dragged onto another program
(droptarget.c).

What Wine 8 does here: its OLE drag loop takes over the mouse until the button goes up, drops
only on windows registered with RegisterDragDrop, and finds targets of another process by the
window; a key pressed during the drag reaches the loop in the thread's queue, so Escape
cancels. Without a compositing manager under Xvfb the half-transparent drag window shows
opaque."""

import hashlib
import os

import pytest

from norvane_e2e import DropSource, DropTarget, poll
from norvane_e2e.checks import rows, selected_pixels
from test_file_operations import start

WORK = 30  # seconds a copy of these tests may take


def digest(path):
    return hashlib.sha256(path.read_bytes()).hexdigest()


def middle(panel):
    left, top, right, bottom = panel.client
    return (left + right) // 2, (top + bottom) // 2


def press_and_move(app, start, end, steps=6):
    """The left button pressed at start and the pointer moved to end in steps, still held."""
    app.x.run("xdotool", "mousemove", "--sync", *map(str, start), "mousedown", "1")
    for i in range(1, steps + 1):
        x = start[0] + (end[0] - start[0]) * i // steps
        y = start[1] + (end[1] - start[1]) * i // steps
        app.x.run("xdotool", "mousemove", "--sync", str(x), str(y))


def release(app):
    app.x.run("xdotool", "mouseup", "1")


def drag_window(app):
    """The text of the window that follows the pointer during a drag, or None."""
    return next((w.text for w in app.windows() if w.top == 0 and w.cls == "Static" and w.visible
                 and w.text.startswith(("Copy:", "Extract:"))), None)


def arrived(folder, names):
    return lambda: all((folder / name).is_file() for name in names)


def drag_all_to_another_program(app, rig, panel_left, panel_right):
    """Every item of the left panel dragged onto another program's window over the right
    panel; what it got, each path checked to name an existing file in the private folder."""
    process, report = DropTarget(rig.dir.parent).show(rig.prefix, panel_right.client,
                                                      rig.folder("droptarget"))
    held = False
    try:
        app.key("ctrl+a")
        # Away from where the earlier drag was pressed: two presses on one spot within the
        # double-click time open the item under the cursor instead of dragging.
        x, y = middle(panel_left)
        press_and_move(app, (x - 40, y + 40), middle(panel_right))
        held = True
        poll(lambda: drag_window(app), WORK, "the drag window after the copies")
        release(app)
        held = False
        dropped = poll(lambda: DropTarget.dropped(report), WORK, "the drop on the other program")
    finally:
        # The X server outlives the test: a button left down would swallow the next test's clicks.
        if held:
            release(app)
        if process.poll() is None:
            process.kill()
    assert all(d["exists"] and "\\Temp\\Norvane-" in d["path"] for d in dropped), dropped
    return dropped


def test_three_selected_files_dragged_to_the_other_panel_arrive_intact(rig):
    names = ["a1.txt", "a2.txt", "a3.txt"]
    left = rig.folder("left", files={**{n: os.urandom(5000 + i).hex() for i, n in enumerate(names)},
                                     "stays.txt": "stays\n"})
    right = rig.folder("right")
    app = start(rig, left, right)
    panel_left, panel_right = app.panels()
    app.key("Down", "Insert", "Insert", "Insert")
    poll(lambda: selected_pixels(app, panel_left) > 100, 10, "the three items drawn selected")

    press_and_move(app, middle(panel_left), middle(panel_right))
    text = poll(lambda: drag_window(app), 15, "the drag window")
    assert text == "Copy:\r\n1. a1.txt\r\n2. a2.txt\r\n3. a3.txt\r\n"
    release(app)

    poll(arrived(right, names), WORK, "the three files in the right folder")
    poll(lambda: drag_window(app) is None, 15, "the drag window gone")
    assert sorted(p.name for p in right.iterdir()) == names
    assert all(digest(right / n) == digest(left / n) for n in names)
    rows(app, panel_right, 4)
    # The program goes on taking keys: the next drag takes the new selection only.
    app.key("ctrl+u", "End", "Insert")
    x, y = middle(panel_left)  # not the first press's spot, or the two could make a double click
    press_and_move(app, (x, y + 40), middle(panel_right))
    assert poll(lambda: drag_window(app), 15, "the drag window") == "Copy:\r\n1. stays.txt\r\n"
    release(app)
    poll(arrived(right, ["stays.txt"]), WORK, "the cursor item in the right folder")


def test_twenty_five_files_escape_and_a_release_over_the_source_copy_nothing(rig):
    names = [f"f{i:02d}.txt" for i in range(1, 26)]
    left = rig.folder("left", files=names)
    right = rig.folder("right")
    app = start(rig, left, right)
    panel_left, panel_right = app.panels()
    app.key("ctrl+a")
    poll(lambda: selected_pixels(app, panel_left) > 100, 10, "the items drawn selected")

    # Escape ends the drag before the release.
    press_and_move(app, middle(panel_left), middle(panel_right))
    lines = poll(lambda: drag_window(app), 15, "the drag window").split("\r\n")
    assert lines[0] == "Copy:" and lines[1] == "1. f01.txt" and lines[20] == "20. f20.txt"
    assert lines[21:] == ["...", "Total: 25 items"]
    app.x.key("Escape")
    poll(lambda: drag_window(app) is None, 15, "the drag window gone after Escape")
    release(app)

    # Over the other panel and back: released over the panel it came from. Each drag starts on
    # another row: two presses on one spot in quick succession are a double click, which opens
    # the item.
    x, y = middle(panel_left)
    press_and_move(app, (x, y - 40), middle(panel_right))
    poll(lambda: drag_window(app), 15, "the drag window")
    app.x.run("xdotool", "mousemove", "--sync", str(x), str(y - 20))
    release(app)
    poll(lambda: drag_window(app) is None, 15, "the drag window gone after the release")

    # A drag that does copy, after both: only its file arrives.
    app.key("ctrl+u", "End", "Insert")
    press_and_move(app, (x, y + 40), middle(panel_right))
    poll(lambda: drag_window(app), 15, "the drag window")
    release(app)
    poll(arrived(right, ["f25.txt"]), WORK, "the last file in the right folder")
    assert [p.name for p in right.iterdir()] == ["f25.txt"]


def test_other_programs_drop_files_also_when_dragging_out_is_off(rig):
    dropsource = DropSource(rig.dir.parent)  # built beside winspy
    left = rig.folder("left", files=["mine.txt"])
    right = rig.folder("right")
    outside = rig.folder("outside", files={"wide \u0444\u0430\u0439\u043b.txt": "wide\n",
                                           "ansi.txt": "ansi\n", "second.txt": "second\n", "aux.txt": "dev\n"})
    app = start(rig, left, right, PanelAllowDragdrop=False)
    panel_left, panel_right = app.panels()

    # No drag starts: no window, and nothing arrives with the next drop.
    press_and_move(app, middle(panel_left), middle(panel_right))
    assert drag_window(app) is None
    release(app)

    # A name that has gone: Wine's shell then copies nothing and says nothing; the next drop
    # shows the program still takes them.
    result = dropsource.drop(rig.prefix, middle(panel_right), [outside / "gone.txt"])
    assert result["effect"] == 1, result  # a copy
    wide = outside / "wide \u0444\u0430\u0439\u043b.txt"
    # A name Windows reads as a device is skipped with a report naming it; the rest goes on.
    dropsource.drop(rig.prefix, middle(panel_right), [outside / "aux.txt", wide])
    report = app.message_box("Norvane 1.0.0")
    assert "aux.txt: name is a device name" in report.text, report.text
    assert "wide" not in report.text, report.text
    report.answer("Return")
    poll(arrived(right, [wide.name]), WORK, "the wide name in the right folder")
    result = dropsource.drop(rig.prefix, middle(panel_right),
                             [outside / "ansi.txt", outside / "second.txt"], wide=False)
    poll(arrived(right, ["ansi.txt", "second.txt"]), WORK, "the ANSI list in the right folder")
    assert sorted(p.name for p in right.iterdir()) == sorted(["ansi.txt", "second.txt", wide.name])
    assert (right / wide.name).read_text() == "wide\n"
    rows(app, panel_right, 4)


def test_five_thousand_files_dropped_at_once_and_a_drop_during_their_copy_all_arrive(rig):
    outside = rig.folder("outside")
    names = [f"n{i:04d}.txt" for i in range(5000)]
    for name in names:
        (outside / name).write_text(name)
    right = rig.folder("right")
    app = start(rig, rig.folder("left"), right)
    late = rig.folder("late", files={"late1.txt": "late one\n", "late2.txt": "late two\n"})
    source = DropSource(rig.dir.parent)
    source.drop(rig.prefix, middle(app.panels()[1]), [outside / n for n in names])
    # A second drop while that copy still runs is carried out too.
    poll(lambda: len(list(right.iterdir())) > 0, 600, "the first copy under way", interval=0.2)
    source.drop(rig.prefix, middle(app.panels()[1]), [late / "late1.txt", late / "late2.txt"])
    poll(lambda: len(list(right.iterdir())) == len(names) + 2, 600, "every dropped file in the folder",
         interval=1)
    poll(lambda: all((right / n).read_text() == n for n in names[::250]), WORK, "the files complete")
    assert (right / "late2.txt").read_text() == "late two\n"
    assert app.running()


def test_two_files_dragged_out_of_an_archive_panel_are_extracted(rig):
    import subprocess
    archives = rig.folder("archives")
    sources = rig.folder("sources", files={"x.txt": "x\n", "y.txt": "y\n", "z.txt": "z\n"})
    subprocess.run(["7zz", "a", "-bd", "-bso0", str(archives / "three.7z"), "x.txt", "y.txt",
                    "z.txt"], cwd=sources, check=True, capture_output=True)
    right = rig.folder("right")
    app = start(rig, archives, right)
    panel_left, panel_right = app.panels()
    app.key("Down", "Return")  # into three.7z: "..", x.txt, y.txt, z.txt
    rows(app, panel_left, 4)
    app.key("Down", "Insert", "Insert")
    press_and_move(app, middle(panel_left), middle(panel_right))
    assert poll(lambda: drag_window(app), 15, "the drag window") == \
        "Extract:\r\n1. x.txt\r\n2. y.txt\r\n"
    release(app)
    poll(arrived(right, ["x.txt", "y.txt"]), WORK, "the two files extracted")
    assert sorted(p.name for p in right.iterdir()) == ["x.txt", "y.txt"]

    # Another program gets files that are there, not paths inside the archive.
    dropped = drag_all_to_another_program(app, rig, panel_left, panel_right)
    assert [d["path"].rsplit("\\", 1)[1] for d in dropped] == ["x.txt", "y.txt", "z.txt"]
    assert [bytes.fromhex(d["head"]) for d in dropped] == [b"x\n", b"y\n", b"z\n"]


def test_files_dragged_out_of_an_ftp_panel_are_downloaded(rig):
    from norvane_e2e.ftp_server import FtpServer
    from test_ftp import open_url
    server = FtpServer(rig.dir / "files" / "server", rig.dir / "ftp")
    try:
        (server.home / "one.txt").write_text("one\n")
        (server.home / "two.bin").write_bytes(os.urandom(300000))
        server.start()
        right = rig.folder("right")
        app = start(rig, rig.folder("left"), right)
        panel_left, panel_right = app.panels()
        open_url(app, "alt+F1", server.address, FtpServer.user, FtpServer.password)
        rows(app, panel_left, 2)  # the root has no ".."
        app.key("ctrl+a")
        press_and_move(app, middle(panel_left), middle(panel_right))
        assert poll(lambda: drag_window(app), 15, "the drag window") == \
            "Copy:\r\n1. one.txt\r\n2. two.bin\r\n"
        release(app)
        poll(arrived(right, ["one.txt", "two.bin"]), WORK, "both files downloaded")
        poll(lambda: digest(right / "two.bin") == digest(server.home / "two.bin"), WORK,
             "two.bin complete")
        assert (right / "one.txt").read_text() == "one\n"

        # Another program gets the downloaded files, not the server's paths.
        dropped = drag_all_to_another_program(app, rig, panel_left, panel_right)
        assert [d["path"].rsplit("\\", 1)[1] for d in dropped] == ["one.txt", "two.bin"]
        assert bytes.fromhex(dropped[1]["head"]) == (server.home / "two.bin").read_bytes()[:4096]
    finally:
        server.stop()
