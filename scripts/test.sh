#!/usr/bin/env bash
# Builds both architectures, checks the delivered files, then runs the test suite under Wine:
# x86_64 in a 64-bit prefix on every machine, i686 in a 32-bit prefix where the machine can run it.
#   test.sh [ctest arguments...]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/build.sh"
"$root/scripts/check-dist.sh"

archs=(x86_64)
if "$root/scripts/can-run-i686.sh"; then
  archs+=(i686)
else
  echo "This machine cannot run 32-bit programs (no 32-bit execution): testing x86_64 only."
fi

passed=0; failed=0; status=0
for arch in "${archs[@]}"; do
  dir=$root/build/$arch
  log=$dir/ctest.log
  echo "Testing $arch"
  set +e
  "$root/scripts/session.sh" "$arch" "$dir" \
    ctest --test-dir "$dir" --output-on-failure -j2 "$@" 2>&1 | tee "$log"
  rc=${PIPESTATUS[0]}
  set -e
  [ "$rc" -eq 0 ] || status=1
  line=$(grep -E 'tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -n1 || true)
  if [ -n "$line" ]; then
    total=$(sed -E 's/.*out of ([0-9]+).*/\1/' <<<"$line")
    bad=$(sed -E 's/.* ([0-9]+) tests? failed.*/\1/' <<<"$line")
    passed=$((passed + total - bad)); failed=$((failed + bad))
    echo "$arch: $line"
  else
    echo "$arch: no test summary"
    status=1
  fi
done
echo "Tested architectures: ${archs[*]}"
echo "tests: $passed passed, $failed failed"
exit $status
