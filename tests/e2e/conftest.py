"""One Xvfb per session; per test a fresh Wine prefix and folders under build/e2e/<test>/, a
screenshot under build/e2e/failures/ when it fails, and only our own processes ended."""

import os
import re
import shutil
import sys
from pathlib import Path

import pytest

sys.path.insert(0, str(Path(__file__).resolve().parent))

from norvane_e2e import REPO, Norvane, Spy, WinePrefix, XServer, windows_path  # noqa: E402
from norvane_e2e.settings import KEY, configuration  # noqa: E402

# NORVANE_E2E_DIR lets a second session run beside this one without sharing test folders.
BUILD = Path(os.environ.get("NORVANE_E2E_DIR", REPO / "build" / "e2e")).resolve()


@pytest.hookimpl(hookwrapper=True, tryfirst=True)
def pytest_runtest_makereport(item, call):
    report = (yield).get_result()
    setattr(item, "report_" + report.when, report)


@pytest.fixture(scope="session")
def xserver():
    server = XServer(BUILD)
    yield server
    server.stop()


@pytest.fixture(scope="session")
def spy():
    return Spy(BUILD)


@pytest.fixture(scope="session")
def norvane_exe():
    exe = REPO / os.environ.get("NORVANE_EXE", "build/windows-x64/norvane.exe")
    if not exe.is_file():
        pytest.fail(f"{exe} does not exist: build it (scripts/test does) or set NORVANE_EXE")
    return exe.resolve()


class Rig:
    """What one test works with: its folder, its Wine prefix and the programs it starts."""

    def __init__(self, name, xserver, spy, exe):
        self.dir = BUILD / name
        if self.dir.exists():
            WinePrefix(self.dir / "prefix", xserver).kill()
            shutil.rmtree(self.dir)
        self.dir.mkdir(parents=True)
        self.x, self.spy, self.exe = xserver, spy, exe
        self.prefix = WinePrefix.fresh(self.dir / "prefix", xserver)
        self.apps = []

    def folder(self, name, files=(), folders=()):
        """A fresh folder with these files (name -> text, or names of small files) and empty
        subfolders."""
        path = self.dir / "files" / name
        path.mkdir(parents=True)
        items = files.items() if isinstance(files, dict) else ((f, f + "\n") for f in files)
        for file_name, text in items:
            (path / file_name).write_text(text)
        for folder_name in folders:
            (path / folder_name).mkdir()
        return path

    def save_configuration(self, left, right, **changes):
        """A saved configuration with the panels in these folders; before the first start."""
        self.prefix.add_user_values(KEY, configuration(windows_path(left), windows_path(right),
                                                       **changes))

    def registry(self, subkey=KEY):
        return self.spy.registry(self.prefix, subkey)

    def start(self, cwd, exe=None, wait=True):
        app = self._launch(cwd, exe)
        if wait:
            try:
                app.wait_main_window()
            except AssertionError:
                # Now and then the Wine loader itself gives up (exit code 1, nothing printed)
                # before the program runs; a program that ran and died says more than that.
                if (app.running() or app.process.returncode != 1 or
                        (app.log.exists() and app.log.read_text(errors="replace").strip())):
                    raise
                app = self._launch(cwd, exe)
                app.wait_main_window()
        return app

    def _launch(self, cwd, exe):
        app = Norvane(self.x, self.prefix, self.spy, exe or self.exe, cwd,
                      self.dir / f"run{len(self.apps) + 1}")
        self.apps.append(app)
        return app.start()

    def finish(self, failed):
        picture = BUILD / "failures" / f"{self.dir.name}.png"
        try:
            if failed:
                self.x.screenshot(picture)
            else:
                picture.unlink(missing_ok=True)
        finally:
            for app in self.apps:
                app.close()
            self.prefix.kill()


@pytest.fixture
def rig(request, xserver, spy, norvane_exe):
    rig = Rig(re.sub(r"[^A-Za-z0-9_.-]+", "_", request.node.name), xserver, spy, norvane_exe)
    yield rig
    report = getattr(request.node, "report_call", None)
    rig.finish(failed=report is None or report.failed)
