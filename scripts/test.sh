#!/usr/bin/env bash
# Builds MURVA32 for testing and runs every test suite; says at the end where
# the time went and how many tests passed.
#   scripts/test.sh [build-folder]       (default: build)
# The build is the quick "Check" build (light optimisation, no debug
# information); benchmarks and fuzz targets have scripts of their own
# (scripts/bench.sh, scripts/fuzz.sh).
set -uo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$top/build}

now() { date +%s.%N; }
seconds() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.0f", b - a }'; }

start=$(now)
MURVA_BUILD_TYPE=Check "$top/scripts/setup.sh" "$build" || exit $?
built=$(now)

log=$(mktemp)
trap 'rm -f "$log"' EXIT
cd "$build" || exit 1
# Many tests wait (for a virtual X server, a child process, a timeout);
# twice as many at once as there are cores keeps both cores busy.
ctest --output-on-failure -j "$(( $(nproc) * 2 ))" --timeout 600 2>&1 | tee "$log"
status=${PIPESTATUS[0]}
tested=$(now)

# "100% tests passed, 0 tests failed out of 1088"
summary=$(grep -E 'tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -1)
failed=$(sed -E 's/.* ([0-9]+) tests? failed out of.*/\1/' <<<"$summary")
total=$(sed -E 's/.*out of ([0-9]+).*/\1/' <<<"$summary")
echo
echo "Time: build $(seconds "$start" "$built") s (packages, configure, compile), tests $(seconds "$built" "$tested") s, whole $(seconds "$start" "$tested") s"
if [ -n "$summary" ]; then
  echo "$((total - failed)) passed, $failed failed"
else
  echo "0 passed, 0 failed (ctest ran no tests)"
  [ "$status" -eq 0 ] && status=1
fi
exit "$status"
