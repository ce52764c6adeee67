"""Copy, move and delete through the shell, the panels following the disk by themselves, the
quit guard while a copy runs, and names on the clipboard: what the user sees on the screen, on
disk, on the clipboard and in the shell's own dialogs (Wine 8's shell32 here).

What Wine 8's shell does with the program's requests: it asks "Confirm file deletion" (Yes,
Yes to all, No, Cancel) before every delete, once for a selection; with the recycle-bin flag it
moves the file into the Linux user's trash (~/.local/share/Trash); it draws no progress window
for a copy started from a worker thread; it copies nothing and says nothing when a source has
gone or the target folder takes no files; it cancels, silently, a move of several plain files
into a folder; it asks "Confirm file overwrite" over a read-only file and then replaces it."""

import hashlib
import os
import shutil
import subprocess
import time
from pathlib import Path

import pytest

from norvane_e2e import MessageBox, poll, windows_path
from norvane_e2e.checks import is_dark, text_bands, wait_active_title
from norvane_e2e.settings import colour

SELECTED_TEXT = colour("ClrPanelSelectedText")
STATUS_BACKGROUND = colour("ClrPanelTitleBackground")
WORK = 30  # seconds a shell operation of these tests may take


def digest(path):
    return hashlib.sha256(Path(path).read_bytes()).hexdigest()


def start(rig, left, right, **changes):
    """Both panels in full mode, sorted by name, without the free space in the totals line (so
    that two panels with the same items draw the same totals); the left panel active."""
    settings = dict(SortPanelLeft=1000, SortPanelRight=1000, ModePanelLeft=1002,
                    ModePanelRight=1002, PanelShowFreeSize=False)
    settings.update(changes)
    rig.save_configuration(left, right, **settings)
    app = rig.start(rig.folder("elsewhere"))
    app.wait_title(windows_path(left))
    wait_active_title(app, app.panels()[0], "left")
    return app


def rows(app, panel, shot=None):
    """The rows the panel lists, ".." included, as the screen shows them."""
    return len(text_bands(shot or app.screenshot(), panel, 20, 80))


def wait_rows(app, panel, count, what, timeout=WORK):
    return poll(lambda: rows(app, panel) == count, timeout,
                f"{what}: {count} rows in the panel")


def selected_pixels(app, panel, shot=None):
    """Pixels in the selected-text colour: none once a re-read has cleared the selection."""
    return (shot or app.screenshot()).count(SELECTED_TEXT, panel.client)


def totals_line(shot, panel, width):
    """The pixels of the panel's last status line (the totals), from x 38 over width pixels."""
    left, top, _, bottom = panel.client
    status = bytes(STATUS_BACKGROUND)
    y = top
    while y < bottom and shot.row(y, left, left + width).count(status) <= width // 2:
        y += 1  # down to the status area
    lines, start = [], None
    for row_y in range(y, bottom):
        dark = is_dark(shot.row(row_y, left + 38, left + width))
        if dark and start is None:
            start = row_y
        elif not dark and start is not None:
            lines.append((start, row_y))
            start = None
    if not lines:
        return None
    first, last = lines[-1]
    return [shot.row(row_y, left + 38, left + width) for row_y in range(first, last)]


def same_totals(app):
    """Whether the right panel's totals line draws exactly what the left panel's does."""
    left, right = app.panels()
    width = min(left.client[2] - left.client[0], right.client[2] - right.client[0]) - 40
    shot = app.screenshot()
    mine = totals_line(shot, left, width)
    return mine is not None and mine == totals_line(shot, right, width)


def shell_box(app, timeout=WORK):
    """The first message box or shell dialog that shows up, with its caption and texts."""
    return app.message_box(timeout=timeout)


def dialog_children(app, box):
    return [w for w in app.windows() if w.top == box.window.hwnd]


def clipboard(rig):
    result = subprocess.run(["xclip", "-o", "-selection", "clipboard", "-t", "UTF8_STRING"],
                            env=rig.x.env(), stdin=subprocess.DEVNULL, capture_output=True,
                            timeout=10)
    return result.stdout.decode("utf-8", errors="replace") if result.returncode == 0 else None


