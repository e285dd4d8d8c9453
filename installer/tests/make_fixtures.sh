#!/usr/bin/env bash
# Makes the installer tests' medium files: originals in <out>/orig, the medium form in
# <out>/medium (compressed with mscompress and renamed; files under 16 bytes stay plain).
set -euo pipefail
out=$1
rm -rf "$out/orig" "$out/medium"
mkdir -p "$out/orig" "$out/medium"
original() {  # name seed lines
  { printf 'MZ\0\1\2\3\377\376'; seq "$2" "$(( $2 + $3 ))" | sed 's/$/ strokewise test data/'; } >"$out/orig/$1"
}
original kvo_eng.dll 1 900
original kvo_ger.dll 50 1200
original kvo_ger.hlp 7 300
original kvo_swe.dll 3 400
original SCHEMES.KVO 11 80
original Kurvo.exe 100 2500
original kvowiz.exe 200 600
original qcks_eng.qks 5 40
printf 'RIFF tiny' >"$out/orig/TINY.WAV"
printf 'Lies mich\r\n' >"$out/medium/Liesmich.txt"
for f in "$out/orig"/*; do
  name=$(basename "$f")
  packed="$out/medium/${name%?}_"
  if [ "$(stat -c %s "$f")" -lt 16 ]; then
    cp "$f" "$packed"
  else
    tmp="$out/work/$name"
    mkdir -p "$out/work"
    cp "$f" "$tmp"
    mscompress "$tmp"
    mv "$tmp"_ "$packed"
    rm -f "$tmp"
    msexpand <"$packed" | cmp - "$f"
  fi
done
