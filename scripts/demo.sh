#!/usr/bin/env bash
# The built-in demo: builds MURVA32, makes a program folder with a generated
# background, a settings file and a schedule file, and runs one automatic
# build ("-E"): MURVA00.BMP is written and installed as the wallpaper. Without
# a display the run happens on a virtual X server.
#   scripts/demo.sh [build-folder]       (default: build)
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$top/build}
MURVA_BUILD_TARGETS="murva32 murva32-demo-picture spi_png spi_jpeg spi_gif spi_webp" \
  "$top/scripts/setup.sh" "$build"

# The demo's program folder; not "$build/demo", which is the build's own
# folder for demo/ (its install script among others).
demo="$build/demo-home"
rm -rf "$demo"
mkdir -p "$demo"
width=1280
height=800

# Files on disk are CP932 with CR LF, as the program's users bring them.
to_cp932() { iconv -f UTF-8 -t CP932 | sed 's/$/\r/'; }
sed -e "s|@DEMO@|$demo|" -e "s|@CALX@|$((width - 420))|" "$top/demo/MURVA32.INI.in" | to_cp932 > "$demo/MURVA32.INI"
to_cp932 < "$top/demo/MURVA32.SCH.in" > "$demo/MURVA32.SCH"

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  "$build/bin/murva32-demo-picture" "$demo/demo-background.png" "$width" "$height"
  echo "Running the demo on your desktop..."
  MURVA32_HOME="$demo" timeout 120 "$build/bin/murva32" -E
else
  QT_QPA_PLATFORM=offscreen "$build/bin/murva32-demo-picture" "$demo/demo-background.png" "$width" "$height"
  echo "No display: running the demo on a virtual X server (${width}x${height})..."
  xvfb-run -a -s "-screen 0 ${width}x${height}x24 -noreset" \
    env MURVA32_HOME="$demo" timeout 120 "$build/bin/murva32" -E
fi

if [ -f "$demo/MURVA00.BMP" ]; then
  echo "The wallpaper was written to $demo/MURVA00.BMP"
  if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    echo "(and installed on the virtual X server's root window, which ended with the run)"
  fi
else
  echo "No wallpaper was written; see the messages above." >&2
  exit 1
fi
