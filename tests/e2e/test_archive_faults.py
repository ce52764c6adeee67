"""Archive operations that go wrong: a second one while one runs, extracting into a read-only
or full file system, with a wrong password or names Windows refuses, packing onto a full one
and packing a file another program holds locked. Each says what failed, leaves no partial
archive and no file it would replace changed, has both panels read again, and the program goes
on working."""

import contextlib
import hashlib
import os
import subprocess
import zipfile

import pytest

from norvane_e2e import poll, windows_path

from test_archives import enter, listed
from test_extract import (OPERATIONS, WORK, digest, errors_question, log_text, prompt,
                          seven_zip, tree, wait_progress_closed)
from norvane_e2e.checks import wait_active_title

WM_COMMAND, EXTRACT_FROM_ARCHIVE = 0x0111, 5008
DISK_FULL = 0x80070070 - (1 << 32)  # ERROR_DISK_FULL as an HRESULT, shown signed
SHARING_VIOLATION = 32


@contextlib.contextmanager
def small_file_system(rig, name, options):
    """A tmpfs mounted at a fresh folder, seen by Wine through Z: like any other folder; the
    programs end before it goes, since Wine holds their current folders open."""
    folder = rig.folder(name)
    mounted = subprocess.run(["mount", "-t", "tmpfs", "-o", options, "tmpfs", str(folder)],
                             stdin=subprocess.DEVNULL, capture_output=True)
    if mounted.returncode != 0:
        pytest.skip(f"cannot mount a small file system here: {mounted.stderr.decode().strip()}")
    try:
        yield folder
    finally:
        for app in rig.apps:
            app.close()
        rig.prefix.kill()
        subprocess.run(["umount", "-l", str(folder)], stdin=subprocess.DEVNULL, check=False)


def start(rig, left, right):
    """Panels sorted by name, not following the disk: what they list after an operation is
    what the operation had read again."""
    rig.save_configuration(left, right, SortPanelLeft=1000, SortPanelRight=1000,
                           ModePanelLeft=1002, ModePanelRight=1002, PanelAutoUpdatePanels=False)
    app = rig.start(rig.folder("elsewhere"))
    app.wait_title(windows_path(left))
    wait_active_title(app, app.panels()[0])
    return app


def typed_prompt(app, rig, caption, text, path):
    """Answers the prompt with path typed over its proposal, once the box holds all of it."""
    box = app.message_box(caption)
    assert box.text.startswith(text), box
    rig.x.focus(box.xid())
    rig.x.key("Home", "shift+End", "BackSpace")
    rig.x.type(windows_path(path))
    poll(lambda: windows_path(path) in [w.text for w in app.windows() if w.top == box.window.hwnd],
         15, "the typed path in the prompt")
    box.answer("Return")


def log_lines(app, rig, count, operation):
    """Yes on the errors question; the log viewer's lines."""
    errors_question(app, count, operation).answer("Return")
    lines = log_text(app, rig).splitlines()
    print(f"\n{operation}: the log said {lines}")  # what Wine answered, for the record
    assert len(lines) == count, lines
    return lines


def entry(text, code):
    """A log line as the viewer shows it: its number, text and code (the number not checked)."""
    return lambda line: line.split(". ", 1)[1] == f"{text} \tError: {code}"


def one_message(app):
    """The first message of a failed operation (the progress window aside): the errors
    question, nothing before it."""
    box = poll(lambda: next((app.message_box(w.text) for w in app.message_boxes()
                             if w.text.split(" (")[0] not in OPERATIONS), None), WORK, "a message")
    assert box.caption == "Question", box


def panel_names(app, rig, side):
    """The names one panel lists; the left panel keeps the keyboard afterwards."""
    if side == "right":
        app.key("Tab")
    names = listed(app, rig, f"the {side} panel")
    if side == "right":
        app.key("Tab")
    return names


