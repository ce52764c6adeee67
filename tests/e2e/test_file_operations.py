"""Copy, move and delete through the shell, the panels following the disk by themselves, the
quit guard while a copy runs, and names on the clipboard.

What Wine 8's shell does with the program's requests: it asks "Confirm file deletion" before
every delete; with the recycle-bin flag it moves the file into the Linux user's trash; it copies
nothing and says nothing when a source has gone or the target folder takes no files."""

import hashlib
import os
import shutil
import subprocess
import time
from pathlib import Path

import pytest

from norvane_e2e import MessageBox, poll, windows_path
from norvane_e2e.checks import (is_dark, listed, rows, selected_pixels, wait_active_title,
                                wait_clipboard)
from norvane_e2e.settings import KEY, STATUS_BACKGROUND

WORK = 30  # seconds a shell operation of these tests may take
TRASH = Path(os.environ.get("XDG_DATA_HOME") or Path.home() / ".local" / "share") / "Trash"


def digest(path):
    return hashlib.sha256(Path(path).read_bytes()).hexdigest()


def start(rig, left, right, **changes):
    """Both panels in full mode sorted by name, without the free space in the totals line (so
    that panels with the same items draw the same totals); the left panel active."""
    rig.save_configuration(left, right, **{
        "SortPanelLeft": 1000, "SortPanelRight": 1000, "ModePanelLeft": 1002,
        "ModePanelRight": 1002, "PanelShowFreeSize": False, **changes})
    app = rig.start(rig.folder("elsewhere"))
    app.wait_title(windows_path(left))
    wait_active_title(app, app.panels()[0])
    return app


def operation(app, key, caption, start, answer="Return"):
    app.key(key)
    box = app.message_box(caption)
    assert box.text.startswith(start), box.text
    box.answer(answer)


def trash():
    return {p.name for p in (TRASH / "files").iterdir()} if (TRASH / "files").is_dir() else set()


def test_copy_move_and_delete_between_the_panels(rig):
    tag = f"norvane-e2e-{os.getpid()}"
    recycled = f"{tag}-recycled.txt"
    names = ["a1.txt", "a2.txt", "a3.txt", "a4.txt"]
    left = rig.folder("left", files={**{n: n * (1000 + 37 * i) for i, n in enumerate(names)},
                                     "doomed.txt": "gone\n", "moved.txt": "moving\n" * 100,
                                     recycled: "to the bin\n"})
    right = rig.folder("right", files=["old.txt"])
    app = start(rig, left, right)
    panel_left, panel_right = app.panels()
    rows(app, panel_right, 2)

    # Three selected, the cursor on a4: no key is pressed after Return, the panels show the
    # new state by themselves.
    app.key("Down", "Insert", "Insert", "Insert")
    poll(lambda: selected_pixels(app, panel_left) > 100, 10, "the three items drawn selected")
    operation(app, "F5", "Copy", "Copy 3 items to:")
    rows(app, panel_right, 5)
    assert sorted(p.name for p in right.iterdir()) == ["a1.txt", "a2.txt", "a3.txt", "old.txt"]
    assert all(digest(right / name) == digest(left / name) for name in names[:3])
    poll(lambda: selected_pixels(app, panel_left) == 0, 10, "the left panel read again")
    copied_to = rig.registry(KEY + "\\History\\Copy").text("Item0")
    assert copied_to.rstrip("\\") == windows_path(right)

    # One file: the prompt proposes the other folder and its name (winspy cannot read an edit
    # control's text under Wine: it is copied out through the clipboard); typed over, the
    # copy takes the new name.
    app.key("Home", *["Down"] * 4, "F5")
    prompt = app.message_box("Copy")
    assert prompt.text.startswith("Copy a4.txt to:")
    rig.x.focus(prompt.xid())
    rig.x.key("Home", "shift+End", "ctrl+c")
    wait_clipboard(rig, [windows_path(right / "a4.txt")], "the proposed destination")
    rig.x.key("End", *["BackSpace"] * len("a4.txt"))
    rig.x.type("renamed.txt")
    prompt.answer("Return")
    poll(lambda: (right / "renamed.txt").is_file() and
         digest(right / "renamed.txt") == digest(left / "a4.txt"), WORK, "the renamed copy")

    moved = digest(left / "moved.txt")
    app.key("Home", *["Down"] * 6)
    operation(app, "F6", "Rename/Move", "Rename/Move moved.txt to:")
    poll(lambda: not (left / "moved.txt").exists(), WORK, "moved.txt moved")
    assert digest(right / "moved.txt") == moved

    trash_before = trash()
    try:
        # Shift+Delete: the shell asks, the file is gone for good. F8 asks for the recycle bin:
        # Wine's shell moves the file to the desktop's trash.
        app.key("Home", *["Down"] * 5)
        operation(app, "shift+Delete", "Confirm file deletion", "")
        poll(lambda: not (left / "doomed.txt").exists(), WORK, "doomed.txt deleted")
        assert "doomed.txt" not in trash() - trash_before
        app.key("End")
        operation(app, "F8", "Confirm file deletion", "")
        poll(lambda: not (left / recycled).exists(), WORK, f"{recycled} deleted")
        assert recycled in trash() - trash_before
        rows(app, panel_left, 5)
    finally:
        for name in trash() - trash_before:
            if name.startswith(tag):
                (TRASH / "files" / name).unlink(missing_ok=True)
                (TRASH / "info" / (name + ".trashinfo")).unlink(missing_ok=True)


