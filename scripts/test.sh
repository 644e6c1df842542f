#!/usr/bin/env bash
# Builds MURVA32 and runs every test suite.
#   scripts/test.sh [build-folder]       (default: build)
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$top/build}
"$top/scripts/setup.sh" "$build"
cd "$build"
ctest --output-on-failure -j "$(nproc)" --timeout 600
