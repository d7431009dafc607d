#!/usr/bin/env bash
# Runs the robot against Blastgrid.exe under Wine, on a virtual X display
# unless one is given, and saves the screenshots it asks for.
# Usage: wine-gui.sh check|play|session|bench GAME.exe ROBOT.exe OUTPUT-FOLDER WINE-PREFIX
# DISPLAY is used when set and BLASTGRID_VIRTUAL_DISPLAY is not 1; otherwise
# an Xvfb display is started for the run, of BLASTGRID_SCREEN pixels
# (default 1024x768x24). WINE and WINEARCH choose the Wine loader and the
# prefix's architecture (default wine, win32). Exits with the robot's status.
set -uo pipefail
mode=$1 game=$2 robot=$3 output=$4 prefix=$5
mkdir -p "$output"
rm -f "$output"/*.request "$output"/*.png "$output/robot.log"

export WINEPREFIX=$(realpath -m "$prefix") WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=${WINEARCH:-win32}
wine=${WINE:-wine}
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; done
  wait 2>/dev/null
}
trap cleanup EXIT

if [ -z "${DISPLAY:-}" ] || [ "${BLASTGRID_VIRTUAL_DISPLAY:-0}" = 1 ]; then
  for number in $(seq 91 140); do
    [ -e "/tmp/.X11-unix/X$number" ] || [ -e "/tmp/.X$number-lock" ] || break
  done
  Xvfb ":$number" -screen 0 "${BLASTGRID_SCREEN:-1024x768x24}" -nolisten tcp >/dev/null 2>&1 &
  pids+=($!)
  export DISPLAY=":$number"
  for _ in $(seq 100); do [ -e "/tmp/.X11-unix/X$number" ] && break; sleep 0.1; done
fi

if [ ! -f "$WINEPREFIX/system.reg" ]; then
  mkdir -p "$WINEPREFIX"
  "$wine" wineboot -i >/dev/null 2>&1
fi

# Takes a screenshot of the whole screen for each request the robot writes.
(
  while :; do
    for request in "$output"/*.request; do
      [ -e "$request" ] || continue
      geometry=$(head -n 1 "$request")
      import -window root ${geometry:+-crop "$geometry" +repage} "${request%.request}.png" 2>/dev/null
      rm -f "$request"
    done
    sleep 0.2
  done
) &
pids+=($!)

windows_path() { printf 'Z:%s' "$(realpath "$1" | sed 's|/|\\|g')"; }
timeout 1800 "$wine" "$robot" "$mode" "$(windows_path "$game")" "$(windows_path "$output")\\robot.log" \
  "$(windows_path "$output")" >/dev/null 2>&1
status=$?
cat "$output/robot.log" 2>/dev/null || echo "robot wrote no log"
ls "$output"/*.png 2>/dev/null | sed 's/^/screenshot: /'
exit $status
