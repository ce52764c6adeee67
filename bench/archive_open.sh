#!/usr/bin/env bash
# Makes a 7z of 100,000 entries (paths of about 30 characters in 100 folders) with 7zz and
# runs archive_open_bench on it under Wine, then 7-Zip's own console on the same file.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build/windows-x64
data=$build/bench-data
archive=$data/entries-100000.7z
if [[ ! -f $archive ]]; then
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT
  (cd "$work" && python3 - <<'PY'
import os
for f in range(100):
    d = f"folder_{f:03d}_abcdef"
    os.makedirs(d)
    for i in range(1000):
        open(os.path.join(d, f"item_{i:05d}.txt"), "w").close()
PY
  )
  mkdir -p "$data"
  (cd "$work" && 7zz a -bd -bso0 -t7z "$archive" folder_*)
fi
windows_archive="Z:${archive//\//\\}"
"$root/scripts/wine-exec" "$build/archive_open_bench.exe" "$windows_archive"

# 7-Zip's own console listing the same file, in seconds; its process start under Wine is
# included, so the console alone (printing its help) is timed too.
package=$(sed -n 's/^NORVANE_7ZIP_PACKAGE:[A-Z]*=//p' "$build/CMakeCache.txt")
seven_zip=$package/win/x64/7z.exe
median_seconds() {
  local times=() run start
  "$root/scripts/wine-exec" "$seven_zip" "$@" >/dev/null  # a warm wineserver for every run
  for run in 1 2 3 4 5; do
    start=$(date +%s%N)
    "$root/scripts/wine-exec" "$seven_zip" "$@" >/dev/null
    times+=($(( $(date +%s%N) - start )))
  done
  printf '%s\n' "${times[@]}" | sort -n | sed -n 3p | awk '{ printf "%.3f", $1 / 1e9 }'
}
echo "7z.exe l    median $(median_seconds l "$windows_archive") s (7z.exe alone $(median_seconds) s)"

# Entering a 1 GiB .tar.gz (one file of zeros, gzip level 1) on the panel's worker against
# entering it on the window's thread: the window's answer times during the open.
big=$data/zeros-1gib.tar.gz
if [[ ! -f $big ]]; then
  python3 - "$big" <<'PY'
import gzip, io, sys, tarfile
class Zeros(io.RawIOBase):
    def __init__(self, size): self.left = size
    def readable(self): return True
    def readinto(self, buffer):
        n = min(len(buffer), self.left)
        buffer[:n] = bytes(n)
        self.left -= n
        return n
with gzip.open(sys.argv[1], "wb", compresslevel=1) as packed, tarfile.open(fileobj=packed, mode="w") as tar:
    zeros = tarfile.TarInfo("zeros.bin")
    zeros.size = 1 << 30
    tar.addfile(zeros, io.BufferedReader(Zeros(zeros.size), 1 << 20))
PY
fi
"$root/scripts/wine-exec" "$build/archive_read_bench.exe" "Z:${data//\//\\}" "$(basename "$big")" 3
