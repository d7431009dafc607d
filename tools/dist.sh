#!/usr/bin/env bash
# make dist: builds the released Blastgrid.exe and packs it with the players'
# README.txt, the licence and SHA256SUMS into dist/Blastgrid-<version>-win32.zip;
# builds the web page and packs it likewise into dist/Blastgrid-<version>-web.zip.
# make deb (tools/dist.sh deb [OUTPUT-FOLDER]): builds the native program's
# Debian package with debhelper, dist/blastgrid_<version>_<architecture>.deb.
# Both are reproducible: the same commit gives the same bytes in any folder.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD:-build}

zips() {
  tools/release/build-release.sh "$build/release"
  python3 tools/release/make-dist.py "$build/release/Blastgrid.exe" dist
  tools/web/web-build.sh "$build/web-release" >/dev/null
  python3 tools/release/make-web-dist.py "$build/web-release/site" dist
}

# The package is built from a copy of the files the repository tracks (with
# any changes not yet committed, and new files not ignored), in
# $build/deb/blastgrid-<version>, where Debian's tools write their work. Its
# changelog is written there from the VERSION file; its date, the files'
# dates and the metainfo's release date are those of the last commit.
debian_package() {
  local output=${1:-dist} version work source arch
  version=$(cat VERSION)
  arch=$(dpkg --print-architecture)
  work=$(realpath -m "$build/deb")
  source=$work/blastgrid-$version
  rm -rf "$work"
  mkdir -p "$source"
  git ls-files -z --cached --others --exclude-standard --deduplicate |
    while IFS= read -r -d '' file; do [ -e "$file" ] && printf '%s\0' "$file"; done |
    tar -c --null -T - | tar -x -C "$source"

  export LC_ALL=C.UTF-8 TZ=UTC
  export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct)}
  find "$source" -exec touch -h -d "@$SOURCE_DATE_EPOCH" {} +
  local maintainer
  maintainer=$(sed -n 's/^Maintainer: //p' debian/control)
  cat >"$source/debian/changelog" <<EOF
blastgrid ($version) unstable; urgency=medium

  * Blastgrid $version.

 -- $maintainer  $(date -u -R -d "@$SOURCE_DATE_EPOCH")
EOF
  export DEB_BUILD_OPTIONS="${DEB_BUILD_OPTIONS:+$DEB_BUILD_OPTIONS }parallel=${JOBS:-$(nproc)}"
  (cd "$source" && dpkg-buildpackage --build=binary --no-sign >"$work/build.log" 2>&1) || {
    tail -40 "$work/build.log"
    echo "dist.sh: the package did not build; the whole log is $work/build.log" >&2
    exit 1
  }
  mkdir -p "$output"
  cp "$work/blastgrid_${version}_$arch.deb" "$output/"
  sha256sum "$output/blastgrid_${version}_$arch.deb"
}

case "${1:-zip}" in
  zip) zips ;;
  deb) debian_package "${2:-}" ;;
  *) echo "usage: dist.sh [zip | deb [OUTPUT-FOLDER]]" >&2; exit 2 ;;
esac
