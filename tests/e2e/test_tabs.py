"""Folder tabs in a panel: the keys, the mouse on the tab row, what each tab keeps, and the
tabs saved, restored and bounded, in one program and one restart. A tab on an FTP folder beside
a local one, the row always shown when asked, and the change watcher following the current tab."""

import shutil
import subprocess

from norvane_e2e import DropSource, poll, windows_path
from norvane_e2e.checks import wait_clipboard
from norvane_e2e.ftp_server import FtpServer
from norvane_e2e.settings import KEY, colour

OPTIONS_SAVE = ("F9", "Right", "Right", "Right", "Down", "Up", "Return")  # its last item
CURSOR = colour("ClrPanelCursorBackground")  # the current tab is drawn in the cursor's colours


def saved_tabs(rig, count, current):
    """Waits for TabsLeft with count tabs and TabCurrentLeft; returns each tab's fields."""
    def read():
        key = rig.registry(KEY)
        if not key or "TabsLeft" not in key.values or "TabCurrentLeft" not in key.values:
            return None
        kind, data = key.values["TabsLeft"]
        assert kind == 7, f"TabsLeft is type {kind}"
        tabs = [t.split("|") for t in data.decode("utf-16-le").split("\0") if t]
        return tabs if len(tabs) == count and key.dword("TabCurrentLeft") == current else None
    return poll(read, 20, f"{count} saved tabs, {current} current")


