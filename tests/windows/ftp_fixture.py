"""The FTP server of the Windows tests: ctest starts it before them and stops it after, by its
PID. It is the end-to-end tier's server (pyftpdlib on 127.0.0.1 at a port it picks itself).

    ftp_fixture.py start FOLDER   # FOLDER/home is the server's root; FOLDER/port and FOLDER/pid
    ftp_fixture.py stop FOLDER
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


def start(folder):
    # A pid file left by an interrupted run is not trusted: its number may name another process.
    shutil.rmtree(folder, ignore_errors=True)
    (folder / "home").mkdir(parents=True)
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
