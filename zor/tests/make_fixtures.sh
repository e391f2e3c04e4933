#!/usr/bin/env bash
# Makes the reader's fixture archives with 7zz: make_fixtures.sh 7ZZ OUTDIR
# OUTDIR/src holds the files archived; every archive in OUTDIR contains them all.
set -euo pipefail
zz=$1 out=$2
rm -rf "$out"
mkdir -p "$out/src/text" "$out/src/nested/deep" "$out/src/emptydir" "$out/src/bin"
cd "$out/src"
for i in $(seq 1 4000); do echo "Line $i of the readme: the quick brown fox jumps over the lazy dog."; done > text/readme.txt
head -c 300000 /dev/urandom > bin/random.bin
: > empty.txt
printf 'caf\xc3\xa9 au lait\n' > "$(printf 'caf\xc3\xa9.txt')"
echo "deep file" > nested/deep/file.dat
# Mixed 3 MB: compressible and random stretches, so LZMA2 writes both chunk kinds.
{ for i in $(seq 1 3); do head -c 400000 /dev/urandom; seq 1 90000; done; } > bin/big.bin
# x86 machine code for the branch filters: a Windows DLL (PE) from Wine.
pe=$(ls /usr/lib/x86_64-linux-gnu/wine/x86_64-windows/kernelbase.dll 2>/dev/null || true)
if [[ -n "$pe" ]]; then cp "$pe" bin/prog.dll; else head -c 200000 /dev/urandom > bin/prog.dll; fi
cd "$out"

make() { local name=$1; shift; (cd src && "$zz" a -bd -y "$@" "../$name.7z" . >/dev/null); }
make copy -m0=Copy
make lzma -m0=LZMA -ms=on
make lzma2_solid -m0=LZMA2 -ms=on
make lzma2_nonsolid -m0=LZMA2 -ms=off
make bcj_lzma -mf=BCJ -m0=LZMA
make bcj2 -mf=off -m0=BCJ2 -m1=LZMA:d=1m -m2=LZMA:d=64k -m3=LZMA:d=64k -mb0s0:1 -mb0s1:2 -mb0s2:3
make mx9 -mx=9
make delta -mf=Delta:4 -m0=LZMA2
make aes -m0=LZMA2 -psecret
make aes_header -m0=LZMA2 -psecret -mhe=on
make aes_copy_nonsolid -m0=Copy -ms=off -psecret
echo done
