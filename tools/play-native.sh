#!/usr/bin/env bash
# Builds the native program (build/play-native: no tests, no MinGW, no
# Wine) and starts it. On a display (DISPLAY set) the game runs there until
# it is closed. Without one, a virtual display is started, Solver plays one
# game (F3), screenshots of the window before and after are saved, and the
# game is closed.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD:-build}/play-native
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBLASTGRID_TESTS=OFF >/dev/null
cmake --build "$build" -j "${JOBS:-$(nproc)}" --target blastgrid

if [ -n "${DISPLAY:-}" ]; then
  echo "Starting $build/blastgrid on $DISPLAY"
  exec "$build/blastgrid" "$@"
fi

screens=$(realpath -m "$build/screens")
echo "No display: Solver plays one game on a virtual display."
tools/display/virtual-display.sh python3 tests/robots/native-robot.py play "$build/blastgrid" "$screens"
