"""Entering a 1 GiB .tar.gz off the window's thread, as a user meets it: the window keeps
answering while its inner tar is unpacked, the panel's title says "Reading…", Escape leaves the
panel on its folder with the archive under the cursor and nothing in the private folder, and
entering again without Escape arrives with the archive's contents. One start of the program."""

import gzip
import io
import shutil
import subprocess
import tarfile
import time

from norvane_e2e import AnswerProbe, poll, windows_path
from norvane_e2e.app import MessageBox
from norvane_e2e.xserver import Timeout

GIB = 1 << 30
PLACEHOLDER = "norvane-e2e: nothing copied yet"


class Zeros(io.RawIOBase):
    """size bytes of zeros, read in pieces: the archive is made without 1 GiB in memory."""

    def __init__(self, size):
        self.left = size

    def readable(self):
        return True

    def readinto(self, buffer):
        n = min(len(buffer), self.left)
        buffer[:n] = bytes(n)
        self.left -= n
        return n


def make_big_archive(path):
    """small.txt and 1 GiB of zeros in a tar, gzipped at level 1 (about 1 MiB on disk)."""
    with gzip.open(path, "wb", compresslevel=1) as packed, tarfile.open(fileobj=packed, mode="w") as tar:
        text = b"small\n"
        small = tarfile.TarInfo("small.txt")
        small.size = len(text)
        tar.addfile(small, io.BytesIO(text))
        zeros = tarfile.TarInfo("zeros.bin")
        zeros.size = GIB
        tar.addfile(zeros, io.BufferedReader(Zeros(GIB), 1 << 20))


def user_temp(rig):
    """The prefix's temporary folder, the parent of the program's private one."""
    user = next(p for p in (rig.prefix.path / "drive_c" / "users").iterdir() if p.name != "Public")
    temp = user / "Temp"
    temp.mkdir(parents=True, exist_ok=True)
    return temp


def clipboard(rig):
    read = subprocess.run(["xclip", "-o", "-selection", "clipboard", "-t", "UTF8_STRING"],
                          env=rig.x.env(), stdin=subprocess.DEVNULL, capture_output=True, timeout=10)
    return read.stdout.decode("utf-8", "replace").splitlines() if read.returncode == 0 else None


def copied(app, rig, keys, what, timeout=15):
    """The clipboard's lines once keys have put something there: a command the reading panel
    refuses leaves the placeholder."""
    subprocess.run(["xclip", "-i", "-selection", "clipboard"], input=PLACEHOLDER.encode(),
                   env=rig.x.env(), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                   check=True, timeout=10)
    poll(lambda: clipboard(rig) == [PLACEHOLDER], 10, "the placeholder on the clipboard")
    app.key(*keys)
    return poll(lambda: (lines := clipboard(rig)) not in (None, [PLACEHOLDER]) and (lines,), timeout,
                f"{what} on the clipboard", interval=0.2)[0]


def copied_once_read(app, rig, keys, what, timeout):
    """As copied, pressing keys again until the panel takes them: it refuses them while reading.
    The list may arrive between two of the keys (Ctrl+Ins taken, Ctrl+A not): an empty copy is
    no answer either."""
    def attempt():
        app.key(*keys)
        time.sleep(0.3)  # the copy of a taken key press is on the clipboard by then
        return (lines := clipboard(rig)) not in (None, [PLACEHOLDER], []) and (lines,)
    subprocess.run(["xclip", "-i", "-selection", "clipboard"], input=PLACEHOLDER.encode(),
                   env=rig.x.env(), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                   check=True, timeout=10)
    poll(lambda: clipboard(rig) == [PLACEHOLDER], 10, "the placeholder on the clipboard")
    return poll(attempt, timeout, f"{what} on the clipboard", interval=0.2)[0]


def explained(step, app, probe):
    """step's answer; when it times out, what the window showed and how long it last took to
    answer, so that a run that fails once says whether the window was blocked or covered."""
    try:
        return step()
    except Timeout as failure:
        windows = app.windows()
        boxes = [MessageBox(app, w, windows) for w in app.message_boxes(windows)]
        waits = probe()
        raise Timeout(f"{failure}; message boxes {boxes}; title {app.title()!r}; the window's longest answer "
                      f"{waits['max_ms']:.0f} ms, its last answers {waits['waits_ms'][-5:]}") from None


