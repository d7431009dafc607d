#!/usr/bin/env bash
# The benchmark of the native program: builds it, then times a new 49 x 49
# game on screen and Solve! runs of Expert to their end, with the frames
# shown per second while Solver plays, and measures resident memory and
# processor time at rest and with the pointer moving, at zoom 1 and 2, on a
# virtual display. Prints figures;
# checks nothing about speed. Compare with tools/bench/wine-bench.sh on the same
# machine.
# Usage: tools/bench/native-bench.sh   (BUILD chooses the build folder, default build)
set -euo pipefail
cd "$(dirname "$0")/../.."
build=${BUILD:-build}/play-native
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBLASTGRID_TESTS=OFF >/dev/null
cmake --build "$build" -j "${JOBS:-$(nproc)}" --target blastgrid >&2
echo "Timing $build/blastgrid on $(nproc) cores (load average: $(cut -d' ' -f1-3 /proc/loadavg))"
BLASTGRID_SCREEN=1280x1024x24 tools/display/virtual-display.sh \
  python3 tests/robots/native-robot.py bench "$build/blastgrid" "$build/bench" | grep -E 'new 49|Solve!|FAIL'
for zoom in 1 2; do
  BLASTGRID_SCREEN=1280x1024x24 tools/display/virtual-display.sh \
    python3 tests/robots/native-robot.py resources "$build/blastgrid" "$build/bench" --zoom "$zoom" |
    grep -E 'resident|FAIL'
done
