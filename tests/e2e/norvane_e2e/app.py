"""A started norvane.exe as its user sees it: windows, titles, pixels, message boxes."""

import os
import signal
import subprocess
from dataclasses import dataclass
from pathlib import Path

from .wine import windows_path
from .xserver import Timeout, poll, poll_value

MAIN_CLASS = "WC_NRVMAINWND"
LEFT_CLASS = "WC_NRVPANEL_LEFT"
RIGHT_CLASS = "WC_NRVPANEL_RIGHT"
VIEWER_CLASS = "WC_NRVVIEWER"
DIALOG_CLASS = "#32770"
WS_CAPTION = 0x00C00000
SW_SHOWNORMAL, SW_SHOWMAXIMIZED = 1, 3

START_TIMEOUT = 60  # a fresh prefix boots its wineserver and desktop first
STEP_TIMEOUT = 15


@dataclass
class Window:
    """One Win32 window as winspy reports it; rectangles are (left, top, right, bottom) in
    screen coordinates, which are also the X root's."""
    hwnd: int
    top: int
    parent: int
    cls: str
    text: str
    visible: bool
    enabled: bool
    style: int
    show: int
    rect: tuple
    client: tuple

    @classmethod
    def from_spy(cls, row):
        return cls(row["hwnd"], row["top"], row["parent"], row["class"], row["text"],
                   bool(row["visible"]), bool(row["enabled"]), row["style"], row["show"],
                   tuple(row["rect"]), tuple(row["client"]))

    @property
    def width(self):
        return self.rect[2] - self.rect[0]

    @property
    def height(self):
        return self.rect[3] - self.rect[1]


class MessageBox:
    def __init__(self, app, window, children):
        self.app = app
        self.window = window
        self.caption = window.text
        self.text = "\n".join(c.text for c in children if c.cls == "Static" and c.text)
        self.buttons = [c.text.replace("&", "") for c in children if c.cls == "Button"]

    def __repr__(self):
        return f"MessageBox({self.caption!r}, {self.text!r}, buttons={self.buttons})"

    def xid(self):
        return poll(lambda: self.app.x_window(self.caption), STEP_TIMEOUT,
                    f"the X window of message box {self.caption!r}")

    def answer(self, key):
        """Gives the box the keyboard, presses key and waits until the box is gone."""
        self.app.x.focus(self.xid())
        self.app.x.key(key)
        poll(lambda: not any(w.hwnd == self.window.hwnd for w in self.app.message_boxes()),
             STEP_TIMEOUT, f"message box {self.caption!r} to close after {key}")


