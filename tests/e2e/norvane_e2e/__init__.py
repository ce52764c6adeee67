"""Drives the real norvane.exe under Wine in Xvfb with real key and mouse events."""

from .xserver import XServer, Timeout, poll, poll_value
from .wine import REPO, Spy, WinePrefix, windows_path
from .app import MessageBox, Norvane
