#!/usr/bin/env bash
# The benchmark of pictures under Wine: builds Blastgrid.exe and the robot,
# then times new games of each size and Solve! runs on Expert in the real
# program on a virtual display. Prints figures; checks nothing about speed.
# Usage: tools/bench/wine-bench.sh   (BUILD chooses the build folder, default build)
set -euo pipefail
cd "$(dirname "$0")/../.."
folder=$(tools/wine/build-for-wine.sh "${BUILD:-build}" Blastgrid robot)
export WINEARCH=${folder##*/}
echo "Timing $folder/Blastgrid.exe under Wine on $(nproc) cores (load average: $(cut -d' ' -f1-3 /proc/loadavg))"
BLASTGRID_VIRTUAL_DISPLAY=1 BLASTGRID_SCREEN=1280x1024x24 \
  tools/wine/wine-gui.sh bench "$folder/Blastgrid.exe" "$folder/robot.exe" "$folder/bench" "$folder/wine-prefix-gui" |
  grep -E '^(BENCH|Solve! run|FAIL|note)' | sed 's/^BENCH //'
