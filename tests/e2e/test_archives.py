"""Archives entered like folders through the real 7z.dll: walking in and out, the names inside
on the clipboard, the files that are not entered, broken and encrypted archives, CD images.

The archives are made here with Debian's 7zz (and genisoimage). What the panel lists is read
through the clipboard: Ctrl+A, Ctrl+Ins, Ctrl+U gives every name but ".." in list order."""

import shutil
import subprocess

from norvane_e2e import poll, windows_path
from norvane_e2e.checks import wait_active_title

FILES = [f"f{i:03d}.txt" for i in range(200)]
ROOT = ["A", "docs"] + FILES  # folders first, then files, by name
PLACEHOLDER = "norvane-e2e: nothing copied yet"


def make_archives(rig, folder):
    """listing.7z and listing.zip hold docs\\readme.txt (no item for docs itself), A\\x, a\\y
    and 200 files; the rest are made from them."""
    work = rig.folder("sources", folders=["docs", "A", "a"])
    (work / "docs" / "readme.txt").write_text("read me\n")
    (work / "A" / "x").write_text("x\n")
    (work / "a" / "y").write_text("y\n")
    for name in FILES:
        (work / name).write_text(name + "\n")
    members = ["docs/readme.txt", "A/x", "a/y", *FILES]

    def seven_zip(*args):
        subprocess.run(["7zz", "a", "-bd", "-bso0", *args], cwd=work, check=True,
                       stdin=subprocess.DEVNULL, capture_output=True)
    seven_zip("-t7z", str(folder / "listing.7z"), *members)
    seven_zip("-tzip", str(folder / "listing.zip"), *members)
    seven_zip("-t7z", "-psecret", "-mhe=on", str(folder / "names-encrypted.7z"), "docs/readme.txt",
              "A/x")
    subprocess.run(["tar", "-cf", "data.tar", "docs/readme.txt", "A/x"], cwd=work, check=True)
    seven_zip("-tgzip", str(folder / "data.tar.gz"), "data.tar")
    shutil.copy(folder / "data.tar.gz", folder / "data.tgz")
    shutil.copy(folder / "listing.zip", folder / "Report.DOCX")
    (folder / "truncated.7z").write_bytes((folder / "listing.7z").read_bytes()[:200])
    (folder / "garbage.zip").write_bytes(b"PK\x03\x04" + bytes(range(256)) * 16)
    subprocess.run(["genisoimage", "-quiet", "-J", "-R", "-graft-points", "-o",
                    str(folder / "image.iso"), "docs=docs", "A=A"], cwd=work, check=True,
                   stdin=subprocess.DEVNULL, capture_output=True)


def clipboard(rig):
    """The clipboard's lines; None while it holds no text (between emptying and filling)."""
    read = subprocess.run(
        ["xclip", "-o", "-selection", "clipboard", "-t", "UTF8_STRING"], env=rig.x.env(),
        stdin=subprocess.DEVNULL, capture_output=True, timeout=10)
    return read.stdout.decode("utf-8", "replace").splitlines() if read.returncode == 0 else None


def copied(app, rig, keys, what):
    """The clipboard's lines once keys have put something new there."""
    subprocess.run(["xclip", "-i", "-selection", "clipboard"], input=PLACEHOLDER.encode(),
                   env=rig.x.env(), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                   check=True, timeout=10)
    poll(lambda: clipboard(rig) == [PLACEHOLDER], 10, "the placeholder on the clipboard")
    app.key(*keys)
    # A tuple: an empty text ("..") is an answer too.
    return poll(lambda: (lines := clipboard(rig)) not in (None, [PLACEHOLDER]) and (lines,), 15,
                f"{what} on the clipboard", interval=0.2)[0]


def listed(app, rig, what):
    """Every name the active panel lists but "..", in list order."""
    return copied(app, rig, ["ctrl+a", "ctrl+Insert", "ctrl+u"], what)


def cursor_item(app, rig, keys=(), what="the cursor item"):
    """The name under the cursor after keys ([] on "..")."""
    return copied(app, rig, [*keys, "ctrl+Insert"], what)


def enter(app, rig, name):
    """Puts the cursor on name in a folder list that starts with "..", and presses Enter."""
    index = listed(app, rig, "the folder's names").index(name) + 1
    assert cursor_item(app, rig, ["Home", *["Down"] * index]) == [name]
    app.key("Return")


def expect_box(app, caption, text, key="Return"):
    box = app.message_box(caption)
    assert box.text == text, box
    box.answer(key)


def udf_question(app, answer):
    question = app.message_box()
    assert question.text == "Open image as UDF (ISO-13346) file system?", question
    question.click(answer)


def start(rig):
    folder = rig.folder("archives")
    make_archives(rig, folder)
    rig.save_configuration(folder, rig.folder("right"), SortPanelLeft=1000, ModePanelLeft=1002)
    app = rig.start(rig.folder("elsewhere"))
    app.wait_title(windows_path(folder))
    wait_active_title(app, app.panels()[0])
    return app, folder, listed(app, rig, "the folder")


