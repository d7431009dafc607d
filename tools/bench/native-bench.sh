#!/usr/bin/env bash
# The benchmark of the native program: builds it, then times new games on
# screen on 49 x 49 and on Expert (median and maximum) and Solve! runs of
# both to their end, with the frames shown per second while Solver plays,
# and measures resident memory and processor time at rest and with the
# pointer moving, at zoom 1 and 2, on a virtual display. Prints figures;
# checks nothing about speed. Compare with tools/bench/wine-bench.sh on the same
# machine.
# With BEFORE set to another build of the program (an older one), that
# program is timed too, in the same run and on the same display, first,
# and each figure says which program it is of.
# Usage: tools/bench/native-bench.sh   (BUILD chooses the build folder, default build;
#        BEFORE=path/to/older/blastgrid adds its figures)
set -euo pipefail
cd "$(dirname "$0")/../.."
build=${BUILD:-build}/play-native
before=${BEFORE:-}
if [ -n "$before" ] && [ ! -x "$before" ]; then
  echo "native-bench.sh: BEFORE=$before is not a program" >&2
  exit 2
fi
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBLASTGRID_TESTS=OFF >/dev/null
cmake --build "$build" -j "${JOBS:-$(nproc)}" --target blastgrid >&2
echo "Timing $build/blastgrid on $(nproc) cores (load average: $(cut -d' ' -f1-3 /proc/loadavg))"
figures='new 49|new Expert|Solve!|FAIL'
if [ -n "$before" ]; then
  echo "Before: $before"
  BLASTGRID_SCREEN=1280x1024x24 tools/display/virtual-display.sh \
    python3 tests/robots/native-robot.py bench "$before" "$build/bench-before" --label before | grep -E "$figures"
  BLASTGRID_SCREEN=1280x1024x24 tools/display/virtual-display.sh \
    python3 tests/robots/native-robot.py bench "$build/blastgrid" "$build/bench" --label after | grep -E "$figures"
  echo "(load average at the end: $(cut -d' ' -f1-3 /proc/loadavg))"
else
  BLASTGRID_SCREEN=1280x1024x24 tools/display/virtual-display.sh \
    python3 tests/robots/native-robot.py bench "$build/blastgrid" "$build/bench" | grep -E "$figures"
fi
for zoom in 1 2; do
  BLASTGRID_SCREEN=1280x1024x24 tools/display/virtual-display.sh \
    python3 tests/robots/native-robot.py resources "$build/blastgrid" "$build/bench" --zoom "$zoom" |
    grep -E 'resident|FAIL'
done
