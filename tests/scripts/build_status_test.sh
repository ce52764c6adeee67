#!/usr/bin/env bash
# scripts/build must fail when the compiler does, whatever its output filter does. A stand-in
# cmake on PATH fails the build step; the script runs from a scratch copy of the tree's scripts.
set -u
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$scratch/tree/scripts" "$scratch/bin"
cp "$source_dir/scripts/build" "$scratch/tree/scripts/build"
cat >"$scratch/bin/cmake" <<'FAKE'
#!/usr/bin/env bash
if [ "$1" = --preset ]; then mkdir -p "build/$2" && touch "build/$2/build.ninja"; exit 0; fi
echo "[1/2] Building CXX object broken.cpp.obj"
echo "broken.cpp:1:1: error: deliberate"
exit "${FAKE_BUILD_STATUS:-1}"
FAKE
chmod +x "$scratch/bin/cmake"
mkdir -p "$scratch/tree/build"

status=0
out=$(cd "$scratch/tree" && PATH="$scratch/bin:$PATH" scripts/build fake 2>&1) || status=$?
if [ "$status" -eq 0 ]; then
  echo "a failed build step ended scripts/build with status 0:"; echo "$out"; exit 1
fi
grep -q 'error: deliberate' <<<"$out" || { echo "the compiler's error was not shown:"; echo "$out"; exit 1; }
grep -q '^\[1/2\]' <<<"$out" && { echo "progress lines were not filtered:"; echo "$out"; exit 1; }

status=0
out=$(cd "$scratch/tree" && FAKE_BUILD_STATUS=0 PATH="$scratch/bin:$PATH" scripts/build fake 2>&1) || status=$?
[ "$status" -eq 0 ] || { echo "a good build step failed scripts/build:"; echo "$out"; exit 1; }
echo "scripts/build keeps the build's exit status"