def close_box(rig, app):
    """Clicks the close button at the right end of the caption Wine draws."""
    window = app.main()
    frame = window.client[0] - window.rect[0]
    rig.x.click(window.rect[2] - frame - 8, window.rect[1] + frame + 8)


def test_quitting_waits_for_a_running_copy(rig):
    sizes = [16 << 20] * 6  # sparse on the Linux side; the copy writes every byte
    left = rig.folder("left")
    for i, size in enumerate(sizes):
        with open(left / f"big{i}.bin", "wb") as big:
            big.truncate(size)
    # The first copy's target is there already: the shell stops at its own question until the
    # test answers it at the end, so the copy cannot end before the quit guard is tried. (Wine
    # does not open a FIFO as a file, so a source that blocks on reading is no way.)
    right = rig.folder("right", files={"big0.bin": ""})
    app = start(rig, left, right)
    written = lambda: sum(p.stat().st_size for p in right.iterdir())  # noqa: E731
    try:
        app.key("ctrl+a")
        operation(app, "F5", "Copy", "Copy 6 items to:")
        overwrite = app.message_box("Confirm file overwrite")
        poll(lambda: any(right.iterdir()), WORK, "the copy to begin")
        close_box(rig, app)
        app.message_box("Question").answer("Return")
        wait = app.message_box("Information")
        assert wait.text == "Please wait for completion of all file operations"
        assert written() < sum(sizes), "the copy ended before the quit question was answered"
        wait.answer("Return")
        assert app.running()

        overwrite.click("Yes")
        poll(lambda: written() == sum(sizes), 120, "the copy to write every byte")
        # The shell call has returned once the panels are read again: the selection goes.
        poll(lambda: selected_pixels(app, app.panels()[0]) == 0, WORK, "the copy to end")
        close_box(rig, app)
        app.message_box("Question").answer("Return")
        assert app.wait_exit() == 0
    finally:
        shutil.rmtree(right, ignore_errors=True)


