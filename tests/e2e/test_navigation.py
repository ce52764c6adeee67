"""Folders made by F7, selection by mask and its history, the drive and location menu, and the
temporary panel, as the user meets them."""

import re

from norvane_e2e import poll, windows_path
from norvane_e2e.checks import rows
from norvane_e2e.settings import KEY, colour


def prompt(app, caption, typed):
    """Waits for the prompt with this caption, types over its text and presses Return."""
    box = app.message_box(caption)
    app.x.focus(box.xid())
    app.x.key("ctrl+a", "BackSpace")
    app.x.type(typed)
    box.answer("Return")


def copy_prompt_says(app, start):
    app.key("F5")
    box = app.message_box("Copy")
    assert box.text.startswith(start), box.text
    return box


def test_make_folder_chain_selection_by_mask_and_its_history(rig):
    left = rig.folder("left", files=["one.txt", "two.txt", "three.doc", "four.doc"],
                      folders=["sub.txt"])
    right = rig.folder("right")
    rig.save_configuration(left, right, PanelAutoUpdatePanels=False)
    app = rig.start(rig.folder("elsewhere"))
    app.wait_title(windows_path(left))

    app.key("Tab", "F7")
    prompt(app, "Make folder", "a\\b\\c")
    poll(lambda: (right / "a" / "b" / "c").is_dir(), 20, "the folder chain a\\b\\c")
    assert rig.registry(KEY + "\\History\\CreateFolder").text("Item0") == "a\\b\\c"
    app.key("Return")  # the cursor is on a
    app.wait_title(windows_path(right / "a"))
    app.key("Tab")

    # The Selections list, oldest first: a case-only repeat moves to the newest place with its
    # new text; an eleventh entry pushes the oldest out.
    masks = [f"x{i:02d}" for i in range(1, 11)]
    for mask in masks + ["X03", "x11"]:
        app.key("KP_Add")
        prompt(app, "Select file(s)", mask)
    expected = masks[1:2] + masks[3:] + ["X03", "x11"]
    key = rig.registry(KEY + "\\History\\Selections")
    assert {name: key.text(name) for name in key.values} == {
        f"Item{i}": mask for i, mask in enumerate(expected)}

    # Folders stay out of a mask selection (PanelSelectFolders is off); Gray * inverts files
    # and folders but never "..".
    app.key("KP_Add")
    prompt(app, "Select file(s)", "*.txt")
    copy_prompt_says(app, "Copy 2 items to:").answer("Escape")
    app.key("KP_Multiply")
    copy_prompt_says(app, "Copy 3 items to:").answer("Return")
    poll(lambda: sorted(p.name for p in (right / "a").iterdir()) ==
         ["b", "four.doc", "sub.txt", "three.doc"], 30, "the three inverted items copied")


def test_drive_menu_and_the_temporary_panel(rig):
    left = rig.folder("left", files=["a.txt", "b.txt"], folders=["sub"])
    right = rig.folder("right", files=["r.txt"])
    rig.save_configuration(left, right, SortPanelLeft=1000, SortPanelRight=1000)
    app = rig.start(rig.folder("elsewhere"))
    app.wait_title(windows_path(left))
    panel_left, panel_right = app.panels()
    # The menu: the drives Wine gives the prefix in letter order, then "Temporary panel".
    drives = sorted(p.name[0].upper() for p in (rig.prefix.path / "dosdevices").iterdir()
                    if re.fullmatch(r"[a-z]:", p.name))
    assert {"C", "Z"} <= set(drives)
    temporary = len(drives)
    rig.x.run("xdotool", "mousemove", "--sync", "1279", "1023")  # no entry under the pointer

    def menu(key, choose=None, look_at=None):
        """Opens the menu with key. With look_at, returns where the checked entry is and where
        the entry look_at is once the keyboard is on it; with choose, picks that entry."""
        app.key(key)
        popup = poll(app.popup_menus, 15, f"the location menu after {key}")[0]
        assert popup.rect[:2] == (panel_left if key == "alt+F1" else panel_right).client[:2]
        if look_at is None:
            app.x.key(*["Down"] * (choose + 1), "Return")
        else:
            def filled(name):  # the rows drawn in this colour
                shot = app.wait_painted(popup.rect)
                left, top, right, bottom = popup.rect
                return {y - top for y in range(top, bottom) if shot.count(
                    colour(name), (left, y, right, y + 1)) > popup.width // 2}
            checked = min(filled("ClrPanelMenuBackgroundChecked"), default=None)
            separators = filled("ClrPanelMenuBackground")  # their lines have its colour
            app.x.key(*["Down"] * (look_at + 1))
            chosen = min(poll(lambda: filled("ClrPanelMenuBackground") - separators, 15,
                              "the entry chosen"))
            app.x.key("Escape")
        poll(lambda: not app.popup_menus(), 15, "the location menu to close")
        return None if look_at is None else (checked, chosen)

    on_z, c_row = menu("alt+F1", look_at=drives.index("C"))
    _, temporary_row = menu("alt+F1", look_at=temporary)
    menu("alt+F1", choose=drives.index("C"))
    app.wait_title("C:\\")
    on_c, z_row = menu("alt+F1", look_at=drives.index("Z"))
    assert (on_z, on_c) == (z_row, c_row), "the mark is not on the panel's own drive"
    # Back on Z:, where the right panel is: the left panel opens the right one's folder.
    menu("alt+F1", choose=drives.index("Z"))
    app.wait_title(windows_path(right))

    menu("alt+F1", choose=temporary)
    rows(app, panel_left, 1)  # an empty temporary panel holds only ".."
    assert menu("alt+F1", look_at=0)[0] == temporary_row
    app.key("Tab")
    menu("alt+F2", choose=temporary)
    box = app.message_box()
    assert box.text == "Cannot create 2 temporary panels"
    box.answer("Return")
    rows(app, panel_right, 2)  # still "..", r.txt
    app.key("Tab", "Return")  # ".." leaves the temporary panel for its folder
    rows(app, panel_left, 2)
    app.wait_title(windows_path(right))
