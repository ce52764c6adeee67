#!/usr/bin/env bash
# Extracting and packing under Wine against 7-Zip's own console (win/x64/7z.exe of the same npm
# package, the same 7z.dll, the same Wine) in the same run: a tree of 10,000 small files and
# one file of 512 MiB (sizes can be given: bench/archive_extract_pack.sh [files] [MiB]). Both
# sides are timed from process start, best of three; prints the ratios.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build/windows-x64
files=${1:-10000}
mebibytes=${2:-512}
data=$build/bench-data/extract-pack-$files-$mebibytes
package=$(sed -n 's/^NORVANE_7ZIP_PACKAGE:[A-Z]*=//p' "$build/CMakeCache.txt")
seven_zip=$package/win/x64/7z.exe
bench=$build/archive_extract_pack_bench.exe
win() { local p; p=$(realpath -m "$1"); echo "Z:${p//\//\\}"; }

if [[ ! -f $data/small.7z ]]; then
  mkdir -p "$data/source/small"
  python3 - "$data/source/small" "$files" <<'PY'
import os, sys
folder, count = sys.argv[1], int(sys.argv[2])
for i in range(count):
    sub = os.path.join(folder, f"d{i // 500:03d}")
    os.makedirs(sub, exist_ok=True)
    with open(os.path.join(sub, f"f{i:05d}.txt"), "w") as out:
        out.write(f"file {i} " * (20 + i % 50))
PY
  # Half compressible text, half noise: neither side's time is only the coder's.
  python3 - "$data/source/big.bin" "$mebibytes" <<'PY'
import os, sys
half = int(sys.argv[2]) * 512 * 1024
line = b"a line of text for the large file\n"
with open(sys.argv[1], "wb") as out:
    out.write((line * (half // len(line) + 1))[:half])
    for _ in range(half // (1 << 20)):
        out.write(os.urandom(1 << 20))
PY
  (cd "$data/source" && 7zz a -bd -bso0 -t7z "$data/small.7z" small && 7zz a -bd -bso0 -t7z "$data/big.7z" big.bin)
fi

best_of_three() {  # seconds of the fastest of three runs of "$@", each after clean
  local best="" run start took
  for run in 1 2 3; do
    rm -rf "$data/out" "$data/packed.7z"
    start=$(date +%s%N)
    "$root/scripts/wine-exec" "$@" >/dev/null
    took=$(( $(date +%s%N) - start ))
    if [[ -z $best || $took -lt $best ]]; then best=$took; fi
  done
  awk -v ns="$best" 'BEGIN { printf "%.3f", ns / 1e9 }'
}

report() {  # label, ours, theirs; net: without each side's time for a one-file archive
  awk -v l="$1" -v a="$2" -v b="$3" -v a0="$ours_start" -v b0="$theirs_start" 'BEGIN {
    printf "%-22s norvane %7.3f s  7z.exe %7.3f s  ratio %.3f  net ratio %.3f\n", l, a, b, a / b,
      (a - a0) / (b - b0) }'
}

# Both archives hold the same files with the same coder, dictionary and solid blocks; 7z.exe
# adds records for the folders, which our packing leaves out.
same_packing() {
  local ours theirs
  ours=$(7zz l -slt "$1" | grep -E '^(Method|Solid|Blocks) = .' | sort | uniq -c)
  theirs=$(7zz l -slt "$2" | grep -E '^(Method|Solid|Blocks) = .' | sort | uniq -c)
  if [[ $ours != "$theirs" ]]; then
    printf 'the archives differ:\nours:\n%s\n7z.exe:\n%s\n' "$ours" "$theirs" >&2
    exit 1
  fi
}

"$root/scripts/wine-exec" "$seven_zip" >/dev/null  # a warm wineserver for every run
cp -f "$package/win/x64/7z.dll" "$build/7z.dll" 2>/dev/null || true
# Start-up and the end of each process, and on our side the first window of the process (the
# program has its main window long before any archive operation): one small file extracted.
if [[ ! -f $data/one.7z ]]; then
  printf 'one small file\n' >"$data/one.txt"
  (cd "$data" && 7zz a -bd -bso0 -t7z one.7z one.txt)
fi
ours_start=$(best_of_three "$bench" x "$(win "$data/one.7z")" "$(win "$data/out")" one.txt)
theirs_start=$(best_of_three "$seven_zip" x -y -bd "-o$(win "$data/out")" "$(win "$data/one.7z")")
echo "one small file: norvane $ours_start s  7z.exe $theirs_start s"
for set in small big; do
  name=$([[ $set == small ]] && echo small || echo big.bin)
  ours=$(best_of_three "$bench" x "$(win "$data/$set.7z")" "$(win "$data/out")" "$name")
  theirs=$(best_of_three "$seven_zip" x -y -bd "-o$(win "$data/out")" "$(win "$data/$set.7z")")
  report "extract $set" "$ours" "$theirs"
  ours=$(best_of_three "$bench" a "$(win "$data/source")" "$(win "$data/packed.7z")" "$name")
  mv "$data/packed.7z" "$data/packed-ours.7z"
  # The library's defaults on our side (LZMA2, level 5, solid) spelled out on theirs.
  theirs=$(best_of_three "$seven_zip" a -t7z -m0=LZMA2 -mx5 -ms=on -bd "$(win "$data/packed.7z")" \
    "$(win "$data/source/$name")")
  report "pack $set" "$ours" "$theirs"
  same_packing "$data/packed-ours.7z" "$data/packed.7z"
done
# How often the progress window redrew, and the share of the time it took: many small items,
# one large one.
rm -rf "$data/packed.7z" "$data/out"
"$root/scripts/wine-exec" "$bench" a "$(win "$data/source")" "$(win "$data/packed.7z")" small
"$root/scripts/wine-exec" "$bench" x "$(win "$data/big.7z")" "$(win "$data/out")" big.bin
