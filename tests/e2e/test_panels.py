"""Two panels on saved folders: what each lists, which one is active, and Tab."""

from norvane_e2e import windows_path
from norvane_e2e.checks import STATUS_BACKGROUND, is_dark, title_band, wait_active_title
from norvane_e2e.settings import SELECTED_BACKGROUND



def compare_rows(shot, left, right):
    """For each pixel row of the two panels' item areas (title and status area left out):
    (y, same, text in left, text in right). Both panels must be equally wide; the outermost
    columns are left out, the left panel draws the divider there."""
    width = left.client[2] - left.client[0]
    assert width == right.client[2] - right.client[0]
    rows = []
    status = bytes(STATUS_BACKGROUND)
    for y in range(8, left.client[3] - left.client[1]):
        a = shot.row(left.client[1] + y, left.client[0] + 2, left.client[2] - 3)
        b = shot.row(right.client[1] + y, right.client[0] + 2, right.client[2] - 3)
        if a.count(status) > len(a) // 6:
            break  # the status area starts
        rows.append((y, a == b, is_dark(a), is_dark(b)))
    return rows


def test_saved_folders_are_listed_and_tab_switches_panels(rig):
    # Same names and sizes except the last item, so the panels differ only in that row.
    left = rig.folder("left", files=["aaa.txt", "bbb.txt", "left.txt"])
    right = rig.folder("right", files=["aaa.txt", "bbb.txt", "rght.txt"])
    elsewhere = rig.folder("elsewhere", files=["other.txt"])
    rig.save_configuration(left, right, ModePanelLeft=1000, SortPanelLeft=1000,
                           SortPanelRight=1000)

    app = rig.start(elsewhere)
    assert app.message_boxes() == []
    app.wait_title(windows_path(left))
    panel_left, panel_right = app.panels()

    shot = wait_active_title(app, panel_left, "left")
    assert shot.count(SELECTED_BACKGROUND, title_band(panel_right)) == 0

    rows = compare_rows(shot, panel_left, panel_right)
    shared = [y for y, same, text_a, _ in rows if same and text_a]
    assert shared, "no item row is the same in both panels (aaa.txt, bbb.txt)"
    differing = [y for y, same, _, _ in rows if not same and y > shared[0]]
    assert any(text_a and text_b for y, same, text_a, text_b in rows if y in differing), \
        "the panels do not differ in the row of left.txt and rght.txt"
    assert differing == list(range(differing[0], differing[-1] + 1)), \
        f"the panels differ in more rows than that of left.txt and rght.txt: {differing}"

    app.key("Tab")
    app.wait_title(windows_path(right))
    shot = wait_active_title(app, panel_right, "right")
    assert shot.count(SELECTED_BACKGROUND, title_band(panel_left)) == 0

    app.key("Tab")
    app.wait_title(windows_path(left))
    shot = wait_active_title(app, panel_left, "left")
    assert shot.count(SELECTED_BACKGROUND, title_band(panel_right)) == 0
