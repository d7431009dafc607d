#!/usr/bin/env bash
# Builds the released Blastgrid.exe twice, in two fresh build folders at
# different paths, packs each into its zip, and builds the Debian package
# from two clones of the last commit in two folders; fails unless the two
# programs, the two zips and the two packages are the same bytes.
# Usage: check-reproducible.sh WORK-FOLDER
set -euo pipefail
cd "$(dirname "$0")/../.."
work=$(realpath -m "$1")
first=$work/first
second=$work/a/second/place
commit=$(git rev-parse HEAD)
rm -rf "$work"
for folder in "$first" "$second"; do
  tools/release/build-release.sh "$folder/build"
  python3 tools/release/make-dist.py "$folder/build/Blastgrid.exe" "$folder/dist" >/dev/null
  git clone --quiet --no-checkout "$PWD" "$folder/clone"
  git -C "$folder/clone" checkout --quiet "$commit"
  (cd "$folder/clone" && tools/dist.sh deb >/dev/null)
done
status=0
for file in build/Blastgrid.exe dist/Blastgrid-*-win32.zip clone/dist/blastgrid_*.deb; do
  sums=$(cd "$work" && sha256sum first/$file a/second/place/$file)
  echo "$sums"
  [ "$(echo "$sums" | cut -d' ' -f1 | uniq | wc -l)" -eq 1 ] || { echo "FAIL: the two builds differ: $file"; status=1; }
done
[ $status -eq 0 ] && echo "reproducible: both builds gave the same Blastgrid.exe, the same zip and the same package"
exit $status
