"""The FTP server of the Windows tests: ctest starts it before them and stops it after, by its
PID. It is the end-to-end tier's server (pyftpdlib on 127.0.0.1 at a port it picks itself).

    ftp_fixture.py start FOLDER   # FOLDER/home is the server's root; FOLDER/port and FOLDER/pid
    ftp_fixture.py stop FOLDER

FOLDER/full is a full disk to download onto: a 256 KiB tmpfs, when this runs as root (then
FOLDER/full-mounted exists).
"""

import os
import shutil
import signal
import subprocess
import sys
import time
from pathlib import Path

SERVER = Path(__file__).resolve().parent.parent / "e2e" / "norvane_e2e" / "ftp_server.py"
USER, PASSWORD = "norvane", "s3cret"
START_TIMEOUT = 20


def unmount_full_disk(folder):
    if (folder / "full-mounted").exists():
        subprocess.run(["umount", str(folder / "full")], check=False, stdin=subprocess.DEVNULL)
        (folder / "full-mounted").unlink()


def start(folder):
    # A pid file left by an interrupted run is not trusted: its number may name another process.
    unmount_full_disk(folder)
    shutil.rmtree(folder, ignore_errors=True)
    (folder / "home").mkdir(parents=True)
    (folder / "full").mkdir()
    if os.geteuid() == 0 and subprocess.run(
            ["mount", "-t", "tmpfs", "-o", "size=256k", "tmpfs", str(folder / "full")],
            stdin=subprocess.DEVNULL, capture_output=True).returncode == 0:
        (folder / "full-mounted").touch()
    port_file = folder / "port"
    with open(folder / "server.log", "wb") as log:
        process = subprocess.Popen(
            ["/usr/bin/python3", str(SERVER), str(folder / "home"), USER, PASSWORD, "0", "0", str(port_file)],
            stdin=subprocess.DEVNULL, stdout=log, stderr=subprocess.STDOUT, start_new_session=True)
    (folder / "pid").write_text(str(process.pid))
    deadline = time.monotonic() + START_TIMEOUT
    while time.monotonic() < deadline:
        if process.poll() is not None:
            sys.exit(f"the FTP server ended: {(folder / 'server.log').read_text(errors='replace')}")
        if port_file.exists() and port_file.read_text().strip():
            print(f"FTP server {process.pid} on 127.0.0.1:{port_file.read_text().strip()}")
            return
        time.sleep(0.1)
    stop(folder)
    sys.exit("the FTP server did not listen in time")


def stop(folder):
    unmount_full_disk(folder)
    pid_file = folder / "pid"
    if not pid_file.exists():
        return
    try:
        os.kill(int(pid_file.read_text()), signal.SIGKILL)
    except (ProcessLookupError, ValueError):
        pass
    pid_file.unlink()


if __name__ == "__main__":
    {"start": start, "stop": stop}[sys.argv[1]](Path(sys.argv[2]))