def title_picture(app, panel):
    left, top, right, _ = panel.client
    shot = app.screenshot()
    return b"".join(shot.row(y, left + 2, right - 2) for y in range(top, top + 14))


def files_in(folder):
    return sorted(str(p.relative_to(folder)) for p in folder.rglob("*") if p.is_file())


def percentile(values, share):
    ordered = sorted(values)
    return ordered[min(len(ordered) - 1, int(share * len(ordered)))]


def test_a_1_gib_tar_gz_is_entered_off_the_windows_thread(rig):
    started = time.monotonic()
    folder = rig.folder("archives", files=["a.txt", "b.txt", "z.txt"])
    big = folder / "big.tar.gz"
    assert shutil.disk_usage(folder).free > 4 * GIB, "room for the inner tar"
    try:
        make_big_archive(big)
        rig.save_configuration(folder, rig.folder("right"))
        app = rig.start(rig.folder("elsewhere"))
        app.wait_title(windows_path(folder))
        left, _ = app.panels()
        temp = user_temp(rig)
        private = poll(lambda: list(temp.glob("Norvane-*")), 30, "the program's private folder")[0]

        # a.txt selected, the cursor on the archive (the list starts with "..").
        names = copied(app, rig, ["ctrl+a", "ctrl+Insert", "ctrl+u"], "the folder's names")
        on_archive = ["Home"] + ["Down"] * (names.index("big.tar.gz") + 1)
        assert copied(app, rig, [*on_archive, "ctrl+Insert"], "the cursor item") == ["big.tar.gz"]
        app.key("Home", *["Down"] * (names.index("a.txt") + 1), "Insert", *on_archive)
        assert copied(app, rig, ["ctrl+Insert"], "the selection") == ["a.txt"]
        before = title_picture(app, left)

        probe = AnswerProbe(rig.dir).start(rig.prefix, app.main().hwnd, rig.dir / "probe")
        app.key("Return")
        # Slow: the title changes to the running read while the inner tar is unpacked.
        poll(lambda: title_picture(app, left) != before, 30, "the panel's title to show the read",
             interval=0.05)
        poll(lambda: any(p.suffix == ".tar" for p in private.rglob("*")), 10, "the inner tar being written",
             interval=0.05)
        app.key("Escape")
        escaped = time.monotonic()
        poll(lambda: not files_in(private), 10, "nothing left in the private folder", interval=0.05)
        print(f"\nthe private folder empty {1000 * (time.monotonic() - escaped):.0f} ms after the Escape key")
        assert app.title() == windows_path(folder)
        poll(lambda: title_picture(app, left) == before, 10, "the folder's own title back")
        assert explained(lambda: copied(app, rig, ["ctrl+Insert"], "the selection kept"), app, probe) == ["a.txt"]
        assert copied(app, rig, ["ctrl+u", "ctrl+Insert"], "the cursor kept") == ["big.tar.gz"]

        # Without Escape the archive arrives with its contents, the window answering meanwhile.
        app.key("Return")
        names = copied_once_read(app, rig, ["ctrl+a", "ctrl+Insert", "ctrl+u"], "the archive's names", 300)
        waits = probe()
        assert names == ["small.txt", "zeros.bin"]
        assert [p.name for p in private.rglob("*.tar")] == ["big.tar"]
        worst, p99 = waits["max_ms"], percentile(waits["waits_ms"], 0.99)
        print(f"\nwindow answers while entering 1 GiB: {waits['count']} probes, worst {worst:.0f} ms, "
              f"99th percentile {p99:.0f} ms")
        assert waits["count"] >= 10
        # The Returns, the swap and the key presses each take one longer answer on a loaded
        # machine; unpacking 1 GiB held the window for all of it before.
        assert percentile(waits["waits_ms"], 0.95) < 50, f"95th percentile of {sorted(waits['waits_ms'])}"
        assert worst < 1000, f"the window took {worst:.0f} ms to answer"

        app.key("BackSpace")
        poll(lambda: not files_in(private), 30, "the inner tar removed on leaving")
        assert copied(app, rig, ["ctrl+Insert"], "the cursor back on the archive") == ["big.tar.gz"]
    finally:
        big.unlink(missing_ok=True)
        print(f"test time {time.monotonic() - started:.1f} s")
