#!/usr/bin/env bash
# make dist: builds the released Blastgrid.exe and packs it with the players'
# README.txt and SHA256SUMS into dist/Blastgrid-<version>-win32.zip; builds
# the web page and packs it likewise into dist/Blastgrid-<version>-web.zip.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD:-build}
tools/build-release.sh "$build/release"
python3 tools/make_dist.py "$build/release/Blastgrid.exe" dist
tools/web-build.sh "$build/web-release" >/dev/null
python3 tools/make_web_dist.py "$build/web-release/site" dist
