"""What the tests look for on the screen and in window geometry."""

from .settings import SELECTED_BACKGROUND, colour
from .xserver import poll

STATUS_BACKGROUND = colour("ClrPanelTitleBackground")


def default_window_rect(screen_height):
    """Where the main window goes when no rectangle is saved: W = 1.4 x screen height, the
    window 2W/3 by 2H/3 centred on (W/2, H/2)."""
    wide = int(screen_height * 1.4)
    width, height = 2 * wide // 3, 2 * screen_height // 3
    left, top = wide // 2 - width // 2, screen_height // 2 - height // 2
    return (left, top, left + width, top + height)


def divider_widths(main, offset):
    """Left and right panel widths for a divider offset in percent from the centre."""
    half = (main.client[2] - main.client[0]) // 2
    return int(half + offset / 100.0 * half), int(half - offset / 100.0 * half)


def title_band(panel):
    """The top rows of a panel: its title line and nothing else for any title font."""
    left, top, right, _ = panel.client
    return (left, top, right, top + 6)


def is_dark(row):
    """Whether raw RGB bytes hold a text-dark pixel."""
    return any(max(row[i:i + 3]) < 100 for i in range(0, len(row), 3))


def dark_pixels(shot, rect):
    return sum(1 for colour in shot.colours(rect) if max(colour) < 100)


def wait_active_title(app, panel, side, timeout=15):
    """Waits until the window has settled (two pictures in a row agree) with panel's title
    drawn as the active one; returns that screenshot."""
    def settled():
        shot = app.wait_painted(x_rect(app))
        return shot if shot.count(SELECTED_BACKGROUND, title_band(panel)) > 50 else None
    return poll(settled, timeout, f"the {side} panel's title drawn as the active one")


def x_rect(app):
    """The main window's X window as (left, top, right, bottom)."""
    x, y, width, height = app.x_geometry()
    return (x, y, x + width, y + height)


def text_bands(shot, panel, x0, x1):
    """Vertical ranges (top, bottom) in screen coordinates of the listed items of a panel:
    the runs of rows whose columns x0..x1 (panel client coordinates) hold dark pixels, from
    below the title's run down to the status area."""
    bands, start = [], None
    left, top, _, bottom = panel.client
    status = bytes(STATUS_BACKGROUND)
    for y in range(top, bottom):
        row = shot.row(y, left + x0, left + x1)
        if row.count(status) > len(row) // 6:
            break
        dark = is_dark(row)
        if dark and start is None:
            start = y
        elif not dark and start is not None:
            bands.append((start, y))
            start = None
    return bands[1:]

