#!/usr/bin/env bash
# Runs a Windows program under Wine with the build's own Wine prefix.
# Usage: wine-run.sh PREFIX PROGRAM [ARGUMENTS...]
# WINEARCH=win64 runs a 64-bit program in a 64-bit prefix; win32 is the default.
set -euo pipefail
. "$(dirname "$0")/wine-env.sh" "$1"
shift
exec "$wine" "$@"
