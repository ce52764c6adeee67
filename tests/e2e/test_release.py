"""The portable release zip as a user gets it: exactly its five files, and the program started
from wherever it was unpacked, finding its 7z.dll beside it."""

import os
import subprocess
import zipfile
from pathlib import Path

import pytest

from norvane_e2e import REPO, windows_path

ZIP = Path(os.environ.get("NORVANE_RELEASE_ZIP", REPO / "build" / "norvane-1.0.0-win-x64.zip"))
KEYS_TOOL = REPO / "build" / "host" / "norvane_keys_reference"
FILES = {"norvane.exe", "7z.dll", "7z-License.txt", "LICENSE.txt", "README.txt"}


@pytest.fixture(scope="module")
def release():
    if not ZIP.is_file():  # scripts/test makes it before this tier
        subprocess.run([str(REPO / "scripts" / "package")], check=True)
    return zipfile.ZipFile(ZIP)


def text(release, name):
    return release.read(name).decode("utf-8").replace("\r\n", "\n")


def test_the_zip_holds_the_program_its_library_licences_and_guide(release):
    assert sorted(release.namelist()) == sorted(FILES)
    assert release.testzip() is None
    assert release.read("norvane.exe")[:2] == b"MZ"
    assert release.read("7z.dll")[:2] == b"MZ"
    licence = text(release, "LICENSE.txt")
    assert licence.startswith("MIT License\n")
    assert "Copyright (c) 2026 The Norvane developers" in licence
    sevenzip = text(release, "7z-License.txt")
    assert "7-Zip" in sevenzip and "GNU LGPL" in sevenzip and len(sevenzip) > 1000

    guide = text(release, "README.txt")
    assert "\r\n" in release.read("README.txt").decode("utf-8"), "README.txt for Notepad"
    assert "@" not in guide, "a template placeholder left in README.txt"
    assert "norvane.exe" in guide and r"HKCU\Software\Norvane" in guide
    # The keys reference is the one the key tables give, whole.
    keys = subprocess.run([str(KEYS_TOOL)], check=True, capture_output=True, text=True).stdout
    assert keys.strip() in guide
    for line in ("  F10, ", "  Alt+Enter", "  F5 ", "  Shift+Del, Shift+F8 ", "  Ctrl+R "):
        assert line in guide, line


def test_the_unpacked_program_finds_its_library_and_quits_through_f10(rig, release, tmp_path):
    unpacked = tmp_path / "Norvane"
    unpacked.mkdir()
    assert not unpacked.resolve().is_relative_to(REPO / "build")
    release.extractall(unpacked)
    assert {p.name for p in unpacked.iterdir()} == FILES

    start = rig.folder("start", files=["one.txt"])
    app = rig.start(start, exe=unpacked / "norvane.exe")  # a library message fails this wait
    assert app.message_boxes() == []
    app.wait_title(windows_path(start))
    app.key("F10")
    box = app.message_box("Question")
    assert box.text == "Do You want to quit program?"
    box.answer("Return")
    assert app.wait_exit() == 0
