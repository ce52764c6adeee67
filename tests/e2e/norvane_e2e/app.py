"""A started norvane.exe as its user sees it: windows, titles, pixels, message boxes."""

import os
import signal
import subprocess
from dataclasses import dataclass
from pathlib import Path

from .xserver import Timeout, poll, poll_value

MAIN_CLASS, LEFT_CLASS, RIGHT_CLASS = "WC_NRVMAINWND", "WC_NRVPANEL_LEFT", "WC_NRVPANEL_RIGHT"
POPUP_MENU = "#32768"
START_TIMEOUT = 60  # a fresh prefix boots its wineserver and desktop first
STEP_TIMEOUT = 15


@dataclass
class Window:
    """One Win32 window as winspy reports it; rect and client are (left, top, right, bottom)
    in screen coordinates, which are also the X root's."""
    hwnd: int
    top: int  # the top-level window it belongs to, 0 for a top-level window
    cls: str
    text: str
    visible: bool
    style: int
    show: int
    rect: tuple
    client: tuple

    @property
    def width(self):
        return self.rect[2] - self.rect[0]


class MessageBox:
    def __init__(self, app, window, windows):
        self.app, self.window, self.caption = app, window, window.text
        children = [w for w in windows if w.top == window.hwnd]
        self.text = "\n".join(c.text for c in children if c.cls == "Static" and c.text)
        self.button_windows = [c for c in children if c.cls == "Button"]
        self.buttons = [c.text.replace("&", "") for c in self.button_windows]

    def __repr__(self):
        return f"MessageBox({self.caption!r}, {self.text!r}, buttons={self.buttons})"

    def xid(self):
        return poll(lambda: self.app.x_window(self.caption), STEP_TIMEOUT,
                    f"the X window of message box {self.caption!r}")

    def answer(self, key):
        """Gives the box the keyboard, presses key and waits until the box is gone."""
        self.app.x.focus(self.xid())
        self.app.x.key(key)
        self._wait_closed(f"after {key}")

    def click(self, button):
        """Raises the box and clicks its button with this text (without "&"), then waits until
        the box is gone. For a box that another window has covered since it appeared: given
        the keyboard again, it no longer knows which of its buttons has the focus."""
        window = next(w for w in self.button_windows if w.text.replace("&", "") == button)
        self.app.x.raise_window(self.xid())
        left, top, right, bottom = window.rect
        self.app.x.click((left + right) // 2, (top + bottom) // 2)
        self._wait_closed(f"after a click on {button!r}")

    def _wait_closed(self, after):
        poll(lambda: all(w.hwnd != self.window.hwnd for w in self.app.message_boxes()),
             STEP_TIMEOUT, f"message box {self.caption!r} to close {after}")


class Norvane:
    """norvane.exe started in a Wine prefix in a chosen current folder, ended by its PID."""

    def __init__(self, xserver, prefix, spy, exe, workdir, logdir):
        self.x, self.prefix, self.spy = xserver, prefix, spy
        self.exe, self.workdir = Path(exe).resolve(), Path(workdir).resolve()
        self.log = Path(logdir) / "norvane.log"
        self.process = self.main_xid = None

    def start(self):
        self.process = self.prefix.start([self.exe], cwd=self.workdir, log=self.log)
        return self

    def running(self):
        return self.process is not None and self.process.poll() is None

    def wait_exit(self, timeout=STEP_TIMEOUT):
        poll(lambda: not self.running(), timeout, "norvane.exe to end")
        return self.process.returncode

    def close(self):
        if self.running():
            try:
                os.kill(self.process.pid, signal.SIGKILL)
                self.process.wait(10)
            except (ProcessLookupError, subprocess.TimeoutExpired):
                pass

    def _check_alive(self):
        if not self.running():
            log = self.log.read_text(errors="replace")[-2000:] if self.log.exists() else ""
            raise AssertionError(f"norvane.exe ended (exit code {self.process.returncode}); "
                                 f"its output:\n{log}")

    # the Win32 side ------------------------------------------------------------------------

    def windows(self):
        return [Window(r["hwnd"], r["top"], r["class"], r["text"], bool(r["visible"]),
                       r["style"], r["show"], tuple(r["rect"]), tuple(r["client"]))
                for r in self.spy.windows(self.prefix)]

    def message_boxes(self, windows=None):
        return [w for w in windows or self.windows()
                if w.top == 0 and w.cls == "#32770" and w.visible]

    def message_box(self, caption=None, timeout=STEP_TIMEOUT):
        """Waits for a visible message box (with this caption, if given) and returns it."""
        def find():
            windows = self.windows()
            boxes = [MessageBox(self, w, windows) for w in self.message_boxes(windows)]
            self._check_alive()
            return next((b for b in boxes if caption in (None, b.caption)), None)
        return poll(find, timeout, f"a message box {caption!r}", interval=0.1)

    def popup_menus(self):
        return [w for w in self.windows() if w.cls == POPUP_MENU and w.visible]

    def main(self, windows=None):
        """The visible main window, or None."""
        return next((w for w in windows or self.windows()
                     if w.top == 0 and w.cls == MAIN_CLASS and w.visible), None)

    def children(self, windows=None):
        windows = windows or self.windows()
        main = self.main(windows)
        return {w.cls: w for w in windows if main and w.top == main.hwnd}

    def panels(self):
        children = self.children()
        return children.get(LEFT_CLASS), children.get(RIGHT_CLASS)

    def wait_main_window(self, timeout=START_TIMEOUT):
        """Waits for the visible main window and its X window. A message box that shows up
        instead fails the wait with its caption and text."""
        def find():
            windows = self.windows()
            main = self.main(windows)
            if main is None:
                boxes = self.message_boxes(windows)
                if boxes:
                    raise AssertionError(f"start-up shows {MessageBox(self, boxes[0], windows)}"
                                         " instead of the main window")
                self._check_alive()
                return None
            xid = self.x_window(main.text)
            return (main, xid) if xid else None
        main, self.main_xid = poll(find, timeout, "the main window", interval=0.1)
        return main

    # what the user sees ----------------------------------------------------------------------

    def x_window(self, title):
        """The viewable X window of this program with this title."""
        for xid in self.x.search("--classname", self.exe.name.lower()):
            if self.x.name(xid) == title and (self.x.info(xid) or (False,))[0]:
                return xid
        return None

    def x_rect(self):
        return self.x.info(self.main_xid)[1]

    def title(self):
        return self.x.name(self.main_xid)

    def wait_title(self, expected, timeout=STEP_TIMEOUT):
        try:
            return poll_value(self.title, expected, timeout, "the main window title")
        except Timeout as failure:
            # What the Win32 side shows says where a stalled start-up stands.
            windows = self.windows()
            main = self.main(windows)
            boxes = [MessageBox(self, b, windows) for b in self.message_boxes(windows)]
            raise Timeout(f"{failure}; Win32 main window text {main and main.text!r}, "
                          f"running {self.running()}, message boxes {boxes}") from None

    def screenshot(self):
        return self.x.screenshot()

    def wait_painted(self, rect, timeout=STEP_TIMEOUT):
        """Waits until rect shows more than one colour and two pictures in a row agree; returns
        the last picture."""
        previous = [None]

        def settled():
            shot = self.screenshot()
            region = [shot.row(y, rect[0], rect[2]) for y in range(rect[1], rect[3])]
            same, previous[0] = region == previous[0], region
            return shot if same and len(shot.colours(rect)) > 1 else None
        return poll(settled, timeout, f"a settled picture of {rect}", interval=0.1)

    def key(self, *keys):
        """Presses keys in the main window."""
        self.x.focus(self.main_xid)
        self.x.key(*keys)