def test_archives_are_walked_like_folders_and_other_files_are_run(rig):
    app, folder, names = start(rig)

    for archive in ("listing.7z", "listing.zip"):
        enter(app, rig, archive)
        assert listed(app, rig, f"the root of {archive}") == ROOT
        assert cursor_item(app, rig, ["Home"]) == []  # ".." comes first
        assert copied(app, rig, ["ctrl+a", "ctrl+c", "ctrl+u"], "Ctrl+C") == \
            ["\\A", "\\docs"] + FILES
        assert cursor_item(app, rig, ["Down", "Down"]) == ["docs"]
        app.key("Return")
        assert listed(app, rig, "docs") == ["readme.txt"]
        assert cursor_item(app, rig, ["Home", "Return"]) == ["docs"]  # ".." back onto docs
        assert cursor_item(app, rig, ["Up", "Return", "End"]) == ["y"]  # A holds a\y too
        assert cursor_item(app, rig, ["BackSpace"]) == ["A"]
        assert cursor_item(app, rig, ["BackSpace"]) == [archive]

    # Sorting stays inside the archive: Unsorted is the zip's own order (7zz stores its names
    # sorted), not the folder's.
    enter(app, rig, "listing.zip")
    app.key("ctrl+F6", "ctrl+F7")
    assert listed(app, rig, "the zip unsorted") == ROOT
    assert cursor_item(app, rig, ["ctrl+F3", "End"]) == ["f199.txt"]
    # Quick search: typing jumps to the first name with the typed start.
    app.key("Home", "f")
    rig.x.focus(poll(lambda: app.x_window("Search"), 15, "the quick-search box"))
    rig.x.key("1", "5", "Return")
    poll(lambda: app.x_window("Search") is None, 15, "the quick-search box to close")
    assert cursor_item(app, rig) == ["f150.txt"]
    assert cursor_item(app, rig, ["Home", "Down", "Down", "Insert", "Insert"]) == \
        ["docs", "f000.txt"]  # Insert selects and moves on: the selection is what is taken
    app.key("BackSpace")

    enter(app, rig, "data.tar.gz")
    assert listed(app, rig, "the inner tar") == ["A", "docs"]
    assert cursor_item(app, rig, ["BackSpace"]) == ["data.tar.gz"]

    # Not entered: a zip named as a document, and gzip without "tar." in its name. Wine has no
    # program for either, and says so.
    for name in ("Report.DOCX", "data.tgz"):
        enter(app, rig, name)
        box = app.message_box()
        assert name in box.text, box
        box.answer("Return")
        assert listed(app, rig, f"the folder after {name}") == names


def test_broken_encrypted_and_image_files_and_an_archive_deleted_while_shown(rig):
    app, folder, names = start(rig)

    for name in ("truncated.7z", "garbage.zip"):
        enter(app, rig, name)
        expect_box(app, "Norvane 1.0.0",
                   f"Error reading archive content: {windows_path(folder / name)}")
        assert cursor_item(app, rig) == [name], "the panel stays on its folder"
        assert listed(app, rig, f"the folder after {name}") == names

    # Encrypted names: the password is asked; Cancel fails the opening, the right one lists.
    enter(app, rig, "names-encrypted.7z")
    app.message_box("Request of the password").answer("Escape")
    expect_box(app, "Norvane 1.0.0",
               f"Error reading archive content: {windows_path(folder / 'names-encrypted.7z')}")
    app.key("Return")
    box = app.message_box("Request of the password")
    rig.x.focus(box.xid())
    rig.x.type("secret")
    box.answer("Return")
    assert listed(app, rig, "the encrypted archive") == ["A", "docs"]
    app.key("BackSpace")

    # A CD image asks each time whether it is UDF; this one is ISO 9660 alone.
    enter(app, rig, "image.iso")
    udf_question(app, "No")
    assert listed(app, rig, "the image as ISO") == ["A", "docs"]
    assert cursor_item(app, rig, ["BackSpace"]) == ["image.iso"]
    app.key("Return")
    udf_question(app, "Yes")
    expect_box(app, "Norvane 1.0.0",
               f"Error reading archive content: {windows_path(folder / 'image.iso')}")

    # Deleted while shown: the panel goes on from its list and leaves quietly.
    enter(app, rig, "listing.7z")
    (folder / "listing.7z").unlink()
    assert cursor_item(app, rig, ["Home", "Down", "Down", "Return", "End"]) == ["readme.txt"]
    assert cursor_item(app, rig, ["BackSpace", "BackSpace"]) == []  # the file is gone: on ".."
    assert listed(app, rig, "the folder without it") == [n for n in names if n != "listing.7z"]
    assert not app.message_boxes()
