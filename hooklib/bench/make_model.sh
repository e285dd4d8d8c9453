#!/usr/bin/env bash
# Learns the recognizer's built-in model from the recordings of people with the build machine's
# own compiler and writes hooklib/model_data.inc. Run it after changing the recordings or how
# the recognizer learns; the library's tests notice a model older than the recordings.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
lib=$(cd "$here/.." && pwd)
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
${CXX:-g++} -std=c++20 -O2 -I"$lib" -o "$tmp/make_model" "$here/make_model.cpp" \
  "$lib"/{learning,stroke_file,recognizer,matching,corpus,symbols,geometry}.cpp
"$tmp/make_model" "$here/data/human-strokes.txt" "$lib/model_data.inc"
