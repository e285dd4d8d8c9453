#!/usr/bin/env bash
# Builds both architectures, checks the delivered files, then runs the test suite under Wine:
# x86_64 in a 64-bit prefix on every machine, i686 in a 32-bit prefix where the machine can run it.
#   test.sh [ctest arguments...]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/build.sh"
# A problem with the built files fails the run, but the tests still run and report.
dist_ok=1
"$root/scripts/check-dist.sh" || dist_ok=0

archs=(x86_64)
if "$root/scripts/can-run-i686.sh"; then
  archs+=(i686)
else
  echo "This machine cannot run 32-bit programs (no 32-bit execution): testing x86_64 only."
fi

# Sums the GoogleTest results that each test program wrote as XML: "cases failures".
gtest_counts() {
  local f cases=0 failures=0 t x
  for f in "$1"/*.xml; do
    [ -f "$f" ] || continue
    t=$(grep -o '<testsuites [^>]*' "$f" | head -n1)
    x=$(sed -nE 's/.* tests="([0-9]+)".*/\1/p' <<<"$t"); cases=$((cases + ${x:-0}))
    x=$(sed -nE 's/.* failures="([0-9]+)".*/\1/p' <<<"$t"); failures=$((failures + ${x:-0}))
  done
  echo "$cases $failures"
}

passed=0; failed=0; status=0
for arch in "${archs[@]}"; do
  dir=$root/build/$arch
  log=$dir/ctest.log
  results=$dir/gtest-results
  rm -rf "$results"; mkdir -p "$results"
  echo "Testing $arch"
  set +e
  GTEST_OUTPUT="xml:Z:${results//\//\\}\\" "$root/scripts/session.sh" "$arch" "$dir" \
    ctest --test-dir "$dir" --output-on-failure -j2 "$@" 2>&1 | tee "$log"
  rc=${PIPESTATUS[0]}
  set -e
  [ "$rc" -eq 0 ] || status=1
  line=$(grep -E 'tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -n1 || true)
  if [ -z "$line" ]; then
    echo "$arch: no test summary"
    status=1
    continue
  fi
  bad_programs=$(sed -E 's/.* ([0-9]+) tests? failed.*/\1/' <<<"$line")
  read -r cases bad_cases < <(gtest_counts "$results")
  bad=$(( bad_cases > bad_programs ? bad_cases : bad_programs ))
  passed=$((passed + cases - bad_cases)); failed=$((failed + bad))
  echo "$arch: $line ($cases test cases, $bad_cases failed)"
done
echo "Tested architectures: ${archs[*]}"
if [ "$dist_ok" -eq 0 ]; then
  echo "The check of the built files failed (see check-dist above)."
  status=1
fi
echo "tests: $passed passed, $failed failed"
exit $status
