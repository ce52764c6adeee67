#!/usr/bin/env bash
# Switching between two tabs on folders of 10,000 files each under Wine in Xvfb: the time to the
# painted list against a re-read of the same folder in the same run, and an inactive tab's
# memory.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
base=${1:-/tmp/norvane-bench-tabs}
for side in a b; do
  folder=$base/$side
  if [ ! -f "$folder/.complete" ]; then
    rm -rf "$folder"
    mkdir -p "$folder"
    (cd "$folder" && seq -w 1 10000 | sed "s/^/$side-file-/; s/$/.txt/" | xargs touch)
    : >"$folder/.complete"
  fi
done
"$root/scripts/build" windows-x64 >/dev/null
winpath() { echo "Z:$(echo "$1" | tr / '\\')"; }
xvfb-run -a -s "-screen 0 1280x1024x24" "$root/scripts/wine-exec" \
  "$root/build/windows-x64/tab_switch_bench.exe" "$(winpath "$base/a")" "$(winpath "$base/b")" 20
