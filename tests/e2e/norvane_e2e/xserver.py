"""Xvfb and the X tools that look at it and type into it."""

import ctypes
import os
import select
import shutil
import subprocess
import time
from pathlib import Path

SCREEN = (1280, 1024)


class Timeout(AssertionError):
    """A condition a test waited for did not come about in time."""


def poll(condition, timeout, what, interval=0.05):
    """Calls condition until it returns something true and returns that; fails after timeout
    seconds with a message naming what was waited for and the last value seen."""
    deadline = time.monotonic() + timeout
    last = None
    while True:
        last = condition()
        if last:
            return last
        if time.monotonic() >= deadline:
            raise Timeout(f"waited {timeout:g} s for {what}; last seen: {last!r}")
        time.sleep(interval)


def poll_value(get, expected, timeout, what, interval=0.05):
    """Calls get until it returns expected; fails after timeout naming the last value."""
    seen = []
    try:
        poll(lambda: seen.append(get()) or seen[-1] == expected, timeout, what, interval)
    except Timeout:
        raise Timeout(f"waited {timeout:g} s for {what}: expected {expected!r}, "
                      f"last seen {seen[-1]!r}") from None
    return expected


class XServer:
    """An Xvfb on a display it picks itself (-displayfd), ended by its PID in stop()."""

    def __init__(self, logdir, size=SCREEN):
        self.size = size
        logdir = Path(logdir)
        logdir.mkdir(parents=True, exist_ok=True)
        read_end, write_end = os.pipe()
        with open(logdir / "xvfb.log", "wb") as log:
            self.process = subprocess.Popen(
                ["Xvfb", "-displayfd", str(write_end), "-screen", "0",
                 f"{size[0]}x{size[1]}x24", "-nolisten", "tcp"],
                pass_fds=(write_end,), stdin=subprocess.DEVNULL, stdout=log, stderr=log,
                start_new_session=True)
        os.close(write_end)
        try:
            self._wait_ready(read_end, logdir)
        except BaseException:
            self.stop()
            raise

    def _wait_ready(self, read_end, logdir):
        try:
            number = b""
            deadline = time.monotonic() + 30
            while not number.endswith(b"\n"):
                left = deadline - time.monotonic()
                if left <= 0 or self.process.poll() is not None:
                    raise RuntimeError(f"Xvfb did not start; see {logdir / 'xvfb.log'}")
                ready, _, _ = select.select([read_end], [], [], left)
                if ready:
                    chunk = os.read(read_end, 16)
                    if not chunk:
                        raise RuntimeError(f"Xvfb did not start; see {logdir / 'xvfb.log'}")
                    number += chunk
        finally:
            os.close(read_end)
        self.display = ":" + number.decode().strip()
        self._grabber = None
        poll(lambda: subprocess.run(["xdpyinfo"], env=self.env(), stdout=subprocess.DEVNULL,
                                    stderr=subprocess.DEVNULL).returncode == 0,
             30, f"Xvfb on {self.display} to answer xdpyinfo", interval=0.02)

    def env(self, **extra):
        env = dict(os.environ)
        env.pop("WAYLAND_DISPLAY", None)
        env["DISPLAY"] = self.display
        env.update(extra)
        return env

    def stop(self):
        if getattr(self, "_grabber", None) is not None:
            self._grabber.close()
            self._grabber = None
        if self.process.poll() is None:
            self.process.terminate()
            try:
                self.process.wait(10)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()

    # X tools ---------------------------------------------------------------------------

    def run(self, *args, check=True, timeout=20):
        result = subprocess.run(list(args), env=self.env(), stdin=subprocess.DEVNULL,
                                capture_output=True, text=True, timeout=timeout)
        if check and result.returncode != 0:
            raise RuntimeError(f"{' '.join(args)} failed ({result.returncode}): "
                               f"{result.stderr.strip()}")
        return result

    def search(self, *criteria):
        """X window ids that xdotool search finds, in stacking order; none is no error."""
        out = self.run("xdotool", "search", *criteria, check=False).stdout
        return [int(line) for line in out.split()]

    def name(self, xid):
        result = self.run("xdotool", "getwindowname", str(xid), check=False)
        return result.stdout.rstrip("\n") if result.returncode == 0 else None

    def info(self, xid):
        """Map state and absolute geometry (x, y, width, height) from xwininfo, or None."""
        result = self.run("xwininfo", "-id", str(xid), check=False)
        if result.returncode != 0:
            return None
        fields = {}
        for line in result.stdout.splitlines():
            key, _, value = line.strip().partition(":")
            fields[key] = value.strip()
        return {
            "viewable": fields.get("Map State") == "IsViewable",
            "geometry": (int(fields["Absolute upper-left X"]),
                         int(fields["Absolute upper-left Y"]),
                         int(fields["Width"]), int(fields["Height"])),
        }

    def pid(self, xid):
        out = self.run("xprop", "-id", str(xid), "_NET_WM_PID", check=False).stdout
        _, _, value = out.partition("=")
        return int(value) if value.strip().isdigit() else None

    def focus(self, xid):
        # No window manager runs, so activation requests go nowhere; focusing the X window
        # is what hands a Wine window the keyboard.
        self.run("xdotool", "windowfocus", "--sync", str(xid))

    def key(self, *keys):
        """Real key events (XTEST) to whatever has the focus, e.g. key("F10"), key("alt+Return")."""
        self.run("xdotool", "key", *keys)

    def type(self, text):
        self.run("xdotool", "type", "--delay", "20", text)

    def click(self, x, y, button=1):
        self.run("xdotool", "mousemove", "--sync", str(x), str(y), "click", str(button))

    def mouse_move(self, x, y):
        self.run("xdotool", "mousemove", "--sync", str(x), str(y))

    def screenshot(self, save_png=None, rect=None):
        """The screen (or rect of it) as it is now, read straight from the X server."""
        if self._grabber is None:
            self._grabber = Grabber(self.display)
        shot = self._grabber.grab(rect or (0, 0, *self.size))
        if save_png:
            shot.save_png(save_png)
        return shot