class Norvane:
    """norvane.exe started in a Wine prefix with a chosen current folder. It is ended by its
    PID (close()); the prefix's own wineserver is the caller's to stop."""

    def __init__(self, xserver, prefix, spy, exe, workdir, logdir):
        self.x, self.prefix, self.spy = xserver, prefix, spy
        self.exe = Path(exe).resolve()
        self.workdir = Path(workdir).resolve()
        self.logdir = Path(logdir)
        self.log = self.logdir / "norvane.log"
        self.process = None
        self.main_xid = None

    # process ---------------------------------------------------------------------------

    def start(self):
        self.process = self.prefix.start([self.exe], cwd=self.workdir, log=self.log)
        return self

    @property
    def pid(self):
        return self.process.pid

    def running(self):
        return self.process is not None and self.process.poll() is None

    def wait_exit(self, timeout=STEP_TIMEOUT):
        poll(lambda: not self.running(), timeout, "norvane.exe to end")
        return self.process.returncode

    def close(self):
        """Ends the program by its PID if it still runs."""
        if self.running():
            try:
                os.kill(self.pid, signal.SIGKILL)
            except ProcessLookupError:
                pass
            try:
                self.process.wait(10)
            except subprocess.TimeoutExpired:
                pass

    # Win32 side --------------------------------------------------------------------------

    def windows(self):
        return [Window.from_spy(row) for row in self.spy.windows(self.prefix)]

    def message_boxes(self, windows=None):
        windows = windows if windows is not None else self.windows()
        return [w for w in windows if w.top == 0 and w.cls == DIALOG_CLASS and w.visible]

    def message_box(self, caption=None, timeout=STEP_TIMEOUT):
        """Waits for a visible message box (with this caption, if given) and returns it."""
        def find():
            windows = self.windows()
            for box in self.message_boxes(windows):
                if caption is None or box.text == caption:
                    return MessageBox(self, box, [w for w in windows if w.top == box.hwnd])
            self._check_alive()
            return None
        return poll(find, timeout, f"a message box {caption!r}", interval=0.1)

    def main(self, windows=None):
        """The visible main window, or None."""
        for w in windows if windows is not None else self.windows():
            if w.top == 0 and w.cls == MAIN_CLASS and w.visible:
                return w
        return None

    def children(self, windows=None):
        windows = windows if windows is not None else self.windows()
        main = self.main(windows)
        return {w.cls: w for w in windows if main and w.top == main.hwnd}

    def panels(self):
        """The left and right panel windows."""
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
                    box = MessageBox(self, boxes[0], [w for w in windows if w.top == boxes[0].hwnd])
                    raise AssertionError(f"start-up shows {box} instead of the main window")
                self._check_alive()
                return None
            xid = self.x_window(main.text)
            return (main, xid) if xid else None
        main, self.main_xid = poll(find, timeout, "the main window", interval=0.1)
        return main

    def x_window(self, title):
        """The viewable X window of this program whose title is title."""
        for xid in self.x.search("--classname", self.exe.name.lower()):
            if self.x.name(xid) == title:
                info = self.x.info(xid)
                if info and info["viewable"]:
                    return xid
        return None

    def _check_alive(self):
        if not self.running():
            log = self.log.read_text(errors="replace")[-2000:] if self.log.exists() else ""
            raise AssertionError(f"norvane.exe ended (exit code {self.process.returncode}); "
                                 f"its output:\n{log}")

    # what the user sees ----------------------------------------------------------------------

    def title(self):
        return self.x.name(self.main_xid)

    def wait_title(self, expected, timeout=STEP_TIMEOUT):
        try:
            return poll_value(self.title, expected, timeout, "the main window title")
        except Timeout as timeout_error:
            raise Timeout(f"{timeout_error}; {self._window_report()}") from None

    def _window_report(self):
        """What the Win32 side shows, for a failure message: the main window's text and any
        message box, so that a stalled start-up says where it stands."""
        windows = self.windows()
        main = self.main(windows)
        boxes = [str(MessageBox(self, b, [w for w in windows if w.top == b.hwnd]))
                 for b in self.message_boxes(windows)]
        return (f"Win32 main window text {main.text if main else None!r}, "
                f"running {self.running()}, message boxes {boxes}")

    def wait_panel_folders(self, left, right):
        """Checks by the window title which folders the panels show: the left one while it is
        active, then the right one after Tab (left active again after a second Tab)."""
        self.wait_title(windows_path(left))
        self.key("Tab")
        self.wait_title(windows_path(right))

    def x_geometry(self):
        return self.x.info(self.main_xid)["geometry"]

    def screenshot(self, save_png=None):
        return self.x.screenshot(save_png)

    def wait_screenshot(self, condition, what, timeout=STEP_TIMEOUT):
        """Takes screenshots until condition(shot) holds; returns that screenshot."""
        return poll(lambda: (lambda shot: shot if condition(shot) else None)(self.screenshot()),
                    timeout, what, interval=0.1)

    def wait_painted(self, rect, timeout=STEP_TIMEOUT):
        """Waits until rect shows more than one colour and two pictures in a row agree; returns
        the last picture."""
        previous = [None]

        def settled():
            shot = self.screenshot()
            region = [shot.row(y, max(0, rect[0]), min(shot.width, rect[2]))
                      for y in range(max(0, rect[1]), min(shot.height, rect[3]))]
            same = region == previous[0]
            previous[0] = region
            return shot if same and len(shot.colours(rect)) > 1 else None
        return poll(settled, timeout, f"a settled picture of {rect}", interval=0.1)

    def focus(self):
        self.x.focus(self.main_xid)

    def key(self, *keys):
        """Presses keys in the main window."""
        self.focus()
        self.x.key(*keys)

