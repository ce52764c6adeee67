#!/usr/bin/env bash
# An FTP folder of 2,000 names whose listing the server sends only after 5 s, read at once on
# the window's thread and on a worker in the same run: the window's longest answer meanwhile.
#   bench/ftp_read.sh [rounds]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d /tmp/norvane-bench-ftp-read.XXXXXX)
server=
cleanup() {
  [ -n "$server" ] && { kill "$server" 2>/dev/null; wait "$server" 2>/dev/null || true; }
  rm -rf "$work"
}
trap cleanup EXIT
folder="slow listing 5"
mkdir -p "$work/home/$folder"
(cd "$work/home/$folder" && seq -f "name%04g.txt" 2000 | xargs touch)
[ -f "$root/build/windows-x64/build.ninja" ] || (cd "$root" && cmake --preset windows-x64 >/dev/null)
cmake --build "$root/build/windows-x64" --target ftp_read_bench >/dev/null
/usr/bin/python3 "$root/tests/e2e/norvane_e2e/ftp_server.py" "$work/home" bench bench 0 0 "$work/port" \
  >"$work/server.log" 2>&1 &
server=$!
for _ in $(seq 100); do [ -s "$work/port" ] && break; sleep 0.1; done
"$root/scripts/wine-exec" "$root/build/windows-x64/ftp_read_bench.exe" "$(cat "$work/port")" "/$folder" "${1:-3}"