def wait_clipboard(rig, lines, what):
    """xclip hands CR LF over as LF: the lines are compared here; the exact CR LF endings are
    the Windows-tier clipboard test's to check."""
    def read():
        text = clipboard(rig)
        return [text] if text is not None and text.splitlines() == lines else None
    try:
        return poll(read, 15, what, interval=0.2)[0]
    except AssertionError:
        raise AssertionError(f"{what}: clipboard holds {clipboard(rig)!r}, expected lines {lines!r}")


def test_copy_takes_the_selected_items_not_the_cursor_item_and_both_panels_follow(rig):
    names = ["a1.txt", "a2.txt", "a3.txt", "a4.txt"]
    left = rig.folder("left", files={n: n * (1000 + 37 * i) for i, n in enumerate(names)})
    right = rig.folder("right", files=["old.txt"])
    app = start(rig, left, right)
    panel_left, panel_right = app.panels()
    assert rows(app, panel_right) == 2

    app.key("Down", "Insert", "Insert", "Insert")  # a1 a2 a3 selected, the cursor on a4
    poll(lambda: selected_pixels(app, panel_left) > 100, 10, "the three items drawn selected")
    app.key("F5")
    prompt = app.message_box("Copy")
    assert prompt.text.startswith("Copy 3 items to:")
    prompt.answer("Return")

    # No key is pressed from here on: the panels show the new state by themselves.
    wait_rows(app, panel_right, 5, "the right panel re-read after the copy")
    assert sorted(p.name for p in right.iterdir()) == ["a1.txt", "a2.txt", "a3.txt", "old.txt"]
    for name in names[:3]:
        assert digest(right / name) == digest(left / name), f"{name} differs from its source"
    poll(lambda: selected_pixels(app, panel_left) == 0, 10, "the left panel re-read (selection gone)")
    assert rows(app, panel_left) == 5


def test_single_file_copy_proposes_the_other_folder_and_takes_a_new_name(rig):
    left = rig.folder("left", files={"one.txt": "the single file\n" * 50}, folders=["sub"])
    right = rig.folder("right")
    app = start(rig, left, right)

    # winspy cannot read an edit control's text under Wine: the proposals are copied out of
    # the prompt through the clipboard instead. On a folder: the other folder and "\\" only.
    app.key("Down", "F5")  # "..", sub, one.txt
    prompt = app.message_box("Copy")
    assert prompt.text.startswith("Copy sub to:")
    rig.x.focus(prompt.xid())
    rig.x.key("Home", "shift+End", "ctrl+c")
    wait_clipboard(rig, [windows_path(right) + "\\"], "the proposal for a folder")
    prompt.answer("Escape")

    app.key("Down", "F5")
    prompt = app.message_box("Copy")
    assert prompt.text.startswith("Copy one.txt to:")
    rig.x.focus(prompt.xid())
    rig.x.key("Home", "shift+End", "ctrl+c")
    wait_clipboard(rig, [windows_path(right) + "\\one.txt"], "the proposed destination")
    # Typing over the name at the end of the proposal gives the copy a new name.
    rig.x.key("End", *["BackSpace"] * len("one.txt"))
    rig.x.type("renamed.txt")
    prompt.answer("Return")
    poll(lambda: (right / "renamed.txt").is_file() and
         digest(right / "renamed.txt") == digest(left / "one.txt"), WORK, "the renamed copy")
    assert [p.name for p in right.iterdir()] == ["renamed.txt"]
    assert (left / "one.txt").is_file()


def test_proposal_into_a_drive_root_has_a_single_backslash(rig):
    left = rig.folder("left", files=["one.txt"])
    app = start(rig, left, Path("/"))
    app.key("Down", "F5")
    prompt = app.message_box("Copy")
    rig.x.focus(prompt.xid())
    rig.x.key("Home", "shift+End", "ctrl+c")
    wait_clipboard(rig, ["Z:\\one.txt"], "the proposal into Z:\\")
    prompt.answer("Escape")
    assert not Path("/one.txt").exists()


def trash_entries():
    base = Path(os.environ.get("XDG_DATA_HOME") or Path.home() / ".local" / "share") / "Trash"
    return {p.name for p in (base / "files").iterdir()} if (base / "files").is_dir() else set()


def remove_from_trash(names):
    base = Path(os.environ.get("XDG_DATA_HOME") or Path.home() / ".local" / "share") / "Trash"
    for name in names:
        entry = base / "files" / name
        if entry.is_dir() and not entry.is_symlink():
            shutil.rmtree(entry)
        else:
            entry.unlink(missing_ok=True)
        (base / "info" / (name + ".trashinfo")).unlink(missing_ok=True)


