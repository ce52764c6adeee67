"""Wine prefixes, programs under Wine with their output in files, and the winspy helper."""

import json
import os
import subprocess
import tempfile
import time
from pathlib import Path

REPO = Path(__file__).resolve().parents[3]
WINE_ENV = {"WINEDEBUG": "-all", "WINEDLLOVERRIDES": "mscoree,mshtml="}


def windows_path(path):
    """How Wine shows a Unix path: on drive Z:, which maps the Unix root."""
    return "Z:" + str(Path(path).resolve()).replace("/", "\\")


def escape(text):
    return text.replace("\\", "\\\\").replace('"', '\\"')


class WinePrefix:
    """One Wine prefix with its own wineserver; kill() ends the processes of this prefix only."""

    def __init__(self, path, xserver):
        self.path = Path(path).resolve()
        self.xserver = xserver

    @classmethod
    def fresh(cls, path, xserver):
        """A new prefix hard-linked from the booted template (scripts/setup)."""
        subprocess.run([str(REPO / "scripts" / "wine-prefix"), "fresh", str(path)], check=True,
                       stdin=subprocess.DEVNULL, capture_output=True, timeout=120)
        prefix = cls(path, xserver)
        # Xvfb runs no window manager: Wine then has to draw frames and place, maximise and
        # restore windows itself, as Windows does, or a maximised window keeps its X size.
        prefix.add_user_values("Software\\Wine\\X11 Driver", {"Managed": "N"})
        return prefix

    def env(self):
        return self.xserver.env(WINEPREFIX=str(self.path), **WINE_ENV)

    def start(self, args, cwd, log):
        """Starts a Windows program with its output in the file log: Wine's children keep
        inherited pipes open long after the program ends. For a program given by its Unix
        path the PID is the program's own."""
        Path(log).parent.mkdir(parents=True, exist_ok=True)
        with open(log, "ab") as out:
            return subprocess.Popen(["wine", *map(str, args)], cwd=str(cwd), env=self.env(),
                                    stdin=subprocess.DEVNULL, stdout=out, stderr=out,
                                    start_new_session=True)

    def run(self, args, cwd):
        """Runs a Windows program to its end; returns (exit code, output)."""
        log = Path(cwd) / "wine-run.log"
        process = self.start(args, cwd, log)
        try:
            return process.wait(60), log.read_text(errors="replace")
        except subprocess.TimeoutExpired:
            process.kill()
            process.wait()
            raise

    def add_user_values(self, key, values):
        """Writes values (int: DWORD, bool: one byte, str) under HKEY_CURRENT_USER\\key into
        user.reg. Only before the first program starts: Wine reads the file once."""
        lines = [f"\n[{escape(key)}] {int(time.time())}"]
        for name, value in values.items():
            if isinstance(value, bool):
                lines.append(f'"{escape(name)}"=hex:{int(value):02x}')
            elif isinstance(value, int):
                lines.append(f'"{escape(name)}"=dword:{value & 0xFFFFFFFF:08x}')
            else:
                lines.append(f'"{escape(name)}"="{escape(value)}"')
        with open(self.path / "user.reg", "a", encoding="utf-8") as reg:
            reg.write("\n".join(lines) + "\n")

    def kill(self):
        """Ends every process of this prefix and its wineserver."""
        for option in ("-k", "-w"):
            try:
                subprocess.run(["wineserver", option], env=self.env(), stdin=subprocess.DEVNULL,
                               capture_output=True, timeout=20)
            except subprocess.TimeoutExpired:
                pass


def cross_build(source, build_dir, libraries=()):
    """A helper program of the tests, built from its C source into build_dir once (again when
    the source is newer); its path."""
    Path(build_dir).mkdir(parents=True, exist_ok=True)
    exe = Path(build_dir) / (Path(source).stem + ".exe")
    if not exe.exists() or exe.stat().st_mtime < Path(source).stat().st_mtime:
        partial = exe.with_suffix(".part")
        subprocess.run(["x86_64-w64-mingw32-gcc", "-O2", "-municode", "-mconsole", "-static",
                        "-o", str(partial), str(source), *(f"-l{name}" for name in libraries)],
                       check=True, capture_output=True, timeout=120)
        os.replace(partial, exe)
    return exe


class Spy:
    """The winspy helper (winspy.c), cross-built once into the build folder. It reads what X
    does not carry: window classes, child windows, dialog texts, the registry."""

    SOURCE = Path(__file__).with_name("winspy.c")

    def __init__(self, build_dir):
        self.exe = cross_build(self.SOURCE, build_dir)

    def _output(self, prefix, *args):
        for _ in range(2):
            with tempfile.TemporaryDirectory(prefix="winspy-") as scratch:
                out = Path(scratch) / "out.json"
                code, log = prefix.run([self.exe, windows_path(out), *args], cwd=scratch)
                if code == 0 and out.exists():
                    return out.read_bytes()
        raise RuntimeError(f"winspy {' '.join(args)} failed ({code}): {log}")

    def _query(self, prefix, *args):
        return [json.loads(line) for line in self._output(prefix, *args).decode("utf-8").splitlines()]

    def clipboard(self, prefix):
        """The clipboard's Unicode text exactly as the program put it there (CR LF kept)."""
        return self._output(prefix, "clipboard").decode("utf-8")

    def windows(self, prefix):
        """Every top-level window (top 0) and child window, rectangles in screen coordinates."""
        return self._query(prefix, "windows")

    def edit_text(self, prefix, hwnd):
        """A rich-edit control's text, line count and caret line (0-based)."""
        return self._query(prefix, "edittext", str(hwnd))[0]

    def post(self, prefix, hwnd, message, wparam=0, lparam=0):
        """Posts a message to a window of another program, as any program may."""
        self._output(prefix, "post", str(hwnd), str(message), str(wparam), str(lparam))

    def hold_locked(self, prefix, path, seconds, scratch):
        """Starts a process that holds path open without sharing; returns it once it does."""
        out = Path(scratch) / "lock.json"
        process = prefix.start([self.exe, windows_path(out), "lock", windows_path(path), str(seconds)],
                               cwd=scratch, log=Path(scratch) / "lock.log")
        deadline = time.monotonic() + 30
        while not (out.exists() and "locked" in out.read_text("utf-8")):
            if process.poll() is not None or time.monotonic() > deadline:
                raise RuntimeError(f"winspy could not lock {path}")
            time.sleep(0.1)
        return process

    def registry(self, prefix, subkey):
        """The values of HKEY_CURRENT_USER\\subkey, or None when the key does not exist."""
        rows = self._query(prefix, "reg", subkey)
        if rows and "error" in rows[0]:
            return None
        return RegistryKey({r["name"]: (r["type"], bytes.fromhex(r["data"]))
                            for r in rows if "name" in r})


