"""Moving about as the user does: quick search, the drive and location menu with its special
folders and recent locations, the temporary panel, group selection, going up (to the page of
before, and not past a drive root), folders that vanish under the panel, and the Copy history
that the destination prompt fills."""

import re
import shutil

from norvane_e2e import poll, windows_path
from norvane_e2e.checks import STATUS_BACKGROUND, is_dark
from norvane_e2e.settings import KEY, SELECTED_BACKGROUND

POPUP_MENU = "#32768"
SELECTED_TEXT = (255, 0, 0)  # ClrPanelSelectedText of the default scheme


# helpers -------------------------------------------------------------------------------------

def drive_letters(rig):
    """The drives Wine gives the test's prefix, in letter order: the first block of the menu."""
    return sorted(p.name[0].upper() for p in (rig.prefix.path / "dosdevices").iterdir()
                  if re.fullmatch(r"[a-z]:", p.name))


class LocationMenu:
    """Positions of the entries a user reaches with Down from the top of the menu (separators
    are skipped by the keyboard): the drives, then the fixed entries."""

    def __init__(self, rig):
        self.drives = drive_letters(rig)

    def drive(self, letter):
        return self.drives.index(letter)

    @property
    def temporary(self):
        return len(self.drives)

    @property
    def desktop(self):
        return len(self.drives) + 1

    @property
    def documents(self):
        return len(self.drives) + 2

    @property
    def recent(self):
        return len(self.drives) + 6


def popup_menus(app):
    return [w for w in app.windows() if w.cls == POPUP_MENU and w.visible]


def open_menu(app, key):
    """Presses key (alt+F1, alt+F2) and returns the popup menu window that shows up."""
    app.key(key)
    return poll(lambda: popup_menus(app), 15, f"the location menu after {key}")[0]


def choose(app, key, position, *more):
    """Opens the menu with key and picks its entry at position by keyboard; more keys follow
    before Return (Right to open a submenu)."""
    open_menu(app, key)
    app.x.key(*["Down"] * (position + 1), *more, "Return")
    poll(lambda: not popup_menus(app), 15, "the location menu to close")


def x_dialog(app, caption, timeout=15):
    return poll(lambda: app.x_window(caption), timeout, f"the window {caption!r}")


def wait_gone(app, caption, timeout=15):
    poll(lambda: app.x_window(caption) is None, timeout, f"the window {caption!r} to close")


def listed_rows(shot, panel):
    """Vertical ranges of the rows a panel lists: below the text of its title line and above
    its status area, the runs of rows with dark pixels where names begin, right of the icons."""
    left, top, right, bottom = panel.client
    status = bytes(STATUS_BACKGROUND)
    y = top
    for title_text in (True, False):  # down to the title's text, then past it
        while y < bottom and is_dark(shot.row(y, left, right)) != title_text:
            y += 1
    bands, start = [], None
    for y in range(y, bottom):
        row = shot.row(y, left + 18, left + 80)
        if row.count(status) > len(row) // 6:
            break
        dark = is_dark(row)
        if dark and start is None:
            start = y
        elif not dark and start is not None:
            if bands and start - bands[-1][1] <= 2:  # the dot of an i over its stem
                start = bands.pop()[0]
            bands.append((start, y))
            start = None
    return bands


def rows(app, panel, count):
    """Waits until the panel lists exactly count rows; returns their vertical ranges."""
    def listed():
        found = listed_rows(app.screenshot(), panel)
        return found if len(found) == count else None
    return poll(listed, 15, f"{count} rows listed in the panel")


def red_pixels(shot, panel, band):
    left, _, right, _ = panel.client
    return sum(1 for y in range(*band) for x in range(left + 20, min(right, left + 200))
               if shot.pixel(x, y) == SELECTED_TEXT)


# tests ---------------------------------------------------------------------------------------

