#!/usr/bin/env bash
# Under Wine: Compare folders by content over two folders of 10,000 equal files and 1 GiB each
# against reading both sides with ReadFile in 1 MiB blocks, and folder sizes over 100,000 files
# against a bare FindFirstFileW walk. The content folders are the host benchmark's
# (build/host/norvane_bench --benchmark_filter=CompareContent makes them); this script makes
# them too when they are missing, and find_wine.sh's 100,000-file tree for the sizes.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
trees=${1:-${TMPDIR:-/tmp}/norvane-compare-bench}
names=${2:-/tmp/norvane-find-names}
rounds=${3:-3}
if [ ! -f "$trees/.complete" ]; then
  /usr/bin/python3 - "$trees" <<'PY'
import os, sys
trees = sys.argv[1]
size = (1 << 30) // 10000
data = bytes(((i * 2654435761) >> 13) & 0xFF for i in range(size))
for side in ("left", "right"):
    os.makedirs(os.path.join(trees, side), exist_ok=True)
    for i in range(10000):
        with open(os.path.join(trees, side, f"file{i}.bin"), "wb") as out:
            out.write(data)
open(os.path.join(trees, ".complete"), "wb").close()
PY
fi
if [ ! -f "$names/.complete" ]; then
  /usr/bin/python3 - "$names" <<'PY'
import os, sys
tree = sys.argv[1]
for f in range(100):  # 100 folders of 1,000 empty files
    folder = os.path.join(tree, f"folder{f}")
    os.makedirs(folder, exist_ok=True)
    for i in range(1000):
        open(os.path.join(folder, f"file{i}.txt"), "wb").close()
open(os.path.join(tree, ".complete"), "wb").close()
PY
fi
"$root/scripts/build" windows-x64 >/dev/null
winpath() { echo "Z:$(echo "$1" | tr / '\\')\\"; }
"$root/scripts/wine-exec" "$root/build/windows-x64/compare_sizes_bench.exe" "$(winpath "$trees/left")" \
  "$(winpath "$trees/right")" "$(winpath "$names")" "$rounds"
