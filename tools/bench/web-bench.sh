#!/usr/bin/env bash
# Prints the web page's figures (a benchmark, not a test), in Debian's
# headless chromium on this machine: the page's size, compressed and not,
# the time from navigation to the first board drawn, a new 49 x 49 game
# from F2 to the board drawn, and the frames drawn a second while Solver
# plays 49 x 49 and Expert. Log in build/web/bench/.
set -euo pipefail
cd "$(dirname "$0")/../.."
build=${BUILD:-build}/web
tools/web/web-build.sh "$build" >/dev/null
tests/robots/web-robot.sh bench "$build/site" "$build/bench"