def test_quick_search_follows_the_typed_prefix_and_refuses_what_no_name_continues(rig):
    left = rig.folder("left", folders=["+extra", "-extra", "alpha", "beta", "bravo", "charlie"])
    right = rig.folder("right")
    rig.save_configuration(left, right, SortPanelLeft=1000)
    app = rig.start(rig.folder("elsewhere"))
    app.wait_title(windows_path(left))
    panel_left, _ = app.panels()

    app.key("b")
    box_xid = x_dialog(app, "Search")
    box = poll(lambda: [w for w in app.windows() if w.top == 0 and w.text == "Search"
                        and w.visible], 15, "the search box")[0]
    # Centred on the panel, its lower edge 6 pixels below the panel's.
    assert box.rect[0] == panel_left.rect[0] + panel_left.width // 2 - box.width // 2
    assert box.rect[3] == panel_left.rect[3] + 6

    rig.x.focus(box_xid)
    rig.x.key("r", "Escape")  # "br": bravo; Escape keeps the cursor where the search left it
    wait_gone(app, "Search")
    app.key("Return")
    app.wait_title(windows_path(left / "bravo"))

    # No name goes on with "BRX", so X does not enter the box: Backspace then takes R away,
    # without moving the cursor, and E makes "BE" (beta). Had X gone in, Backspace would leave
    # "BR" and E would be refused, the cursor staying on bravo. Case does not matter.
    app.key("BackSpace")
    app.wait_title(windows_path(left))
    app.key("B")
    rig.x.focus(x_dialog(app, "Search"))
    rig.x.key("R", "X", "BackSpace", "E", "Return")  # Enter closes the box too
    wait_gone(app, "Search")
    app.key("Return")
    app.wait_title(windows_path(left / "beta"))

    # "+" and "-" on the main keyboard, and a first letter no name starts with, start no
    # search: Enter still opens the folder the cursor was left on.
    app.key("BackSpace")
    app.wait_title(windows_path(left))  # the cursor is back on beta
    app.key("minus", "plus", "z", "Return")
    app.wait_title(windows_path(left / "beta"))
    assert app.x_window("Search") is None


def test_quick_search_brings_the_found_item_to_the_middle_of_the_column(rig):
    left = rig.folder("left", folders=[f"d{i:02d}" for i in range(80)])
    right = rig.folder("right")
    rig.save_configuration(left, right, SortPanelLeft=1000, ModePanelLeft=1002)
    app = rig.start(rig.folder("elsewhere"))
    app.wait_title(windows_path(left))
    panel_left, _ = app.panels()

    def cursor_row():
        """The index of the cursor's row among the rows shown, and how many rows are shown."""
        shot = app.wait_painted(panel_left.client)
        bands = listed_rows(shot, panel_left)
        x = panel_left.client[0]
        marked = [i for i, (top, bottom) in enumerate(bands)
                  if shot.count(SELECTED_BACKGROUND, (x + 100, top, x + 140, bottom))]
        assert len(marked) == 1, f"cursor rows {marked} among {len(bands)}"
        return marked[0], len(bands)

    for prefix, name in (("d4", "d40"), ("d7", "d70")):
        app.key(prefix[0])
        rig.x.focus(x_dialog(app, "Search"))
        rig.x.key(prefix[1], "Escape")
        wait_gone(app, "Search")
        row, shown = cursor_row()
        # ".." is item 0, so dNN is item NN + 1; near the end the last page is shown whole.
        index = int(name[1:]) + 1
        expected = shown // 2 if index + shown - shown // 2 <= 81 else shown - (81 - index)
        assert row == expected, f"{name}: row {row} of {shown}"
        app.key("Return")
        app.wait_title(windows_path(left / name))
        app.key("BackSpace")
        app.wait_title(windows_path(left))


def test_drive_menu_changes_drive_and_a_drive_root_has_no_parent(rig):
    left = rig.folder("left", files=["a.txt"])
    right = rig.folder("right", files=["b.txt"])
    rig.save_configuration(left, right)
    app = rig.start(rig.folder("elsewhere"))
    app.wait_title(windows_path(left))
    menu = LocationMenu(rig)
    assert {"C", "Z"} <= set(menu.drives)
    panel_left, panel_right = app.panels()

    # Each panel's menu opens at its panel's client top-left corner.
    popup = open_menu(app, "alt+F1")
    assert popup.rect[:2] == panel_left.client[:2]
    app.x.key("Escape")
    poll(lambda: not popup_menus(app), 15, "Escape to close the menu")
    popup = open_menu(app, "alt+F2")
    assert popup.rect[:2] == panel_right.client[:2]
    app.x.key("Escape")
    poll(lambda: not popup_menus(app), 15, "Escape to close the menu")
    app.wait_title(windows_path(left))

    choose(app, "alt+F1", menu.drive("C"))
    app.wait_title("C:\\")
    # At the root there is no "..": Backspace leaves the panel where it is (Tab, handled after
    # it, shows the right folder and then the left one again).
    app.key("BackSpace", "Tab")
    app.wait_title(windows_path(right))
    app.key("Tab")
    app.wait_title("C:\\")
    # Up from a folder on the root lists the root (its backslash kept), the cursor on the folder.
    app.key("u")
    rig.x.focus(x_dialog(app, "Search"))
    rig.x.key("Escape")
    wait_gone(app, "Search")
    app.key("Return")
    app.wait_title("C:\\users")
    app.key("BackSpace")
    app.wait_title("C:\\")
    app.key("Return")
    app.wait_title("C:\\users")

    # Back to Z:, where the right panel is: the left panel opens the right one's folder.
    choose(app, "alt+F1", menu.drive("Z"))
    app.wait_title(windows_path(right))

    # The right panel's menu moves the right panel only.
    choose(app, "alt+F2", menu.drive("C"))
    app.key("Tab")
    app.wait_title("C:\\")
    app.key("Tab")
    app.wait_title(windows_path(right))