def test_move_and_both_deletes_with_the_shells_confirmations(rig):
    # Wine 8's SHFileOperationW cancels a move of several plain files into a folder, so the
    # move here is of a single file.
    tag = f"norvane-e2e-{os.getpid()}"
    recycled, doomed = f"{tag}-recycled.txt", "doomed.txt"
    left = rig.folder("left", files={"moved.txt": "moving\n" * 100, doomed: "gone\n",
                                     recycled: "to the bin\n"})
    right = rig.folder("right")
    app = start(rig, left, right)
    panel_left, panel_right = app.panels()
    moved = digest(left / "moved.txt")
    trash_before = trash_entries()
    try:
        app.key("Down", "Down", "F6")  # "..", doomed.txt, moved.txt, norvane-e2e-...: by name
        prompt = app.message_box("Rename/Move")
        assert prompt.text.startswith("Rename/Move moved.txt to:")
        prompt.answer("Return")
        poll(lambda: (right / "moved.txt").is_file() and not (left / "moved.txt").exists(), WORK,
             "moved.txt moved")
        assert digest(right / "moved.txt") == moved
        wait_rows(app, panel_right, 2, "the right panel re-read after the move")
        wait_rows(app, panel_left, 3, "the left panel re-read after the move")

        # Shift+Delete: the shell asks, the file is gone for good.
        app.key("Home", "Down", "shift+Delete")
        box = shell_box(app)
        print("permanent delete asks:", box)
        assert box.caption == "Confirm file deletion"
        box.answer("Return")
        poll(lambda: not (left / doomed).exists(), WORK, f"{doomed} deleted")
        wait_rows(app, panel_left, 2, "the left panel re-read after the delete")
        assert doomed not in trash_entries() - trash_before

        # F8 asks for the recycle bin: Wine's shell moves the file to the desktop's trash.
        app.key("Home", "Down", "F8")
        box = shell_box(app)
        print("delete to the recycle bin asks:", box)
        assert box.caption == "Confirm file deletion"
        box.answer("Return")
        poll(lambda: not (left / recycled).exists(), WORK, f"{recycled} deleted")
        wait_rows(app, panel_left, 1, "the left panel re-read after the delete")
        print("trash gained:", trash_entries() - trash_before)
        assert recycled in trash_entries() - trash_before
    finally:
        remove_from_trash(n for n in trash_entries() - trash_before if n.startswith(tag))


def test_delete_with_the_recycle_bin_switched_off_deletes_for_good(rig):
    tag = f"norvane-e2e-{os.getpid()}"
    names = [f"{tag}-1.txt", f"{tag}-2.txt"]
    left = rig.folder("left", files=[*names, "other.txt"])
    right = rig.folder("right")
    app = start(rig, left, right, PanelDeleteRecycle=False)
    trash_before = trash_entries()
    try:
        # "..", norvane-e2e-...-1, -2, other.txt: two selected, the cursor on other.txt.
        app.key("Down", "Insert", "Insert", "Delete")
        box = shell_box(app)
        print("\ndeleting two items asks:", box)
        box.answer("Return")
        poll(lambda: not any((left / n).exists() for n in names), WORK, "the two deleted")
        wait_rows(app, app.panels()[0], 2, "the left panel re-read after the delete")
        assert (left / "other.txt").is_file()
        assert not [n for n in trash_entries() - trash_before if n.startswith(tag)]
    finally:
        remove_from_trash(n for n in trash_entries() - trash_before if n.startswith(tag))


def test_quitting_waits_for_a_running_copy(rig):
    sizes = [256 << 20] * 6  # sparse on the Linux side; the copy writes every byte
    left = rig.folder("left")
    for i, size in enumerate(sizes):
        with open(left / f"big{i}.bin", "wb") as big:
            big.truncate(size)
    right = rig.folder("right")
    app = start(rig, left, right)
    try:
        app.key("ctrl+a", "F5")
        prompt = app.message_box("Copy")
        assert prompt.text.startswith("Copy 6 items to:")
        prompt.answer("Return")
        poll(lambda: any(right.iterdir()), WORK, "the copy to begin")

        app.key("F10")
        app.message_box("Question").answer("Return")
        wait = app.message_box("Information")
        copied = sum(p.stat().st_size for p in right.iterdir())
        assert wait.text == "Please wait for completion of all file operations"
        assert copied < sum(sizes), "the copy ended before the quit question was answered"
        wait.answer("Return")
        assert app.running()

        poll(lambda: sum(p.stat().st_size for p in right.iterdir()) == sum(sizes), 120,
             "the copy to write every byte")
        # The shell call has returned once the panels are read again: the selection goes.
        poll(lambda: selected_pixels(app, app.panels()[0]) == 0, WORK, "the copy to end")
        app.key("F10")
        app.message_box("Question").answer("Return")
        assert app.wait_exit() == 0
    finally:
        shutil.rmtree(right, ignore_errors=True)


