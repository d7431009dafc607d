#!/usr/bin/env bash
# Builds Blastgrid.exe and starts it under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD:-build}
cmake -S . -B "$build/win32" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-i686.cmake >/dev/null
cmake --build "$build/win32" --target Blastgrid
echo "Blastgrid.exe is built at $build/win32/Blastgrid.exe, but the game itself is not there yet:"
echo "only its minefield model is built so far."
