"""FTP panels against a real server (pyftpdlib on 127.0.0.1, started and stopped by the tests):
Open URL with host:port, listing and folders, downloads and uploads with identical bytes, the
question before a download replaces a file, move, delete with its questions, make folder,
anonymous and refused logins, a server restarted between two folder changes, two FTP panels,
passive mode turned off, a server that refuses a finished upload (552) under a move, and the
main window's caption following the active panel onto the server.

What Wine's WinINet does here: it converts names with the ANSI code page both ways, so the
server speaks that code page for names beyond ASCII; an empty listing fails with last error 0;
a connection the server dropped fails its next command; it writes a copy of every download
into its URL cache whatever the flags say (the program removes it); it closes an upload without
a word about the server's final reply, so a 552 is seen only by asking the server."""

import hashlib
import os
import re
import subprocess

import pytest

from norvane_e2e import poll, windows_path
from norvane_e2e.checks import rows, wait_active_title
from norvane_e2e.ftp_server import ACTIVE_USER, FULL_USER, FtpServer
from norvane_e2e.settings import KEY, SELECTED_BACKGROUND

WORK = 60  # seconds a transfer of these tests may take


def digest(path):
    return hashlib.sha256(path.read_bytes()).hexdigest()


def random_file(path, size):
    path.write_bytes(os.urandom(size))
    return path


@pytest.fixture
def server(rig):
    ftp = FtpServer(rig.dir / "files" / "server", rig.dir / "ftp")
    yield ftp
    ftp.stop()


def start(rig, left, right):
    rig.save_configuration(left, right, SortPanelLeft=1000, SortPanelRight=1000, ModePanelLeft=1002,
                           ModePanelRight=1002, PanelShowFreeSize=False)
    app = rig.start(rig.folder("elsewhere"))
    app.wait_title(windows_path(left))
    return app


def open_url(app, menu_key, address, login="", password="", anonymous=False, save=False, start_folder=None,
             passive=True):
    """Opens the location menu with menu_key, picks "Open URL..." and fills the dialog; with
    start_folder or passive off, "Properties" sets them."""
    app.key(menu_key)
    poll(app.popup_menus, 15, "the location menu")
    app.x.key("Up", "Up", "Return")  # the last two entries: "Open URL...", "Browse..."
    box = app.message_box("Open URL")
    app.x.focus(box.xid())
    app.x.key("ctrl+a", "BackSpace")
    app.x.type(address)
    app.x.key("Tab")
    if login:
        app.x.type(login)
    app.x.key("Tab")
    if password:
        app.x.type(password)
    app.x.key("Tab")
    if anonymous:
        app.x.key("space")
    app.x.key("Tab")
    if save:
        app.x.key("space")
    if start_folder is not None or not passive:
        app.x.key("Tab", "Tab", "Tab", "space")  # past Open and Cancel to "Properties"
        properties = app.message_box("Connection properties")
        app.x.focus(properties.xid())
        if not passive:
            app.x.key("space")  # "Passive mode" has the focus
        if start_folder is not None:
            app.x.key("Tab", "ctrl+a", "BackSpace")  # from "Passive mode" to "Start folder:"
            app.x.type(start_folder)
        properties.answer("Return")
        app.x.focus(box.xid())
        app.x.key("Tab")  # from "Properties" round to the URL field, where Return opens
    box.answer("Return")


def clipboard(rig):
    return subprocess.run(["xclip", "-o", "-selection", "clipboard", "-t", "UTF8_STRING"],
                          env=rig.x.env(), stdin=subprocess.DEVNULL, capture_output=True,
                          timeout=10).stdout.decode("utf-8", "replace").splitlines()


def names_in_order(rig, app, expected):
    """Every name of the active panel through Ctrl+A and Ctrl+Ins, in the panel's order, once
    they are the expected ones; the selection is taken away again."""
    subprocess.run(["xclip", "-selection", "clipboard", "-i", "/dev/null"], env=rig.x.env(), check=False)
    app.key("ctrl+a", "ctrl+Insert")
    seen = poll(lambda: (lambda lines: lines if sorted(lines) == sorted(expected) else None)(
        clipboard(rig)), 15, f"the names {sorted(expected)} on the clipboard")
    app.key("ctrl+u")
    return seen


def full_path_at(rig, app, index):
    subprocess.run(["xclip", "-selection", "clipboard", "-i", "/dev/null"], env=rig.x.env(), check=False)
    app.key("Home", *["Down"] * index, "ctrl+c")
    return poll(lambda: clipboard(rig) or None, 15, "a full path on the clipboard")


