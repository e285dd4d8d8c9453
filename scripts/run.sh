#!/usr/bin/env bash
# make run: builds the suite, installs it with Install's silent mode into a Wine prefix of its own
# (build/run-<arch>/wineprefix, apart from the test prefixes) and starts the installed Kurvo,
# then Quillnote and ZwIcon from dist/ when they exist. i686 where the machine runs 32-bit
# programs, else x86_64. With a display the programs run in a Wine desktop window until you close
# them; with none they run on Xvfb and a screenshot is written (its path is printed).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/build.sh"
if "$root/scripts/can-run-i686.sh"; then arch=i686; dist=$root/dist; else arch=x86_64; dist=$root/dist/x64; fi
echo "Architecture: $arch ($dist)"
medium=$dist/medium
if [ ! -f "$medium/Install.exe" ]; then
  echo "No installation medium in $medium: nothing to install." >&2
  exit 1
fi
run=$root/build/run-$arch
mkdir -p "$run"
"$root/scripts/prefix.sh" "$arch" "$run"
target='C:\Kurvo'
shot=$run/screenshot.png

# ZwIcon's icon folder inside the prefix (C:\ZwIcon), in its own settings key.
zwicon_dir() {
  mkdir -p "$WINEPREFIX/drive_c/ZwIcon"
  "$SW_WINE" reg add 'HKCU\Software\Zonware\Pavlet\Icon Editor' /v IconDir /d 'C:\ZwIcon' /f \
    </dev/null >/dev/null 2>&1 || true
}

# Runs inside the Wine session: install, start what exists, and (headless) take the screenshot.
session() {
  echo "Installing from $medium into $target"
  set +e
  (cd "$medium" && "$SW_WINE" Install.exe /S "/D=$target" /L=eng /NOWIZARD </dev/null)
  rc=$?
  set -e
  if [ "$rc" -ne 0 ]; then
    echo "Install failed (exit code $rc); its log:" >&2
    cat "$WINEPREFIX/drive_c/Kurvo-install.log" >&2 2>/dev/null || true
    return 1
  fi
  local started=() p
  # Quillnote keeps its main note hidden until it holds text: give a first run a welcome page.
  local ini=$WINEPREFIX/drive_c/windows/QUILL.INI
  [ -f "$ini" ] || printf '[Quill]\r\nText0=Welcome to Quillnote. Type here; the note keeps what you write.\r\n' >"$ini"
  # ZwIcon keeps a temporary icon file in its icon folder, by default its own: point it into the
  # prefix, so that a session ended by force leaves nothing in dist/.
  zwicon_dir
  # ZwIcon, then Quillnote (its note above the editor), then Kurvo, whose symbols window comes up in front.
  for p in ZwIcon.exe Quillnote.exe; do
    if [ -f "$dist/$p" ]; then
      (cd "$dist" && "$SW_WINE" "$p" </dev/null >/dev/null 2>&1 &)
      started+=("$p")
      sleep 2
    fi
  done
  kurvo=$WINEPREFIX/drive_c/Kurvo/kurvo.exe
  if [ -f "$kurvo" ]; then
    (cd "$WINEPREFIX/drive_c/Kurvo" && "$SW_WINE" 'C:\Kurvo\Kurvo.exe' </dev/null >/dev/null 2>&1 &)
    started+=("Kurvo.exe (installed)")
  fi
  if [ ${#started[@]} -eq 0 ]; then
    echo "Installed; none of Kurvo, Quillnote and ZwIcon is built yet, so nothing was started."
  else
    echo "Started: ${started[*]}"
  fi
  if [ "$headless" = 1 ]; then
    sleep 6
    import -window root "$shot"
    echo "Screenshot: $shot"
  else
    echo "Close the programs (or the Wine desktop window) to end."
    wineserver -w
  fi
}

if [ -n "${DISPLAY:-}" ]; then
  headless=0
  # shellcheck source=/dev/null
  source "$root/scripts/wine-env.sh" "$arch" "$run"
  session
else
  headless=1
  export -f session zwicon_dir
  export root arch dist medium target shot headless
  "$root/scripts/session.sh" "$arch" "$run" bash -c session
fi
