"""Drives the real norvane.exe under Wine in Xvfb with real key and mouse events.

xserver  - one Xvfb per session, the X tools (xdotool, xwininfo) and screen pixels
wine     - Wine prefixes, programs started with their output in files, the winspy helper
app      - a started Norvane: its main window, panels, message boxes, keys and screenshots
settings - a complete saved configuration, for tests that start from one
headless - start, wait for the first painted window, screenshot, end (scripts/run)
"""

from .xserver import XServer, Screenshot, Timeout, poll, poll_value
from .wine import REPO, Spy, WinePrefix, windows_path
from .app import MessageBox, Norvane, Window

__all__ = ["XServer", "Screenshot", "Timeout", "poll", "poll_value", "REPO", "Spy",
           "WinePrefix", "windows_path", "MessageBox", "Norvane", "Window"]