class DropSource:
    """dropsource.c: another program that drops files through the OLE drag loop."""

    SOURCE = Path(__file__).with_name("dropsource.c")

    def __init__(self, build_dir):
        self.exe = cross_build(self.SOURCE, build_dir, ("ole32", "shell32", "uuid"))

    def drop(self, prefix, point, paths, wide=True):
        """Drops paths (Unix paths, handed over as Wine shows them) at the screen point;
        returns DoDragDrop's result and the effect the target chose."""
        with tempfile.TemporaryDirectory(prefix="dropsource-") as scratch:
            out = Path(scratch) / "out.json"
            names = [windows_path(p) for p in paths]
            if len(names) > 100:  # beyond a command line: a list file
                (Path(scratch) / "list.txt").write_text("\n".join(names), "utf-8")
                names = ["@" + windows_path(Path(scratch) / "list.txt")]
            code, log = prefix.run([self.exe, windows_path(out), *map(str, point),
                                    "wide" if wide else "ansi", *names], cwd=scratch)
            if code != 0 or not out.exists():
                raise RuntimeError(f"dropsource failed ({code}): {log}")
            return json.loads(out.read_text("utf-8"))


class DropTarget:
    """droptarget.c: another program that takes files dropped on it and reports, at the drop,
    which of the named paths exist and how each file begins."""

    SOURCE = Path(__file__).with_name("droptarget.c")

    def __init__(self, build_dir):
        self.exe = cross_build(self.SOURCE, build_dir, ("ole32", "shell32", "uuid"))

    def show(self, prefix, rect, scratch):
        """Shows its window over the screen rectangle (left, top, right, bottom); returns the
        started process and its report file once it takes drops."""
        out = Path(scratch) / "droptarget.txt"
        left, top, right, bottom = rect
        process = prefix.start([self.exe, windows_path(out), left, top, right - left, bottom - top],
                               cwd=scratch, log=Path(scratch) / "droptarget.log")
        deadline = time.monotonic() + 60
        while not (out.exists() and "ready" in out.read_text("utf-8")):
            if process.poll() is not None or time.monotonic() > deadline:
                raise RuntimeError("droptarget did not start")
            time.sleep(0.1)
        return process, out

    @staticmethod
    def dropped(out):
        """The reported paths, or None before the drop."""
        lines = out.read_text("utf-8").splitlines()
        if "dropped" not in lines:
            return None
        return [json.loads(line) for line in lines if line.startswith("{")]


class AnswerProbe:
    """answerprobe.c: another program that sends a window WM_NULL every interval and records
    how long each answer took, until told to stop."""

    SOURCE = Path(__file__).with_name("answerprobe.c")

    def __init__(self, build_dir):
        self.exe = cross_build(self.SOURCE, build_dir)

    def start(self, prefix, hwnd, scratch, interval_ms=50, limit_s=600):
        """Starts probing; returns a function that stops it and returns its record
        (count, max_ms, waits_ms)."""
        scratch = Path(scratch)
        scratch.mkdir(parents=True, exist_ok=True)
        out, stop = scratch / "probe.json", scratch / "probe.stop"
        stop.unlink(missing_ok=True)
        out.unlink(missing_ok=True)
        process = prefix.start([self.exe, windows_path(out), str(hwnd), str(interval_ms),
                                windows_path(stop), str(limit_s)], cwd=scratch, log=scratch / "probe.log")
        deadline = time.monotonic() + 60
        while not out.exists():
            if process.poll() is not None or time.monotonic() > deadline:
                raise RuntimeError("the answer probe did not start")
            time.sleep(0.05)

        def finish():
            stop.write_text("stop")
            process.wait(60)
            record = json.loads(out.read_text())
            if "count" not in record:
                raise RuntimeError(f"the answer probe ended with {process.returncode}")
            return record
        return finish


class RegistryKey:
    def __init__(self, values):
        self.values = values  # name -> (type, data bytes)

    def dword(self, name):
        kind, data = self.values[name]
        assert kind == 4 and len(data) == 4, f"{name} is type {kind}, {len(data)} bytes"
        return int.from_bytes(data, "little", signed=True)

    def text(self, name):
        kind, data = self.values[name]
        assert kind == 1, f"{name} is type {kind}"
        return data.decode("utf-16-le").rstrip("\0")
