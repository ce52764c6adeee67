#!/usr/bin/python3
"""Start-up time under Wine: norvane.exe to its first painted main window against Wine's own
notepad.exe to its painted window, started alternately in one prefix and one Xvfb with a warm
wineserver. Prints each run, the medians and the ratio.

    bench/startup_bench.py [--runs 5] [--exe build/windows-x64/norvane.exe] [--compare OTHER.exe]

--compare times a second build (an earlier one, say) in the same run, alternating with the
others, so a change is judged under the same load.

NORVANE_EXE overrides the default program path, as in the end-to-end tests."""

import argparse
import os
import signal
import statistics
import subprocess
import sys
import time
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[1] / "tests" / "e2e"))

from norvane_e2e import REPO, WinePrefix, XServer  # noqa: E402
from norvane_e2e.xserver import SCREEN  # noqa: E402
from norvane_e2e.settings import SELECTED_BACKGROUND  # noqa: E402

WORK = REPO / "build" / "e2e" / "bench"
DEADLINE = 60
CAPTION_AND_MENU = 40  # Wine's caption and a menu bar: below them the program draws


def norvane_painted(shot, rect):
    # The active panel's title and cursor row are drawn in the selection colour.
    return shot.count(SELECTED_BACKGROUND, rect) >= 50


def notepad_painted(shot, rect):
    # The edit control fills the client area with white: the middle half of the middle row.
    left, top, right, bottom = rect
    width = right - left
    row = shot.row((top + bottom) // 2, left + width // 4, left + 3 * width // 4)
    return len(row) > 0 and row == b"\xff" * len(row)


def time_start(xserver, prefix, program, cwd, painted, log):
    """Seconds from starting program to its window being viewable and painted."""
    began = time.perf_counter()
    process = prefix.start([program], cwd=cwd, log=log)
    try:
        xid = None
        while time.perf_counter() - began < DEADLINE:
            if process.poll() is not None:
                raise RuntimeError(f"{program} ended ({process.returncode}) without a window")
            if xid is None:
                for candidate in xserver.search("--onlyvisible", "--pid", str(process.pid)):
                    if xserver.name(candidate) != "Default IME":
                        xid = candidate
                        break
            if xid is not None:
                info = xserver.info(xid)
                if info and info[0]:
                    x, y, right, bottom = info[1]
                    rect = (max(x, 0), max(y + CAPTION_AND_MENU, 0), min(right, SCREEN[0]),
                            min(bottom, SCREEN[1]))
                    if rect[2] > rect[0] and rect[3] > rect[1] and \
                            painted(xserver.screenshot(), rect):
                        return time.perf_counter() - began
            time.sleep(0.005)
        raise RuntimeError(f"{program} showed no painted window within {DEADLINE} s")
    finally:
        if process.poll() is None:
            os.kill(process.pid, signal.SIGKILL)
        process.wait(10)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--runs", type=int, default=5)
    parser.add_argument("--exe", default=os.environ.get(
        "NORVANE_EXE", str(REPO / "build" / "windows-x64" / "norvane.exe")))
    parser.add_argument("--compare", help="a second norvane.exe timed in the same run")
    args = parser.parse_args()
    norvane = Path(args.exe).resolve()
    if not norvane.is_file():
        sys.exit(f"{norvane} does not exist; build it first")
    other = Path(args.compare).resolve() if args.compare else None
    if other is not None and not other.is_file():
        sys.exit(f"{other} does not exist")

    xserver = XServer(WORK)
    prefix = None
    try:
        prefix = WinePrefix.fresh(WORK / "prefix", xserver)
        notepad = prefix.path / "drive_c" / "windows" / "system32" / "notepad.exe"
        folder = WORK / "folder"
        folder.mkdir(parents=True, exist_ok=True)
        for n in range(20):
            (folder / f"file{n:02}.txt").write_text("text\n" * n)
        # A persistent wineserver: every start finds the same warm server, as on a desktop
        # where Wine already runs.
        subprocess.run(["wineserver", "-p"], env=prefix.env(), stdin=subprocess.DEVNULL,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=30)

        programs = [("norvane.exe", norvane, norvane_painted),
                    ("notepad.exe", notepad, notepad_painted)]
        if other is not None:
            programs.append(("compared", other, norvane_painted))
        for name, program, painted in programs:  # warm-up, not counted
            time_start(xserver, prefix, program, folder, painted, WORK / f"{name}.log")
        times = {name: [] for name, _, _ in programs}
        for run in range(args.runs):
            for name, program, painted in programs:
                seconds = time_start(xserver, prefix, program, folder, painted,
                                     WORK / f"{name}.log")
                times[name].append(seconds)
                print(f"run {run + 1}  {name:12} {seconds * 1000:7.0f} ms", flush=True)

        medians = {name: statistics.median(values) for name, values in times.items()}
        for name, median in medians.items():
            print(f"median {name:12} {median * 1000:7.0f} ms")
        print(f"ratio norvane.exe / notepad.exe: {medians['norvane.exe'] / medians['notepad.exe']:.2f}")
        if other is not None:
            print(f"ratio compared / notepad.exe: {medians['compared'] / medians['notepad.exe']:.2f}")
    finally:
        if prefix is not None:
            prefix.kill()
        xserver.stop()


if __name__ == "__main__":
    main()
