#!/usr/bin/env bash
# Creates the Wine prefix of one build tree once: boot, Wine's fonts, a 1024x768 virtual desktop,
# no crash dialog, font replacements. Later calls return at once.
#   prefix.sh <arch> <build-dir>
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=/dev/null
source "$here/wine-env.sh" "$1" "$2"
ready=$WINEPREFIX/.sw-ready
[ -f "$ready" ] && exit 0

rm -rf "$WINEPREFIX"
echo "Creating the $1 Wine prefix in $WINEPREFIX"
(
  unset DISPLAY
  "$SW_WINE" wineboot -i </dev/null >/dev/null 2>&1 || true
  mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
  cp /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/"
  reg=$(mktemp --suffix=.reg)
  cat >"$reg" <<'REG'
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\Explorer]
"Desktop"="Default"

[HKEY_CURRENT_USER\Software\Wine\Explorer\Desktops]
"Default"="1024x768"

[HKEY_CURRENT_USER\Software\Wine\WineDbg]
"ShowCrashDialog"=dword:00000000

[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]
"Arial"="Liberation Sans"
"Times New Roman"="Liberation Serif"
"Courier New"="Liberation Mono"
"MS Sans Serif"="Liberation Sans"
REG
  "$SW_WINE" regedit /S "Z:${reg//\//\\}" </dev/null >/dev/null 2>&1
  rm -f "$reg"
  wineserver -k || true
  wineserver -w || true
)
[ -f "$WINEPREFIX/system.reg" ] || { echo "Wine prefix creation failed in $WINEPREFIX" >&2; exit 1; }
touch "$ready"
