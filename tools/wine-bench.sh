#!/usr/bin/env bash
# The benchmark of pictures under Wine: builds Blastgrid.exe and the robot,
# then times new games of each size and Solve! runs on Expert in the real
# program on a virtual display. Prints figures; checks nothing about speed.
# Usage: tools/wine-bench.sh   (BUILD chooses the build folder, default build)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD:-build}
cmake -S . -B "$build/win32" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-i686.cmake >/dev/null
cmake --build "$build/win32" -j "${JOBS:-2}" --target Blastgrid robot
echo "Timing Blastgrid.exe under Wine on $(nproc) cores (load average: $(cut -d' ' -f1-3 /proc/loadavg))"
BLASTGRID_VIRTUAL_DISPLAY=1 BLASTGRID_SCREEN=1280x1024x24 \
  tools/wine-gui.sh bench "$build/win32/Blastgrid.exe" "$build/win32/robot.exe" "$build/win32/bench" \
  "$build/win32/wine-prefix-gui" | grep -E '^(BENCH|Solve! run|FAIL|note)' | sed 's/^BENCH //'
