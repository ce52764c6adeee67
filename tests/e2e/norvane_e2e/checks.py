"""What the tests read off the screen and the clipboard: active titles, listed rows, names."""

import subprocess

from .settings import SELECTED_BACKGROUND, SELECTED_TEXT, STATUS_BACKGROUND
from .xserver import Timeout, poll, poll_value


def title_band(panel):
    """The top rows of a panel: its title line and nothing else for any title font."""
    left, top, right, _ = panel.client
    return (left, top, right, top + 6)


def is_dark(row):
    """Whether raw RGB bytes hold a text-dark pixel."""
    return any(max(row[i:i + 3]) < 100 for i in range(0, len(row), 3))


def wait_active_title(app, panel, timeout=15):
    """Waits until the whole window has settled with panel's title drawn as the active one;
    returns that screenshot."""
    def settled():
        shot = app.wait_painted(app.x_rect())
        return shot if shot.count(SELECTED_BACKGROUND, title_band(panel)) > 50 else None
    return poll(settled, timeout, "the panel's title drawn as the active one")


def text_bands(shot, panel, x0=20, x1=80):
    """Vertical ranges (top, bottom) of the rows a panel lists, ".." first: below the text of
    its title and above its status area, the runs of rows with dark pixels in columns x0..x1
    from the panel's left edge."""
    left, top, right, bottom = panel.client
    status = bytes(STATUS_BACKGROUND)
    for title_text in (True, False):  # down to the title's text, then past it
        while top < bottom and is_dark(shot.row(top, left, right)) != title_text:
            top += 1
    bands, start = [], None
    for y in range(top, bottom):
        row = shot.row(y, left + x0, left + x1)
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


def listed(app, panel):
    return len(text_bands(app.screenshot(), panel))


def rows(app, panel, count, timeout=30):
    """Waits until the panel lists count rows (".." included)."""
    poll_value(lambda: listed(app, panel), count, timeout, "the rows listed in the panel")


def selected_pixels(app, panel):
    """Pixels in the selected-text colour: none once a re-read has cleared the selection."""
    return app.screenshot().count(SELECTED_TEXT, panel.client)


def wait_clipboard(rig, lines, what):
    """Waits until the clipboard holds these lines. xclip hands CR LF over as LF, so lines are
    compared; the exact CR LF endings are the Windows-tier clipboard test's to check."""
    seen = []

    def read():
        seen.append(subprocess.run(
            ["xclip", "-o", "-selection", "clipboard", "-t", "UTF8_STRING"], env=rig.x.env(),
            stdin=subprocess.DEVNULL, capture_output=True, timeout=10,
        ).stdout.decode("utf-8", "replace"))
        return seen[-1].splitlines() == lines
    try:
        poll(read, 15, what, interval=0.2)
    except Timeout:
        raise Timeout(f"{what}: the clipboard holds {seen[-1]!r}") from None
