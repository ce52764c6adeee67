#!/usr/bin/env bash
# The viewer on a 1 KiB file against a sparse 8 GiB one (open + first paint, End + paint,
# private memory), and Page Down through a 1 GiB text file, under Wine in Xvfb.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
data=$root/build/windows-x64/bench-data
mkdir -p "$data"
python3 - "$data" <<'PY'
import os, sys
data = sys.argv[1]
head = b"".join(b"head line %d\r\n" % i for i in range(100))
small = os.path.join(data, "viewer-1k.txt")
if not os.path.exists(small):
    with open(small, "wb") as f:
        f.write((head * 2)[:1024])
big = os.path.join(data, "viewer-8g.txt")
if not os.path.exists(big):
    tail = b"\r\nthe last line\r\n"
    with open(big, "wb") as f:
        f.truncate(8 << 30)
        f.write(head)
        f.seek((8 << 30) - len(tail))
        f.write(tail)
long_file = os.path.join(data, "viewer-1g.txt")
if not os.path.exists(long_file + ".complete"):
    line = 0
    with open(long_file, "wb") as f:
        while f.tell() < 1 << 30:
            f.write(b"".join(b"text line %010d of the long file\r\n" % (line + i) for i in range(100000)))
            line += 100000
    open(long_file + ".complete", "w").close()
PY
"$root/scripts/build" windows-x64 >/dev/null
winpath() { echo "Z:$(echo "$1" | tr / '\\')"; }
xvfb-run -a -s "-screen 0 1280x1024x24" "$root/scripts/wine-exec" "$root/build/windows-x64/viewer_bench.exe" \
  "$(winpath "$data/viewer-1k.txt")" "$(winpath "$data/viewer-8g.txt")" "$(winpath "$data/viewer-1g.txt")" "${1:-10000}"
