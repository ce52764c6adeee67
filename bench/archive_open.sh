#!/usr/bin/env bash
# Makes a 7z of 100,000 entries (paths of about 30 characters in 100 folders) with 7zz and
# runs archive_open_bench on it under Wine.
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
"$root/scripts/wine-exec" "$build/archive_open_bench.exe" "Z:${archive//\//\\}"
