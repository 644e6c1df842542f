#!/usr/bin/env bash
# The built-in demo: builds MURVA32, makes a program folder with a generated
# background, a settings file and a schedule file, and runs one automatic
# build ("-E"): MURVA00.BMP is written and installed as the wallpaper. Without
# a display the run happens on a virtual X server.
#   scripts/demo.sh [build-folder]       (default: build)
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$top/build}
"$top/scripts/setup.sh" "$build"

demo="$build/demo"
rm -rf "$demo"
mkdir -p "$demo"
width=1280
height=800

# Files on disk are CP932 with CR LF, as the program's users bring them.
to_cp932() { iconv -f UTF-8 -t CP932 | sed 's/$/\r/'; }
sed -e "s|@DEMO@|$demo|" -e "s|@CALX@|$((width - 420))|" "$top/demo/MURVA32.INI.in" | to_cp932 > "$demo/MURVA32.INI"
to_cp932 < "$top/demo/MURVA32.SCH.in" > "$demo/MURVA32.SCH"

run() {
  MURVA32_HOME="$demo" timeout 120 "$build/bin/murva32" -E
}
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  "$build/bin/murva32-demo-picture" "$demo/demo-background.png" "$width" "$height"
  echo "Running the demo on your desktop..."
  run
else
  QT_QPA_PLATFORM=offscreen "$build/bin/murva32-demo-picture" "$demo/demo-background.png" "$width" "$height"
  echo "No display: running the demo on a virtual X server (${width}x${height})..."
  export -f run
  export demo build
  xvfb-run -a -s "-screen 0 ${width}x${height}x24 -noreset" bash -c run
fi

if [ -f "$demo/MURVA00.BMP" ]; then
  echo "The wallpaper was written to $demo/MURVA00.BMP"
else
  echo "No wallpaper was written; see the messages above." >&2
  exit 1
fi
