"""Wine prefixes, programs under Wine with their output in files, and the winspy helper."""

import json
import os
import subprocess
import tempfile
import time
from pathlib import Path

REPO = Path(__file__).resolve().parents[3]
WINE_ENV = {"WINEDEBUG": "-all", "WINEDLLOVERRIDES": "mscoree,mshtml="}

REG_SZ, REG_BINARY, REG_DWORD = 1, 3, 4


def windows_path(path):
    """How Wine shows a Unix path: on drive Z:, which maps the Unix root."""
    return "Z:" + str(Path(path).resolve()).replace("/", "\\")


class WinePrefix:
    """One Wine prefix with its own wineserver; kill() ends every process of this prefix
    and nothing else."""

    def __init__(self, path, xserver):
        self.path = Path(path).resolve()
        self.xserver = xserver

    @classmethod
    def fresh(cls, path, xserver, decorated=True):
        """A new prefix at path, hard-linked from the booted template (scripts/setup).

        decorated: Wine draws captions and frames and places, maximises and restores windows
        itself, as Windows does. Xvfb runs no window manager, so otherwise a window keeps its
        X size when the program maximises it, and the X window lacks the caption."""
        subprocess.run([str(REPO / "scripts" / "wine-prefix"), "fresh", str(path)], check=True,
                       stdin=subprocess.DEVNULL, capture_output=True, timeout=120)
        prefix = cls(path, xserver)
        if decorated:
            prefix.add_user_values("Software\\Wine\\X11 Driver", {"Managed": "N"})
        return prefix

    def env(self):
        return self.xserver.env(WINEPREFIX=str(self.path), **WINE_ENV)

    def start(self, args, cwd, log):
        """Starts a Windows program. Output goes to the file log: a Wine child keeps inherited
        pipes open long after the program ends. For a program given by its Unix path the PID
        is the program's own process."""
        log = Path(log)
        log.parent.mkdir(parents=True, exist_ok=True)
        with open(log, "ab") as out:
            return subprocess.Popen(["wine", *map(str, args)], cwd=str(cwd), env=self.env(),
                                    stdin=subprocess.DEVNULL, stdout=out, stderr=out,
                                    start_new_session=True)

    def run(self, args, cwd=None, timeout=60):
        """Runs a Windows program to its end; returns (exit code, output)."""
        with tempfile.TemporaryDirectory(prefix="wine-run-") as scratch:
            log = Path(scratch) / "out"
            process = self.start(args, cwd or scratch, log)
            try:
                code = process.wait(timeout)
            except subprocess.TimeoutExpired:
                process.kill()
                process.wait()
                raise
            return code, log.read_text(errors="replace")

    def add_user_values(self, key, values):
        """Writes values under HKEY_CURRENT_USER\\key into user.reg. Only while no wineserver
        runs for the prefix (before the first program starts): Wine reads the file once.
        values: name -> int (REG_DWORD), bytes (REG_BINARY) or str (REG_SZ)."""
        lines = [f"\n[{escape(key)}] {int(time.time())}"]
        for name, value in values.items():
            if isinstance(value, bool) or isinstance(value, bytes):
                data = bytes([int(value)]) if isinstance(value, bool) else value
                lines.append(f'"{escape(name)}"=hex:' + ",".join(f"{b:02x}" for b in data))
            elif isinstance(value, int):
                lines.append(f'"{escape(name)}"=dword:{value & 0xFFFFFFFF:08x}')
            else:
                lines.append(f'"{escape(name)}"="{escape(value)}"')
        with open(self.path / "user.reg", "a", encoding="utf-8") as reg:
            reg.write("\n".join(lines) + "\n")

    def kill(self, timeout=20):
        """Ends every process of this prefix and its wineserver."""
        env = self.env()
        subprocess.run(["wineserver", "-k"], env=env, stdin=subprocess.DEVNULL,
                       capture_output=True, timeout=timeout)
        try:
            subprocess.run(["wineserver", "-w"], env=env, stdin=subprocess.DEVNULL,
                           capture_output=True, timeout=timeout)
        except subprocess.TimeoutExpired:
            pass


def escape(text):
    return text.replace("\\", "\\\\").replace('"', '\\"')


class Spy:
    """The winspy helper (winspy.c beside this file), cross-built once into build/e2e. It
    reads what X does not carry: window classes, child windows, dialog texts, registry."""

    SOURCE = Path(__file__).with_name("winspy.c")

    def __init__(self, build_dir):
        build_dir = Path(build_dir)
        build_dir.mkdir(parents=True, exist_ok=True)
        self.exe = build_dir / "winspy.exe"
        if not self.exe.exists() or self.exe.stat().st_mtime < self.SOURCE.stat().st_mtime:
            partial = build_dir / "winspy.exe.part"
            subprocess.run(["x86_64-w64-mingw32-gcc", "-O2", "-municode", "-mconsole",
                            "-static", "-o", str(partial), str(self.SOURCE)],
                           check=True, capture_output=True, timeout=120)
            os.replace(partial, self.exe)

    def _query(self, prefix, *args, attempts=2):
        for attempt in range(attempts):
            with tempfile.TemporaryDirectory(prefix="winspy-") as scratch:
                out = Path(scratch) / "out.json"
                code, log = prefix.run([self.exe, windows_path(out), *args], cwd=scratch)
                if code == 0 and out.exists():
                    return [json.loads(line) for line in
                            out.read_text(encoding="utf-8").splitlines() if line.strip()]
        raise RuntimeError(f"winspy {' '.join(args)} failed ({code}): {log}")

    def windows(self, prefix):
        """Every top-level window (top == 0) and every child window of the prefix's desktop,
        with class, text, visibility, style, show state, window and client rectangles in
        screen coordinates."""
        return self._query(prefix, "windows")

    def registry(self, prefix, subkey):
        """HKEY_CURRENT_USER\\subkey as a RegistryKey, or None when the key does not exist."""
        rows = self._query(prefix, "reg", subkey)
        if rows and "error" in rows[0]:
            return None
        return RegistryKey(
            {r["name"]: (r["type"], bytes.fromhex(r["data"])) for r in rows if "name" in r},
            [r["subkey"] for r in rows if "subkey" in r])


class RegistryKey:
    def __init__(self, values, subkeys):
        self.values = values      # name -> (type, data bytes)
        self.subkeys = subkeys

    def dword(self, name):
        kind, data = self.values[name]
        assert kind == REG_DWORD and len(data) == 4, f"{name} is type {kind}, {len(data)} bytes"
        return int.from_bytes(data, "little", signed=True)

    def text(self, name):
        kind, data = self.values[name]
        assert kind == REG_SZ, f"{name} is type {kind}"
        return data.decode("utf-16-le").rstrip("\0")
