#!/usr/bin/env bash
# A panel's read of 200,000 files on a worker against today's synchronous listing under Wine:
# the window's longest answer, the time to the complete list and the memory of a re-read.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
folder=${1:-/tmp/norvane-bench-200k}
if [ ! -f "$folder/.complete" ]; then
  mkdir -p "$folder"
  /usr/bin/python3 - "$folder" <<'PY'
import os, sys
folder = sys.argv[1]
for i in range(200000):
    os.close(os.open(os.path.join(folder, f"file{i:06d}.dat"), os.O_CREAT | os.O_WRONLY, 0o644))
open(os.path.join(folder, ".complete"), "wb").close()
PY
fi
"$root/scripts/build" windows-x64 >/dev/null
winpath="Z:$(echo "$folder" | tr / '\\')"
"$root/scripts/wine-exec" "$root/build/windows-x64/background_read_bench.exe" "$winpath" "${2:-3}"
