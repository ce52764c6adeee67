#!/usr/bin/python3
"""The editor under Wine on 2 MiB and 20 MiB text files (ASCII, UTF-8 Cyrillic, UTF-16), in one
prefix and one Xvfb: its load and save against a bare program in the same process that streams
the same text into the same control class with the same options (and streams it out, converts
it and writes it with one WriteFile), seconds per MiB at both sizes and their growth, what each
loading step of the control is worth, the time from a posted key to its painted character in
the loaded 20 MiB file, and Wine's notepad.exe opening the same files as the peer figure.

    bench/editor_bench.py [--rounds 3] [--sizes 2,20]"""

import argparse
import os
import random
import re
import signal
import sys
import time
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[1] / "tests" / "e2e"))

from norvane_e2e import REPO, WinePrefix, XServer, windows_path  # noqa: E402

WORK = REPO / "build" / "e2e" / "bench-editor"
BENCH = REPO / "build" / "windows-x64" / "editor_bench.exe"
LATIN = "the quick brown fox jumps over lazy dog editor line text sample".split()
CYRILLIC = "съешь же ещё этих мягких французских булок да выпей чаю".split()


def make_text(path, size, words, encoding):
    """Numbered lines of random words, cut to exactly `size` bytes on a character boundary."""
    if path.exists() and path.stat().st_size == size:
        return
    random.seed(3)
    mark = b"\xff\xfe" if encoding == "utf-16-le" else b""
    lines, total, number = [], len(mark), 0
    while total < size:
        line = f"{number:07d} " + " ".join(random.choice(words) for _ in range(8)) + "\r\n"
        lines.append(line)
        total += len(line.encode(encoding))
        number += 1
    data = mark + "".join(lines).encode(encoding)
    unit = 2 if encoding == "utf-16-le" else 1
    cut = size - (size - len(mark)) % unit
    while True:  # whole characters only, then blanks: the load's own cost, not a broken tail's
        try:
            data[len(mark):cut].decode(encoding)
            break
        except UnicodeDecodeError:
            cut -= unit
    path.write_bytes(data[:cut] + " ".encode(encoding) * ((size - cut) // unit))


def notepad_seconds(xserver, prefix, notepad, path):
    """From starting notepad with the file to its window titled with the file's name."""
    began = time.perf_counter()
    process = prefix.start([notepad, windows_path(path)], cwd=WORK, log=WORK / "notepad.log")
    try:
        while time.perf_counter() - began < 900:
            for xid in xserver.search("--onlyvisible", "--pid", str(process.pid)):
                if path.name in (xserver.name(xid) or ""):
                    return time.perf_counter() - began
            time.sleep(0.01)
        raise RuntimeError("notepad showed no window with the file")
    finally:
        if process.poll() is None:
            os.kill(process.pid, signal.SIGKILL)
        process.wait(10)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--rounds", type=int, default=3)
    parser.add_argument("--sizes", default="2,20", help="file sizes in MiB")
    args = parser.parse_args()
    if not BENCH.is_file():
        sys.exit(f"{BENCH} does not exist; build the windows-x64 preset first")
    WORK.mkdir(parents=True, exist_ok=True)
    sizes = [int(s) for s in args.sizes.split(",")]
    files = []
    for mib in sizes:
        for name, words, encoding in (("ascii", LATIN, "ascii"), ("cyrillic", CYRILLIC, "utf-8"),
                                      ("utf16", CYRILLIC, "utf-16-le")):
            path = WORK / f"{name}{mib}.txt"
            make_text(path, mib * 1048576, words, encoding)
            files.append(path)
    xserver = XServer(WORK)
    prefix = None
    try:
        prefix = WinePrefix.fresh(WORK / "prefix", xserver)
        log_path = WORK / "editor_bench.log"
        log_path.unlink(missing_ok=True)
        # The steps on the smallest ASCII file; the typing probe in the largest files.
        command = [BENCH, str(args.rounds), "--steps", windows_path(files[0])]
        for path in files[1:]:
            if path.name.endswith(f"{max(sizes)}.txt"):
                command.append("--typing")
            command.append(windows_path(path))
        began = time.perf_counter()
        process = prefix.start(command, cwd=WORK, log=log_path)
        code = process.wait(6 * 3600)
        log = log_path.read_text(errors="replace")
        print(log.strip() or f"editor_bench failed ({code})", flush=True)
        print(f"editor_bench took {time.perf_counter() - began:.0f} s", flush=True)
        per_mib = {}
        for match in re.finditer(r"^(ascii|cyrillic|utf16)(\d+)\.txt [0-9.]+ MiB: load ([0-9.]+) s/MiB \(bare ([0-9.]+)\)", log, re.M):
            per_mib[(match.group(1), int(match.group(2)))] = (float(match.group(3)), float(match.group(4)))
        if len(sizes) == 2:
            small, large = sizes
            for name in ("ascii", "cyrillic", "utf16"):
                if (name, small) in per_mib and (name, large) in per_mib:
                    editor = per_mib[(name, large)][0] / per_mib[(name, small)][0]
                    bare = per_mib[(name, large)][1] / per_mib[(name, small)][1]
                    print(f"{name}: load s/MiB {large} MiB / {small} MiB: editor {editor:.2f}, bare {bare:.2f}")
        notepad = prefix.path / "drive_c" / "windows" / "system32" / "notepad.exe"
        for path in files:
            seconds = notepad_seconds(xserver, prefix, notepad, path)
            mib = path.stat().st_size / 1048576
            print(f"{path.name}: notepad.exe {seconds:.2f} s ({seconds / mib:.3f} s/MiB)", flush=True)
    finally:
        if prefix is not None:
            prefix.kill()
        xserver.stop()


if __name__ == "__main__":
    main()
