#!/usr/bin/env bash
# Builds the web page with Debian's emscripten into BUILD-FOLDER/site (by
# default build/web/site): index.html, style.css, page.js, blastgrid.js and
# blastgrid.wasm, a static site for any web server.
# Usage: web-build.sh [BUILD-FOLDER]
set -euo pipefail
cd "$(dirname "$0")/../.."
folder=${1:-${BUILD:-build}/web}
cmake -S . -B "$folder" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE=cmake/emscripten.cmake >/dev/null
cmake --build "$folder" -j "${JOBS:-$(nproc)}" --target blastgrid-web
