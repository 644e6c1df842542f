#!/usr/bin/env bash
# Builds the benchmarks (bench/) and, unless --build-only is given, runs them.
#   scripts/bench.sh [build-folder] [--build-only]   (default: build-bench)
# Benchmarks are timed in an optimised build (RelWithDebInfo); set
# MURVA_BUILD_TYPE to build them elsewhere (CI builds them in its test build
# only to keep them compiling).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=$top/build-bench
run=1
for arg in "$@"; do
  case "$arg" in
    --build-only) run=0 ;;
    *) build=$arg ;;
  esac
done
MURVA_CMAKE_OPTIONS="-DMURVA_BUILD_BENCHMARKS=ON ${MURVA_CMAKE_OPTIONS:-}" \
  MURVA_BUILD_TARGETS="murva_bench imaging_bench bare_qt_window murva32 murva32-demo-picture ${MURVA_BUILD_TARGETS:-}" \
  "$top/scripts/setup.sh" "$build"
if [ "$run" -eq 1 ]; then
  "$build/bin/murva_bench"
  "$build/bin/imaging_bench"
  "$top/bench/session_runs.sh" "$build"
  "$top/scripts/icalendar-side-by-side.sh" "$build"
fi
