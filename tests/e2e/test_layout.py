"""How the panels share the window with a saved divider, arrangement and toolbar."""

import pytest

from norvane_e2e import poll_value, windows_path
from norvane_e2e.checks import divider_widths


def test_saved_divider_at_80_gives_the_left_panel_nine_tenths(rig):
    left = rig.folder("left", files=["a.txt"])
    right = rig.folder("right", files=["b.txt"])
    rig.save_configuration(left, right, WindowsOffset=80)

    app = rig.start(rig.folder("elsewhere"))
    app.wait_title(windows_path(left))
    main = app.main()
    panel_left, panel_right = app.panels()
    assert (panel_left.width, panel_right.width) == divider_widths(main, 80)
    assert panel_left.client[:2] == (main.client[0], main.client[1] + 20)
    assert panel_right.client[:2] == (panel_left.client[2], main.client[1] + 20)
    assert panel_left.height == panel_right.height


def stacked_heights(total, offset):
    """Top and bottom panel heights, stacked, for panels that share total = 2 S pixels."""
    share = total // 2
    shift = int(offset / 100.0 * share)
    return share + shift, share - shift


@pytest.mark.parametrize("toolbar", [True, False], ids=["toolbar", "no_toolbar"])
def test_stacked_panels_share_the_height_by_the_divider(rig, toolbar):
    left = rig.folder("left", files=["a.txt"])
    right = rig.folder("right", files=["b.txt"])
    rig.save_configuration(left, right, ArrageHorizontal=True, WindowsOffset=-50,
                           PanelShowToolbar=toolbar)

    app = rig.start(rig.folder("elsewhere"))
    app.wait_panel_folders(left, right)
    main = app.main()
    width = main.client[2] - main.client[0]
    height = main.client[3] - main.client[1]
    top = main.client[1] + (20 if toolbar else 0)

    def layout():
        upper, lower = app.panels()
        return upper.rect, lower.rect

    upper, lower = layout()
    total = upper[3] - upper[1] + lower[3] - lower[1]
    assert height - 40 < total <= height, "the panels leave more than a status line free"
    x = main.client[0]
    split = top + stacked_heights(total, -50)[0]
    assert upper == (x, top, x + width, split)
    assert lower == (x, split, x + width, split + stacked_heights(total, -50)[1])

    # Ctrl+Right moves the divider down by a tenth of S.
    app.key("ctrl+Right")
    split = top + stacked_heights(total, -40)[0]
    poll_value(layout, ((x, top, x + width, split),
                        (x, split, x + width, split + stacked_heights(total, -40)[1])), 10,
               "the panels at offset -40")
