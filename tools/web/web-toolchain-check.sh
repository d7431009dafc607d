#!/usr/bin/env bash
# Shows that Debian's emscripten works as the web build uses it: a C++
# program that sleeps through Asyncify, compiled with emcc and run on node.
# Usage: web-toolchain-check.sh WORK-FOLDER
set -euo pipefail
work=$1
mkdir -p "$work"
cat >"$work/hello.cpp" <<'PROGRAM'
#include <cstdio>
#include <emscripten.h>
int main()
{
    std::printf("before the sleep\n");
    emscripten_sleep(20);
    std::printf("after the sleep\n");
    return 0;
}
PROGRAM
# Debian's node modules (acorn) for emcc's JavaScript passes, on any node.
export NODE_PATH=/usr/share/nodejs
emcc -O2 -sASYNCIFY "$work/hello.cpp" -o "$work/hello.js"
# This emscripten loads its WebAssembly with fetch where node has it, which
# node cannot do from a file: the older way, then.
output=$(node --no-experimental-fetch "$work/hello.js")
expected=$'before the sleep\nafter the sleep'
if [ "$output" != "$expected" ]; then
  echo "FAIL: the program said: $output"
  exit 1
fi
echo "emcc builds a program that sleeps through Asyncify, and node runs it"