def title_width(app, panel):
    """The width of the text on the active panel's title line: the line is filled with the
    selected background edge to edge, the text is whatever else is there."""
    shot = wait_active_title(app, panel)
    left, top, right, _ = panel.client
    background = bytes(SELECTED_BACKGROUND)
    xs = []
    y = top
    while shot.row(y, left + 2, left + 3) == background:
        row = shot.row(y, left + 2, right - 2)
        xs += [i // 3 for i in range(0, len(row), 3) if row[i:i + 3] != background]
        y += 1
    assert xs, "no text on the title line"
    return max(xs) - min(xs) + 1


def cache_copies(rig):
    caches = rig.prefix.path.glob("drive_c/users/*/AppData/Local/Microsoft/Windows/INetCache")
    return [p for cache in caches for p in cache.rglob("*") if p.is_file() and p.suffix != ".dat"]


def go_to(app, order, name, up_entry=False):
    app.key("Home", *["Down"] * (order.index(name) + (1 if up_entry else 0)))


def test_browse_copy_move_delete_and_make_folder(rig, server):
    home = server.home
    big = random_file(home / "big.bin", 20 * 1024 * 1024)
    (home / "a small.txt").write_text("small\n")
    (home / "b.txt").write_text("bee\n")
    (home / "gone.txt").write_text("gone\n")
    (home / "moveme.txt").write_text("move me\n" * 50)
    (home / "sub").mkdir()
    (home / "sub" / "inner.txt").write_text("inner\n")
    (home / "full").mkdir()
    (home / "full" / "keep.txt").write_text("keep\n")
    server.start()
    left = rig.folder("left")
    right = rig.folder("right")
    random_file(right / "up load.bin", 3 * 1024 * 1024 + 17)
    (right / "upmove.txt").write_text("up and away\n")
    app = start(rig, left, right)
    panel_left, panel_right = app.panels()

    open_url(app, "alt+F1", server.address, FtpServer.user, FtpServer.password)
    root = ["a small.txt", "b.txt", "big.bin", "full", "gone.txt", "moveme.txt", "sub"]
    rows(app, panel_left, len(root))  # the root has no ".."
    app.wait_title(f"{server.address}/")  # the caption follows the active panel onto the server
    order = names_in_order(rig, app, root)
    assert order[:2] == ["full", "sub"], order  # folders first, as on a local disk
    at_root = title_width(app, panel_left)

    go_to(app, order, "sub")
    app.key("Return")
    rows(app, panel_left, 2)  # "..", inner.txt
    app.wait_title(f"{server.address}/sub")
    # "127.0.0.1:<port>/sub" against "127.0.0.1:<port>/": the server is named before the
    # folder, so "sub" adds a small part to a title many times its width.
    in_sub = title_width(app, panel_left)
    assert in_sub > at_root > 3 * (in_sub - at_root), (at_root, in_sub)
    assert full_path_at(rig, app, 1) == ["/sub/inner.txt"]
    app.key("BackSpace")
    rows(app, panel_left, len(root))
    app.wait_title(f"{server.address}/")
    app.key("ctrl+c")  # the cursor came back on the folder it left
    poll(lambda: clipboard(rig) == ["/sub"], 15, "the cursor on /sub")

    # Download: one file (the prompt proposes the local folder and its name), then two.
    go_to(app, order, "big.bin")
    app.key("F5")
    box = app.message_box("Copy")
    assert box.text.startswith("Copy big.bin to:"), box.text
    box.answer("Return")
    poll(lambda: (right / "big.bin").is_file() and (right / "big.bin").stat().st_size == big.stat().st_size,
         WORK, "big.bin downloaded")
    assert digest(right / "big.bin") == digest(big)
    go_to(app, order, "a small.txt")
    app.key("Insert", "Insert")
    app.key("F5")
    box = app.message_box("Copy")
    assert box.text.startswith("Copy 2 items to:"), box.text
    box.answer("Return")
    poll(lambda: (right / "b.txt").is_file() and (right / "a small.txt").is_file(), WORK, "two files downloaded")
    assert (right / "a small.txt").read_text() == "small\n"
    # A download onto an existing file asks first: No leaves it, Yes replaces it.
    app.key("ctrl+u")
    (right / "a small.txt").write_text("edited here\n")
    for answer, expected in (("No", "edited here\n"), ("Yes", "small\n")):
        go_to(app, order, "a small.txt")
        app.key("F5")
        app.message_box("Copy").answer("Return")
        question = app.message_box("Question")
        assert question.text == f"File {windows_path(right)}\\a small.txt already exist. Overwrite it?", question.text
        question.click(answer)
        poll(lambda: all(w.text != "FTP" for w in app.message_boxes()), WORK, "the progress window gone")
        assert (right / "a small.txt").read_text() == expected, answer
    assert not list(right.glob("*.tmp"))
    # Wine's WinINet copies every download into its cache, whatever the flags: none stays.
    poll(lambda: not cache_copies(rig), WORK, "no download left in WinINet's cache")

    # Move: the server's file goes once the local copy is complete.
    moved = digest(home / "moveme.txt")
    rows(app, panel_left, len(root))
    go_to(app, order, "moveme.txt")
    app.key("F6")
    app.message_box("Rename/Move").answer("Return")
    poll(lambda: not (home / "moveme.txt").exists(), WORK, "moveme.txt moved off the server")
    assert digest(right / "moveme.txt") == moved
    root.remove("moveme.txt")
    rows(app, panel_left, len(root))
    order = names_in_order(rig, app, root)

    # Delete one file after the question.
    go_to(app, order, "gone.txt")
    app.key("F8")
    box = app.message_box("Delete")
    assert box.text == "Delete 1 items from 127.0.0.1?", box.text
    box.answer("Return")
    poll(lambda: not (home / "gone.txt").exists(), WORK, "gone.txt deleted")
    root.remove("gone.txt")
    rows(app, panel_left, len(root))
    order = names_in_order(rig, app, root)

    # A folder that is not empty is refused; the next job asks whether to go on.
    go_to(app, order, "full")
    app.key("Insert")
    go_to(app, order, "b.txt")
    app.key("Insert", "F8")
    box = app.message_box("Delete")
    assert box.text == "Delete 2 items from 127.0.0.1?", box.text
    box.answer("Return")
    error = app.message_box("Norvane 1.0.0")
    assert error.text.startswith("Failed delete directory /full"), error.text
    error.answer("Return")
    question = app.message_box("Errors occurred")
    assert question.text == "Abort operation", question.text
    question.click("No")
    poll(lambda: not (home / "b.txt").exists(), WORK, "b.txt deleted after the failed folder")
    assert (home / "full" / "keep.txt").is_file()
    root.remove("b.txt")
    rows(app, panel_left, len(root))

    # F7 makes the folder on the server.
    app.key("F7")
    box = app.message_box("Make folder")
    app.x.focus(box.xid())
    app.x.key("ctrl+a", "BackSpace")
    app.x.type("made here")
    box.answer("Return")
    poll(lambda: (home / "made here").is_dir(), WORK, "the remote folder made")
    root.append("made here")
    rows(app, panel_left, len(root))

    # Upload from the local panel into the server's root, then a move that removes the source.
    app.key("Tab")
    app.wait_title(windows_path(right))
    local = ["a small.txt", "b.txt", "big.bin", "moveme.txt", "up load.bin", "upmove.txt"]
    rows(app, panel_right, len(local) + 1)
    local_order = names_in_order(rig, app, local)
    go_to(app, local_order, "up load.bin", up_entry=True)
    app.key("F5")
    box = app.message_box("Copy")
    assert box.text.startswith("Copy up load.bin to:"), box.text
    box.answer("Return")
    poll(lambda: (home / "up load.bin").is_file() and
         (home / "up load.bin").stat().st_size == (right / "up load.bin").stat().st_size, WORK, "the upload")
    assert digest(home / "up load.bin") == digest(right / "up load.bin")
    go_to(app, local_order, "upmove.txt", up_entry=True)
    app.key("F6")
    app.message_box("Rename/Move").answer("Return")
    poll(lambda: not (right / "upmove.txt").exists(), WORK, "upmove.txt moved to the server")
    assert (home / "upmove.txt").read_text() == "up and away\n"

    # The right panel on the same server, anonymously: nothing goes between two servers.
    open_url(app, "alt+F2", server.address, anonymous=True, save=True)
    root += ["up load.bin", "upmove.txt"]
    rows(app, panel_right, len(root))
    app.wait_title(f"{server.address}/")
    assert rig.registry(KEY + "\\History\\FtpUrls").text("Item0") == f"anonymous@{server.address}"
    app.key("F5")
    box = app.message_box("Copy")
    box.answer("Return")
    refused = app.message_box("Error")
    assert refused.text == "Operation is not supported in this version"
    refused.answer("Return")
    assert sorted(p.name for p in home.iterdir()) == sorted(root)


def test_refused_login_bad_fields_and_a_restarted_server(rig, server):
    (server.home / "sub" / "deeper").mkdir(parents=True)
    (server.home / "sub" / "deeper" / "x.txt").write_text("x\n")
    server.start()
    left = rig.folder("left", files=["l1.txt", "l2.txt"])
    right = rig.folder("right")
    keep = random_file(right / "keep.bin", 300 * 1024 + 5)
    kept = digest(keep)
    app = start(rig, left, right)
    panel_left, _ = app.panels()
    rows(app, panel_left, 3)

    open_url(app, "alt+F1", server.address, FtpServer.user, "wrong")
    box = app.message_box("Norvane 1.0.0")
    assert box.text.startswith(f"Failed connect to: 127.0.0.1:{server.port}"), box.text
    assert "530" in box.text, box.text  # the server's own reply
    box.answer("Return")
    rows(app, panel_left, 3)  # still the local folder
    app.wait_title(windows_path(left))

    open_url(app, "alt+F1", "127.0.0.1:70000", FtpServer.user, FtpServer.password)
    box = app.message_box("Error")
    assert "65535" in box.text, box.text
    box.answer("Return")
    open_url(app, "alt+F1", f"ftp://127.0.0.1:{server.port}/sub", FtpServer.user, FtpServer.password)
    box = app.message_box("Norvane 1.0.0")
    assert box.text.startswith(f"Failed connect to: ftp://127.0.0.1:{server.port}/sub:21"), box.text
    box.answer("Return")
    rows(app, panel_left, 3)

    open_url(app, "alt+F1", server.address, FtpServer.user, FtpServer.password)
    rows(app, panel_left, 1)
    app.key("Home", "Return")
    rows(app, panel_left, 2)  # "..", deeper
    server.restart()
    app.key("Home", "Down", "Return")  # the dropped connection is restored into /sub/deeper
    rows(app, panel_left, 2)  # "..", x.txt
    app.wait_title(f"{server.address}/sub/deeper")
    assert full_path_at(rig, app, 1) == ["/sub/deeper/x.txt"]
    app.key("BackSpace", "BackSpace")
    rows(app, panel_left, 1)

    # A drive of the location menu takes the panel back to a local folder: on the drive of
    # the other panel, that panel's folder.
    drives = sorted(p.name[0].upper() for p in (rig.prefix.path / "dosdevices").iterdir()
                    if re.fullmatch(r"[a-z]:", p.name))
    app.key("alt+F1")
    poll(app.popup_menus, 15, "the location menu")
    app.x.key(*["Down"] * (drives.index("Z") + 1), "Return")
    app.wait_title(windows_path(right))
    rows(app, panel_left, 2)  # "..", keep.bin

    # "Properties": a start folder, kept with the saved server (never its password).
    open_url(app, "alt+F1", server.address, FtpServer.user, FtpServer.password, save=True,
             start_folder="sub/deeper")
    rows(app, panel_left, 2)  # "..", x.txt
    assert full_path_at(rig, app, 1) == ["/sub/deeper/x.txt"]
    stored = rig.registry(KEY + "\\History\\FtpUrlProperties")
    assert stored.text(f"{FtpServer.user}@{server.address}") == "passive;/sub/deeper"

    # Passive mode off, for a user the server refuses it: the listing, with a name's blank, and
    # a download come over connections the server opens itself.
    (server.home / "with blank.txt").write_text("blank\n")
    open_url(app, "alt+F1", server.address, ACTIVE_USER, FtpServer.password, save=True, passive=False)
    rows(app, panel_left, 2)
    app.wait_title(f"{server.address}/")
    order = names_in_order(rig, app, ["sub", "with blank.txt"])
    go_to(app, order, "with blank.txt")
    app.key("F5")
    app.message_box("Copy").answer("Return")
    poll(lambda: (right / "with blank.txt").is_file() and (right / "with blank.txt").read_text() == "blank\n",
         WORK, "with blank.txt downloaded")
    stored = rig.registry(KEY + "\\History\\FtpUrlProperties")
    assert stored.text(f"{ACTIVE_USER}@{server.address}") == "active;"

    # A server that answers the finished upload with 552 (its disk full, half the file kept):
    # a move keeps the local file and says so.
    open_url(app, "alt+F1", server.address, FULL_USER, FtpServer.password)
    rows(app, panel_left, 2)
    app.key("Tab")
    app.wait_title(windows_path(right))
    local = ["keep.bin", "with blank.txt"]
    go_to(app, names_in_order(rig, app, local), "keep.bin", up_entry=True)
    app.key("F6")
    app.message_box("Rename/Move").answer("Return")
    error = app.message_box("Norvane 1.0.0", timeout=WORK)
    assert error.text.startswith("The server did not keep /keep.bin"), error.text
    error.answer("Return")
    poll(lambda: all(w.text != "FTP" for w in app.message_boxes()), WORK, "the progress window gone")
    assert keep.is_file() and digest(keep) == kept
    assert sorted(p.name for p in server.home.iterdir()) == ["sub", "with blank.txt"]


def press_cancel(app, progress):
    """Clicks Cancel in the progress window, which stays open."""
    button = next(w for w in progress.button_windows if w.text.replace("&", "") == "Cancel")
    app.x.raise_window(progress.xid())
    left, top, right, bottom = button.rect
    app.x.click((left + right) // 2, (top + bottom) // 2)


def answer_all(app, quiet=3):
    """Answers every message box that shows up until none has for quiet seconds; their texts."""
    texts = []
    while True:
        try:
            box = app.message_box(timeout=quiet)
        except AssertionError:
            return texts
        texts.append(box.text)
        box.answer("Return")


def part_size(folder):
    """The size of the download under way: its file beside the target, under a name of its own."""
    parts = list(folder.glob("nrv*.tmp"))
    return parts[0].stat().st_size if len(parts) == 1 else 0


def test_a_server_gone_in_the_middle_of_a_transfer(rig):
    server = FtpServer(rig.dir / "files" / "server", rig.dir / "ftp", rate=2 * 1024 * 1024)
    try:
        random_file(server.home / "big.bin", 16 * 1024 * 1024)
        server.start()
        left = rig.folder("left")
        right = rig.folder("right")
        random_file(right / "up.bin", 16 * 1024 * 1024)
        app = start(rig, left, right)
        panel_left, panel_right = app.panels()
        open_url(app, "alt+F1", server.address, FtpServer.user, FtpServer.password)
        rows(app, panel_left, 1)

        app.key("F5")
        app.message_box("Copy").answer("Return")
        progress = app.message_box("FTP")  # the progress window
        # The download goes to a name of its own beside the target until it is complete.
        poll(lambda: part_size(right) > 1024 * 1024, WORK, "the download under way")
        assert not (right / "big.bin").exists()
        # Cancel asks after the current block; No goes on.
        press_cancel(app, progress)
        question = app.message_box("Question")
        assert question.text == "Abort operation?"
        question.click("No")
        size = part_size(right)
        poll(lambda: part_size(right) > size, WORK, "the download going on")
        server.stop()
        texts = answer_all(app)
        assert texts and texts[0].startswith("InternetReadFile"), texts
        assert any(t.startswith(f"Failed connect to: 127.0.0.1:{server.port}") for t in texts), texts
        assert sorted(p.name for p in right.iterdir()) == ["up.bin"]  # nothing of the broken download

        server.start()
        app.key("ctrl+r")  # the panel is read again once the server is back
        rows(app, panel_left, 1)
        assert answer_all(app, quiet=1) == []

        # Cancel and Yes ends the transfer quietly, and leaves nothing of it.
        app.key("F5")
        app.message_box("Copy").answer("Return")
        progress = app.message_box("FTP")
        poll(lambda: part_size(right) > 1024 * 1024, WORK, "the second download under way")
        press_cancel(app, progress)
        app.message_box("Question").click("Yes")
        poll(lambda: all(w.text != "FTP" for w in app.message_boxes()), 15, "the progress window gone")
        assert answer_all(app, quiet=1) == []
        assert sorted(p.name for p in right.iterdir()) == ["up.bin"]

        app.key("Tab")
        rows(app, panel_right, 2)  # "..", up.bin
        app.key("End", "F5")
        app.message_box("Copy").answer("Return")
        part = server.home / "up.bin.nrv-part"
        poll(lambda: part.exists() and part.stat().st_size > 1024 * 1024, WORK, "the upload under way")
        server.stop()
        texts = answer_all(app)
        assert texts and texts[0].startswith("InternetWriteFile"), texts
        assert app.running()
        server.start()
        app.key("Tab", "ctrl+r")
        # What arrived of up.bin keeps the name it was sent under: no file of that name.
        rows(app, panel_left, 2)
        assert sorted(p.name for p in server.home.iterdir()) == ["big.bin", "up.bin.nrv-part"]
    finally:
        server.stop()


def test_names_with_blanks_and_beyond_ascii(rig):
    # The server speaks the ANSI code page Wine's WinINet uses for names.
    server = FtpServer(rig.dir / "files" / "server", rig.dir / "ftp", encoding="cp1252")
    try:
        cafe = random_file(server.home / "café ü.txt", 100 * 1024 + 3)
        (server.home / "dossier été").mkdir()
        recu = random_file(server.home / "dossier été" / "reçu.txt", 5000)
        server.start()
        left = rig.folder("left")
        right = rig.folder("right")
        naive = random_file(right / "naïve résumé.txt", 70000)
        app = start(rig, left, right)
        panel_left, panel_right = app.panels()
        open_url(app, "alt+F1", server.address, FtpServer.user, FtpServer.password)
        rows(app, panel_left, 2)
        order = names_in_order(rig, app, ["café ü.txt", "dossier été"])

        go_to(app, order, "dossier été")
        app.key("Return")
        rows(app, panel_left, 2)
        assert full_path_at(rig, app, 1) == ["/dossier été/reçu.txt"]
        app.key("F5")
        app.message_box("Copy").answer("Return")
        poll(lambda: (right / "reçu.txt").is_file() and digest(right / "reçu.txt") == digest(recu), WORK,
             "reçu.txt downloaded")
        app.key("BackSpace")
        rows(app, panel_left, 2)
        go_to(app, order, "café ü.txt")
        app.key("F5")
        app.message_box("Copy").answer("Return")
        poll(lambda: (right / "café ü.txt").is_file() and digest(right / "café ü.txt") == digest(cafe), WORK,
             "café ü.txt downloaded")

        app.key("Tab")
        local = ["café ü.txt", "naïve résumé.txt", "reçu.txt"]
        rows(app, panel_right, len(local) + 1)
        go_to(app, names_in_order(rig, app, local), "naïve résumé.txt", up_entry=True)
        app.key("F5")
        app.message_box("Copy").answer("Return")
        uploaded = server.home / "naïve résumé.txt"
        poll(lambda: uploaded.is_file() and uploaded.stat().st_size == naive.stat().st_size, WORK,
             "naïve résumé.txt uploaded")
        assert digest(uploaded) == digest(naive)
    finally:
        server.stop()


def test_server_names_that_are_not_one_file_name_stay_out_of_every_folder(rig, server):
    # Legal names on Linux, each of which Windows would read as a path or a device.
    hostile = ["..\\escape.txt", "sub\\deep.txt", "aux.log"]
    for name in hostile:
        (server.home / name).write_text("from a stranger\n")
    good = {"good one.txt": "one\n", "good-two.txt": "two\n"}
    for name, text in good.items():
        (server.home / name).write_text(text)
    server.start()
    left = rig.folder("left")
    target = rig.folder("target")
    files = rig.dir / "files"
    before = {p for p in files.rglob("*") if p.is_file()}
    app = start(rig, left, target)
    panel_left, _ = app.panels()

    open_url(app, "alt+F1", server.address, FtpServer.user, FtpServer.password)
    # One report for the listing names every item it kept out, with the reason.
    report = app.message_box("Norvane 1.0.0")
    assert "..\\escape.txt: name holds a path separator" in report.text, report.text
    assert "sub\\deep.txt: name holds a path separator" in report.text, report.text
    assert "aux.log: name is a device name" in report.text, report.text
    report.answer("Return")
    rows(app, panel_left, len(good))
    names_in_order(rig, app, list(good))

    # Everything the panel shows, copied: the good files arrive, nothing lands anywhere else.
    app.key("ctrl+a", "F5")
    box = app.message_box("Copy")
    assert box.text.startswith(f"Copy {len(good)} items to:"), box.text
    box.answer("Return")
    poll(lambda: all((target / n).is_file() and (target / n).read_text() == t for n, t in good.items()), WORK,
         "the good files downloaded")
    strays = [p for p in {p for p in files.rglob("*") if p.is_file()} - before if p.parent != target]
    assert not strays, strays
    landed = [p for p in rig.dir.rglob("*") if p.name in ("escape.txt", "deep.txt", "aux.log")
              and p.parent != server.home]
    landed += [p for p in rig.prefix.path.rglob("*") if "escape" in p.name or "deep.txt" in p.name]
    assert not landed, landed
    assert sorted(p.name for p in target.iterdir()) == sorted(good)
    assert sorted(p.name for p in server.home.iterdir()) == sorted(hostile + list(good))
