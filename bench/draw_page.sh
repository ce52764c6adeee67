#!/usr/bin/env bash
# Time to draw one page of a panel holding 100 items against one holding 100,000, under Wine
# in Xvfb. The large folder is the one bench/readfolder.sh makes.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
large=${1:-/tmp/norvane-bench-100k}
small=/tmp/norvane-bench-100
[ -f "$large/.complete" ] || "$root/bench/readfolder.sh" "$large" >/dev/null
if [ ! -d "$small" ]; then
  mkdir -p "$small"
  for i in $(seq -w 1 100); do : >"$small/Report$i.txt"; done
fi
"$root/scripts/build" windows-x64 >/dev/null
winpath() { echo "Z:$(echo "$1" | tr / '\\')"; }
xvfb-run -a -s "-screen 0 1280x1024x24" "$root/scripts/wine-exec" \
  "$root/build/windows-x64/draw_page_bench.exe" "$(winpath "$small")" "$(winpath "$large")" 40
