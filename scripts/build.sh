#!/usr/bin/env bash
# Configures (once) and builds the build tree of each architecture: build/i686 fills dist/,
# build/x86_64 fills dist/x64/.
#   build.sh [arch...]      (default: both)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
archs=("$@")
[ ${#archs[@]} -eq 0 ] && archs=(i686 x86_64)
for arch in "${archs[@]}"; do
  dir=$root/build/$arch
  if [ ! -f "$dir/build.ninja" ]; then
    cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-$arch.cmake" >/dev/null
  fi
  echo "Building $arch"
  cmake --build "$dir" -- --quiet
done
