"""Compare folders and folder sizes as the user gets them: the selections both panels end up
with (read with Ctrl+Ins), the message, the progress window and Cancel, F5 on the result; the
sizes measured on a worker, used by sort by size, and Escape keeping what was done."""

import os
import subprocess
import time

from norvane_e2e import poll, windows_path
from norvane_e2e.app import MessageBox
from norvane_e2e.checks import wait_active_title
from test_archives import copied, listed

CAPTION = "Compare folders"
NOON = 1_700_000_000  # a fixed time for files that are to compare as the same


def make_files(folder, files):
    """name -> (bytes, Unix time)."""
    for name, (data, stamp) in files.items():
        (folder / name).write_bytes(data)
        os.utime(folder / name, (stamp, stamp))


def selection(app, rig, what):
    """The names Ctrl+Ins copies from the active panel: its selection."""
    return sorted(copied(app, rig, ["ctrl+Insert"], what))


def boxes(app):
    windows = app.windows()
    return [MessageBox(app, w, windows) for w in app.message_boxes(windows)]


def options_dialog(app):
    """The dialog in front of the comparison (the result box has the same caption)."""
    return poll(lambda: next((b for b in boxes(app) if b.caption == CAPTION and "By content" in b.buttons),
                             None), 15, "the Compare folders dialog")


def start_compare(app, rig, by_content):
    app.key("ctrl+F2")
    dialog = options_dialog(app)
    rig.x.focus(dialog.xid())
    rig.x.key(*(["alt+c"] if by_content else []), "Return")


def compare(app, rig, by_content=False):
    """Ctrl+F2 with the dialog's defaults or By content; the result box's text, answered."""
    start_compare(app, rig, by_content)
    result = poll(lambda: next((b for b in boxes(app) if b.caption == CAPTION and b.buttons == ["OK"]),
                               None), 120, "the comparison's result")
    result.answer("Return")
    return result.text


def both_selections(app, rig):
    left = selection(app, rig, "the left selection")
    app.key("Tab")
    right = selection(app, rig, "the right selection")
    app.key("Tab")
    return left, right


def walk(app, *steps):
    """Each step's keys, then the main window's title it leads to. Keys that arrive while a
    panel reads its new folder act on the list still shown, so each step waits for the read."""
    for keys, title in steps:
        app.key(*keys)
        if callable(title):
            poll(lambda: title(app.title()), 15, "the main window title")
        else:
            app.wait_title(title)


def sparse(path, size, last):
    """A file of size bytes that are all zero but the last; made at once."""
    with open(path, "wb") as out:
        out.truncate(size - 1)
        out.seek(size - 1)
        out.write(last)
    os.utime(path, (NOON, NOON))


