"""scripts/run without a display: starts Norvane in its own Xvfb, waits for its first painted
main window, saves a screenshot and ends the program. Exit code 1 when no main window showed.

    python3 -m norvane_e2e.headless EXE PREFIX WORKDIR SCREENSHOT"""

import sys
from pathlib import Path

from .app import Norvane
from .wine import Spy, WinePrefix
from .xserver import XServer


def main(exe, prefix_dir, workdir, screenshot):
    screenshot = Path(screenshot).resolve()
    xserver = XServer(screenshot.parent)
    try:
        prefix_dir = Path(prefix_dir)
        prefix = (WinePrefix(prefix_dir, xserver) if prefix_dir.exists()
                  else WinePrefix.fresh(prefix_dir, xserver))
        app = Norvane(xserver, prefix, Spy(screenshot.parent / "e2e"), exe, workdir,
                      screenshot.parent).start()
        try:
            try:
                app.wait_painted(app.wait_main_window().rect)
                shown = True
            except AssertionError as failure:  # Timeout is one too
                print(f"run: no main window: {failure}", file=sys.stderr)
                shown = False
            app.x.screenshot(screenshot)
            print(f"screenshot: {screenshot}")
        finally:
            app.close()
            prefix.kill()
        return 0 if shown else 1
    finally:
        xserver.stop()


if __name__ == "__main__":
    if len(sys.argv) != 5:
        sys.exit(__doc__)
    sys.exit(main(*sys.argv[1:]))