def test_panels_follow_new_names_on_disk_and_names_go_to_the_clipboard(rig):
    names = sorted(["Ж-файл.txt", "ελληνικά.txt", "日本語のファイル.txt", "plain.txt",
                    "zürich €.txt", "smile \U0001F600.txt"])
    left = rig.folder("left", files={n: n * 300 for n in names})
    right = rig.folder("right", files=["r1.txt"])
    app = start(rig, left, right)
    panel_left, panel_right = app.panels()

    (right / "made-outside.txt").write_text("from Linux\n")
    rows(app, panel_right, 3)
    # Two items selected; a file of the left folder gets more content, then a file is made on
    # the right. The panels hear of changes in the order they happened, so once the right
    # panel shows the new file, a re-read of the left one (clearing the selection) is due.
    app.key("Down", "Insert", "Insert")
    poll(lambda: selected_pixels(app, panel_left) > 50, 10, "two items drawn selected")
    with open(left / names[0], "a") as grown:
        grown.write("more content\n" * 1000)
    (right / "sentinel.txt").write_text("after the content change\n")
    rows(app, panel_right, 4)
    assert selected_pixels(app, panel_left) > 50, "the content change re-read the left panel"

    app.key("ctrl+a", "ctrl+c")
    wait_clipboard(rig, [windows_path(left / n) for n in names], "Ctrl+C: the full paths")
    app.key("ctrl+Insert")
    wait_clipboard(rig, names, "Ctrl+Ins: the names")
    # Names outside the ANSI code page copy as they are.
    operation(app, "F5", "Copy", f"Copy {len(names)} items to:")
    poll(lambda: all((right / n).is_file() and digest(right / n) == digest(left / n)
                     for n in names), WORK, "every name copied")
    rows(app, panel_right, len(names) + 4)


def totals(shot, panel, width):
    """The pixels of the panel's last status line (the totals), from x 38 over width pixels."""
    left, top, _, bottom = panel.client
    while top < bottom and shot.row(top, left, left + width).count(
            bytes(STATUS_BACKGROUND)) <= width // 2:
        top += 1  # down to the status area
    dark = [y for y in range(top, bottom) if is_dark(shot.row(y, left + 38, left + width))]
    last = [y for y in dark if all(d in dark for d in range(y, dark[-1] + 1))]
    return [shot.row(y, left + 38, left + width) for y in last]


def test_five_thousand_files_copy_completely_and_the_panel_shows_them(rig):
    count = 5000
    left = rig.folder("left")
    for i in range(count):
        (left / f"f{i:04d}.txt").write_bytes(b"%d\n" % i)
    right = rig.folder("right")
    app = start(rig, left, right)
    panel_left, panel_right = app.panels()
    width = panel_right.client[2] - panel_right.client[0] - 40

    def same_totals():
        shot = app.screenshot()
        mine = totals(shot, panel_left, width)
        return mine and mine == totals(shot, panel_right, width)
    assert not same_totals()

    app.key("ctrl+a", "F5")
    prompt = app.message_box("Copy")
    assert prompt.text.startswith(f"Copy {count} items to:")
    rig.x.focus(prompt.xid())
    pressed = time.monotonic()
    rig.x.key("Return")
    # Same items, same fonts: the totals lines then draw the same.
    poll(same_totals, 300, "the right panel's totals to match the left panel's", interval=0.2)
    print(f"\n{count} files: {time.monotonic() - pressed:.1f} s from Return to the panel")
    assert sorted(p.name for p in right.iterdir()) == sorted(p.name for p in left.iterdir())
    assert (right / "f4999.txt").read_bytes() == b"4999\n"


def answer_shell_until(app, done, what):
    """Answers every box the shell shows with Return until done() holds; returns the boxes."""
    seen = []

    def step():
        if done():
            return True
        windows = app.windows()
        for box in app.message_boxes(windows)[:1]:
            seen.append(MessageBox(app, box, windows))
            seen[-1].answer("Return")
    try:
        poll(step, WORK, what, interval=0.1)
    except AssertionError as failure:
        raise AssertionError(f"{failure}; the shell showed {seen}") from None
    return seen


def lock(folder, on):
    """A folder nobody may create files in: immutable for root, else without write permission."""
    if os.geteuid() == 0:
        subprocess.run(["chattr", "+i" if on else "-i", str(folder)], check=True)
    else:
        folder.chmod(0o555 if on else 0o755)


