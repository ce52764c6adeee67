"""A real FTP server on 127.0.0.1 for the FTP tests: Debian's pyftpdlib in a process of its own,
with a user who has a password and an anonymous user, both at home in a folder the test fills.
Started on a free port the server picks itself, stopped by its PID, restartable on that port.

Run as a program it is the server: python3 ftp_server.py HOME USER PASSWORD PORT RATE PORTFILE
[ENCODING] writes the port it listens on to PORTFILE. RATE (bytes a second, 0 for none) slows
every data transfer down evenly (a sleep after each sixteenth of a second's worth), for the tests
that stop the server in the middle of one and the slow link of the bench. ENCODING is
what names are on the wire (UTF-8 by default): Wine's WinINet sends and reads them in the ANSI
code page, so a server that speaks that code page keeps names beyond ASCII intact. A client's
"SITE DROP" closes every other client's connection. The user "active" (the same password and home)
is refused PASV and EPSV. The user "slow" gets pyftpdlib's own throttled data handler at 1 MiB/s,
which sends a second's worth at full speed and then sleeps: a link that is fast and slow by
turns. The user "full" has every upload answered "552" once it is complete, with only the first
half of it kept, as a server whose disk filled up does. A folder named "slow listing N" has its
listings sent only after N seconds, as a busy server sends them; every other command answers at
once meanwhile (pyftpdlib runs one loop for all clients)."""

import os
import signal
import subprocess
import sys
from pathlib import Path

START_TIMEOUT = 20
ACTIVE_USER = "active"  # refused passive mode: what it transfers went over PORT
SLOW_USER = "slow"  # fast and slow by turns
FULL_USER = "full"  # every upload refused with 552 at its end
SLOW_RATE = 1024 * 1024
SLOW_LISTING = "slow listing"  # + " N": the folder's listings wait N seconds


class FtpServer:
    user, password = "norvane", "s3cret"

    def __init__(self, home, logdir, rate=0, encoding="utf8"):
        self.home, self.logdir, self.rate, self.encoding = Path(home), Path(logdir), rate, encoding
        self.home.mkdir(parents=True, exist_ok=True)
        self.logdir.mkdir(parents=True, exist_ok=True)
        self.port = 0
        self.process = None
        self.starts = 0

    def start(self):
        from .xserver import poll
        self.starts += 1
        log = self.logdir / f"ftp-server{self.starts}.log"
        port_file = self.logdir / f"ftp-port{self.starts}"
        port_file.unlink(missing_ok=True)
        with open(log, "wb") as out:
            self.process = subprocess.Popen(
                ["/usr/bin/python3", __file__, str(self.home), self.user, self.password,
                 str(self.port), str(self.rate), str(port_file), self.encoding],
                stdin=subprocess.DEVNULL, stdout=out, stderr=subprocess.STDOUT)

        def listening():
            if self.process.poll() is not None:
                raise AssertionError(f"the FTP server ended: {log.read_text(errors='replace')}")
            text = port_file.read_text() if port_file.exists() else ""
            return int(text) if text.strip() else None
        self.port = poll(listening, START_TIMEOUT, "the FTP server to listen", interval=0.1)
        return self

    def stop(self):
        if self.process is not None and self.process.poll() is None:
            os.kill(self.process.pid, signal.SIGKILL)
            self.process.wait(10)
        self.process = None

    def restart(self):
        self.stop()
        return self.start()

    @property
    def address(self):
        return f"127.0.0.1:{self.port}"


