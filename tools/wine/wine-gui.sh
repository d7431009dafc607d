#!/usr/bin/env bash
# Runs the robot against Blastgrid.exe under Wine, on a virtual X display
# unless one is given, and saves the screenshots it asks for.
# Usage: wine-gui.sh check|play|session|bench GAME.exe ROBOT.exe OUTPUT-FOLDER WINE-PREFIX
# DISPLAY is used when set and BLASTGRID_VIRTUAL_DISPLAY is not 1; otherwise
# the run gets a virtual display of its own (tools/display/virtual-display.sh), of
# BLASTGRID_SCREEN pixels (default 1024x768x24). WINEARCH chooses the prefix's
# architecture (default win32). Exits with the robot's status.
set -uo pipefail
if { [ -z "${DISPLAY:-}" ] || [ "${BLASTGRID_VIRTUAL_DISPLAY:-0}" = 1 ]; } && [ -z "${BLASTGRID_ON_VIRTUAL_DISPLAY:-}" ]; then
  export BLASTGRID_ON_VIRTUAL_DISPLAY=1 WINEPREFIX=$5
  exec "$(dirname "$0")/../display/virtual-display.sh" "$0" "$@"
fi
mode=$1 game=$2 robot=$3 output=$4 prefix=$5
mkdir -p "$output"
rm -f "$output"/*.request "$output"/*.png "$output/robot.log"
. "$(dirname "$0")/wine-env.sh" "$prefix"

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
shooter=$!
trap 'kill "$shooter" 2>/dev/null; wait "$shooter" 2>/dev/null' EXIT

windows_path() { printf 'Z:%s' "$(realpath "$1" | sed 's|/|\\|g')"; }
timeout 1800 "$wine" "$robot" "$mode" "$(windows_path "$game")" "$(windows_path "$output")\\robot.log" \
  "$(windows_path "$output")" >/dev/null 2>&1
status=$?
cat "$output/robot.log" 2>/dev/null || echo "robot wrote no log"
ls "$output"/*.png 2>/dev/null | sed 's/^/screenshot: /'
exit $status
