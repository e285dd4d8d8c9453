#!/usr/bin/env bash
# Builds the suite and runs every benchmark program (*_bench.exe) of the architecture the
# machine runs best, under Wine, printing their figures. Benchmarks are not tests: they print
# numbers and never fail on a slow machine.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
if "$root/scripts/can-run-i686.sh"; then arch=i686; else arch=x86_64; fi
"$root/scripts/build.sh" "$arch"
dir=$root/build/$arch
mapfile -t benches < <(find "$dir" -name '*_bench.exe' -type f | sort)
if [ ${#benches[@]} -eq 0 ]; then
  echo "No benchmark programs built."
  exit 0
fi
run_all() {
  local b
  for b in "${benches[@]}"; do
    echo "== $(basename "$b" .exe) ($arch)"
    (cd "$(dirname "$b")" && "$SW_WINE" "$b") || echo "(exit code $?)"
  done
}
"$root/scripts/session.sh" "$arch" "$dir" bash -c "$(declare -p benches arch); $(declare -f run_all); run_all"
