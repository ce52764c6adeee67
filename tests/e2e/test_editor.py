"""The internal editor on Wine's rich-edit control: F4 from a panel, what the control holds,
saving (byte for byte when nothing changed, one typed letter as the only change to a file with
a byte that is not UTF-8 10 KB in and to a 20 MiB file, through a read-only file, after Replace
all, rich text, under another name), the questions on leaving and on quitting, going to a line, and what
happens when a file or its folder goes away or the disk is full."""

import os
import shutil
import stat
import subprocess

import pytest

from norvane_e2e import poll, windows_path

EDIT_CLASS = "RICHEDIT50W"
ANSI = b"first line\r\ncaf\xe9 na\xefve\r\n"
UTF8 = "Привет, мир\nΚαλημέρα κόσμε\n你好，世界\nこんにちは\n".encode("utf-8")
LINES = b"banana\r\n" * 1000
BINARY = bytes(range(256)) * 4
UTF16 = "\ufeffодин два\r\nтри четыре\r\nпять шесть\r\nsieben acht\r\nneun zehn\r\n".encode("utf-16-le")
RTF = b"{\\rtf1\\ansi plain {\\b bold} end}"
# Valid UTF-8 but for one byte 10 KB in, past the 8 KB the encoding is first guessed from.
CYRILLIC_LINES = b"".join(f"строка текста {i:04d}\r\n".encode("utf-8") for i in range(400))
BROKEN = CYRILLIC_LINES[:10240] + b"\xff" + CYRILLIC_LINES[10240:]
BIG_MIB = 20
DOUBLED = b"baanaanaa\r\n" * 1000


def children(app):
    """The main window's children by class name; Wine spells the control's class RichEdit50W."""
    return {name.upper(): window for name, window in app.children().items()}


def editor(app):
    return poll(lambda: children(app).get(EDIT_CLASS), 15, "the editor control")


def control_text(rig, app):
    return rig.spy.edit_text(rig.prefix, editor(app).hwnd)


def same_text(shown, file_text):
    """The control's line breaks are its own: compare lines."""
    return shown.replace("\r\n", "\n").replace("\r", "\n").rstrip("\n") == \
        file_text.replace("\r\n", "\n").rstrip("\n")


def wait_file(path, expected, what):
    return poll(lambda: path.exists() and path.read_bytes() == expected, 20, what)


def replaced(path, inode):
    """True once the save has put a new file in place (saving goes through a temporary file)."""
    return poll(lambda: path.stat().st_ino != inode, 20, f"{path.name} to be saved")


def shows_and_saves_unchanged(rig, app, path, data, encoding):
    """The control holds the file's text, and F2 without a change writes the same bytes."""
    assert same_text(control_text(rig, app)["text"], data.decode(encoding))
    inode = path.stat().st_ino
    app.key("F2")
    replaced(path, inode)
    assert path.read_bytes() == data


def open_item(app, position, name, timeout=None):
    """F4 on the item `position` rows below "..", in a panel sorted by name."""
    app.key("Home", *["Down"] * position, "F4")
    if timeout:
        app.wait_title(f"Edit {name}", timeout=timeout)
    else:
        app.wait_title(f"Edit {name}")


def answer(app, caption, key, text=None, timeout=None):
    box = app.message_box(caption) if timeout is None else app.message_box(caption, timeout)
    if text is not None:
        assert text in box.text, box
    box.answer(key)