def serve(home, user, password, port, rate, port_file, encoding):
    import asynchat
    import logging

    from pyftpdlib.authorizers import DummyAuthorizer
    from pyftpdlib.filesystems import AbstractedFS
    from pyftpdlib.handlers import DTPHandler, FTPHandler, ThrottledDTPHandler
    from pyftpdlib.ioloop import timer
    from pyftpdlib.servers import FTPServer as Server

    logging.basicConfig(level=logging.WARNING)
    authorizer = DummyAuthorizer()
    authorizer.add_user(user, password, home, perm="elradfmwMT")
    authorizer.add_anonymous(home, perm="elradfmw")
    # The same home for a user whose data connections must be active ones (PORT).
    authorizer.add_user(ACTIVE_USER, password, home, perm="elradfmwMT")
    authorizer.add_user(SLOW_USER, password, home, perm="elradfmwMT")
    authorizer.add_user(FULL_USER, password, home, perm="elradfmwMT")

    def recode(lines):
        for line in lines:
            yield line.decode("utf8").encode(encoding, "replace")

    class Filesystem(AbstractedFS):
        def format_list(self, *args, **kwargs):
            return recode(super().format_list(*args, **kwargs))

        def format_mlsx(self, *args, **kwargs):
            return recode(super().format_mlsx(*args, **kwargs))

    class Handler(FTPHandler):
        # "SITE DROP" drops every other client, as a server that lost its connections does.
        proto_cmds = dict(FTPHandler.proto_cmds, **{"SITE DROP": dict(
            perm=None, auth=True, arg=False, help="Syntax: SITE DROP (drops the other clients).")})

        def ftp_PASV(self, line):
            if self.username == ACTIVE_USER:
                return self.respond("502 Active mode only for this user.")
            return super().ftp_PASV(line)

        def ftp_EPSV(self, line):
            if self.username == ACTIVE_USER:
                return self.respond("502 Active mode only for this user.")
            return super().ftp_EPSV(line)

        def on_login(self, username):
            if username == SLOW_USER:
                self.dtp_handler = Bursty
            elif username == FULL_USER:
                self.dtp_handler = full_disk(self.dtp_handler)

        def ftp_LIST(self, path):
            return self.list_later(FTPHandler.ftp_LIST, path)

        def ftp_MLSD(self, path):
            return self.list_later(FTPHandler.ftp_MLSD, path)

        def list_later(self, command, path):
            name = os.path.basename(os.path.normpath(path))
            if not name.startswith(SLOW_LISTING + " "):
                return command(self, path)
            seconds = float(name[len(SLOW_LISTING) + 1:])

            def answer():
                if not self._closed:
                    command(self, path)
            self.ioloop.call_later(seconds, answer, _errback=self.handle_error)

        def ftp_SITE_DROP(self, line):
            others = [handler for handler in list(self.ioloop.socket_map.values())
                      if isinstance(handler, FTPHandler) and handler is not self]
            for handler in others:
                handler.close()
            self.respond(f"200 Dropped {len(others)}.")

    class Bursty(ThrottledDTPHandler):
        read_limit = SLOW_RATE
        write_limit = SLOW_RATE

    class Even(ThrottledDTPHandler):
        read_limit = rate
        write_limit = rate

        # The stock handler sends a second's worth at once and sleeps after it; this one sleeps
        # after every sixteenth, so that the rate holds within a fraction of a second too.
        def _throttle_bandwidth(self, len_chunk, max_speed):
            self._datacount += len_chunk
            if self._datacount < max_speed / 16:
                return
            now = timer()
            self._timenext = max(self._timenext, now - 0.25) + self._datacount / max_speed
            self._datacount = 0
            if self._timenext <= now:
                return

            def unsleep():
                self.add_channel(events=self.ioloop.READ if self.receive else self.ioloop.WRITE)
            self.del_channel()
            self._cancel_throttler()
            self._throttler = self.ioloop.call_later(self._timenext - now, unsleep, _errback=self.handle_error)

    def full_disk(base):
        class FullDisk(base):
            def handle_close(self):
                if self._closed or not self.receive or self.file_obj is None:
                    return super().handle_close()
                name = self.file_obj.name
                self.transfer_finished = True
                self._resp = ("552 Requested file action aborted. Exceeded storage allocation.", logging.debug)
                self.close()
                os.truncate(name, os.path.getsize(name) // 2)
        return FullDisk

    if encoding != "utf8":
        class Recoding(Handler):
            abstracted_fs = Filesystem

            def decode(self, data):
                return data.decode(encoding, self.unicode_errors)

            def push(self, text):
                asynchat.async_chat.push(self, text.encode(encoding, "replace"))
        Handler = Recoding
    Handler.authorizer = authorizer
    Handler.passive_ports = None
    Handler.dtp_handler = Even if rate else DTPHandler
    server = Server(("127.0.0.1", port), Handler)
    server.max_cons = 64
    # Written whole at once: the test reads the file while it appears.
    temporary = port_file + ".tmp"
    with open(temporary, "w") as out:
        out.write(str(server.address[1]))
    os.replace(temporary, port_file)
    server.serve_forever()


if __name__ == "__main__":
    home, user, password, port, rate, port_file = sys.argv[1:7]
    serve(home, user, password, int(port), int(rate), port_file,
          sys.argv[7] if len(sys.argv) > 7 else "utf8")
