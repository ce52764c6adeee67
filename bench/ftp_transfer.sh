#!/usr/bin/env bash
# A 256 MiB download and upload over loopback FTP under Wine: the program's transfer jobs
# against a bare WinINet loop and a bare Winsock loop, both with 1 MiB blocks
# (bench/windows/ftp_transfer_bench.cpp), and Python's ftplib, in the same run, one pyftpdlib
# server for all. Then a second server that limits itself to 1 MB/s: how soon Cancel gets its
# question and how long the progress stands still, downloading and uploading. Prints medians
# with the lowest and highest run, and the ratios; the program's block sizes go to stderr.
#   bench/ftp_transfer.sh [size in MiB] [runs]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
size_mib=${1:-256}
runs=${2:-3}
slow_rate=1000000
work=$(mktemp -d /tmp/norvane-bench-ftp.XXXXXX)
server_pids=()
cleanup() {
  local pid
  for pid in "${server_pids[@]}"; do kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT
mkdir -p "$work/home" "$work/slow-home" "$work/local"
head -c $((size_mib * 1024 * 1024)) /dev/urandom >"$work/home/big.bin"
head -c $((8 * 1024 * 1024)) /dev/urandom >"$work/slow-home/slow.bin"

[ -f "$root/build/windows-x64/build.ninja" ] || (cd "$root" && cmake --preset windows-x64 >/dev/null)
cmake --build "$root/build/windows-x64" --target ftp_transfer_bench >/dev/null
# Started here, not in a subshell, so that the exit trap knows their PIDs.
serve() {  # home rate portfile
  /usr/bin/python3 "$root/tests/e2e/norvane_e2e/ftp_server.py" "$1" bench bench 0 "$2" "$3" >>"$work/server.log" 2>&1 &
  server_pids+=($!)
}
serve "$work/home" 0 "$work/port"
serve "$work/slow-home" "$slow_rate" "$work/slow-port"
for _ in $(seq 100); do [ -s "$work/port" ] && [ -s "$work/slow-port" ] && break; sleep 0.1; done
port=$(cat "$work/port")
slow_port=$(cat "$work/slow-port")

ftplib=$(/usr/bin/python3 - "$port" "$work" "$runs" <<'PY'
import ftplib, statistics, sys, time
port, work, runs = int(sys.argv[1]), sys.argv[2], int(sys.argv[3])
down, up = [], []
for _ in range(runs):
    ftp = ftplib.FTP()
    ftp.connect("127.0.0.1", port)
    ftp.login("bench", "bench")
    start = time.perf_counter()
    with open(f"{work}/local/ftplib.bin", "wb") as out:
        ftp.retrbinary("RETR big.bin", out.write, blocksize=1 << 20)
    down.append(time.perf_counter() - start)
    start = time.perf_counter()
    with open(f"{work}/local/ftplib.bin", "rb") as source:
        ftp.storbinary("STOR up-ftplib.bin", source, blocksize=1 << 20)
    up.append(time.perf_counter() - start)
    ftp.quit()
print(f"{statistics.median(down):.3f} {min(down):.3f} {max(down):.3f} "
      f"{statistics.median(up):.3f} {min(up):.3f} {max(up):.3f}")
PY
)
winfolder="Z:$(echo "$work/local" | tr / '\\')"
wine_out=$("$root/scripts/wine-exec" "$root/build/windows-x64/ftp_transfer_bench.exe" 127.0.0.1 "$port" bench bench \
  big.bin "$winfolder" "$runs" "$slow_port" slow.bin)
echo "$wine_out"
cmp "$work/home/big.bin" "$work/local/norvane/big.bin"
cmp "$work/home/big.bin" "$work/home/up-norvane.bin"
# The slowed transfers were cancelled: nothing of them may be left on either side.
[ ! -e "$work/local/slow/slow.bin" ] && [ ! -e "$work/slow-home/up-slow.bin" ] &&
  [ -z "$(ls "$work/local/slow")" ] && [ "$(ls "$work/slow-home")" = slow.bin ] ||
  { echo "a cancelled transfer left a file behind" >&2; exit 1; }
/usr/bin/python3 - "$size_mib" "$ftplib" "$wine_out" <<'PY'
import sys
size, ftplib, wine = sys.argv[1], sys.argv[2].split(), sys.argv[3]
got = {line.split()[0]: list(map(float, line.split()[1:])) for line in wine.splitlines() if len(line.split()) == 4}
fd, fu = [float(x) for x in ftplib[:3]], [float(x) for x in ftplib[3:]]
def spread(v): return f"{v[0]:.3f} [{v[1]:.3f}-{v[2]:.3f}]"
print(f"{size} MiB; seconds: median [lowest-highest]")
for way, f in (("download", fd), ("upload", fu)):
    n, b, s = got[f"{way}_norvane_s"], got[f"{way}_bare_s"], got[f"{way}_winsock_s"]
    r = got[f"{way}_norvane_vs_bare_per_run"]
    print(f"{way:8}  Norvane {spread(n)}  bare WinINet 1 MiB {spread(b)}  bare Winsock 1 MiB {spread(s)}  "
          f"ftplib {spread(f)}")
    print(f"{'':8}  norvane_vs_bare_wininet {n[0] / b[0]:.2f} (per run {r[1]:.2f}-{r[2]:.2f}; target <= 1.15)  "
          f"norvane_vs_winsock {n[0] / s[0]:.2f}  norvane_vs_ftplib {n[0] / f[0]:.2f}  "
          f"bare_wininet_vs_winsock {b[0] / s[0]:.2f}")
for way in ("download", "upload"):
    c, p = got[f"slow_{way}_cancel_answered_ms"], got[f"slow_{way}_progress_still_ms"]
    print(f"1 MB/s {way}: Cancel answered in {c[0]:.0f} ms median, {c[2]:.0f} ms at most (target <= 300); "
          f"progress still for {p[2]:.0f} ms at most (target <= 500)")
PY
