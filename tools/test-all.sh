#!/usr/bin/env bash
# Builds both builds and runs every test: the native tests, the native tests
# again under AddressSanitizer and UndefinedBehaviorSanitizer, and the
# Windows build's tests under Wine, and builds the release and the Debian
# package twice to compare them. Prints the time each stage took.
set -euo pipefail
cd "$(dirname "$0")/.."

build=${BUILD:-build}
jobs=${JOBS:-$(nproc)}
summary=()

stage() {
  local name=$1
  shift
  local start=$SECONDS
  echo "=== $name"
  "$@"
  summary+=("$(printf '%-34s %4ds' "$name" $((SECONDS - start)))")
}

configure() {
  local dir=$1
  shift
  cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
}

native() {
  configure "$build/native"
  cmake --build "$build/native" -j "$jobs"
}

sanitize() {
  configure "$build/sanitize" -DBLASTGRID_SANITIZE=ON
  cmake --build "$build/sanitize" -j "$jobs"
}

# windows FOLDER TOOLCHAIN WINEARCH [CMAKE-OPTIONS...]: a Windows build and its Wine prefix.
windows() {
  local folder=$1 toolchain=$2 arch=$3
  shift 3
  configure "$build/$folder" -DCMAKE_TOOLCHAIN_FILE="cmake/$toolchain" "$@"
  cmake --build "$build/$folder" -j "$jobs"
  # A fresh Wine prefix is made once, before tests run side by side in it.
  WINEARCH=$arch tools/wine/wine-run.sh "$PWD/$build/$folder/wine-prefix" cmd /c exit >/dev/null 2>&1 || true
}

run_tests() {
  ctest --test-dir "$1" --output-on-failure -j "$jobs"
}

stage "native build" native
stage "native tests" run_tests "$build/native"
stage "web build" tools/web/web-build.sh "$build/web"
stage "web tests (headless chromium)" run_tests "$build/web"
stage "sanitizer build" sanitize
stage "sanitizer tests" run_tests "$build/sanitize"
stage "Windows build" windows win32 mingw-w64-i686.cmake win32
wine_build=$(tools/wine/wine-build.sh)
if [ "$wine_build" = win64 ]; then
  echo "This machine cannot run 32-bit programs, so neither can Wine: the Wine tests run"
  echo "the same sources built for 64-bit Windows ($build/win64)."
  stage "Windows 64-bit build" windows win64 mingw-w64-x86_64.cmake win64 \
    -DBLASTGRID_SHIPPED_EXE="$PWD/$build/win32/Blastgrid.exe"
fi
stage "Windows tests under Wine ($wine_build)" run_tests "$build/$wine_build"
stage "release and package, built twice" tools/release/check-reproducible.sh "$build/reproducible"
stage "reproducible web page, built twice" tools/release/check-web-reproducible.sh "$build/web-reproducible"

echo "=== all tests passed"
printf '%s\n' "${summary[@]}"
echo "Blastgrid.exe: $build/win32/Blastgrid.exe"
