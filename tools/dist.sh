#!/usr/bin/env bash
# make dist: builds the released Blastgrid.exe and packs it with the players'
# README.txt and SHA256SUMS into dist/Blastgrid-<version>-win32.zip.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD:-build}
tools/build-release.sh "$build/release"
python3 tools/make_dist.py "$build/release/Blastgrid.exe" dist