def test_panels_follow_new_names_on_disk_but_not_content_changes(rig):
    left = rig.folder("left", files=["k1.txt", "k2.txt", "k3.txt"])
    right = rig.folder("right", files=["r1.txt"])
    app = start(rig, left, right)
    panel_left, panel_right = app.panels()
    assert rows(app, panel_right) == 2

    (right / "made-outside.txt").write_text("from Linux\n")
    wait_rows(app, panel_right, 3, "the right panel showing a file made outside")
    (left / "k0.txt").write_text("from Linux\n")
    wait_rows(app, panel_left, 5, "the left panel showing a file made outside")

    # A re-read clears the selection. Two items are selected; then a file of the left folder
    # gets more content and, after it, a file is made in the right folder. The panels see the
    # changes through the same notification service in the order they happened, so once the
    # right panel shows the new file the left panel has had its chance to re-read. The
    # selection must still be there, and F5 still asks about the two items.
    app.key("Down", "Insert", "Insert")
    poll(lambda: selected_pixels(app, panel_left) > 50, 10, "two items drawn selected")
    with open(left / "k1.txt", "a") as grown:
        grown.write("more content\n" * 1000)
    (right / "sentinel.txt").write_text("after the content change\n")
    wait_rows(app, panel_right, 4, "the right panel showing the sentinel file")
    assert selected_pixels(app, panel_left) > 50, "the content change re-read the left panel"
    app.key("F5")
    prompt = app.message_box("Copy")
    assert prompt.text.startswith("Copy 2 items to:")
    prompt.answer("Escape")

    # Renaming is a change of names: the panel re-reads and the selection goes.
    (left / "k3.txt").rename(left / "k9.txt")
    poll(lambda: selected_pixels(app, panel_left) == 0, 10, "the rename to re-read the left panel")
    # So is a change of attributes (a file made read-only).
    app.key("Home", "Down", "Insert")
    poll(lambda: selected_pixels(app, panel_left) > 20, 10, "an item drawn selected")
    (left / "k2.txt").chmod(0o444)
    poll(lambda: selected_pixels(app, panel_left) == 0, 10, "the attribute change to re-read")


def test_after_entering_a_subfolder_the_old_folder_no_longer_updates_the_panel(rig):
    left = rig.folder("left", files=["x.txt"], folders=["sub"])
    (left / "sub" / "s1.txt").write_text("s1\n")
    (left / "sub" / "s2.txt").write_text("s2\n")
    right = rig.folder("right")
    app = start(rig, left, right)
    panel_left, panel_right = app.panels()
    app.key("Down", "Return")
    app.wait_title(windows_path(left / "sub"))
    app.key("Down", "Insert")
    poll(lambda: selected_pixels(app, panel_left) > 20, 10, "s1.txt drawn selected")
    # A new name in the folder the panel left, then one in the right panel's folder: once the
    # right panel shows its file, a watcher still on the old folder would have re-read too.
    (left / "new-in-old.txt").write_text("x\n")
    (right / "sentinel.txt").write_text("x\n")
    wait_rows(app, panel_right, 2, "the right panel showing the sentinel file")
    assert selected_pixels(app, panel_left) > 20, "the old folder's change re-read the panel"
    # The folder shown is still watched.
    (left / "sub" / "s3.txt").write_text("s3\n")
    wait_rows(app, panel_left, 4, "the subfolder's new file shown")