def test_failed_operations_lose_nothing_and_both_panels_are_read_again(rig):
    # Without watchers only the operation's own update brings the panels up to date; files
    # made from Linux meanwhile show whether a panel was read again.
    left = rig.folder("left", files={"keep.txt": "new content\n", "stay.txt": "stays\n",
                                     "vanish.txt": "vanishes\n"})
    right = rig.folder("right", files={"old.txt": "old content\n"})
    app = start(rig, left, right, PanelAutoUpdatePanels=False)
    panel_left, panel_right = app.panels()
    right_read = lambda: len(list(right.iterdir())) + 1 == listed(app, panel_right)  # noqa: E731

    # Into a folder that takes no new files.
    app.key("Down", "Insert")
    poll(lambda: selected_pixels(app, panel_left) > 20, 10, "keep.txt drawn selected")
    (right / "outside.txt").write_text("made meanwhile\n")
    lock(right, True)
    try:
        operation(app, "F5", "Copy", "Copy keep.txt to:")
        print("\ninto a read-only folder the shell showed:", answer_shell_until(
            app, lambda: right_read() and selected_pixels(app, panel_left) == 0,
            "both panels read again"))
    finally:
        lock(right, False)
    assert sorted(p.name for p in right.iterdir()) == ["old.txt", "outside.txt"]
    assert (left / "keep.txt").read_text() == "new content\n"

    # A selected source gone by the time the shell gets to it.
    app.key("Home", "Down", "Down", "Insert", "Insert")  # stay.txt, vanish.txt
    poll(lambda: selected_pixels(app, panel_left) > 20, 10, "two items drawn selected")
    (left / "vanish.txt").unlink()
    (right / "outside2.txt").write_text("made meanwhile\n")
    operation(app, "F5", "Copy", "Copy 2 items to:")
    seen = answer_shell_until(app, lambda: right_read() and selected_pixels(
        app, panel_left) == 0, "both panels read again")
    print("a vanished source: the shell showed", seen, "and the target holds",
          sorted(p.name for p in right.iterdir()))
    assert (left / "stay.txt").read_text() == "stays\n"
    assert {"old.txt", "outside.txt", "outside2.txt"} <= {p.name for p in right.iterdir()}
    if (right / "stay.txt").exists():
        assert (right / "stay.txt").read_text() == "stays\n"

    # A delete the user cancels in the shell's question: nothing goes, both panels are read.
    app.key("Home", "Down", "Insert")  # keep.txt
    poll(lambda: selected_pixels(app, panel_left) > 20, 10, "keep.txt drawn selected")
    (right / "outside3.txt").write_text("made meanwhile\n")
    operation(app, "shift+Delete", "Confirm file deletion", "", answer="Escape")
    poll(lambda: selected_pixels(app, panel_left) == 0 and right_read(), WORK,
         "both panels read again")
    assert (left / "keep.txt").read_text() == "new content\n"


def test_copy_onto_a_full_disk_loses_nothing(rig):
    left = rig.folder("left", files={"small.txt": "small\n"})
    big = left / "big.bin"
    big.write_bytes(os.urandom(3 << 20))
    before = digest(big)
    right = rig.folder("right")
    mounted = subprocess.run(["mount", "-t", "tmpfs", "-o", "size=1m", "tmpfs", str(right)],
                             stdin=subprocess.DEVNULL, capture_output=True)
    if mounted.returncode != 0:
        pytest.skip("a small file system cannot be mounted here: " + mounted.stderr.decode())
    try:
        app = start(rig, left, right, PanelAutoUpdatePanels=False)
        (right / "outside.txt").write_text("made meanwhile\n")  # shows once the panel is read
        app.key("Down")  # big.bin
        operation(app, "F5", "Copy", "Copy big.bin to:")
        print("\nonto a full disk the shell showed:", answer_shell_until(
            app, lambda: 1 + len(list(right.iterdir())) == listed(app, app.panels()[1]) >= 3,
            "the target read again after the copy"))
        assert digest(big) == before and (left / "small.txt").read_text() == "small\n"
    finally:
        for app in rig.apps:
            app.close()
        rig.prefix.kill()  # nothing of Wine may hold the mount when it goes
        subprocess.run(["umount", str(right)], stdin=subprocess.DEVNULL, capture_output=True)
