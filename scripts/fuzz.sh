#!/usr/bin/env bash
# Builds every libFuzzer target (clang, AddressSanitizer and
# UndefinedBehaviorSanitizer) and, unless --build-only is given, runs each
# from its seeds for a while.
#   scripts/fuzz.sh [build-folder] [--build-only] [--seconds N]
#   (default: build-fuzz, 60 seconds a target)
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=$top/build-fuzz
run=1
seconds=60
while [ $# -gt 0 ]; do
  case "$1" in
    --build-only) run=0 ;;
    --seconds) seconds=$2; shift ;;
    *) build=$1 ;;
  esac
  shift
done
for p in clang libclang-rt-14-dev; do
  dpkg-query -W -f='${db:Status-Abbrev}' "$p" 2>/dev/null | grep -q '^ii' || missing="${missing:-} $p"
done
if [ -n "${missing:-}" ]; then
  echo "Installing Debian packages:$missing"
  sudo_cmd=""
  [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq --no-install-recommends $missing
fi
MURVA_BUILD_TYPE=RelWithDebInfo \
  MURVA_CMAKE_OPTIONS="-DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DMURVA_BUILD_FUZZERS=ON -DMURVA_BUILD_TOOLS=OFF" \
  MURVA_BUILD_TARGETS="fuzzers" "$top/scripts/setup.sh" "$build"
[ "$run" -eq 1 ] || exit 0

seeds=$build/fuzz-seeds
rm -rf "$seeds"
"$build/bin/imaging_fuzz_seeds" "$seeds"
# fuzz-targets.txt: one target a line, with the folder of its seeds (none:
# the pictures imaging_fuzz_seeds wrote under the target's name).
while read -r target seed; do
  [ -n "$target" ] || continue
  [ -n "${seed:-}" ] || seed=$seeds/${target#fuzz_}
  corpus=$build/corpus/$target
  mkdir -p "$corpus"
  echo "== $target ($seconds s)"
  "$build/bin/$target" -max_total_time="$seconds" "$corpus" "$seed"
done < "$build/fuzz-targets.txt"
