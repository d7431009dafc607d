#!/usr/bin/env bash
# Builds the Blastgrid.exe that is released: the 32-bit game alone, optimised,
# without debug information or tests. The build is reproducible: the same
# commit gives the same bytes in any folder at any time.
# Usage: build-release.sh BUILD-FOLDER   (the program lands in BUILD-FOLDER/Blastgrid.exe)
set -euo pipefail
cd "$(dirname "$0")/../.."
folder=$1
cmake -S . -B "$folder" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBLASTGRID_TESTS=OFF \
  -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-i686.cmake >/dev/null
cmake --build "$folder" -j "${JOBS:-$(nproc)}" --target Blastgrid >/dev/null