def test_names_to_the_clipboard_and_names_outside_the_ansi_code_page_copy(rig):
    names = sorted(["Ж-файл.txt", "ελληνικά.txt", "日本語のファイル.txt", "plain.txt", "zürich €.txt",
                    "smile \U0001F600.txt"])
    left = rig.folder("left", files={n: n * 300 for n in names})
    right = rig.folder("right")
    app = start(rig, left, right)

    app.key("ctrl+a", "ctrl+c")
    wait_clipboard(rig, [windows_path(left / n) for n in names], "Ctrl+C: the full paths")
    app.key("ctrl+Insert")
    wait_clipboard(rig, names, "Ctrl+Ins: the names")
    # Nothing selected: the cursor item alone.
    app.key("ctrl+u", "Home", "Down", "ctrl+c")
    wait_clipboard(rig, [windows_path(left / names[0])], "Ctrl+C on the cursor item")
    app.key("Home", "ctrl+c")
    wait_clipboard(rig, [], "Ctrl+C on the up entry: an empty text")

    app.key("ctrl+a", "F5")
    prompt = app.message_box("Copy")
    assert prompt.text.startswith(f"Copy {len(names)} items to:")
    prompt.answer("Return")
    wait_rows(app, app.panels()[1], len(names) + 1, "the right panel showing the copies")
    assert sorted(p.name for p in right.iterdir()) == names
    for name in names:
        assert digest(right / name) == digest(left / name), f"{name} differs from its source"


def test_five_thousand_files_copy_completely_and_the_panel_shows_them(rig):
    count = 5000
    left = rig.folder("left")
    for i in range(count):
        (left / f"f{i:04d}.txt").write_bytes(b"%d\n" % i)
    right = rig.folder("right")
    app = start(rig, left, right)
    assert not same_totals(app)

    app.key("ctrl+a", "F5")
    prompt = app.message_box("Copy")
    assert prompt.text.startswith(f"Copy {count} items to:")
    rig.x.focus(prompt.xid())
    pressed = time.monotonic()
    rig.x.key("Return")
    # Same items, same fonts: the right panel's totals line ("... 5000 files 0 folders.") then
    # draws exactly what the left panel's does.
    poll(lambda: same_totals(app), 300, "the right panel's totals to match the left panel's",
         interval=0.2)
    shown = time.monotonic() - pressed
    print(f"\n{count} files: {shown:.1f} s from Return in the prompt to the panel showing them")
    copied = sorted(p.name for p in right.iterdir())
    assert len(copied) == count and copied == sorted(p.name for p in left.iterdir())
    assert (right / "f4999.txt").read_bytes() == b"4999\n"


def answer_shell_until(app, done, what, timeout=WORK):
    """Answers every box the shell shows with Return (its default button) until done() holds;
    returns the boxes seen as (caption, text, buttons)."""
    seen = []

    def step():
        if done():
            return True
        windows = app.windows()
        boxes = app.message_boxes(windows)
        if boxes:
            box = MessageBox(app, boxes[0], [w for w in windows if w.top == boxes[0].hwnd])
            seen.append((box.caption, box.text, box.buttons))
            box.answer("Return")
        return False
    try:
        poll(step, timeout, what, interval=0.1)
    except AssertionError as failure:
        raise AssertionError(f"{failure}; the shell showed {seen}") from None
    return seen


def read_only(folder, on):
    """Makes a folder one that nobody may create files in: immutable for root, else without
    write permission."""
    if os.geteuid() == 0:
        subprocess.run(["chattr", "+i" if on else "-i", str(folder)], check=True)
    else:
        folder.chmod(0o555 if on else 0o755)


