#!/usr/bin/env bash
# Installs the Debian packages MURVA32 needs and builds it.
#   scripts/setup.sh [build-folder]      (default: build)
#   MURVA_BUILD_TARGETS="murva32 ..." scripts/setup.sh   builds only those targets
#   MURVA_BUILD_TYPE=Check scripts/setup.sh              the quick test build
#   MURVA_CMAKE_OPTIONS="-D..." scripts/setup.sh         further cache options
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$top/build}

packages=$(grep -v '^\s*#' "$top/scripts/debian-packages.txt" | grep -v '^\s*$')
missing=""
for p in $packages; do
  dpkg-query -W -f='${db:Status-Abbrev}' "$p" 2>/dev/null | grep -q '^ii' || missing="$missing $p"
done
if [ -n "$missing" ]; then
  echo "Installing Debian packages:$missing"
  sudo_cmd=""
  [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $sudo_cmd apt-get update -qq
  $sudo_cmd apt-get install -y -qq --no-install-recommends $missing
fi

# shellcheck disable=SC2086
cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE="${MURVA_BUILD_TYPE:-RelWithDebInfo}" \
  ${MURVA_CMAKE_OPTIONS:-} >/dev/null
# MURVA_BUILD_TARGETS narrows the build to some targets (the demo needs only
# the program and its plug-ins); by default everything is built.
cmake --build "$build" -j "$(nproc)" ${MURVA_BUILD_TARGETS:+--target $MURVA_BUILD_TARGETS}
