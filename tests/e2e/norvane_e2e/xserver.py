"""Xvfb, the X tools that look at it and type into it, and its pixels."""

import ctypes
import os
import select
import shutil
import subprocess
import time
from pathlib import Path

SCREEN = (1280, 1024)


class Timeout(AssertionError):
    pass


def poll(condition, timeout, what, interval=0.05):
    """Calls condition until it returns something true and returns that; fails after timeout
    seconds naming what was waited for and the last value seen."""
    deadline = time.monotonic() + timeout
    while True:
        last = condition()
        if last:
            return last
        if time.monotonic() >= deadline:
            raise Timeout(f"waited {timeout:g} s for {what}; last seen: {last!r}")
        time.sleep(interval)


def poll_value(get, expected, timeout, what):
    seen = []
    try:
        poll(lambda: seen.append(get()) or seen[-1] == expected, timeout, what)
    except Timeout:
        raise Timeout(f"waited {timeout:g} s for {what}: expected {expected!r}, "
                      f"last seen {seen[-1]!r}") from None
    return expected


class XServer:
    """An Xvfb on a display it picks itself (-displayfd), ended by its PID in stop()."""

    def __init__(self, logdir):
        log_path = Path(logdir) / "xvfb.log"
        log_path.parent.mkdir(parents=True, exist_ok=True)
        read_end, write_end = os.pipe()
        with open(log_path, "wb") as log:
            self.process = subprocess.Popen(
                ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "%dx%dx24" % SCREEN,
                 "-nolisten", "tcp"], pass_fds=(write_end,), stdin=subprocess.DEVNULL,
                stdout=log, stderr=log, start_new_session=True)
        os.close(write_end)
        self._x11 = None
        try:
            ready = select.select([read_end], [], [], 30)[0]
            number = os.read(read_end, 16).strip() if ready else b""
            if not number:
                raise RuntimeError(f"Xvfb did not start; see {log_path}")
            self.display = ":" + number.decode()
            poll(lambda: self.run("xdpyinfo", check=False).returncode == 0, 30,
                 f"Xvfb on {self.display} to answer xdpyinfo")
        except BaseException:
            self.stop()
            raise
        finally:
            os.close(read_end)

    def env(self, **extra):
        env = {k: v for k, v in os.environ.items() if k != "WAYLAND_DISPLAY"}
        return {**env, "DISPLAY": self.display, **extra}

    def stop(self):
        if self.process.poll() is None:
            self.process.terminate()
            try:
                self.process.wait(10)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()

    def run(self, *args, check=True):
        result = subprocess.run(list(args), env=self.env(), stdin=subprocess.DEVNULL,
                                capture_output=True, text=True, timeout=20)
        if check and result.returncode != 0:
            raise RuntimeError(f"{' '.join(args)} failed: {result.stderr.strip()}")
        return result

    def search(self, *criteria):
        return [int(line) for line in self.run("xdotool", "search", *criteria,
                                               check=False).stdout.split()]

    def name(self, xid):
        result = self.run("xdotool", "getwindowname", str(xid), check=False)
        return result.stdout.rstrip("\n") if result.returncode == 0 else None

    def info(self, xid):
        """Whether the window is viewable and its (left, top, right, bottom), or None."""
        result = self.run("xwininfo", "-id", str(xid), check=False)
        if result.returncode != 0:
            return None
        f = dict(line.strip().partition(":")[::2] for line in result.stdout.splitlines())
        x, y = int(f["Absolute upper-left X"]), int(f["Absolute upper-left Y"])
        return (f["Map State"].strip() == "IsViewable",
                (x, y, x + int(f["Width"]), y + int(f["Height"])))

    def focus(self, xid):
        # No window manager runs, so activation requests go nowhere; focusing the X window
        # is what hands a Wine window the keyboard.
        self.run("xdotool", "windowfocus", "--sync", str(xid))

    def raise_window(self, xid):
        self.run("xdotool", "windowraise", str(xid))

    def key(self, *keys):
        self.run("xdotool", "key", *keys)

    def type(self, text):
        self.run("xdotool", "type", "--delay", "20", text)

    def click(self, x, y):
        self.run("xdotool", "mousemove", "--sync", str(x), str(y), "click", "1")

    def screenshot(self, save_png=None):
        """The screen as it is now, read with XGetImage through libX11: milliseconds, where
        a child process (import) takes a fifth of a second."""
        if self._x11 is None:
            x11 = ctypes.CDLL("libX11.so.6")
            x11.XOpenDisplay.restype = x11.XGetImage.restype = ctypes.c_void_p
            x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
            x11.XDefaultRootWindow.restype = ctypes.c_ulong
            x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
            x11.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int,
                                      ctypes.c_uint, ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
            x11.XDestroyImage.argtypes = [ctypes.c_void_p]
            self._display = x11.XOpenDisplay(self.display.encode())
            self._root = x11.XDefaultRootWindow(self._display)
            self._x11 = x11
        width, height = SCREEN
        all_planes, z_pixmap = 0xFFFFFFFF, 2
        image = self._x11.XGetImage(self._display, self._root, 0, 0, width, height,
                                    all_planes, z_pixmap)
        try:
            # An XImage starts with four ints, then its data: BGRX rows, 4 bytes a pixel.
            data = ctypes.cast(image + 16, ctypes.POINTER(ctypes.c_void_p))[0]
            raw = ctypes.string_at(data, width * height * 4)
        finally:
            self._x11.XDestroyImage(image)
        rgb = bytearray(width * height * 3)
        rgb[0::3], rgb[1::3], rgb[2::3] = raw[2::4], raw[1::4], raw[0::4]
        shot = Screenshot(width, bytes(rgb))
        if save_png:
            shot.save_png(save_png)
        return shot


class Screenshot:
    """An RGB picture of the whole screen; coordinates are the screen's (and Win32's)."""

    def __init__(self, width, pixels):
        self.width, self.pixels = width, pixels

    def row(self, y, x0, x1):
        """The raw bytes of pixels x0..x1-1 of row y, for comparing rows."""
        return self.pixels[(y * self.width + x0) * 3:(y * self.width + x1) * 3]

    def colours(self, rect):
        left, top, right, bottom = rect
        return {row[i:i + 3] for y in range(top, bottom)
                for row in [self.row(y, left, right)] for i in range(0, len(row), 3)}

    def count(self, colour, rect):
        """Pixels of exactly this colour inside rect (right and bottom exclusive)."""
        left, top, right, bottom = rect
        needle = bytes(colour)
        total = 0
        for y in range(top, bottom):
            # bytes.find is C speed; a hit counts only where a pixel starts. Polling loops
            # (the start-up bench among them) call this on large areas many times a second.
            row = self.row(y, left, right)
            at = row.find(needle)
            while at != -1:
                if at % 3 == 0:
                    total += 1
                    at = row.find(needle, at + 3)
                else:
                    at = row.find(needle, at + 1)
        return total

    def save_png(self, path):
        Path(path).parent.mkdir(parents=True, exist_ok=True)
        header = f"P6\n{self.width} {len(self.pixels) // 3 // self.width}\n255\n".encode()
        subprocess.run([shutil.which("convert", path="/usr/bin") or "convert", "ppm:-",
                        str(path)], input=header + self.pixels, check=True, capture_output=True,
                       timeout=30)
