#!/usr/bin/env bash
# Builds both builds and runs every test: the native tests, the native tests
# again under AddressSanitizer and UndefinedBehaviorSanitizer, and the
# Windows build's tests under Wine. Prints the time each stage took.
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

windows() {
  configure "$build/win32" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-i686.cmake
  cmake --build "$build/win32" -j "$jobs"
  # A fresh Wine prefix is made once, before tests run side by side in it.
  tools/wine-run.sh "$PWD/$build/win32/wine-prefix" cmd /c exit >/dev/null 2>&1 || true
}

run_tests() {
  ctest --test-dir "$1" --output-on-failure -j "$jobs"
}

stage "native build" native
stage "native tests" run_tests "$build/native"
stage "sanitizer build" sanitize
stage "sanitizer tests" run_tests "$build/sanitize"
stage "Windows build" windows
stage "Windows tests under Wine" run_tests "$build/win32"

echo "=== all tests passed"
printf '%s\n' "${summary[@]}"
echo "Blastgrid.exe: $build/win32/Blastgrid.exe"
