"""The mouse: clicking a panel, opening a folder by double click, dragging the divider."""

from norvane_e2e import poll_value, windows_path
from norvane_e2e.checks import divider_widths, text_bands, wait_active_title


def test_click_activates_a_panel_and_double_click_opens_a_folder(rig):
    left = rig.folder("left", files=["a.txt"])
    right = rig.folder("right", folders=["inner"])
    (right / "inner" / "deep.txt").write_text("deep\n")
    rig.save_configuration(left, right, SortPanelRight=1000)

    app = rig.start(rig.folder("elsewhere"))
    app.wait_title(windows_path(left))
    panel_left, panel_right = app.panels()
    shot = wait_active_title(app, panel_left, "left")

    # The right panel lists ".." and "inner": two rows of text in its first column.
    bands = text_bands(shot, panel_right, 2, 60)
    assert len(bands) >= 2, f"the right panel shows {len(bands)} rows of text"
    inner_x = panel_right.client[0] + 40
    inner_y = (bands[1][0] + bands[1][1]) // 2

    rig.x.click(inner_x, inner_y)
    app.wait_title(windows_path(right))
    wait_active_title(app, panel_right, "right")

    rig.x.run("xdotool", "click", "--repeat", "2", "--delay", "100", "1")
    app.wait_title(windows_path(right / "inner"))


def test_dragging_the_divider(rig):
    start = rig.folder("start", files=["one.txt"])
    app = rig.start(start)
    app.wait_title(windows_path(start))
    main = app.main()
    panel_left, _ = app.panels()
    width = main.client[2] - main.client[0]
    middle_y = (panel_left.client[1] + panel_left.client[3]) // 2

    def widths():
        left, right = app.panels()
        return left.client[2] - left.client[0], right.client[2] - right.client[0]

    def pointer_for(offset):
        """A pointer x (screen) that gives this divider offset whether W/2 is taken whole or
        with its half pixel."""
        for x in range(width):
            whole = int((x - width // 2) / (width // 2) * 100)
            exact = int((x - width / 2) / (width / 2) * 100)
            if whole == exact == offset:
                return main.client[0] + x
        raise AssertionError(f"no pointer position gives offset {offset}")

    def drag_to(offset):
        rig.x.mouse_move(pointer_for(offset), middle_y)

    # Press on the divider (the left panel's last column), move with the button held.
    app.focus()
    rig.x.mouse_move(panel_left.client[2] - 1, middle_y)
    rig.x.run("xdotool", "mousedown", "1")
    drag_to(50)
    poll_value(widths, divider_widths(main, 50), 10, "panel widths dragged to offset 50")
    drag_to(-75)
    poll_value(widths, divider_widths(main, -75), 10, "panel widths dragged to offset -75")
    drag_to(-95)  # beyond 80 from the centre: refused
    rig.x.run("xdotool", "mouseup", "1")
    drag_to(40)  # released: no longer moves the divider

    # Ctrl+Left steps from -75, past the drag's limit, and no further.
    app.key("ctrl+Left")
    poll_value(widths, divider_widths(main, -85), 10, "panel widths after the drag and ctrl+Left")
    app.key("ctrl+Left")
    app.key("ctrl+Right")
    poll_value(widths, divider_widths(main, -75), 10, "panel widths after ctrl+Left, ctrl+Right")
