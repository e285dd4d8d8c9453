#!/usr/bin/env bash
# Runs a Windows program of one architecture under Wine: the CTest emulator.
#   wine-exec.sh <arch> program.exe [args...]
# Inside a test session the environment is already set; otherwise the prefix of the build
# tree that holds the program is used.
arch=$1; shift
if [ -z "${SW_WINE:-}" ]; then
  here=$(cd "$(dirname "$0")" && pwd)
  dir=$(cd "$(dirname "$1")" && pwd)
  while [ "$dir" != / ] && [ ! -f "$dir/CMakeCache.txt" ]; do dir=$(dirname "$dir"); done
  # shellcheck source=/dev/null
  source "$here/wine-env.sh" "$arch" "$dir"
fi
exec "$SW_WINE" "$@"
