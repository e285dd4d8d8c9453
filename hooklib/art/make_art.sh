#!/usr/bin/env bash
# Redraws the library's pictures into this folder with the build machine's own compiler:
# symbol_NN.bmp and status_N.ico.  make_art.sh [sheet.ppm] also writes a contact sheet of them.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
${CXX:-g++} -std=c++20 -O2 -I"$here/.." -o "$tmp/make_art" "$here/make_art.cpp" \
  "$here/../art.cpp" "$here/../symbols.cpp" "$here/../geometry.cpp"
sheet=${1:+$(realpath -m "$1")}
cd "$here" && "$tmp/make_art" $sheet