def test_failed_and_cancelled_operations_lose_nothing_and_both_panels_are_read_again(rig):
    # Without watchers only the file operation's own update can bring the panels up to date;
    # files made from Linux meanwhile show whether a panel was read again.
    left = rig.folder("left", files={"keep.txt": "new content\n", "stay.txt": "stays\n",
                                     "vanish.txt": "vanishes\n"})
    right = rig.folder("right", files={"old.txt": "old content\n"})
    app = start(rig, left, right, PanelAutoUpdatePanels=False)
    panel_left, panel_right = app.panels()
    assert (rows(app, panel_left), rows(app, panel_right)) == (4, 2)

    # Into a folder that takes no new files.
    app.key("Down", "Insert")
    poll(lambda: selected_pixels(app, panel_left) > 20, 10, "keep.txt drawn selected")
    (right / "outside.txt").write_text("made meanwhile\n")
    read_only(right, True)
    try:
        app.key("F5")
        prompt = app.message_box("Copy")
        assert prompt.text.startswith("Copy keep.txt to:")
        prompt.answer("Return")
        seen = answer_shell_until(app, lambda: rows(app, panel_right) == 3 and
                                  selected_pixels(app, panel_left) == 0, "both panels read again")
    finally:
        read_only(right, False)
    print("\ninto a read-only folder the shell showed:", seen)
    assert sorted(p.name for p in right.iterdir()) == ["old.txt", "outside.txt"]
    assert (left / "keep.txt").read_text() == "new content\n"
    # A selected source that is gone by the time the shell gets to it. Wine's shell checks
    # every source first and then copies nothing, without a message.
    app.key("Home", "Down", "Down", "Insert", "Insert")  # stay.txt, vanish.txt
    poll(lambda: selected_pixels(app, panel_left) > 20, 10, "two items drawn selected")
    (left / "vanish.txt").unlink()
    (right / "outside2.txt").write_text("made meanwhile\n")
    app.key("F5")
    prompt = app.message_box("Copy")
    assert prompt.text.startswith("Copy 2 items to:")
    prompt.answer("Return")
    seen = answer_shell_until(
        app, lambda: rows(app, panel_left) == 3 and selected_pixels(app, panel_left) == 0 and
        rows(app, panel_right) == 1 + len(list(right.iterdir())), "both panels read again")
    copied = sorted(p.name for p in right.iterdir())
    print("a vanished source: the shell showed", seen, "and the target holds", copied)
    assert (left / "stay.txt").read_text() == "stays\n"
    assert copied in (["old.txt", "outside.txt", "outside2.txt"],
                      ["old.txt", "outside.txt", "outside2.txt", "stay.txt"])
    if "stay.txt" in copied:
        assert (right / "stay.txt").read_text() == "stays\n"

    # A move of several plain files into a folder: Wine 8's shell cancels it without a word.
    app.key("Home", "Down", "Insert", "Insert")  # keep.txt, stay.txt
    poll(lambda: selected_pixels(app, panel_left) > 20, 10, "two items drawn selected")
    (right / "outside4.txt").write_text("made meanwhile\n")
    app.key("F6")
    prompt = app.message_box("Rename/Move")
    assert prompt.text.startswith("Rename/Move 2 items to:")
    prompt.answer("Return")
    seen = answer_shell_until(
        app, lambda: selected_pixels(app, panel_left) == 0 and
        rows(app, panel_right) == 1 + len(list(right.iterdir())), "both panels read again")
    moved = sorted(p.name for p in right.iterdir() if p.name in ("keep.txt", "stay.txt"))
    print("moving two files: the shell showed", seen, "and moved", moved)
    for name, text in (("keep.txt", "new content\n"), ("stay.txt", "stays\n")):
        assert [p.read_text() for p in (left / name, right / name) if p.exists()] == [text]
    assert rows(app, panel_left) == 1 + len(list(left.iterdir()))

    # A delete the user cancels in the shell's question: nothing goes, both panels are read.
    app.key("Home", "Down", "Insert")  # keep.txt
    poll(lambda: selected_pixels(app, panel_left) > 20, 10, "keep.txt drawn selected")
    (right / "outside3.txt").write_text("made meanwhile\n")
    app.key("shift+Delete")
    box = shell_box(app)
    assert box.caption == "Confirm file deletion"
    box.answer("Escape")
    poll(lambda: selected_pixels(app, panel_left) == 0 and
         rows(app, panel_right) == 1 + len(list(right.iterdir())), WORK, "both panels read again")
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
        panel_left, panel_right = app.panels()
        app.key("Down")  # big.bin
        (right / "outside.txt").write_text("made meanwhile\n")  # shows once the panel is read
        app.key("F5")
        prompt = app.message_box("Copy")
        assert prompt.text.startswith("Copy big.bin to:")
        prompt.answer("Return")
        seen = answer_shell_until(
            app, lambda: rows(app, panel_right) == 1 + len(list(right.iterdir())) >= 3,
            "the target read again after the copy")
        print("\nonto a full disk the shell showed:", seen, "and left", sorted(
            (p.name, p.stat().st_size) for p in right.iterdir()))
        assert digest(big) == before
        assert (left / "small.txt").read_text() == "small\n"
        assert rows(app, panel_left) == 3
    finally:
        for app in rig.apps:
            app.close()
        rig.prefix.kill()  # nothing of Wine may hold the mount when it goes
        subprocess.run(["umount", str(right)], stdin=subprocess.DEVNULL, capture_output=True)