def test_the_menu_marks_the_panels_drive_or_the_temporary_panel(rig):
    left = rig.folder("left", files=["a.txt"])
    right = rig.folder("right")
    rig.save_configuration(left, right)
    app = rig.start(rig.folder("elsewhere"))
    app.wait_title(windows_path(left))
    menu = LocationMenu(rig)
    rig.x.mouse_move(1279, 1023)  # no entry under the pointer
    # Entries are compared right of their icons: the icon of "Temporary panel" is the one of
    # the panel's folder, which changes with it.
    text_from = 32

    def picture():
        """The menu as drawn (two pictures in a row agree), closed again."""
        popup = open_menu(app, "alt+F1")
        shot = app.wait_painted(popup.rect)
        app.x.key("Escape")
        poll(lambda: not popup_menus(app), 15, "Escape to close the menu")
        left_edge, top, right_edge, bottom = popup.rect
        return [shot.row(y, left_edge, right_edge) for y in range(top, bottom)]

    def entries(lines):
        """Vertical ranges of the entries' texts, top to bottom."""
        bands, start = [], None
        for y, line in enumerate(lines):
            dark = is_dark(line[text_from * 3:(text_from + 80) * 3])
            if dark and start is None:
                start = y
            elif not dark and start is not None:
                if bands and start - bands[-1][1] <= 2:
                    start = bands.pop()[0]
                bands.append((start, y))
                start = None
        return bands

    def changed_entries(before, after, bands):
        """The entries nearest to the lines that differ between two pictures of the menu."""
        lines = [y for y, (a, b) in enumerate(zip(before, after))
                 if a[text_from * 3:] != b[text_from * 3:]]
        return {min(range(len(bands)), key=lambda i: abs((bands[i][0] + bands[i][1]) / 2 - y))
                for y in lines}

    on_z = picture()
    bands = entries(on_z)
    choose(app, "alt+F1", menu.drive("C"))
    app.wait_title("C:\\")
    on_c = picture()
    assert changed_entries(on_z, on_c, bands) == {menu.drive("C"), menu.drive("Z")}

    choose(app, "alt+F1", menu.temporary)
    temporary = picture()
    # The temporary panel: the mark leaves the drive for "Temporary panel".
    assert changed_entries(on_c, temporary, bands) == {menu.drive("C"), menu.temporary}


def test_special_folders_and_the_recent_locations_submenu(rig):
    start = rig.folder("start", files=["a.txt"])
    app = rig.start(start)
    app.wait_title(windows_path(start))
    menu = LocationMenu(rig)

    def moved_from(old):
        return poll(lambda: (lambda t: t if t != old else None)(app.title()), 15,
                    f"the title to change from {old}")

    # A copy, even one given up at its prompt, remembers the folder it was started in.
    app.key("Down", "F5")
    app.message_box("Copy").answer("Escape")
    choose(app, "alt+F1", menu.documents)
    documents = moved_from(windows_path(start))
    assert re.fullmatch(r"C:\\users\\[^\\]+\\Documents", documents, re.IGNORECASE), documents
    choose(app, "alt+F1", menu.desktop)
    desktop = moved_from(documents)
    assert re.fullmatch(r"C:\\users\\[^\\]+\\Desktop", desktop, re.IGNORECASE), desktop

    # Both went into the recent locations, the newest first in the submenu; going to one
    # again makes it the newest.
    choose(app, "alt+F1", menu.recent, "Right", "Down")
    app.wait_title(documents)
    choose(app, "alt+F1", menu.recent, "Right", "Down")
    app.wait_title(desktop)
    app.key("BackSpace")
    app.wait_title(desktop.rsplit("\\", 1)[0])
    choose(app, "alt+F1", menu.recent, "Right")
    app.wait_title(desktop)
    choose(app, "alt+F1", menu.recent, "Right", "Down", "Down")
    app.wait_title(windows_path(start))


