"""Drives the real norvane.exe under Wine in Xvfb with real key and mouse events."""

from .xserver import XServer, poll, poll_value  # noqa: F401
from .wine import REPO, AnswerProbe, DropSource, DropTarget, Spy, WinePrefix, windows_path  # noqa: F401
from .app import MessageBox, Norvane  # noqa: F401