def tab_row_cells(app, panel):
    """The x ranges of the top band of the panel drawn in the current tab's colour; none
    while the row is not shown."""
    left, top, right, _ = panel.client
    row = app.screenshot().row(top + 4, left, right)
    xs = [left + i // 3 for i in range(0, len(row), 3) if tuple(row[i:i + 3]) == CURSOR]
    return (min(xs), max(xs)) if xs else None


def wait_row(app, panel, shown):
    """Waits for the row shown (returns the current tab's cells) or gone."""
    def look():
        cells = tab_row_cells(app, panel)
        return cells if shown else cells is None
    return poll(look, 15, f"the tab row {'shown' if shown else 'gone'}")


def test_tab_keys_mouse_saving_restoring_and_the_limit(rig):
    top = rig.folder("a", files=["a1.txt", "a2.txt", "a3.txt"])
    sub = top / "sub"
    sub.mkdir()
    # Second by size either way round, not by name.
    for name, size in (("a_big.txt", 20000), ("b_small.txt", 1), ("c_mid.txt", 100)):
        (sub / name).write_text("x" * size)
    packed = rig.folder("packed", files=["root.txt"])
    (packed / "inner").mkdir()
    (packed / "inner" / "deep.txt").write_text("deep\n")
    subprocess.run(["7zz", "a", "-bd", "-bso0", "-tzip", str(top / "pack.zip"), "root.txt", "inner"],
                   cwd=packed, check=True, timeout=60)
    rig.save_configuration(top, rig.folder("b"), SortPanelLeft=1000, ModePanelLeft=1000)
    app = rig.start(rig.folder("elsewhere"))
    app.wait_title(windows_path(top))
    panel = app.panels()[0]

    def cursor_is(name, what):
        app.key("ctrl+Insert")
        wait_clipboard(rig, [name], what)

    # One tab: no row. The first tab's cursor on a2.txt (after "..", sub, a1.txt).
    assert tab_row_cells(app, panel) is None
    app.key("Home", "Down", "Down", "Down")
    cursor_is("a2.txt", "the first tab's cursor")
    app.key("ctrl+t")
    second_cell = wait_row(app, panel, True)  # the new tab is current, after the first
    cursor_is("a2.txt", "a new tab on the same folder and item")
    # The second tab goes into sub and sorts by size in full view.
    app.key("Home", "Down", "Return")
    app.wait_title(windows_path(sub))
    app.key("ctrl+F6", "ctrl+3", "Home", "Down", "Down")
    cursor_is("c_mid.txt", "the files by size")

    # Ctrl+Tab wraps both ways; each tab comes back with its own folder and cursor.
    app.key("ctrl+Tab")
    app.wait_title(windows_path(top))
    first_cell = poll(lambda: tab_row_cells(app, panel) != second_cell and tab_row_cells(app, panel),
                      15, "the first tab drawn current")
    assert first_cell[1] < second_cell[0], (first_cell, second_cell)
    cursor_is("a2.txt", "the first tab's cursor kept")
    app.key("ctrl+Tab")
    app.wait_title(windows_path(sub))
    cursor_is("c_mid.txt", "the second tab's cursor kept")
    app.key("ctrl+shift+Tab", "ctrl+shift+Tab")
    app.wait_title(windows_path(sub))
    app.key("ctrl+shift+Tab")
    app.wait_title(windows_path(top))
    # Moving the first tab right: sub is now first, the current tab follows its place.
    app.key("ctrl+shift+Next")
    poll(lambda: tab_row_cells(app, panel) == second_cell, 15, "the current tab drawn second")
    app.key("ctrl+Tab")
    app.wait_title(windows_path(sub))

    # The saved tabs: each with its own sort and view, the current one marked.
    app.key(*OPTIONS_SAVE)
    tabs = saved_tabs(rig, 2, 0)
    assert [t[0] for t in tabs] == ["L", "L"]
    assert tabs[0][5] == windows_path(sub) and tabs[1][5] == windows_path(top)
    assert (tabs[0][1], tabs[0][2]) == ("1002", "1002") and (tabs[1][1], tabs[1][2]) == ("1000", "1000")
    assert tabs[0][8] == "c_mid.txt" and tabs[1][8] == "a2.txt"
    assert rig.registry(KEY).text("PanelPathLeft") == windows_path(sub)

    # The mouse: a click on a tab shows it, a drag moves it, a middle click closes one, a double
    # click on the row's empty space opens one, a double click on a tab closes it.
    x0, _, x1, _ = panel.client
    y = panel.client[1] + 4
    app.x.click(second_cell[0] + 5, y)
    app.wait_title(windows_path(top))
    # Dragging the current tab to the first place (away from the click's spot: no double click).
    app.x.run("xdotool", "mousemove", "--sync", str(second_cell[1] - 5), str(y), "mousedown", "1",
              "mousemove", "--sync", str(first_cell[0] + 20), str(y), "mouseup", "1")
    poll(lambda: tab_row_cells(app, panel) == first_cell, 15, "the dragged tab drawn first")
    app.x.run("xdotool", "mousemove", "--sync", str(second_cell[0] + 5), str(y), "click", "2")
    app.wait_title(windows_path(top))
    wait_row(app, panel, False)  # one tab left
    app.key("ctrl+t", "ctrl+t")
    wait_row(app, panel, True)
    app.x.run("xdotool", "mousemove", "--sync", str(x1 - 3), str(y), "click", "--repeat", "2", "1")
    poll(lambda: tab_row_cells(app, panel)[0] > second_cell[1], 15, "a fourth tab current")
    app.x.run("xdotool", "mousemove", "--sync", str(first_cell[0] + 5), str(y + 1),
              "click", "--repeat", "2", "1")
    app.key(*OPTIONS_SAVE)
    saved_tabs(rig, 3, 0)

    # Back to two tabs, sub current; sub then goes away before the restart.
    app.key("ctrl+w", "ctrl+w")
    wait_row(app, panel, False)
    app.key("ctrl+t", "Home", "Down", "Return")
    app.wait_title(windows_path(sub))
    # A file dropped on the inactive tab lands in its folder, with that tab shown.
    outside = rig.folder("outside", files=["dropped.txt"])
    DropSource(rig.dir.parent).drop(rig.prefix, (first_cell[0] + 5, y), [outside / "dropped.txt"])
    poll(lambda: (top / "dropped.txt").is_file(), 30, "the file dropped on a tab in its folder")
    app.wait_title(windows_path(top))
    app.key("ctrl+Tab")
    app.wait_title(windows_path(sub))
    app.key(*OPTIONS_SAVE)
    saved_tabs(rig, 2, 1)
    app.key("F10")
    app.message_box("Question").answer("Return")
    app.wait_exit()
    shutil.rmtree(sub)

    app = rig.start(rig.folder("elsewhere2"))
    app.wait_title(windows_path(top))  # the current tab's folder went: its parent
    panel = app.panels()[0]
    x0, y = panel.client[0], panel.client[1] + 4
    wait_row(app, panel, True)
    app.key("ctrl+Tab")
    app.wait_title(windows_path(top))
    cursor_is("a2.txt", "the other tab with its cursor")

    # A tab inside an archive's folder comes back there, with its cursor.
    app.key("ctrl+t", "End", "Return", "Home", "Down", "Return", "Down")
    cursor_is("deep.txt", "the cursor in the archive's inner folder")
    app.key("ctrl+shift+Tab")
    app.wait_title(windows_path(top))
    cursor_is("a2.txt", "the folder tab beside the archive tab")
    app.key("ctrl+Tab")
    cursor_is("deep.txt", "the archive tab shown again in its inner folder")
    app.key(*OPTIONS_SAVE)
    archive = saved_tabs(rig, 3, 1)[1]
    assert (archive[0], archive[5], archive[6], archive[7]) == ("A", windows_path(top), "pack.zip", "inner\\")

    # 64 tabs, then a 65th refused; the row still switches tabs.
    app.key(*["ctrl+t"] * 63)
    app.key(*OPTIONS_SAVE)
    saved_tabs(rig, 64, 62)
    app.key("ctrl+Tab")
    app.x.click(x0 + 2, y)
    app.key(*OPTIONS_SAVE)
    saved_tabs(rig, 64, 0)
    # "Load default configuration" leaves the current tab alone.
    app.key("F9", "Right", "Right", "Right", "Down", "Up", "Up", "Return")
    wait_row(app, panel, False)
    app.wait_title(windows_path(top))


def test_a_tab_on_an_ftp_folder_beside_a_local_one(rig):
    from test_ftp import open_url  # the Open URL dialog filled as the FTP tests fill it

    ftp = FtpServer(rig.dir / "files" / "server", rig.dir / "ftp")
    try:
        (ftp.home / "sub").mkdir()
        (ftp.home / "sub" / "remote.txt").write_text("remote\n")
        ftp.start()
        local = rig.folder("local", files=["here.txt"])
        rig.save_configuration(local, rig.folder("right"), SortPanelLeft=1000, ModePanelLeft=1002,
                               PanelAlwaysShowTabs=True, PanelAutoUpdatePanels=True)
        app = rig.start(rig.folder("elsewhere"))
        app.wait_title(windows_path(local))
        left, _ = app.panels()
        wait_row(app, left, True)  # "Always show tabs": the row with a single tab

        def cursor_is(name, what):
            app.key("ctrl+Insert")
            wait_clipboard(rig, [name], what)

        app.key("Home", "Down")
        cursor_is("here.txt", "the local tab's cursor")
        app.key("ctrl+t")
        open_url(app, "alt+F1", ftp.address, FtpServer.user, FtpServer.password)
        app.wait_title(f"{ftp.address}/")
        app.key("Home", "Return")
        app.wait_title(f"{ftp.address}/sub")
        app.key("Home", "Down")
        cursor_is("remote.txt", "the FTP tab's cursor")

        app.key("ctrl+shift+Tab")
        app.wait_title(windows_path(local))
        cursor_is("here.txt", "the local tab again")
        # The change watcher went with the current tab to the server and came back with it.
        (local / "watched.txt").write_text("watched\n")

        def listed():
            app.key("ctrl+a", "ctrl+Insert", "ctrl+u")
            return "watched.txt" in subprocess.run(
                ["xclip", "-o", "-selection", "clipboard", "-t", "UTF8_STRING"], env=rig.x.env(),
                stdin=subprocess.DEVNULL, capture_output=True, timeout=10).stdout.decode("utf-8", "replace").split()
        poll(listed, 30, "the new file in the local tab", interval=0.5)
        cursor_is("here.txt", "the cursor kept on its item")
        app.key("ctrl+Tab")
        app.wait_title(f"{ftp.address}/sub")
        cursor_is("remote.txt", "the FTP tab again, connected anew, on its folder and item")

        # Only the local tab is saved: an FTP tab would need its password.
        app.key(*OPTIONS_SAVE)
        tabs = saved_tabs(rig, 1, 0)
        assert tabs[0][5] == windows_path(local)
        key = rig.registry(KEY)
        assert not any(FtpServer.password.encode("utf-16-le") in data for _, data in key.values.values())
    finally:
        ftp.stop()