class _XImage(ctypes.Structure):
    _fields_ = [("width", ctypes.c_int), ("height", ctypes.c_int), ("xoffset", ctypes.c_int),
                ("format", ctypes.c_int), ("data", ctypes.POINTER(ctypes.c_ubyte)),
                ("byte_order", ctypes.c_int), ("bitmap_unit", ctypes.c_int),
                ("bitmap_bit_order", ctypes.c_int), ("bitmap_pad", ctypes.c_int),
                ("depth", ctypes.c_int), ("bytes_per_line", ctypes.c_int),
                ("bits_per_pixel", ctypes.c_int)]


class Grabber:
    """Reads screen pixels with XGetImage through libX11: a few milliseconds where a child
    process (import) takes a fifth of a second, fine enough to time a first paint."""

    def __init__(self, display):
        self.x11 = ctypes.CDLL("libX11.so.6")
        self.x11.XOpenDisplay.restype = ctypes.c_void_p
        self.x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
        self.x11.XDefaultRootWindow.restype = ctypes.c_ulong
        self.x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
        self.x11.XGetImage.restype = ctypes.POINTER(_XImage)
        self.x11.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int,
                                       ctypes.c_uint, ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
        self.x11.XDestroyImage.argtypes = [ctypes.POINTER(_XImage)]
        self.x11.XCloseDisplay.argtypes = [ctypes.c_void_p]
        self.display = self.x11.XOpenDisplay(display.encode())
        if not self.display:
            raise RuntimeError(f"cannot open X display {display}")
        self.root = self.x11.XDefaultRootWindow(self.display)

    def grab(self, rect):
        left, top, right, bottom = rect
        width, height = right - left, bottom - top
        z_pixmap, all_planes = 2, 0xFFFFFFFF
        image = self.x11.XGetImage(self.display, self.root, left, top, width, height,
                                   all_planes, z_pixmap)
        if not image:
            raise RuntimeError(f"XGetImage of {rect} failed")
        try:
            info = image.contents
            if info.bits_per_pixel != 32 or info.byte_order != 0:
                raise RuntimeError(f"unexpected X image format: {info.bits_per_pixel} bpp")
            stride = info.bytes_per_line
            raw = ctypes.string_at(info.data, stride * height)
        finally:
            self.x11.XDestroyImage(image)
        if stride != width * 4:
            raw = b"".join(raw[y * stride:y * stride + width * 4] for y in range(height))
        rgb = bytearray(width * height * 3)
        rgb[0::3], rgb[1::3], rgb[2::3] = raw[2::4], raw[1::4], raw[0::4]  # BGRX to RGB
        return Screenshot(width, height, bytes(rgb), origin=(left, top))

    def close(self):
        self.x11.XCloseDisplay(self.display)


class Screenshot:
    """An RGB picture of the screen or a part of it. Every method takes screen coordinates
    (the same as Win32's); origin is the screen position of the picture's top-left pixel."""

    def __init__(self, width, height, pixels, origin=(0, 0)):
        self.width, self.height, self.pixels = width, height, pixels
        self.origin = origin

    def pixel(self, x, y):
        x, y = x - self.origin[0], y - self.origin[1]
        offset = (y * self.width + x) * 3
        return tuple(self.pixels[offset:offset + 3])

    def row(self, y, x0, x1):
        """The raw bytes of pixels x0..x1-1 of row y, for comparing rows."""
        ox, oy = self.origin
        start = ((y - oy) * self.width + max(x0 - ox, 0)) * 3
        return self.pixels[start:start + max(0, min(x1 - ox, self.width) - max(x0 - ox, 0)) * 3]

    def _rows(self, rect):
        ox, oy = self.origin
        left, top, right, bottom = rect
        left, right = max(left, ox), min(right, ox + self.width)
        for y in range(max(top, oy), min(bottom, oy + self.height)):
            yield self.row(y, left, right)

    def count(self, colour, rect):
        """Pixels of exactly this colour inside rect (left, top, right, bottom; right and
        bottom exclusive)."""
        needle = bytes(colour)
        return sum(1 for row in self._rows(rect) for i in range(0, len(row), 3)
                   if row[i:i + 3] == needle)

    def colours(self, rect):
        return {tuple(row[i:i + 3]) for row in self._rows(rect) for i in range(0, len(row), 3)}

    def save_png(self, path):
        path = Path(path)
        path.parent.mkdir(parents=True, exist_ok=True)
        header = f"P6\n{self.width} {self.height}\n255\n".encode()
        convert = shutil.which("convert", path="/usr/bin") or "convert"
        subprocess.run([convert, "ppm:-", str(path)], input=header + self.pixels, check=True,
                       capture_output=True, timeout=30)
        return path

