#!/usr/bin/env bash
# Runs a command inside a Wine session of one architecture: its own Xvfb screen (1024x768x24),
# a persistent wineserver, a warm desktop kept alive by a hidden-window program, and cleanup at
# the end whatever happens.
#   session.sh <arch> <build-dir> command [args...]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
arch=$1; build=$2; shift 2
"$here/prefix.sh" "$arch" "$build"
# shellcheck source=/dev/null
source "$here/wine-env.sh" "$arch" "$build"

xvfb_pid=
cleanup() {
  wineserver -k >/dev/null 2>&1 || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -f "${dpyfile:-}"
}
trap cleanup EXIT

if [ -z "${SW_USE_DISPLAY:-}" ]; then
  dpyfile=$(mktemp)
  Xvfb -displayfd 5 -screen 0 1024x768x24 -nolisten tcp 5>"$dpyfile" </dev/null >/dev/null 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 100); do
    [ -s "$dpyfile" ] && break
    sleep 0.1
  done
  [ -s "$dpyfile" ] || { echo "Xvfb did not start" >&2; exit 1; }
  export DISPLAY=:$(head -n1 "$dpyfile")
fi

wineserver -p </dev/null >/dev/null 2>&1
"$SW_WINE" cmd /c exit </dev/null >/dev/null 2>&1 || true
keeper=$build/testsupport/sw_keeper.exe
if [ -f "$keeper" ]; then
  "$SW_WINE" "$keeper" </dev/null >/dev/null 2>&1 &
  # Wait for the desktop process that the keeper's window starts: a desktop started later by a
  # test program would inherit CTest's output pipe and keep CTest waiting.
  desktop_up() {
    local pid
    for pid in $(pgrep -f "explorer.exe /desktop"); do
      tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qx "WINEPREFIX=$WINEPREFIX" && return 0
    done
    return 1
  }
  for _ in $(seq 100); do
    desktop_up && break
    sleep 0.1
  done
fi

set +e
"$@"
rc=$?
set -e
exit $rc