def test_second_operation_refused_and_extraction_into_read_only_and_full_file_systems(rig):
    archives = rig.folder("archives")
    work = rig.folder("sources")
    (work / "secret.txt").write_text("hidden\n" * 1000)
    seven_zip(work, "a", "-bd", "-bso0", "-t7z", "-psecret", str(archives / "locked.7z"),
              "secret.txt")
    (work / "a.txt").write_text("alpha\n")
    (work / "noise.bin").write_bytes(os.urandom(256 << 10))  # four times the full disk
    seven_zip(work, "a", "-bd", "-bso0", "-t7z", "-mx1", str(archives / "two.7z"), "a.txt",
              "noise.bin")
    (work / "mine.txt").write_text("the archive's\n")
    seven_zip(work, "a", "-bd", "-bso0", "-tzip", "-psecret", str(archives / "locked.zip"),
              "mine.txt")
    with zipfile.ZipFile(archives / "names.zip", "w") as names:
        for name in ("good1.txt", "what?.txt", "good2.txt"):
            names.writestr(name, name)
    out = rig.folder("out", files={"mine.txt": "the user's\n"})
    mine = digest(out / "mine.txt")
    with small_file_system(rig, "readonly", "size=1m,ro") as readonly, \
            small_file_system(rig, "full", "size=64k") as full:
        (full / "noise.bin").write_text("the user's\n")
        app = start(rig, archives, out)

        # The first extraction held at its password question: a second one is refused, the
        # question stays, and the first then ends as the user chooses.
        enter(app, rig, "locked.7z")
        app.key("Home", "Down", "F5")
        prompt(app, rig, "Extract file(s)", "Extract secret.txt to:")
        password = app.message_box("Request of the password", timeout=WORK)
        # The main window is disabled under the dialogs: the command comes as a message.
        rig.spy.post(rig.prefix, app.main().hwnd, WM_COMMAND, EXTRACT_FROM_ARCHIVE)
        refused = app.message_box("")
        assert refused.text == "Arc threads count != 0", refused
        refused.answer("Return")
        captions = [w.text for w in app.message_boxes()]
        assert "Request of the password" in captions and "" not in captions, captions
        password.answer("Escape")
        wait_progress_closed(app)
        assert not app.message_boxes() and list(out.iterdir()) == [out / "mine.txt"]
        app.key("BackSpace")

        # A read-only target: each file is named in the log and left out; the panels are read
        # again all the same.
        (out / "meanwhile.txt").write_text("made meanwhile\n")
        enter(app, rig, "two.7z")
        app.key("ctrl+a", "F5")
        typed_prompt(app, rig, "Extract file(s)", "Extract 2 items to:", readonly)
        one_message(app)
        lines = log_lines(app, rig, 2, "Extracting")
        for line, name in zip(lines, ["a.txt", "noise.bin"]):
            assert entry(f"Cannot open output file: {windows_path(readonly / name)}", 5)(line)
        wait_progress_closed(app)
        assert panel_names(app, rig, "right") == ["meanwhile.txt", "mine.txt"]

        # A full disk: the library's write error; the file the item would replace is kept as it
        # was, the one done before it too, and no temporary file is left.
        app.key("ctrl+a", "F5")
        typed_prompt(app, rig, "Extract file(s)", "Extract 2 items to:", full)
        one_message(app)
        [line] = log_lines(app, rig, 1, "Extracting")
        assert entry("Error extracting files", DISK_FULL)(line)
        wait_progress_closed(app)
        assert sorted(p.name for p in full.iterdir()) == ["a.txt", "noise.bin"]
        assert (full / "noise.bin").read_text() == "the user's\n"

        # Still usable: everything arrives where there is room.
        app.key("ctrl+a", "F5")
        typed_prompt(app, rig, "Extract file(s)", "Extract 2 items to:", out)
        wait_progress_closed(app)
        assert not app.message_boxes()
        want = {name: sha for name, sha in tree(work).items() if name in ("a.txt", "noise.bin")}
        assert tree(out) == {**want, "meanwhile.txt": digest(out / "meanwhile.txt"), "mine.txt": mine}
        app.key("BackSpace")

        # A wrong password over an existing file: it stays as it was, nothing else is left;
        # the right one then replaces it.
        def extract_mine(typed):
            enter(app, rig, "locked.zip")
            app.key("Home", "Down", "F5")
            prompt(app, rig, "Extract file(s)", "Extract mine.txt to:")
            box = app.message_box("Request of the password", timeout=WORK)
            rig.x.focus(box.xid())
            rig.x.type(typed)
            box.answer("Return")

        extract_mine("wrong")
        question = app.message_box("Question", timeout=WORK)
        assert " errors detected during " in question.text, question
        question.click("No")
        wait_progress_closed(app)
        assert digest(out / "mine.txt") == mine
        assert sorted(p.name for p in out.iterdir()) == ["a.txt", "meanwhile.txt", "mine.txt",
                                                         "noise.bin"]
        app.key("BackSpace")
        extract_mine("secret")
        wait_progress_closed(app)
        assert not app.message_boxes()
        assert (out / "mine.txt").read_text() == "the archive's\n"
        app.key("BackSpace")

        # A name Windows refuses between two good ones: those two arrive, the log names it.
        names = rig.folder("names")
        enter(app, rig, "names.zip")
        app.key("ctrl+a", "F5")
        typed_prompt(app, rig, "Extract file(s)", "Extract 3 items to:", names)
        [line] = log_lines(app, rig, 1, "Extracting")
        assert entry("Cannot open output file: what?.txt "
                     "(name holds a character Windows forbids)", 123)(line)
        wait_progress_closed(app)
        assert tree(names) == {n: hashlib.sha256(n.encode()).hexdigest()
                               for n in ("good1.txt", "good2.txt")}


