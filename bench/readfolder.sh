#!/usr/bin/env bash
# ReadFolder of a folder of 100,000 files under Wine against a bare listing loop.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
folder=${1:-/tmp/norvane-bench-100k}
if [ ! -f "$folder/.complete" ]; then
  mkdir -p "$folder"
  /usr/bin/python3 - "$folder" <<'PY'
import os, random, sys
folder = sys.argv[1]
random.seed(7)
stems = ["Report", "IMG_", "invoice-2026-", "Backup_of_", "readme", "Track ", "data"]
exts = ["txt", "JPG", "pdf", "mp3", "doc", "", "tar.gz"]
for i in range(100000):
    name = f"{random.choice(stems)}{i:06d}" + (("." + random.choice(exts)) if i % 7 else "")
    open(os.path.join(folder, name), "wb").close()
open(os.path.join(folder, ".complete"), "wb").close()
PY
fi
"$root/scripts/build" windows-x64 >/dev/null
winpath="Z:$(echo "$folder" | tr / '\\')"
"$root/scripts/wine-exec" "$root/build/windows-x64/readfolder_bench.exe" "$winpath" 5