def test_compare_folders_by_size_and_time_and_by_content_then_copy_the_difference(rig):
    data = b"x" * 300
    left = rig.folder("left", folders=["arch", "big", "pair"])
    right = rig.folder("right", folders=["arch", "big", "pair"])
    make_files(left, {"only-left.txt": (b"left\n", NOON), "newer-left.txt": (b"new left\n", NOON + 600),
                      "newer-right.txt": (b"old\n", NOON), "same.txt": (data, NOON),
                      "differ.bin": (b"A" * 100, NOON), "thing": (b"a file\n", NOON)})
    make_files(right, {"only-right.txt": (b"right\n", NOON), "newer-left.txt": (b"old\n", NOON),
                       "newer-right.txt": (b"new right\n", NOON + 600),
                       "SAME.TXT": (data, NOON + 1), "differ.bin": (b"B" * 100, NOON)})
    (right / "thing").mkdir()
    for folder, last in ((left / "big", b"1"), (right / "big", b"2")):
        for name in ("one.bin", "two.bin"):
            sparse(folder / name, 1 << 29, last)
    make_files(left / "pair", {"a.txt": (b"newer\n", NOON + 600), "b.txt": (b"only left\n", NOON)})
    make_files(right / "pair", {"a.txt": (b"older\n", NOON)})
    make_files(left / "arch", {"x.txt": (b"same\n", NOON), "y.txt": (b"newer\n", NOON + 600)})
    subprocess.run(["7zz", "a", "-bd", "-bso0", "-t7z", "pack.7z", "x.txt", "y.txt"], cwd=left / "arch",
                   check=True, stdin=subprocess.DEVNULL, capture_output=True)
    for name in ("x.txt", "y.txt"):
        (left / "arch" / name).unlink()
    make_files(right / "arch", {"x.txt": (b"same\n", NOON), "y.txt": (b"older\n", NOON),
                                "z.txt": (b"only right\n", NOON)})
    rig.save_configuration(left, right, SortPanelLeft=1000, SortPanelRight=1000)
    app = rig.start(rig.folder("elsewhere"))
    app.wait_title(windows_path(left))
    wait_active_title(app, app.panels()[0])

    # Same size and time within 2 seconds (and names that differ in case) is identical; a file
    # facing a folder of its name is selected on both sides; folders on both sides are not.
    assert compare(app, rig) == ("Left: 1 newer, 2 only here. Right: 1 newer, 2 only here. "
                                 "2 identical.")
    assert both_selections(app, rig) == (["newer-left.txt", "only-left.txt", "thing"],
                                         ["newer-right.txt", "only-right.txt", "thing"])
    # By content the same-sized pair with different bytes and equal times is selected on both.
    assert compare(app, rig, by_content=True) == (
        "Left: 1 newer, 2 only here, 1 different. Right: 1 newer, 2 only here, 1 different. "
        "1 identical.")
    assert both_selections(app, rig) == (["differ.bin", "newer-left.txt", "only-left.txt", "thing"],
                                         ["differ.bin", "newer-right.txt", "only-right.txt", "thing"])

    # 1 GiB in two sparse files per side, each pair differing in its last byte: the progress
    # window comes, Cancel leaves both selections as they were (one file selected on each).
    into = ["Home", "Down", "Down", "Return"]  # .., arch, big
    walk(app, (into, windows_path(left / "big")))
    app.key("Down", "Insert")
    walk(app, (["Tab"], windows_path(right)), (into, windows_path(right / "big")))
    app.key("Down", "Down", "Insert")
    walk(app, (["Tab"], windows_path(left / "big")))
    before = both_selections(app, rig)
    assert before == (["one.bin"], ["two.bin"])
    start_compare(app, rig, by_content=True)
    # The window shows before its first count is drawn: wait for the count, not just the window.
    progress = poll(lambda: next((b for b in boxes(app) if b.caption == CAPTION and b.buttons == ["Cancel"]
                                  and "of 1 073 741 824" in b.text.replace("\n", " ")), None),
                    30, "the progress window with its byte count")
    progress.click("Cancel")
    poll(lambda: not boxes(app), 30, "the progress window to close without a result")
    assert both_selections(app, rig) == before

    # F5 right after copies what the other side lacks or has older; then they are the same.
    # Back on big, pair below it.
    walk(app, (["BackSpace"], windows_path(left)), (["Down", "Return"], windows_path(left / "pair")),
         (["Tab", "BackSpace"], windows_path(right)), (["Down", "Return"], windows_path(right / "pair")),
         (["Tab"], windows_path(left / "pair")))
    assert compare(app, rig) == "Left: 1 newer, 1 only here."
    app.key("F5")
    poll(lambda: next((b for b in boxes(app) if b.caption == "Copy"), None), 15, "the copy prompt")
    deadline = time.monotonic() + 60
    while (right / "pair" / "a.txt").read_bytes() != b"newer\n" or not (right / "pair" / "b.txt").exists():
        assert time.monotonic() < deadline, "the copy to end"
        for box in boxes(app)[:1]:
            box.answer("Return")  # the prompt, then the shell's question to replace a.txt
    assert compare(app, rig) == "The folders hold the same files."

    # An archive against a local folder: sizes and times, even when contents are asked for.
    in_archive = lambda title: "pack.7z" in title  # noqa: E731
    walk(app, (["BackSpace"], windows_path(left)), (["Home", "Down", "Return"], windows_path(left / "arch")),
         (["Down", "Return"], in_archive), (["Tab", "BackSpace"], windows_path(right)),
         (["Home", "Down", "Return"], windows_path(right / "arch")), (["Tab"], in_archive))
    assert compare(app, rig, by_content=True) == "Left: 1 newer. Right: 1 only here. 1 identical."
    assert both_selections(app, rig) == (["y.txt"], ["z.txt"])


