"""Starts Norvane in its own Xvfb, waits for its first painted main window, saves a
screenshot and ends the program.

    python3 -m norvane_e2e.headless EXE PREFIX WORKDIR SCREENSHOT

Exit code 0 when the main window showed; 1 when it did not (the screenshot is saved anyway,
and any message box shown instead is printed)."""

import sys
from pathlib import Path

from .app import Norvane
from .wine import Spy, WinePrefix
from .xserver import Timeout, XServer


def main(exe, prefix_dir, workdir, screenshot):
    screenshot = Path(screenshot).resolve()
    logdir = screenshot.parent
    xserver = XServer(logdir)
    try:
        spy = Spy(screenshot.parent / "e2e")
        prefix_dir = Path(prefix_dir)
        if prefix_dir.exists():
            prefix = WinePrefix(prefix_dir, xserver)
        else:
            prefix = WinePrefix.fresh(prefix_dir, xserver)
        app = Norvane(xserver, prefix, spy, exe, workdir, logdir).start()
        try:
            try:
                main_window = app.wait_main_window()
                app.wait_painted(main_window.rect)
                shown = True
            except (AssertionError, Timeout) as failure:
                print(f"run: no main window: {failure}", file=sys.stderr)
                shown = False
            app.screenshot(screenshot)
            print(f"screenshot: {screenshot}")
        finally:
            app.close()
            prefix.kill()
        return 0 if shown else 1
    finally:
        xserver.stop()


if __name__ == "__main__":
    if len(sys.argv) != 5:
        print(__doc__, file=sys.stderr)
        sys.exit(2)
    sys.exit(main(*sys.argv[1:]))
