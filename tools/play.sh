#!/usr/bin/env bash
# Builds Blastgrid.exe and starts it under Wine, with a Wine prefix kept in
# the build folder. On a display (DISPLAY set) the game runs there until it
# is closed. Without one, a virtual display is started, Solver plays one
# game (F3), screenshots of the window before and after are saved, and the
# game is closed.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD:-build}
# The 32-bit game, or its 64-bit build where this machine cannot run 32-bit programs.
folder=$(tools/wine/build-for-wine.sh "$build" Blastgrid robot)
prefix=$(realpath -m "$folder/wine-prefix-gui")
export WINEARCH=${folder##*/}

if [ -n "${DISPLAY:-}" ]; then
  echo "Starting $folder/Blastgrid.exe on $DISPLAY"
  . tools/wine/wine-env.sh "$prefix"
  exec "$wine" "$folder/Blastgrid.exe"
fi

screens=$(realpath -m "$build/play")
echo "No display: Solver plays one game on a virtual display."
tools/wine/wine-gui.sh play "$folder/Blastgrid.exe" "$folder/robot.exe" "$screens" "$prefix"
echo "Screenshots before and after: $screens"