def test_temporary_panel_is_left_by_its_up_entry_and_exists_once(rig):
    left = rig.folder("left", files=["a.txt", "b.txt"], folders=["sub"])
    right = rig.folder("right", files=["r.txt"])
    rig.save_configuration(left, right, SortPanelLeft=1000, SortPanelRight=1000)
    app = rig.start(rig.folder("elsewhere"))
    app.wait_title(windows_path(left))
    menu = LocationMenu(rig)
    panel_left, panel_right = app.panels()
    rows(app, panel_left, 4)

    choose(app, "alt+F1", menu.temporary)
    rows(app, panel_left, 1)  # an empty temporary panel holds only ".."
    assert app.title() == windows_path(left)

    # A second temporary panel is refused and the right panel stays a folder.
    app.key("Tab")
    app.wait_title(windows_path(right))
    choose(app, "alt+F2", menu.temporary)
    box = app.message_box()
    assert box.text == "Cannot create 2 temporary panels"
    box.answer("Return")
    rows(app, panel_right, 2)
    app.wait_title(windows_path(right))

    # ".." leaves the temporary panel for the folder, with the cursor on its "..".
    app.key("Tab")
    app.wait_title(windows_path(left))
    app.key("Return")
    rows(app, panel_left, 4)
    assert app.title() == windows_path(left)

    # Now the right panel may become the temporary panel. Copying into it lists the files
    # there (by their full paths) and copies nothing.
    app.key("Tab")
    app.wait_title(windows_path(right))
    choose(app, "alt+F2", menu.temporary)
    rows(app, panel_right, 1)
    assert not app.message_boxes()
    app.key("Tab")
    app.wait_title(windows_path(left))
    app.key("Down", "Down", "Insert", "Insert", "F5")  # a.txt and b.txt
    rows(app, panel_right, 3)
    assert sorted(p.name for p in right.iterdir()) == ["r.txt"]

    # Left and opened again, the temporary panel shows the same items.
    app.key("Tab")
    app.wait_title(windows_path(right))
    app.key("Home", "Return")
    rows(app, panel_right, 2)  # "..", r.txt
    choose(app, "alt+F2", menu.temporary)
    rows(app, panel_right, 3)
    # Delete takes an item out of the list only.
    app.key("End", "Delete")
    rows(app, panel_right, 2)
    assert (left / "b.txt").exists() and (left / "a.txt").exists()

    # The left panel still goes up from its ".." as a folder panel does.
    app.key("Tab")
    app.wait_title(windows_path(left))
    app.key("Home", "Return")
    app.wait_title(windows_path(left.parent))


def test_the_left_menu_makes_the_temporary_panel_and_the_file_panel_again(rig):
    left = rig.folder("left", files=["a.txt", "b.txt"], folders=["sub"])
    right = rig.folder("right", files=["r.txt"])
    rig.save_configuration(left, right, SortPanelLeft=1000)
    app = rig.start(rig.folder("elsewhere"))
    app.wait_title(windows_path(left))
    panel_left, _ = app.panels()
    rows(app, panel_left, 4)

    # "Left": Source, Mode, Columns (brief mode), Font..., Titles font..., File panel,
    # Temporary panel, Sort mode, Reload panel.
    app.key("F9", "Down", *["Down"] * 6, "Return")
    rows(app, panel_left, 1)
    app.key("F9", "Down", *["Down"] * 5, "Return")
    rows(app, panel_left, 4)
    assert app.title() == windows_path(left)
    # "Source" opens the drive and location menu over the left panel.
    app.key("F9", "Down", "Return")
    popup = poll(lambda: popup_menus(app), 15, "the location menu from Source")
    assert [p.rect[:2] for p in popup] == [panel_left.client[:2]]
    app.x.key("Escape")
    poll(lambda: not popup_menus(app), 15, "Escape to close the menu")


