#!/usr/bin/env bash
# Builds the web page twice, in two fresh build folders at different paths,
# packs each into its zip, and fails unless the two pages and the two zips
# are the same bytes.
# Usage: check-web-reproducible.sh WORK-FOLDER
set -euo pipefail
cd "$(dirname "$0")/../.."
work=$(realpath -m "$1")
first=$work/first
second=$work/a/second/place
rm -rf "$work"
for folder in "$first" "$second"; do
  tools/web/web-build.sh "$folder/build" >/dev/null
  python3 tools/release/make-web-dist.py "$folder/build/site" "$folder/dist" >/dev/null
done
status=0
for file in build/site/blastgrid.wasm build/site/blastgrid.js dist/Blastgrid-*-web.zip; do
  sums=$(cd "$work" && sha256sum first/$file a/second/place/$file)
  echo "$sums"
  [ "$(echo "$sums" | cut -d' ' -f1 | uniq | wc -l)" -eq 1 ] || { echo "FAIL: the two builds differ: $file"; status=1; }
done
[ $status -eq 0 ] && echo "reproducible: both builds gave the same page and the same zip"
exit $status
