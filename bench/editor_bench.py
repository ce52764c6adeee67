#!/usr/bin/python3
"""The editor under Wine: loading a 2 MiB and a 20 MiB text file into the rich-edit control
(seconds per MiB, and their ratio for linear growth), saving it against CopyFileW of the same
file, and Wine's notepad.exe opening the same files, all in one prefix and one Xvfb.

    bench/editor_bench.py [--rounds 3]"""

import argparse
import os
import random
import re
import signal
import subprocess
import sys
import time
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[1] / "tests" / "e2e"))

from norvane_e2e import REPO, WinePrefix, XServer, windows_path  # noqa: E402

WORK = REPO / "build" / "e2e" / "bench-editor"
BENCH = REPO / "build" / "windows-x64" / "editor_bench.exe"


def make_text(path, size):
    if path.exists() and path.stat().st_size == size:
        return
    random.seed(3)
    words = "the quick brown fox jumps over lazy dog editor line text sample".split()
    lines, total, number = [], 0, 0
    while total < size:
        line = f"{number:07d} " + " ".join(random.choice(words) for _ in range(8)) + "\r\n"
        lines.append(line)
        total += len(line)
        number += 1
    path.write_bytes("".join(lines).encode("ascii")[:size])


def notepad_seconds(xserver, prefix, notepad, path):
    """From starting notepad with the file to its window titled with the file's name."""
    began = time.perf_counter()
    process = prefix.start([notepad, windows_path(path)], cwd=WORK, log=WORK / "notepad.log")
    try:
        while time.perf_counter() - began < 600:
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
    args = parser.parse_args()
    if not BENCH.is_file():
        sys.exit(f"{BENCH} does not exist; build the windows-x64 preset first")
    WORK.mkdir(parents=True, exist_ok=True)
    xserver = XServer(WORK)
    prefix = None
    try:
        prefix = WinePrefix.fresh(WORK / "prefix", xserver)
        notepad = prefix.path / "drive_c" / "windows" / "system32" / "notepad.exe"
        per_mib = {}
        for mib in (2, 20):
            path = WORK / f"text{mib}.txt"
            make_text(path, mib * 1048576)
            log_path = WORK / f"editor_bench{mib}.log"
            log_path.unlink(missing_ok=True)
            code = prefix.start([BENCH, windows_path(path), str(args.rounds)], cwd=WORK,
                                log=log_path).wait(1800)
            log = log_path.read_text(errors="replace")
            print(log.strip().splitlines()[-1] if log.strip() else f"editor_bench failed ({code})", flush=True)
            match = re.search(r"load [0-9.]+ s \(([0-9.]+) s/MiB\)", log)
            if match:
                per_mib[mib] = float(match.group(1))
            print(f"{mib} MiB: notepad.exe {notepad_seconds(xserver, prefix, notepad, path):.3f} s", flush=True)
        if len(per_mib) == 2:
            print(f"load s/MiB 20 MiB / 2 MiB: {per_mib[20] / per_mib[2]:.2f}")
    finally:
        if prefix is not None:
            prefix.kill()
        xserver.stop()


if __name__ == "__main__":
    main()
