#!/usr/bin/env bash
# Whole automatic runs side by side (bench/side_by_side.py, alternating runs):
#
#   light   an unattended run of a 64x64 page that only makes the picture,
#           against a bare Qt Widgets program that opens a window and exits,
#           on a virtual X server (Xvfb);
#   monitors  "-E" on two monitors, 3840x2160 and 1920x1080, against "-E" on
#           the 3840x2160 monitor alone, each on an X server with the dummy
#           video driver (Xorg, as root), installing on the root window.
#
#   bench/session_runs.sh [build-folder] [runs]   (default: build-bench, 20)
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$top/build-bench}
runs=${2:-20}
bin=$build/bin
work=$(mktemp -d)
cleanup() {
  # The servers started below were given files of this folder.
  pkill -f -- "$work" 2>/dev/null || true
  pkill -f -- "-displayfd 1 -screen 0 1024x768x24 -nolisten tcp" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# A program folder: page 1's background, the calendar, make-only or not.
program_folder() {  # folder background make_only
  mkdir -p "$1"
  printf '[MURVA32PRE]\r\nCalenSelBa=1\r\n[Murva32V4]\r\nEditPathW1=%s\r\nCalendTile=1\r\nCalenAlWay=1\r\nCalendFold=1\r\nCalendOnly=%s\r\nCalendWX11=1500\r\nCalendWY11=60\r\nPosScrnW1=1920\r\nPosScrnH1=1080\r\nPosScale1=100\r\n' \
    "$2" "$3" >"$1/MURVA32.INI"
}

# Xvfb on a free display; prints the display.
start_xvfb() {
  exec 8< <(Xvfb -displayfd 1 -screen 0 1024x768x24 -nolisten tcp 2>/dev/null)
  read -r number <&8
  echo ":$number"
}

echo "== light: an unattended make-only run of a 64x64 page against a bare Qt window"
display=$(start_xvfb)
QT_QPA_PLATFORM=offscreen "$bin/murva32-demo-picture" "$work/small.png" 64 64 >/dev/null
program_folder "$work/light" "$work/small.png" 1
export XDG_RUNTIME_DIR=$work
DISPLAY=$display python3 "$top/bench/side_by_side.py" "$runs" \
  "murva32=env DISPLAY=$display MURVA32_HOME=$work/light $bin/murva32 -E --unattended" \
  "bare_qt=env DISPLAY=$display $bin/bare_qt_window"

if [ "$(id -u)" -ne 0 ] || ! command -v Xorg >/dev/null; then
  echo "(monitors: Xorg with the dummy driver needs the superuser; left out)"
  exit 0
fi

# An X server with the dummy driver and the given monitors, laid out left
# to right; prints the display.
start_xorg() {  # name WxH [WxH ...]
  local name=$1
  shift
  local folder=$work/$name
  mkdir -p "$folder/conf.d"
  local modes="" lines=""
  for size in "$@"; do
    local w=${size%x*} h=${size#*x}
    lines+="  Modeline \"$size\" $(awk -v w="$w" -v h="$h" 'BEGIN{printf "%.2f", (w+160)*(h+40)*60/1e6}') $w $((w + 48)) $((w + 80)) $((w + 160)) $h $((h + 3)) $((h + 8)) $((h + 40)) +hsync -vsync"$'\n'
    modes+=" \"$size\""
  done
  cat >"$folder/xorg.conf" <<EOF
Section "ServerFlags"
  Option "AutoAddDevices" "false"
  Option "AutoAddGPU" "false"
  Option "DontVTSwitch" "true"
EndSection
Section "Device"
  Identifier "dummy"
  Driver "dummy"
  VideoRam 1048576
  DacSpeed 4000
EndSection
Section "Monitor"
  Identifier "monitor"
  HorizSync 5.0-1000.0
  VertRefresh 5.0-200.0
  Option "ReducedBlanking"
$lines
EndSection
Section "Screen"
  Identifier "screen"
  Device "dummy"
  Monitor "monitor"
  DefaultDepth 24
  SubSection "Display"
    Depth 24
    Modes$modes
  EndSubSection
EndSection
EOF
  exec 9< <(Xorg -displayfd 1 -config "$folder/xorg.conf" -configdir "$folder/conf.d" \
    -logfile "$folder/Xorg.log" -noreset -nolisten tcp -novtswitch -keeptty 2>/dev/null)
  read -r number <&9
  local x=0 index=0 arguments=()
  for size in "$@"; do
    DISPLAY=":$number" xrandr --addmode "DUMMY$index" "$size" 2>/dev/null || true
    arguments+=(--output "DUMMY$index" --mode "$size" --pos "${x}x0")
    x=$((x + ${size%x*}))
    index=$((index + 1))
  done
  DISPLAY=":$number" xrandr "${arguments[@]}" --output DUMMY0 --primary
  DISPLAY=":$number" xrandr --query >/dev/null
  echo ":$number"
}

echo "== monitors: -E on 3840x2160 + 1920x1080 against -E on 3840x2160 alone"
two=$(start_xorg two 3840x2160 1920x1080)
one=$(start_xorg one 3840x2160)
QT_QPA_PLATFORM=offscreen "$bin/murva32-demo-picture" "$work/back.png" 3840 2160 >/dev/null
program_folder "$work/monitors" "$work/back.png" 0
python3 "$top/bench/side_by_side.py" "$runs" \
  "two=env DISPLAY=$two MURVA32_HOME=$work/monitors $bin/murva32 -E --unattended" \
  "one=env DISPLAY=$one MURVA32_HOME=$work/monitors $bin/murva32 -E --unattended"
