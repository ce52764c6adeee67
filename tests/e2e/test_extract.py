"""Extracting from archives made by Debian's 7zz and packing new 7z archives, through the real
7z.dll behind the progress window: what arrives where (compared by hash), the password asked
once, damaged items in the log viewer, Cancel with its question, Overwrite through a temporary
name and no partial archive after a cancel."""

import hashlib
import os
import subprocess
from pathlib import Path

from norvane_e2e import poll, windows_path
from norvane_e2e.checks import wait_active_title
from norvane_e2e.settings import KEY

from test_archives import cursor_item, enter, listed

WORK = 90  # Wine writes thousands of small files slowly on a busy machine


def digest(path):
    return hashlib.sha256(Path(path).read_bytes()).hexdigest()


def tree(root):
    """Every file below root by its relative path, with its hash."""
    root = Path(root)
    return {str(p.relative_to(root)): digest(p) for p in root.rglob("*") if p.is_file()}


def seven_zip(cwd, *args):
    subprocess.run(["7zz", *args], cwd=cwd, check=True, stdin=subprocess.DEVNULL,
                   capture_output=True)


def start(rig, left, right):
    rig.save_configuration(left, right, SortPanelLeft=1000, SortPanelRight=1000,
                           ModePanelLeft=1002, ModePanelRight=1002)
    app = rig.start(rig.folder("elsewhere"))
    app.wait_title(windows_path(left))
    wait_active_title(app, app.panels()[0])
    return app


OPERATIONS = ("Extracting", "Compressing", "Scanning")


def progress_window(app):
    """The progress window while it is open (a dialog whose caption names the operation)."""
    return next((w for w in app.message_boxes() if w.text.split(" (")[0] in OPERATIONS), None)


def progress_xid(app):
    """Its X window; the caption changes with the percentage, so it is matched by its start."""
    for xid in app.x.search("--classname", app.exe.name.lower()):
        name = app.x.name(xid) or ""
        if name.split(" (")[0] in OPERATIONS and (app.x.info(xid) or (False,))[0]:
            return xid
    return None


def wait_progress_closed(app, timeout=WORK):
    poll(lambda: progress_window(app) is None, timeout, "the progress window to close")


def prompt(app, rig, caption, text, typed=None):
    """Answers the prompt: its proposal kept, or typed over it."""
    box = app.message_box(caption)
    assert box.text.startswith(text), box
    if typed is not None:
        rig.x.focus(box.xid())
        rig.x.key("Home", "shift+End", "BackSpace")
        rig.x.type(typed)
    box.answer("Return")


