#!/usr/bin/env bash
# Makes the archives the Windows tests open, with Debian's 7zz, into the folder given.
set -euo pipefail
out=$(mkdir -p "$1" && cd "$1" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
mkdir -p docs A a
echo "read me" > docs/readme.txt
echo x > A/x
echo y > a/y
for i in $(seq -w 0 199); do echo "$i" > "f$i.txt"; done
touch -d '2026-01-02 03:04:05 UTC' docs/readme.txt
files=(docs/readme.txt A/x a/y f*.txt)
rm -f "$out"/*
# Files named one by one: the archives hold no item for the folders themselves.
7zz a -bd -bso0 -t7z "$out/listing.7z" "${files[@]}"
7zz a -bd -bso0 -tzip "$out/listing.zip" "${files[@]}"
7zz a -bd -bso0 -t7z -psecret -mhe=on "$out/names-encrypted.7z" docs/readme.txt A/x
head -c 200 "$out/listing.7z" > "$out/truncated.7z"
{ printf 'PK\003\004'; head -c 4000 /dev/urandom; } > "$out/garbage.zip"
cp "$out/listing.zip" "$out/Report.DOCX"
genisoimage -quiet -J -R -graft-points -o "$out/image.iso" docs=docs A=A
tar -cf data.tar docs/readme.txt A/x
7zz a -bd -bso0 -tgzip "$out/data.tar.gz" data.tar
cp "$out/data.tar.gz" "$out/data.tgz"
7zz a -bd -bso0 -tbzip2 "$out/data.tar.bz2" data.tar
# Content encrypted, names readable.
7zz a -bd -bso0 -t7z -psecret "$out/content-encrypted.7z" docs/readme.txt f000.txt
# Stored, one stream per file: a flipped byte in bad.txt's data fails its check alone.
head -c 4096 /dev/zero | tr '\0' 'Q' > bad.txt
head -c 4096 /dev/zero | tr '\0' 'G' > good.txt
7zz a -bd -bso0 -t7z -mx0 -ms=off "$out/damaged.7z" bad.txt good.txt
python3 - "$out/damaged.7z" <<'PY'
import sys
data = bytearray(open(sys.argv[1], "rb").read())
data[data.index(b"Q" * 64) + 100] ^= 0xFF
open(sys.argv[1], "wb").write(bytes(data))
PY
# Names Windows refuses between good ones, written as they are: 7zz would change some.
python3 - "$out/hostile.zip" <<'PY'
import sys, zipfile
names = ["good1.txt", "what?.txt", "sub/CON.txt", "ads.txt:stream", "aux/x.txt", "trail./y.txt",
         "long/" + "L" * 120 + "/" + "N" * 130 + ".txt", "good2.txt"]
with zipfile.ZipFile(sys.argv[1], "w") as archive:
    for name in names:
        archive.writestr(name, name + "\n")
PY
# One item far larger than the small file system of the full-disk test, a small one before it
# (7zz orders a solid block by extension, then name); the large one encrypted in a zip, where
# the password is asked once the item's output is open.
echo first > a.bin
head -c 48M /dev/zero > big.bin
7zz a -bd -bso0 -t7z -mx1 "$out/big.7z" a.bin big.bin
7zz a -bd -bso0 -tzip -mx1 -psecret "$out/encrypted.zip" f000.txt big.bin
# A gzip of a tar that takes many of the library's callbacks to open: 12,000 small items,
# then 32 MiB of zeros, for stopping its read at any of them.
python3 - "$out/many.tar.gz" <<'PY'
import gzip, io, sys, tarfile
with gzip.open(sys.argv[1], "wb", compresslevel=1) as packed, tarfile.open(fileobj=packed, mode="w") as tar:
    for i in range(12000):
        tar.addfile(tarfile.TarInfo(f"d{i // 1000:02d}/f{i:05d}.txt"), io.BytesIO(b""))
    zeros = tarfile.TarInfo("zeros.bin")
    zeros.size = 32 << 20
    tar.addfile(zeros, io.BytesIO(bytes(zeros.size)))
PY