def test_gray_star_inverts_files_and_folders_but_never_the_up_entry(rig):
    left = rig.folder("left", files=["a.txt", "b.txt", "c.txt"], folders=["sub"])
    right = rig.folder("right")
    rig.save_configuration(left, right, SortPanelLeft=1000)
    app = rig.start(rig.folder("elsewhere"))
    app.wait_title(windows_path(left))
    panel_left, _ = app.panels()
    bands = rows(app, panel_left, 5)  # "..", sub, a.txt, b.txt, c.txt

    app.key("Down", "Insert", "KP_Multiply", "F5")  # sub selected, then inverted
    prompt = app.message_box("Copy")
    assert prompt.text.startswith("Copy 3 items to:"), prompt.text
    prompt.answer("Escape")
    shot = app.screenshot()
    assert red_pixels(shot, panel_left, bands[0]) == 0, "\"..\" is drawn selected"
    assert red_pixels(shot, panel_left, bands[1]) == 0, "sub is still drawn selected"

    app.key("KP_Multiply", "F5")  # back to sub alone
    prompt = app.message_box("Copy")
    assert prompt.text.startswith("Copy sub to:"), prompt.text
    prompt.answer("Escape")
    shot = app.screenshot()
    assert red_pixels(shot, panel_left, bands[0]) == 0, "\"..\" is drawn selected"
    assert red_pixels(shot, panel_left, bands[1]) > 0, "sub is not drawn selected"

    # Select all takes folders as well (PanelSelectFolders is off), deselecting by mask
    # reaches them too, and Ctrl+U leaves the cursor item alone to copy.
    app.key("ctrl+a", "F5")
    prompt = app.message_box("Copy")
    assert prompt.text.startswith("Copy 4 items to:"), prompt.text
    prompt.answer("Escape")
    app.key("KP_Subtract")
    prompt = app.message_box("Deselect file(s)")
    rig.x.focus(prompt.xid())
    rig.x.key("ctrl+a", "BackSpace")
    rig.x.type("s*")
    prompt.answer("Return")
    app.key("F5")
    prompt = app.message_box("Copy")
    assert prompt.text.startswith("Copy 3 items to:"), prompt.text
    prompt.answer("Escape")
    app.key("ctrl+u", "F5")
    prompt = app.message_box("Copy")
    assert prompt.text.startswith("Copy a.txt to:"), prompt.text
    prompt.answer("Escape")
    assert not list(right.iterdir())