def log_text(app, rig):
    """The log viewer's text through the clipboard (winspy cannot read an edit control)."""
    viewer = app.message_box("Log viewer")
    rig.x.focus(viewer.xid())
    subprocess.run(["xclip", "-i", "-selection", "clipboard"], input=b"-", env=rig.x.env(),
                   check=True, timeout=10, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    rig.x.key("ctrl+Home", "ctrl+shift+End", "ctrl+c")

    def read():
        out = subprocess.run(["xclip", "-o", "-selection", "clipboard", "-t", "UTF8_STRING"],
                             env=rig.x.env(), capture_output=True, timeout=10).stdout
        text = out.decode("utf-8", "replace")
        return text if text != "-" else None
    text = poll(read, 15, "the log on the clipboard", interval=0.2)
    viewer.answer("Return")
    return text


def errors_question(app, count, operation):
    box = app.message_box("Question", timeout=WORK)
    assert box.text == f"{count} errors detected during {operation}. Show log?", box
    return box


def abort_question(app, rig, answer):
    """Cancel in the progress window, then answer "Abort operation?"."""
    rig.x.focus(poll(lambda: progress_xid(app), WORK, "the progress window"))
    rig.x.key("Escape")
    box = app.message_box("Question", timeout=30)
    assert box.text == "Abort operation?", box
    box.click(answer)


def make_sources(rig):
    folder = rig.folder("archives")
    work = rig.folder("sources")
    top = work / "top"
    for name, text in {"doc/x.txt": "doc\n", "docs/readme.txt": "read me\n",
                       "docs/sub/n.txt": "nested\n", "a.txt": "alpha\n" * 500, "b.txt": "beta\n",
                       "c.txt": "see me\n"}.items():
        (top / name).parent.mkdir(parents=True, exist_ok=True)
        (top / name).write_text(text)
    seven_zip(work, "a", "-bd", "-bso0", "-t7z", str(folder / "tree.7z"), "top")
    (work / "secret1.txt").write_text("one\n" * 1000)
    (work / "secret2.txt").write_text("two\n" * 1000)
    seven_zip(work, "a", "-bd", "-bso0", "-t7z", "-psecret", str(folder / "locked.7z"),
              "secret1.txt", "secret2.txt")
    (work / "bad.txt").write_bytes(b"Q" * 4096)
    (work / "good.txt").write_bytes(b"G" * 4096)
    seven_zip(work, "a", "-bd", "-bso0", "-t7z", "-mx0", "-ms=off", str(folder / "damaged.7z"),
              "bad.txt", "good.txt")
    damaged = bytearray((folder / "damaged.7z").read_bytes())
    damaged[damaged.index(b"Q" * 64) + 100] ^= 0xFF
    (folder / "damaged.7z").write_bytes(bytes(damaged))
    many = work / "many"
    many.mkdir()
    for i in range(8000):
        (many / f"m{i:05d}.bin").write_bytes(os.urandom(2048))
    seven_zip(work, "a", "-bd", "-bso0", "-t7z", "-mx1", str(folder / "many.7z"), "many")
    return folder, top


def test_extract_a_selection_passwords_damage_cancel_and_open(rig):
    folder, top = make_sources(rig)
    out = rig.folder("out", files={"a.txt": "old and read-only\n"})
    os.chmod(out / "a.txt", 0o444)  # Wine shows a file without write bits as read-only
    app = start(rig, folder, out)

    # A folder, two files, from inside "top": docs arrives with its contents, not doc; the
    # read-only a.txt is replaced; the destination goes into the history.
    enter(app, rig, "tree.7z")
    enter(app, rig, "top")
    assert listed(app, rig, "top") == ["doc", "docs", "a.txt", "b.txt", "c.txt"]
    assert cursor_item(app, rig, ["Home", "Down", "Down", "Insert", "Insert", "Insert"]) == \
        ["docs", "a.txt", "b.txt"]  # with a selection, the selected names are copied
    app.key("F5")
    prompt(app, rig, "Extract file(s)", "Extract 3 items to:")
    wait_progress_closed(app)
    want = {k: v for k, v in tree(top).items() if k.split("/")[0] in ("docs", "a.txt", "b.txt")}
    poll(lambda: tree(out) == want, 30, "docs, a.txt and b.txt in the destination")
    history = rig.registry(KEY + "\\History\\ExtractFromArchive").text("Item0")
    assert history.rstrip("\\") == windows_path(out)

    # Enter on a text file inside: its copy in the temporary folder is opened.
    assert cursor_item(app, rig, ["ctrl+u", "End"]) == ["c.txt"]
    app.key("Return")
    copies = lambda: [p for p in rig.prefix.path.rglob("c.txt") if "Temp" in str(p)]  # noqa: E731
    copy = poll(copies, WORK, "the extracted copy in the temporary folder")[0]
    assert copy.read_text() == "see me\n"
    # Handed to the shell: a program opens it, or Wine says it has none for it.
    poll(lambda: app.message_boxes() or app.x.search("--name", "c.txt"), 60,
         "the copy handed to its program")
    for window in app.message_boxes():
        box = app.message_box(window.text)
        assert "c.txt" in box.text, box
        box.answer("Return")
    app.key("BackSpace", "BackSpace")

    # Encrypted content: the password is asked once for both files.
    enter(app, rig, "locked.7z")
    app.key("ctrl+a", "F5")
    prompt(app, rig, "Extract file(s)", "Extract 2 items to:")
    box = app.message_box("Request of the password", timeout=WORK)
    rig.x.focus(box.xid())
    rig.x.type("secret")
    box.answer("Return")
    wait_progress_closed(app)
    assert (out / "secret1.txt").read_text() == "one\n" * 1000
    assert (out / "secret2.txt").read_text() == "two\n" * 1000
    assert not app.message_boxes(), "asked once, no errors"
    # Cancel on it ends cleanly; a wrong one gives log entries.
    app.key("ctrl+a", "F5")
    prompt(app, rig, "Extract file(s)", "Extract 2 items to:")
    app.message_box("Request of the password", timeout=WORK).answer("Escape")
    wait_progress_closed(app)
    for window in app.message_boxes():  # the library may count the item as failed
        app.message_box(window.text).click("No")
    app.key("ctrl+a", "F5")
    prompt(app, rig, "Extract file(s)", "Extract 2 items to:")
    box = app.message_box("Request of the password", timeout=WORK)
    rig.x.focus(box.xid())
    rig.x.type("wrong")
    box.answer("Return")
    question = app.message_box("Question", timeout=WORK)
    # The operation named is the last item's: the library tests what it cannot decrypt.
    assert " errors detected during " in question.text, question
    question.answer("Return")  # Yes
    assert "1. " in log_text(app, rig)
    app.key("BackSpace")

    # One damaged item: the other arrives; the log names the failure.
    enter(app, rig, "damaged.7z")
    app.key("ctrl+a", "F5")
    prompt(app, rig, "Extract file(s)", "Extract 2 items to:")
    errors_question(app, 1, "Extracting").answer("Return")
    assert log_text(app, rig).splitlines()[0] in ("1. CRC Failed \tError: 0",
                                                   "1. Data Error \tError: 0")
    assert digest(out / "good.txt") == hashlib.sha256(b"G" * 4096).hexdigest()
    app.key("BackSpace")

    # Cancel: No goes on, Yes stops without "Error extracting files".
    enter(app, rig, "many.7z")
    assert cursor_item(app, rig, ["Home", "Down"]) == ["many"]
    app.key("F5")
    prompt(app, rig, "Extract file(s)", "Extract many to:")
    abort_question(app, rig, "No")
    assert progress_window(app) is not None, "No goes on"
    abort_question(app, rig, "Yes")
    wait_progress_closed(app, 30)
    assert not app.message_boxes()
    assert len(list((out / "many").iterdir())) < 8000


def test_pack_browse_back_overwrite_and_cancel(rig):
    src = rig.folder("src", files={"p1.txt": "first\n" * 300})
    (src / "p2.bin").write_bytes(os.urandom(200_000))
    (src / "tree" / "one" / "two").mkdir(parents=True)
    (src / "tree" / "one" / "two" / "deep.txt").write_text("deep\n")
    (src / "tree" / "t.txt").write_text("t\n")
    (src / "Жук été.txt").write_text("beetle\n")
    bulk = src / "zbulk"
    bulk.mkdir()
    for i in range(3000):
        (bulk / f"b{i:04d}.bin").write_bytes(os.urandom(16384))
    packs = rig.folder("packs")
    app = start(rig, src, packs)
    # Sorted: tree, zbulk, p1.txt, p2.bin, Жук été.txt.
    assert listed(app, rig, "the source")[:2] == ["tree", "zbulk"]
    archive = packs / "packed.zip"

    def select_and_add(typed, text="Add 4 items to archive:"):
        app.key("Home", "Down", "Insert", "Down", "Insert", "Insert", "Insert", "shift+F1")
        prompt(app, rig, "Add file(s) to archive", text, typed)

    # A selection of files and nested folders; a .zip name still makes a 7z.
    select_and_add(windows_path(archive))
    wait_progress_closed(app)
    poll(archive.exists, 30, "the archive")
    assert archive.read_bytes()[:6] == b"7z\xbc\xaf\x27\x1c"
    seven_zip(packs, "t", str(archive))
    back = rig.folder("back")
    seven_zip(back, "x", "-bd", "-bso0", str(archive))
    want = {k: v for k, v in tree(src).items() if not k.startswith("zbulk")}
    assert tree(back) == want
    assert rig.registry(KEY + "\\History\\AddToArchive").text("Item0") == windows_path(archive)
    packed = digest(archive)

    # Browsed back in the other panel.
    app.key("Tab")
    enter(app, rig, "packed.zip")
    assert listed(app, rig, "the new archive") == ["tree", "p1.txt", "p2.bin", "Жук été.txt"]
    app.key("BackSpace", "Tab")

    # The existing name: No leaves it; Yes replaces it through a temporary name.
    app.key("ctrl+u")
    select_and_add(windows_path(archive))
    question = app.message_box()
    assert question.text == f"File {windows_path(archive)} already exist. Overwrite it?", question
    question.click("No")
    assert digest(archive) == packed
    assert not progress_window(app)

    # Overwrite cancelled while packing the bulk: the old archive stays whole, nothing else.
    app.key("ctrl+u", "Home", "Down", "Down")
    assert cursor_item(app, rig) == ["zbulk"]
    app.key("shift+F1")
    prompt(app, rig, "Add file(s) to archive", "Add zbulk to archive:", windows_path(archive))
    app.message_box().click("Yes")
    abort_question(app, rig, "Yes")
    wait_progress_closed(app, 30)
    assert digest(archive) == packed
    assert sorted(p.name for p in packs.iterdir()) == ["packed.zip"]

    # A new archive cancelled: no file at all.
    app.key("shift+F1")
    prompt(app, rig, "Add file(s) to archive", "Add zbulk to archive:",
           windows_path(packs / "bulk.7z"))
    abort_question(app, rig, "Yes")
    wait_progress_closed(app, 30)
    assert sorted(p.name for p in packs.iterdir()) == ["packed.zip"]
    assert not app.message_boxes()

    # Overwrite completed: replaced, still a 7z that 7zz accepts, no temporary left.
    app.key("Home", "Down", "Down", "Down", "shift+F1")  # p1.txt alone
    prompt(app, rig, "Add file(s) to archive", "Add p1.txt to archive:", windows_path(archive))
    app.message_box().click("Yes")
    wait_progress_closed(app)
    poll(lambda: digest(archive) != packed, 30, "the archive replaced")
    seven_zip(packs, "t", str(archive))
    assert sorted(p.name for p in packs.iterdir()) == ["packed.zip"]


def user_temp(rig):
    """The prefix's temporary folder (Wine sets TEMP to the profile's Temp), the parent of the
    program's private one; a fresh prefix has none until a program asks for it."""
    user = next(p for p in (rig.prefix.path / "drive_c" / "users").iterdir() if p.name != "Public")
    temp = user / "Temp"
    temp.mkdir(parents=True, exist_ok=True)
    return temp


def test_copies_are_private_archives_left_are_forgotten_and_dot_archives_work(rig):
    folder = rig.folder("archives")
    work = rig.folder("sources", folders=["gz", "zip", "dot", "dot/sub"])
    (work / "gz" / "a.txt").write_text("from the tar\n")
    (work / "gz" / "t.txt").write_text("t\n")
    subprocess.run(["tar", "-czf", str(folder / "pack.tar.gz"), "-C", str(work / "gz"), "a.txt", "t.txt"],
                   check=True)
    (work / "zip" / "a.txt").write_text("from the zip\n")
    seven_zip(work / "zip", "a", "-bd", "-bso0", "-tzip", str(folder / "plain.zip"), "a.txt")
    (work / "dot" / "a.txt").write_text("dot a\n")
    (work / "dot" / "sub" / "b.txt").write_text("dot b\n")
    subprocess.run(["tar", "-czf", str(folder / "dot.tar.gz"), "-C", str(work / "dot"), "."], check=True)
    (work / "same.txt").write_text("secret\n")
    seven_zip(work, "a", "-bd", "-bso0", "-t7z", "-psecret", str(folder / "locked.7z"), "same.txt")
    # What earlier runs left: a copy of the same name in the shared folder, and the private
    # folder of a process that is gone (Wine's process numbers are multiples of 4).
    temp = user_temp(rig)
    (temp / "same.txt").write_text("stale\n")
    (temp / "Norvane-3" / "1").mkdir(parents=True)
    (temp / "Norvane-3" / "1" / "same.txt").write_text("stale\n")
    out, dots = rig.folder("out"), rig.folder("dots")
    app = start(rig, folder, out)
    private = poll(lambda: [p for p in temp.glob("Norvane-*") if p.name != "Norvane-3"], 30,
                   "the program's private folder")
    assert len(private) == 1 and not (temp / "Norvane-3").exists()
    private = private[0]

    # A .tar.gz browsed and left: its inner tar goes; a zip entered next is read as a zip.
    enter(app, rig, "pack.tar.gz")
    assert listed(app, rig, "pack.tar.gz") == ["a.txt", "t.txt"]
    assert [p.name for p in private.rglob("*.tar")] == ["pack.tar"]
    app.key("BackSpace")
    poll(lambda: not list(private.rglob("*.tar")), 30, "the inner tar removed")
    enter(app, rig, "plain.zip")
    assert cursor_item(app, rig, ["Home", "Down"]) == ["a.txt"]
    app.key("F5")
    prompt(app, rig, "Extract file(s)", "Extract a.txt to:")
    wait_progress_closed(app)
    poll(lambda: (out / "a.txt").is_file(), 30, "a.txt extracted from the zip")
    assert (out / "a.txt").read_text() == "from the zip\n"
    assert not app.message_boxes()
    app.key("BackSpace")

    # An archive made from "." (a plain tar is browsed only inside a gzip or bzip2 file): its
    # items at the root, walked, extracted and viewed.
    enter(app, rig, "dot.tar.gz")
    assert listed(app, rig, "dot.tar.gz") == ["sub", "a.txt"]
    app.key("ctrl+a", "F5")
    prompt(app, rig, "Extract file(s)", "Extract 2 items to:", typed=windows_path(dots))
    wait_progress_closed(app)
    poll(lambda: tree(dots) == tree(work / "dot"), 30, "a.txt and sub\\b.txt extracted")
    enter(app, rig, "sub")
    assert listed(app, rig, "sub") == ["b.txt"]
    app.key("Home", "Down", "F3")
    poll(lambda: app.title().startswith("View ") and app.title().endswith("\\b.txt"), 30,
         "the viewer on b.txt")
    assert [p.read_text() for p in private.rglob("b.txt")] == ["dot b\n"]
    app.key("Escape")
    poll(lambda: not list(private.rglob("b.txt")), 30, "the viewed copy removed with the viewer")
    app.key("BackSpace", "BackSpace")

    # A cancelled password opens nothing, says why, and never shows the stale copy.
    enter(app, rig, "locked.7z")
    assert cursor_item(app, rig, ["Home", "Down"]) == ["same.txt"]
    app.key("F3")
    app.message_box("Request of the password", timeout=WORK).answer("Escape")
    box = app.message_box(timeout=WORK)
    if box.caption == "Question":  # the library may count the item as failed
        box.click("No")
        box = app.message_box("Norvane 1.0.0", timeout=WORK)
    assert box.text == "Cannot open same.txt: it was not extracted from the archive", box
    box.click("OK")  # a Return would reach the panel after the box and open the item again
    assert not app.title().startswith("View "), app.title()
    assert cursor_item(app, rig, ["Home", "Down"]) == ["same.txt"], "the panel has the keys"
    assert not list(private.rglob("same.txt"))
    assert (temp / "same.txt").read_text() == "stale\n"

    app.key("F10")
    app.message_box("Question").answer("Return")
    app.wait_exit()
    assert not private.exists(), "removed at exit"
    assert (temp / "same.txt").read_text() == "stale\n", "what is not ours stays"
