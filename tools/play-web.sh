#!/usr/bin/env bash
# Builds the web page (build/web/site) and serves it on 127.0.0.1 with
# Python's static server, printing the address. With a display (DISPLAY
# set) it serves until stopped (Ctrl+C) and opens the address in the
# desktop's browser where it can. Without one, Debian's chromium opens the
# page headless, Solver plays one game (F3), screenshots before and after
# are saved to build/web/screens/, the server stops and the script exits 0.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD:-build}/web
tools/web/web-build.sh "$build"
site=$(realpath "$build/site")

if [ -n "${DISPLAY:-}" ]; then
  port=${BLASTGRID_PORT:-8000}
  echo "Blastgrid: http://127.0.0.1:$port/  (Ctrl+C stops the server)"
  if command -v xdg-open >/dev/null; then
    (sleep 1 && xdg-open "http://127.0.0.1:$port/" >/dev/null 2>&1) &
  fi
  exec python3 -m http.server "$port" --bind 127.0.0.1 --directory "$site"
fi

screens=$(realpath -m "$build/screens")
echo "No display: Solver plays one game in headless chromium."
tests/robots/web-robot.sh play "$site" "$screens"
echo "Screenshots before and after: $screens"