def test_pack_onto_full_and_unwritable_disks_and_a_locked_source(rig):
    src = rig.folder("src", files={"a.txt": "alpha\n", "locked.txt": "held\n" * 100})
    (src / "noise.bin").write_bytes(os.urandom(256 << 10))  # four times the full disk
    out = rig.folder("out")
    with small_file_system(rig, "readonly", "size=1m,ro") as readonly, \
            small_file_system(rig, "full", "size=64k") as full:
        old_source = rig.folder("old", files=["old.txt"])
        seven_zip(old_source, "a", "-bd", "-bso0", "-t7z", str(full / "old.7z"), "old.txt")
        old = digest(full / "old.7z")
        app = start(rig, src, full)
        assert listed(app, rig, "the sources") == ["a.txt", "locked.txt", "noise.bin"]

        def pack(archive, lines):
            """Packs the whole panel into archive; the log's lines when it fails."""
            replacing = archive.exists()
            app.key("ctrl+a", "shift+F1")
            typed_prompt(app, rig, "Add file(s) to archive", "Add 3 items to archive:", archive)
            if replacing:
                question = app.message_box("")
                assert question.text.endswith("already exist. Overwrite it?"), question
                question.click("Yes")
            if not lines:
                wait_progress_closed(app)
                assert not app.message_boxes()
                return []
            one_message(app)
            logged = log_lines(app, rig, lines, "Compressing")
            wait_progress_closed(app)
            return logged

        # A new archive that does not fit: nothing of it stays; both panels are read again.
        (full / "meanwhile.txt").write_text("made meanwhile\n")
        [line] = pack(full / "new.7z", 1)
        assert entry("Error compression files", DISK_FULL)(line)
        assert sorted(p.name for p in full.iterdir()) == ["meanwhile.txt", "old.7z"]
        assert panel_names(app, rig, "right") == ["meanwhile.txt", "old.7z"]

        # Replacing an archive with one that does not fit: the old one stays as it was.
        [line] = pack(full / "old.7z", 1)
        assert entry("Error compression files", DISK_FULL)(line)
        assert sorted(p.name for p in full.iterdir()) == ["meanwhile.txt", "old.7z"]
        assert digest(full / "old.7z") == old

        # A folder nobody may write to.
        [line] = pack(readonly / "new.7z", 1)
        assert entry(f"Cannot create archive file: {windows_path(readonly / 'new.7z')}", 5)(line)
        assert list(readonly.iterdir()) == []

        # A source file another program holds open without sharing: left out and named; the
        # archive holds the rest.
        locked = windows_path(src / "locked.txt")
        holder = rig.spy.hold_locked(rig.prefix, src / "locked.txt", 120, rig.dir)
        try:
            opened, named = pack(out / "packed.7z", 2)
        finally:
            holder.kill()
        assert entry(f"Cannot open file: {locked}", SHARING_VIOLATION)(opened)
        assert entry(f"Error for file: {locked}", 0)(named)
        seven_zip(out, "t", str(out / "packed.7z"))
        back = rig.folder("back")
        seven_zip(back, "x", "-bd", "-bso0", str(out / "packed.7z"))
        assert tree(back) == {n: h for n, h in tree(src).items() if n != "locked.txt"}

        # Still usable: the whole selection packs once the lock is gone.
        pack(out / "again.7z", 0)
        again = rig.folder("again")
        seven_zip(again, "x", "-bd", "-bso0", str(out / "again.7z"))
        assert tree(again) == tree(src)
