#!/usr/bin/env bash
# Find files under Wine: a name-only search over 100,000 files against a bare FindFirstFileW walk,
# and a content search over 20,000 files of 500 MiB against reading them with ReadFile in 64 KiB
# blocks. The content tree is the host benchmark's (build/host/norvane_bench
# --benchmark_filter=FindContent makes it); this script makes it too when it is missing.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
names=${1:-/tmp/norvane-find-names}
content=${2:-${TMPDIR:-/tmp}/norvane-find-bench}
for tree in "$names" "$content"; do
  [ -f "$tree/.complete" ] && continue
  /usr/bin/python3 - "$tree" "$names" <<'PY'
import os, sys
tree, names = sys.argv[1], sys.argv[2]
if tree == names:  # 100 folders of 1,000 empty files
    for f in range(100):
        folder = os.path.join(tree, f"folder{f}")
        os.makedirs(folder, exist_ok=True)
        for i in range(1000):
            open(os.path.join(folder, f"file{i}.txt"), "wb").close()
else:  # 100 folders of 200 files of 26,214 bytes
    text, i = "", 0
    while len(text) < 26214:
        text += f"The quick brown fox jumps over the lazy dog, line {i}\n"
        i += 1
    data = text[:26214].encode()
    for f in range(100):
        folder = os.path.join(tree, f"folder{f}")
        os.makedirs(folder, exist_ok=True)
        for i in range(200):
            with open(os.path.join(folder, f"file{i}.txt"), "wb") as out:
                out.write(data)
open(os.path.join(tree, ".complete"), "wb").close()
PY
done
"$root/scripts/build" windows-x64 >/dev/null
winpath() { echo "Z:$(echo "$1" | tr / '\\')\\"; }
"$root/scripts/wine-exec" "$root/build/windows-x64/find_bench.exe" "$(winpath "$names")" "$(winpath "$content")" 3
