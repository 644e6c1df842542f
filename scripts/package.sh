#!/usr/bin/env bash
# Builds the Debian package of MURVA32: an optimised build (Release, Debian's
# hardening flags) for the prefix /usr in a build folder of its own, then
# CPack's DEB generator, which strips the programs and finds the library
# dependencies with dpkg-shlibdeps. Prints the package's path on its last
# line (murva32_<version>_amd64.deb in the build folder).
#   scripts/package.sh [build-folder]      (default: build-package)
# Install it with: sudo apt install ./murva32_*.deb
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath -m "${1:-$top/build-package}")

# Debian's hardening flags as every Debian package gets them, without the
# optimisation and debug flags, which the build type sets. (They are read
# when the build folder is first configured.)
flags() {
  DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get "$1" | tr ' ' '\n' |
    grep -v -e '^-g$' -e '^-O' -e '^-ffile-prefix-map' | tr '\n' ' '
}
if command -v dpkg-buildflags >/dev/null; then
  export CFLAGS="$(flags CPPFLAGS) $(flags CFLAGS)"
  export CXXFLAGS="$(flags CPPFLAGS) $(flags CXXFLAGS)"
  export LDFLAGS="$(flags LDFLAGS)"
fi
# ccache takes paths below the source folder as relative ones, so that a
# build of another clone (CI's) reuses the objects.
export CCACHE_BASEDIR=$top

MURVA_BUILD_TYPE=Release \
  MURVA_CMAKE_OPTIONS="-DCMAKE_INSTALL_PREFIX=/usr -DMURVA_BUILD_TESTS=OFF -DMURVA_BUILD_TOOLS=OFF ${MURVA_CMAKE_OPTIONS:-}" \
  "$top/scripts/setup.sh" "$build" >&2

log=$build/cpack.log
if ! (cd "$build" && cpack -G DEB) >"$log" 2>&1; then
  cat "$log" >&2
  echo "package.sh: the package could not be made (see above)" >&2
  exit 1
fi
# "CPack: - package: /…/murva32_4.21_amd64.deb generated."
package=$(sed -n 's/^CPack: - package: \(.*\) generated\.$/\1/p' "$log" | tail -n 1)
if [ -z "$package" ] || [ ! -f "$package" ]; then
  cat "$log" >&2
  echo "package.sh: CPack named no package" >&2
  exit 1
fi
echo "$package"
