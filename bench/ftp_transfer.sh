#!/usr/bin/env bash
# A 256 MiB download and upload over loopback FTP under Wine: the program's transfer jobs and a
# bare WinINet loop (bench/windows/ftp_transfer_bench.cpp) against Python's ftplib doing the
# same transfers in the same run, one pyftpdlib server for all. Prints medians and ratios, the
# bare loop with 1 MiB blocks (under Wine each library call has a cost of its own) and without
# local writes (Wine's WinINet writes a cache copy of every download, a write of the same size)
# and leaving those copies behind, a Winsock loop without the library, and which flags keep the
# library from making that copy.
#   bench/ftp_transfer.sh [size in MiB] [runs]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
size_mib=${1:-256}
runs=${2:-3}
work=$(mktemp -d /tmp/norvane-bench-ftp.XXXXXX)
server_pid=
cleanup() {
  if [ -n "$server_pid" ]; then kill "$server_pid" 2>/dev/null; wait "$server_pid" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT
mkdir -p "$work/home" "$work/local"
head -c $((size_mib * 1024 * 1024)) /dev/urandom >"$work/home/big.bin"

[ -f "$root/build/windows-x64/build.ninja" ] || (cd "$root" && cmake --preset windows-x64 >/dev/null)
cmake --build "$root/build/windows-x64" --target ftp_transfer_bench >/dev/null
/usr/bin/python3 "$root/tests/e2e/norvane_e2e/ftp_server.py" "$work/home" bench bench 0 0 "$work/port" \
  >"$work/server.log" 2>&1 &
server_pid=$!
for _ in $(seq 100); do [ -s "$work/port" ] && break; sleep 0.1; done
port=$(cat "$work/port")

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
        ftp.retrbinary("RETR big.bin", out.write, blocksize=65536)
    down.append(time.perf_counter() - start)
    start = time.perf_counter()
    with open(f"{work}/local/ftplib.bin", "rb") as source:
        ftp.storbinary("STOR up-ftplib.bin", source, blocksize=65536)
    up.append(time.perf_counter() - start)
    ftp.quit()
print(f"{statistics.median(down):.3f} {statistics.median(up):.3f}")
PY
)
read -r ftplib_down ftplib_up <<<"$ftplib"
winfolder="Z:$(echo "$work/local" | tr / '\\')"
wine_out=$("$root/scripts/wine-exec" "$root/build/windows-x64/ftp_transfer_bench.exe" 127.0.0.1 "$port" bench bench \
  big.bin "$winfolder" "$runs")
echo "$wine_out"
cmp "$work/home/big.bin" "$work/local/norvane/big.bin"
cmp "$work/home/big.bin" "$work/home/up-norvane.bin"
get() { echo "$wine_out" | awk -v k="$1" '$1 == k { print $2 }'; }
/usr/bin/python3 - "$size_mib" "$ftplib_down" "$ftplib_up" "$(get download_bare_s)" "$(get download_norvane_s)" \
  "$(get upload_bare_s)" "$(get upload_norvane_s)" "$(get download_bare_1mib_s)" "$(get upload_bare_1mib_s)" \
  "$(get download_bare_no_local_writes_s)" "$(get download_bare_copies_left_s)" "$(get download_winsock_s)" <<'PY'
import sys
size, fd, fu, bd, nd, bu, nu, ld, lu, dd, kd, sd = sys.argv[1], *map(float, sys.argv[2:])
print(f"{size} MiB, medians in seconds")
print(f"download: ftplib {fd:.3f}  bare WinINet {bd:.3f}  Norvane {nd:.3f}  "
      f"ratio_vs_ftplib {nd / fd:.2f}  bare_vs_ftplib {bd / fd:.2f}  norvane_vs_bare {nd / bd:.2f}")
print(f"upload:   ftplib {fu:.3f}  bare WinINet {bu:.3f}  Norvane {nu:.3f}  "
      f"ratio_vs_ftplib {nu / fu:.2f}  bare_vs_ftplib {bu / fu:.2f}  norvane_vs_bare {nu / bu:.2f}")
print(f"bare WinINet with 1 MiB blocks: download {ld:.3f} ({ld / fd:.2f} x ftplib)  "
      f"upload {lu:.3f} ({lu / fu:.2f} x ftplib)")
print(f"bare WinINet download without local writes: {dd:.3f} ({dd / fd:.2f} x ftplib); "
      f"the local writes {bd - dd:.3f}, about what the library's cache copy costs again")
print(f"bare WinINet download leaving its cache copies, as the program did: {kd:.3f} ({kd / fd:.2f} x ftplib, "
      f"{kd / bd:.2f} x removing each)")
print(f"Winsock alone, 64 KiB blocks: download {sd:.3f} ({sd / fd:.2f} x ftplib); "
      f"bare WinINet is {bd / sd:.2f} x that, {max(bd - sd, 0) / bd:.0%} of its time over Wine's sockets")
PY
