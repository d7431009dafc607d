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
arch=$(tools/wine-build.sh)
toolchain=cmake/mingw-w64-i686.cmake
[ "$arch" = win64 ] && toolchain=cmake/mingw-w64-x86_64.cmake
cmake -S . -B "$build/$arch" -G Ninja -DCMAKE_TOOLCHAIN_FILE=$toolchain >/dev/null
cmake --build "$build/$arch" --target Blastgrid robot
prefix=$(realpath -m "$build/$arch/wine-prefix-gui")
export WINEARCH=$arch

if [ -n "${DISPLAY:-}" ]; then
  echo "Starting $build/$arch/Blastgrid.exe on $DISPLAY"
  . tools/wine-env.sh "$prefix"
  exec "$wine" "$build/$arch/Blastgrid.exe"
fi

screens=$(realpath -m "$build/play")
echo "No display: Solver plays one game on a virtual display."
tools/wine-gui.sh play "$build/$arch/Blastgrid.exe" "$build/$arch/robot.exe" "$screens" "$prefix"
echo "Screenshots before and after: $screens"
