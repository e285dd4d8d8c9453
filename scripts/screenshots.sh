#!/usr/bin/env bash
# make screenshots: starts each program of the suite alone under Xvfb in a Wine desktop and saves
# a picture of it under docs/ (PNG, trimmed to the windows): the installer dialog, the
# quick-start wizard, Kurvo, Quillnote and ZwIcon, whichever exist. Not run by the tests.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
if "$root/scripts/can-run-i686.sh"; then arch=i686; dist=$root/dist; else arch=x86_64; dist=$root/dist/x64; fi
"$root/scripts/build.sh" "$arch"
shots=$root/build/shots-$arch
mkdir -p "$shots" "$root/docs"
"$root/scripts/prefix.sh" "$arch" "$shots"

take() {  # name: the windows on the screen, without the empty desktop and the taskbar
  sleep "${SHOT_WAIT:-4}"
  import -window root "$shots/full.png"
  convert "$shots/full.png" -crop 1024x740+0+0 +repage -fuzz 1% -trim +repage "$root/docs/$1.png" 2>/dev/null
  # Nothing but desktop (a program that starts in the notification area): the whole screen.
  if [ "$(identify -format %w "$root/docs/$1.png")" -lt 16 ]; then
    cp "$shots/full.png" "$root/docs/$1.png"
  fi
  echo "docs/$1.png"
}
# start <dir> <program> [args...]: starts a program in the background; `stop` ends it again.
start() {
  local dir=$1; shift
  (cd "$dir" && exec "$SW_WINE" "$@" </dev/null >/dev/null 2>&1) &
  pid=$!
}
stop() {
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  sleep 1
}

shoot() {
  local medium=$dist/medium kurvo=$WINEPREFIX/drive_c/Kurvo
  if [ -f "$medium/Install.exe" ]; then
    start "$medium" Install.exe; take installer; stop
    (cd "$medium" && "$SW_WINE" Install.exe /S '/D=C:\Kurvo' /L=eng /NOWIZARD </dev/null)
    if [ -f "$kurvo/system/kvowiz.exe" ]; then
      start "$kurvo/system" 'C:\Kurvo\system\kvowiz.exe' qcks_eng; take wizard; stop
    fi
    if [ -f "$kurvo/kurvo.exe" ]; then
      start "$kurvo" 'C:\Kurvo\Kurvo.exe'; take kurvo; stop
    fi
  fi
  [ -f "$dist/Quillnote.exe" ] && { start "$dist" Quillnote.exe; take quillnote; stop; }
  # ZwIcon keeps a temporary icon file in its icon folder (by default its own, dist/): it is
  # stopped by force here, so its folder is one inside the prefix.
  mkdir -p "$WINEPREFIX/drive_c/ZwIcon"
  "$SW_WINE" reg add 'HKCU\Software\Zonware\Pavlet\Icon Editor' /v IconDir /d 'C:\ZwIcon' /f \
    </dev/null >/dev/null 2>&1 || true
  [ -f "$dist/ZwIcon.exe" ] && { start "$dist" ZwIcon.exe; take zwicon; stop; }
  rm -f "$shots/full.png"
}
export -f take start stop shoot
export root dist shots
"$root/scripts/session.sh" "$arch" "$shots" bash -c shoot
