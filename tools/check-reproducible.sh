#!/usr/bin/env bash
# Builds the released Blastgrid.exe twice, in two fresh build folders at
# different paths, packs each into its zip, and fails unless the two programs
# and the two zips are the same bytes.
# Usage: check-reproducible.sh WORK-FOLDER
set -euo pipefail
cd "$(dirname "$0")/.."
work=$(realpath -m "$1")
first=$work/first
second=$work/a/second/place
rm -rf "$work"
for folder in "$first" "$second"; do
  tools/build-release.sh "$folder/build"
  python3 tools/make_dist.py "$folder/build/Blastgrid.exe" "$folder/dist" >/dev/null
done
status=0
for file in build/Blastgrid.exe dist/Blastgrid-*-win32.zip; do
  sums=$(cd "$work" && sha256sum first/$file a/second/place/$file)
  echo "$sums"
  [ "$(echo "$sums" | cut -d' ' -f1 | uniq | wc -l)" -eq 1 ] || { echo "FAIL: the two builds differ: $file"; status=1; }
done
[ $status -eq 0 ] && echo "reproducible: both builds gave the same Blastgrid.exe and the same zip"
exit $status