def folder_sizes_end(app):
    """The box the measuring ends with when a folder could not be read; answered."""
    box = poll(lambda: next((b for b in boxes(app) if b.caption == "Calculate folder sizes"), None),
               120, "the end of the measuring")
    box.answer("Return")
    return box.text


def test_folder_sizes_sort_by_size_and_escape_keeps_the_finished_ones(rig):
    # Unreadable under Wine: folders without permissions, read by a wineserver without root's
    # right to read anything (the server opens files for the program).
    left = rig.folder("left", folders=["empty", "locked", "nested", "nested/inner"])
    (left / "nested" / "a.bin").write_bytes(b"a" * 1000)
    (left / "nested" / "inner" / "b.bin").write_bytes(b"b" * 2000)
    (left / "locked" / "hidden.bin").write_bytes(b"h" * 5000)
    (left / "file.bin").write_bytes(b"f" * 1500)
    right = rig.folder("right", folders=["0-locked", "a-quick", "b-huge"])
    (right / "a-quick" / "q.bin").write_bytes(b"q" * 10)
    for i in range(150):
        for j in range(200):
            os.makedirs(right / "b-huge" / str(i) / str(j))
    for locked in (left / "locked", right / "0-locked"):
        locked.chmod(0)
    server = subprocess.Popen(["setpriv", "--bounding-set=-dac_override,-dac_read_search", "wineserver", "-f", "-p"],
                              env=rig.prefix.env(), stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                              stderr=subprocess.DEVNULL, start_new_session=True)
    try:
        rig.save_configuration(left, right, SortPanelLeft=1000, SortPanelRight=1000)
        app = rig.start(rig.folder("elsewhere"))
        app.wait_title(windows_path(left))
        wait_active_title(app, app.panels()[0])

        # Without sizes folders sort by name before the files; with them, among the files.
        app.key("alt+shift+Return")
        assert folder_sizes_end(app) == "Folders that could not be read were skipped: 1."
        app.key("ctrl+F6")
        assert listed(app, rig, "the left panel by size") == ["locked", "empty", "file.bin", "nested"]

        app.key("Tab", "alt+shift+Return")
        by_size = ["ctrl+F6", "ctrl+a", "ctrl+Insert", "ctrl+u"]
        poll(lambda: copied(app, rig, by_size, "the right panel by size") == ["0-locked", "b-huge", "a-quick"],
             60, "a-quick measured while b-huge is not")
        app.key("Escape")
        assert folder_sizes_end(app) == "Folders that could not be read were skipped: 1."
        # b-huge stays without a size: sorted by name among the unmeasured, a-quick keeps its.
        assert copied(app, rig, by_size, "the right panel by size") == ["0-locked", "b-huge", "a-quick"]
        # A re-read forgets the sizes: by size, every folder is unmeasured again.
        app.key("ctrl+r")
        assert copied(app, rig, by_size, "the right panel read again") == ["0-locked", "a-quick", "b-huge"]
    finally:
        for locked in (left / "locked", right / "0-locked"):
            locked.chmod(0o755)
        rig.prefix.kill()
        server.wait(30)