def test_going_up_brings_back_the_cursor_and_the_page_of_before(rig):
    left = rig.folder("left", folders=[f"d{i:02d}" for i in range(80)])
    right = rig.folder("right")
    rig.save_configuration(left, right, SortPanelLeft=1000, PanelAutoUpdatePanels=False)
    app = rig.start(rig.folder("elsewhere"))
    app.wait_title(windows_path(left))
    panel_left, _ = app.panels()

    def picture():
        """The title and the listed rows; the status area below them (times, free space)
        may change on its own."""
        shot = app.wait_painted(panel_left.client)
        left_edge, top, right_edge, bottom = panel_left.client
        lines = [shot.row(y, left_edge, right_edge) for y in range(top, bottom)]
        status = bytes(STATUS_BACKGROUND)
        end = next(i for i, line in enumerate(lines)
                   if i > 30 and line.count(status) > len(line) // 6)
        return lines[:end]

    # Two pages down and a few items on: the cursor sits inside a page that does not start
    # or end with it.
    app.key("Next", "Next", "Up", "Up", "Up")
    before = picture()
    app.key("Return")
    inside = poll(lambda: (lambda t: t if t != windows_path(left) else None)(app.title()), 15,
                  "the title to name the folder entered")
    assert inside.rsplit("\\", 1)[0] == windows_path(left)
    app.key("BackSpace")
    app.wait_title(windows_path(left))
    assert picture() == before, "the panel does not show the page it showed before"


def test_entering_a_folder_that_has_gone_reports_it_and_the_panel_stays(rig):
    left = rig.folder("left", folders=["sub"])
    (left / "sub" / "inner").mkdir()
    (left / "sub" / "keep").mkdir()
    right = rig.folder("right")
    # No automatic update: the panel still lists what was deleted behind its back.
    rig.save_configuration(left / "sub", right, SortPanelLeft=1000, PanelAutoUpdatePanels=False)
    app = rig.start(rig.folder("elsewhere"))
    app.wait_title(windows_path(left / "sub"))
    panel_left, _ = app.panels()
    rows(app, panel_left, 3)  # "..", inner, keep

    shutil.rmtree(left / "sub" / "inner")
    app.key("Down", "Return")
    box = app.message_box()
    inner = windows_path(left / "sub" / "inner")
    assert box.text.startswith(f'Cannot set current directory: "{inner}"'), box.text
    # While the message shows, the caption names the folder the panel still shows.
    assert app.title() == windows_path(left / "sub")
    box.answer("Return")
    app.wait_title(windows_path(left / "sub"))
    rows(app, panel_left, 2)  # listed again: "..", keep
    app.key("Home", "Return")
    app.wait_title(windows_path(left))
    app.key("Return")  # the cursor came back on sub
    app.wait_title(windows_path(left / "sub"))

    # The panel's own folder has gone: Enter and Backspace both say so and stay.
    shutil.rmtree(left / "sub")
    for key in ("Return", "BackSpace"):
        app.key(key)
        box = app.message_box()
        assert box.text.startswith(f"{windows_path(left / 'sub')} is not available"), box.text
        box.answer("Return")
        assert app.title() == windows_path(left / "sub")


def test_the_temporary_panel_whose_folder_has_gone_refuses_enter(rig):
    left = rig.folder("left", files=["a.txt"])
    right = rig.folder("right")
    rig.save_configuration(left, right, PanelAutoUpdatePanels=False)
    app = rig.start(rig.folder("elsewhere"))
    app.wait_title(windows_path(left))
    menu = LocationMenu(rig)
    _, panel_right = app.panels()
    app.key("Tab")
    app.wait_title(windows_path(right))
    choose(app, "alt+F2", menu.temporary)
    rows(app, panel_right, 1)
    app.key("Tab")
    app.wait_title(windows_path(left))
    app.key("Down", "F5")  # a.txt into the temporary panel
    rows(app, panel_right, 2)

    shutil.rmtree(right)
    app.key("Tab")
    app.wait_title(windows_path(right))
    # Opening a.txt and leaving by ".." both need the panel's folder.
    for keys in (("End", "Return"), ("Home", "Return")):
        app.key(*keys)
        box = app.message_box()
        assert box.text.startswith(f"{windows_path(right)} is not available"), box.text
        box.answer("Return")
        rows(app, panel_right, 2)


def test_copy_history_keeps_the_ten_newest_with_a_case_only_repeat_moved_up(rig):
    files = [f"f{i:02d}.txt" for i in range(1, 13)]
    left = rig.folder("left", files=files)
    right = rig.folder("right", folders=[f"t{i:02d}" for i in range(1, 12)])
    rig.save_configuration(left, right, SortPanelLeft=1000, PanelAutoUpdatePanels=False)
    app = rig.start(rig.folder("elsewhere"))
    app.wait_title(windows_path(left))
    app.key("Down")  # f01

    def copy_to(typed, folder, name):
        app.key("F5")
        prompt = x_dialog(app, "Copy")
        rig.x.focus(prompt)
        rig.x.key("ctrl+a", "BackSpace")
        rig.x.type(typed)
        rig.x.key("Return")
        wait_gone(app, "Copy")
        poll(lambda: (right / folder / name).exists(), 20, f"{name} copied into {folder}")
        app.key("Down")

    def history():
        key = rig.spy.registry(rig.prefix, KEY + "\\History\\Copy")
        return {name: key.text(name) for name in key.values}

    destinations = [f"..\\right\\t{i:02d}" for i in range(1, 11)]
    for typed, name in zip(destinations, files):
        copy_to(typed, typed[-3:], name)
    assert history() == {f"Item{i}": typed for i, typed in enumerate(destinations)}

    # The same folder in other letters moves to the newest place with its new text.
    copy_to("..\\RIGHT\\T03", "t03", files[10])
    again = destinations[:2] + destinations[3:] + ["..\\RIGHT\\T03"]
    assert history() == {f"Item{i}": typed for i, typed in enumerate(again)}

    # An eleventh distinct folder pushes the oldest out; the list starts again at Item0.
    copy_to("..\\right\\t11", "t11", files[11])
    last = again[1:] + ["..\\right\\t11"]
    assert history() == {f"Item{i}": typed for i, typed in enumerate(last)}
