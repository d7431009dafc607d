#!/usr/bin/env bash
# Configures and builds the Windows build that Wine runs on this machine (see
# wine-build.sh) in BUILD/win32 or BUILD/win64, with the targets named, and
# prints that folder.
# Usage: build-for-wine.sh BUILD TARGET...
set -euo pipefail
cd "$(dirname "$0")/../.."
arch=$(tools/wine/wine-build.sh)
toolchain=cmake/mingw-w64-i686.cmake
[ "$arch" = win64 ] && toolchain=cmake/mingw-w64-x86_64.cmake
folder=$1/$arch
shift
cmake -S . -B "$folder" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_TOOLCHAIN_FILE=$toolchain >/dev/null
cmake --build "$folder" -j "${JOBS:-$(nproc)}" --target "$@" >&2
echo "$folder"
