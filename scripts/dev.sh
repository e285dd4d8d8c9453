#!/usr/bin/env bash
# A developer's own build tree for some subsystems, apart from build/ and dist/, so that several
# pieces of work can build and test side by side.
#   dev.sh <name> <arch> "<subsystem folders>" [ctest arguments...]
# builds build-<name>/<arch> (its files in build-<name>/dist) with only those folders and runs
# their tests under Wine, e.g.  scripts/dev.sh notes x86_64 "notes" -R notes
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
name=$1; arch=$2; subs=$3; shift 3
dir=$root/build-$name/$arch
if [ ! -f "$dir/build.ninja" ]; then
  cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-$arch.cmake" \
    -DSW_DIST_ROOT="$root/build-$name/dist" -DSW_SUBSYSTEMS="${subs// /;}" >/dev/null
fi
cmake --build "$dir"
"$root/scripts/session.sh" "$arch" "$dir" ctest --test-dir "$dir" --output-on-failure "$@"
