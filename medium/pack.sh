#!/usr/bin/env bash
# Puts one file onto the installation medium in the form Install expands:
#   pack.sh <source file> <medium file>     e.g.  pack.sh build/Kurvo.exe dist/medium/Kurvo.ex_
# compressed with mscompress (SZDD), the header's name byte set to the original last character,
# and checked by expanding it again. Files under 16 bytes, which mscompress cannot take, are
# stored plain: the platform's LZ copy passes a plain file through unchanged.
set -euo pipefail
src=$1; dst=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
name=$(basename "$src")
if [ "$(stat -c %s "$src")" -lt 16 ]; then
  cp "$src" "$dst.tmp"
else
  cp "$src" "$work/$name"
  mscompress "$work/$name"
  mv "$work/$name"_ "$dst.tmp"
  # Byte 9 holds the character that "_" replaced, for tools that ask a file for its own name.
  printf '%s' "${name: -1}" | dd of="$dst.tmp" bs=1 seek=9 conv=notrunc status=none
  if ! msexpand <"$dst.tmp" | cmp -s - "$src"; then
    echo "pack.sh: $dst does not expand to $src" >&2
    rm -f "$dst.tmp"
    exit 1
  fi
fi
mv "$dst.tmp" "$dst"
