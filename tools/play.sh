#!/usr/bin/env bash
# Builds Blastgrid.exe and starts it under Wine, with a Wine prefix kept in
# the build folder. On a display (DISPLAY set) the game runs there until it
# is closed. Without one, a virtual display is started, Solver plays one
# game (F3), screenshots of the window before and after are saved, and the
# game is closed.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD:-build}
cmake -S . -B "$build/win32" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-i686.cmake >/dev/null
cmake --build "$build/win32" --target Blastgrid robot
prefix=$(realpath -m "$build/win32/wine-prefix-gui")

if [ -n "${DISPLAY:-}" ]; then
  echo "Starting $build/win32/Blastgrid.exe on $DISPLAY"
  export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win32
  [ -f "$WINEPREFIX/system.reg" ] || wineboot -i >/dev/null 2>&1
  exec wine "$build/win32/Blastgrid.exe"
fi

screens=$(realpath -m "$build/play")
echo "No display: Solver plays one game on a virtual display."
tools/wine-gui.sh play "$build/win32/Blastgrid.exe" "$build/win32/robot.exe" "$screens" "$prefix"
echo "Screenshots before and after: $screens"