def test_edit_save_questions_replace_and_go_to(rig):
    folder = rig.folder("docs")
    big_data = b"".join(b"%07d plain text of a large file to edit\r\n" % i
                        for i in range(BIG_MIB * 1048576 // 48 + 1))[:BIG_MIB * 1048576]
    files = {"a_plain.txt": ANSI, "b_utf8.txt": UTF8, "c_lines.txt": LINES, "d_bin.dat": BINARY,
             "e_ro.txt": b"locked text\r\n", "f_utf16.txt": UTF16, "g_doc.rtf": RTF, "h_broken.txt": BROKEN,
             "i_big.txt": big_data}
    for name, data in files.items():
        (folder / name).write_bytes(data)
    (folder / "e_ro.txt").chmod(0o444)
    rig.save_configuration(folder, rig.folder("other"), SortPanelLeft=1000)
    app = rig.start(rig.folder("cwd"))
    app.wait_title(windows_path(folder))
    plain, utf8, lines, readonly = (folder / n for n in ("a_plain.txt", "b_utf8.txt", "c_lines.txt", "e_ro.txt"))

    # The control holds the file's text; F2 without a change writes the same bytes.
    open_item(app, 1, "a_plain.txt")
    shows_and_saves_unchanged(rig, app, plain, ANSI, "cp1252")
    # A typed line at the end; the control's line ends are the file's.
    app.key("ctrl+End")
    rig.x.type("added line")
    app.key("Return")
    rig.x.type("x")
    app.key("F2")
    wait_file(plain, ANSI + b"added line\r\nx", "the typed lines on disk")

    # Leaving with changes: Cancel stays, No leaves the file, Yes saves.
    app.key("ctrl+Home")
    rig.x.type("1")
    app.key("Escape")
    answer(app, "File has been modified", "Escape", "Do you want to save changes a_plain.txt?")
    assert app.title() == "Edit a_plain.txt"
    app.key("Escape")
    answer(app, "File has been modified", "n")
    app.wait_title(windows_path(folder))
    assert plain.read_bytes() == ANSI + b"added line\r\nx"
    open_item(app, 1, "a_plain.txt")
    app.key("ctrl+Home")
    rig.x.type("2")
    app.key("Escape")
    answer(app, "File has been modified", "y")
    app.wait_title(windows_path(folder))
    assert plain.read_bytes() == b"2" + ANSI + b"added line\r\nx"

    # Cyrillic, Greek and CJK in UTF-8 load as themselves and save byte-identical.
    open_item(app, 2, "b_utf8.txt")
    shows_and_saves_unchanged(rig, app, utf8, UTF8, "utf-8")
    app.key("Escape")
    app.wait_title(windows_path(folder))

    # UTF-16 keeps its byte-order mark.
    open_item(app, 6, "f_utf16.txt")
    shows_and_saves_unchanged(rig, app, folder / "f_utf16.txt", UTF16, "utf-16")
    app.key("Escape")
    app.wait_title(windows_path(folder))

    # A binary file asks first; No keeps the panels.
    app.key("Home", "Down", "Down", "Down", "Down", "F4")
    answer(app, "Binary file", "n", "d_bin.dat is a binary file.")
    app.wait_title(windows_path(folder))
    assert EDIT_CLASS not in children(app)

    # Over a read-only file after Yes: the new text, read-only again.
    open_item(app, 5, "e_ro.txt")
    app.key("ctrl+End")
    rig.x.type("more")
    app.key("F2")
    answer(app, "Read only file", "y", "File e_ro.txt is a read only file. Overwrite it?")
    wait_file(readonly, b"locked text\r\nmore", "the read-only file rewritten")
    assert not readonly.stat().st_mode & stat.S_IWUSR
    app.key("Escape")
    app.wait_title(windows_path(folder))

    # Rich text goes back as rich text with its formatting, and loads again with the addition.
    rtf = folder / "g_doc.rtf"
    open_item(app, 7, "g_doc.rtf")
    assert same_text(control_text(rig, app)["text"], "plain bold end")
    app.key("ctrl+End")
    rig.x.type(" more")
    app.key("F2")
    saved = poll(lambda: b"more" in rtf.read_bytes() and rtf.read_bytes(), 20, "the rich text saved")
    assert saved.startswith(b"{\\rtf1") and b"\\b" in saved, saved
    app.key("Escape")
    app.wait_title(windows_path(folder))
    open_item(app, 7, "g_doc.rtf")
    assert same_text(control_text(rig, app)["text"], "plain bold end more")
    app.key("Escape")
    app.wait_title(windows_path(folder))

    # A byte that is not UTF-8 10 KB in: the whole file is ANSI, and a typed letter is the only
    # change on disk.
    broken = folder / "h_broken.txt"
    open_item(app, 8, "h_broken.txt")
    app.key("ctrl+Home")
    rig.x.type("z")
    inode = broken.stat().st_ino
    app.key("F2")
    replaced(broken, inode)
    assert broken.read_bytes() == b"z" + BROKEN
    app.key("Escape")
    app.wait_title(windows_path(folder))

    # 20 MiB of plain text: a letter typed at its end and one at its start land in place.
    big = folder / "i_big.txt"
    open_item(app, 9, "i_big.txt", timeout=600)
    app.key("ctrl+End")
    rig.x.type("E")
    app.key("ctrl+Home")
    rig.x.type("S")
    inode = big.stat().st_ino
    app.key("F2")
    poll(lambda: big.stat().st_ino != inode, 300, "the large file saved")
    saved = big.read_bytes()
    assert len(saved) == len(big_data) + 2 and saved == b"S" + big_data + b"E", \
        f"{len(saved)} bytes, first difference at {next((i for i, (a, b) in enumerate(zip(saved, b'S' + big_data)) if a != b), None)}"
    app.key("Escape")
    app.wait_title(windows_path(folder))

    # Ctrl+G 500 puts the caret on line 500; Replace all of "a" by "aa" ends with the count.
    open_item(app, 3, "c_lines.txt")
    app.key("ctrl+g")
    go_to = poll(lambda: app.x_window("Go to"), 15, "the Go to dialog")
    rig.x.focus(go_to)
    rig.x.type("500")
    rig.x.key("Return")
    poll(lambda: control_text(rig, app)["caret_line"] == 499, 15, "the caret on line 500")
    app.key("ctrl+Home", "ctrl+f")
    search = poll(lambda: app.x_window("Search text"), 15, "the Search text dialog")
    rig.x.focus(search)
    rig.x.type("a")
    rig.x.key("Return", "Tab")
    rig.x.type("aa")
    dialog = next(w for w in app.windows() if w.top == 0 and w.text == "Search text")
    button = next(w for w in app.windows() if w.top == dialog.hwnd and w.text == "Replace all")
    left, top, right, bottom = button.rect
    rig.x.click((left + right) // 2, (top + bottom) // 2)
    # 3,000 replacements in Wine's control take seconds, more on a loaded machine.
    answer(app, "Replacement done", "Return", "3000 replacement(s) done.", timeout=60)
    rig.x.focus(search)
    rig.x.key("Escape")
    poll(lambda: app.x_window("Search text") is None, 15, "the dialog to close")
    app.key("F2")
    wait_file(lines, DOUBLED, "every a doubled on disk")
    # The caret line is remembered for the next opening.
    app.key("ctrl+g")
    rig.x.focus(poll(lambda: app.x_window("Go to"), 15, "the Go to dialog"))
    rig.x.type("321")
    rig.x.key("Return")
    poll(lambda: control_text(rig, app)["caret_line"] == 320, 15, "the caret on line 321")
    app.key("Escape")
    app.wait_title(windows_path(folder))
    open_item(app, 3, "c_lines.txt")
    assert control_text(rig, app)["caret_line"] == 320
    # Every save went through a temporary file that is gone again.
    assert sorted(os.listdir(folder)) == sorted(files)

    # Save as writes under the new name; the caption and the next F2 keep the old one.
    copy = folder / "z_copy.txt"
    app.key("shift+F2")
    dialog = poll(lambda: app.x_window("Save as..."), 15, "the Save as dialog")
    # Keys that come before the dialog has put its focus in the name field are lost: the
    # dialog's last child is made last, after its focus is set.
    poll(lambda: any(w.cls == "Button" and w.text == "&Help" for w in app.windows()), 15, "the dialog's buttons")
    rig.x.focus(dialog)
    rig.x.key("ctrl+a")
    rig.x.type(windows_path(copy))
    rig.x.key("Return")
    wait_file(copy, DOUBLED, "the text under its new name")
    app.wait_title("Edit c_lines.txt")

    # F10 with unsaved text: after the quit question the editor asks; Cancel keeps the program,
    # Yes saves and ends it.
    app.key("ctrl+Home")
    rig.x.type("q")
    app.key("F10")
    answer(app, "Question", "Return", "Do You want to quit program?")
    answer(app, "File has been modified", "Escape", "Do you want to save changes c_lines.txt?")
    assert app.running() and app.title() == "Edit c_lines.txt"
    app.key("F10")
    answer(app, "Question", "Return")
    answer(app, "File has been modified", "y")
    app.wait_exit(30)
    assert lines.read_bytes() == b"q" + DOUBLED
    assert copy.read_bytes() == DOUBLED


def test_locked_file_failed_save_and_cancelled_load(rig):
    folder = rig.folder("doomed")
    (folder / "locked.txt").write_bytes(b"busy\r\n")
    big = rig.folder("big") / "big.txt"
    with open(big, "wb") as out:
        for _ in range(100):
            out.write(b"0123456789 abcdefghijklmnopqrstuvwxyz\r\n" * 26886)  # 1 MiB and a bit
    (folder / "work.txt").write_bytes(b"old text\r\n")
    rig.save_configuration(folder, big.parent, SortPanelLeft=1000)
    app = rig.start(rig.folder("cwd"))
    app.wait_title(windows_path(folder))

    # A 100 MiB file shows its progress in the caption; Escape asks, Yes cancels.
    app.key("Tab", "Home", "Down", "F4")
    poll(lambda: app.title().startswith("Loading big.txt ("), 60, "the load progress")
    stamp = big.stat().st_mtime_ns
    app.key("Escape")
    box = app.message_box("Interrupt operation", timeout=30)
    assert "Do you want to cancel operation?" in box.text, box
    box.answer("y")
    app.wait_title(windows_path(big.parent), timeout=30)
    assert EDIT_CLASS not in children(app)
    assert big.stat().st_mtime_ns == stamp
    app.key("Tab")
    app.wait_title(windows_path(folder))

    holder = rig.spy.hold_locked(rig.prefix, folder / "locked.txt", 60, rig.dir)
    try:
        app.key("Home", "Down", "F4")
        box = app.message_box()
        assert "Error opening file locked.txt" in box.text, box
        box.answer("Return")
        app.wait_title(windows_path(folder))
        assert EDIT_CLASS not in children(app)
    finally:
        holder.kill()

    # The folder goes away while the file is open: the save fails, the editor keeps the text.
    work = folder / "work.txt"
    open_item(app, 2, "work.txt")
    app.key("ctrl+End")
    rig.x.type("new")
    # Every typed key in before the folder goes: the message about it takes the keyboard.
    poll(lambda: same_text(control_text(rig, app)["text"], "old text\r\nnew"), 15, "the typed text")
    shutil.rmtree(folder)
    # The hidden panel notices that its folder is gone and says so: gone before the re-read,
    # while it sets the folder as the current one, or when it watches the folder again.
    gone = ("is not available", "Error set current directory", "Error create notification event")
    box = app.message_box("Norvane 1.0.0")
    assert any(text in box.text for text in gone), box
    box.answer("Return")
    # Where a message about the panel leaves the keyboard, a click in the text takes it back.
    left, top, right, bottom = editor(app).rect
    rig.x.click((left + right) // 2, (top + bottom) // 2)
    app.key("F2")
    while "Error opening file work.txt" not in (box := app.message_box("Norvane 1.0.0")).text:
        assert any(text in box.text for text in gone), box
        box.answer("Return")
    box.answer("Return")
    assert app.title() == "Edit work.txt"
    assert same_text(control_text(rig, app)["text"], "old text\r\nnew")
    assert not folder.exists() and not work.exists()


def test_full_disk_leaves_the_old_file(rig):
    """A save that runs out of space on a 64 KiB file system: the message, the old file as it
    was, no temporary file left, the text still in the editor."""
    folder = rig.folder("small_disk")
    mounted = subprocess.run(["mount", "-t", "tmpfs", "-o", "size=64k", "tmpfs", str(folder)],
                             capture_output=True)
    if mounted.returncode != 0:
        pytest.skip(f"cannot mount a small file system here: {mounted.stderr.decode().strip()}")
    try:
        data = b"0123456789abcdef" * 2560  # 40 KiB: a second copy does not fit
        (folder / "full.txt").write_bytes(data)
        rig.save_configuration(folder, rig.folder("other"))
        app = rig.start(rig.folder("cwd"))
        app.wait_title(windows_path(folder))
        open_item(app, 1, "full.txt")
        app.key("ctrl+Home")
        rig.x.type("new ")
        app.key("F2")
        answer(app, "Norvane 1.0.0", "Return", "Error saving file full.txt")
        assert app.title() == "Edit full.txt"
        assert (folder / "full.txt").read_bytes() == data
        assert os.listdir(folder) == ["full.txt"]
        assert control_text(rig, app)["text"].startswith("new 0123456789abcdef")
    finally:
        # Wine holds the program's current folder open: the programs end first.
        for app in rig.apps:
            app.close()
        subprocess.run(["umount", "-l", str(folder)], check=False)
