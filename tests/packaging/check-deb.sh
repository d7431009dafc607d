#!/usr/bin/env bash
# Checks the native program's Debian package as a desktop would meet it:
# unpacks it into a scratch root, checks its fields, its Depends and its
# file list, that the desktop entry, metainfo, icons and manual page lie
# where the desktop and man look for them and pass their validators, that
# lintian finds no error or warning, and that the installed program shows
# its window on a virtual display and closes with status 0.
# Usage: check-deb.sh PACKAGE.deb VERSION SCRATCH-FOLDER
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
repository=$(cd "$here/../.." && pwd)
failures=0

check() {  # check DESCRIPTION COMMAND...: runs the command, prints ok or FAIL
  local what=$1
  shift
  if "$@"; then
    echo "ok   $what"
  else
    echo "FAIL $what"
    failures=$((failures + 1))
  fi
}

quietly() {  # quietly COMMAND...: its output only when it fails
  local output
  output=$("$@" 2>&1) && return 0
  sed 's/^/     /' <<<"$output"
  return 1
}

# The window: started from the scratch root on the virtual display, found by
# its title, its class compared with the desktop entry's, closed with Alt+F4.
if [ "${1:-}" = --window ]; then
  program=$2 class=$3 log=$4
  "$program" 2>"$log" &
  pid=$!
  window=$(timeout 30 xdotool search --sync --onlyvisible --name '^Blastgrid$' 2>/dev/null | head -1)
  check "the installed program shows its window \"Blastgrid\"" test -n "$window"
  if [ -n "$window" ]; then
    check "the window's class is the desktop entry's StartupWMClass ($class)" \
      bash -c "xprop -id '$window' WM_CLASS | grep -q '\"$class\"'"
    check "the window carries the program's icon" bash -c "xprop -id '$window' _NET_WM_ICON | grep -q 'Icon ('"
    xdotool windowfocus --sync "$window" key --clearmodifiers alt+F4
  fi
  for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  kill "$pid" 2>/dev/null
  wait "$pid"
  status=$?
  check "Alt+F4 closes it with status 0 (status $status)" test "$status" -eq 0
  exit $failures
fi

[ $# -eq 3 ] || { echo "usage: check-deb.sh PACKAGE.deb VERSION SCRATCH-FOLDER" >&2; exit 2; }
package=$1 version=$2 scratch=$(realpath -m "$3")
[ -f "$package" ] || { echo "FAIL no package at $package"; exit 1; }
root=$scratch/root
rm -rf "$scratch"
mkdir -p "$root"
dpkg-deb -x "$package" "$root" || { echo "FAIL dpkg-deb cannot unpack $package"; exit 1; }
app_id=org.blastgrid.blastgrid

# The control fields.
field() { dpkg-deb -f "$package" "$1"; }
check "Package: blastgrid" test "$(field Package)" = blastgrid
check "Version: $version" test "$(field Version)" = "$version"
check "Architecture: $(dpkg --print-architecture)" test "$(field Architecture)" = "$(dpkg --print-architecture)"
check "Section: games" test "$(field Section)" = games

# Depends: SDL2, SDL2_ttf and the DejaVu font, besides the C and C++
# runtime, fontconfig's library (which finds the font) and X's (for the
# display's Xft.dpi; SDL2 needs it anyway), and nothing else.
depends=$(field Depends | tr ',' '\n' | sed 's/^ *//; s/[ (].*//' | sort)
echo "     Depends: $(field Depends)"
allowed="fonts-dejavu-core libc6 libfontconfig1 libgcc-s1 libsdl2-2.0-0 libsdl2-ttf-2.0-0 libstdc++6 libx11-6"
for needed in libsdl2-2.0-0 libsdl2-ttf-2.0-0 fonts-dejavu-core; do
  check "it depends on $needed" grep -qx "$needed" <<<"$depends"
done
check "it depends on nothing else" test -z "$(comm -23 <(echo "$depends") <(tr ' ' '\n' <<<"$allowed" | sort))"

# The files, every one of them.
icons=$(for size in 16 24 32 48 64 128 256; do echo "usr/share/icons/hicolor/${size}x$size/apps/blastgrid.png"; done)
expected=$(sort <<EOF
usr/games/blastgrid
usr/share/applications/blastgrid.desktop
usr/share/doc/blastgrid/changelog.gz
usr/share/doc/blastgrid/copyright
$icons
usr/share/icons/hicolor/scalable/apps/blastgrid.svg
usr/share/man/man6/blastgrid.6.gz
usr/share/metainfo/$app_id.metainfo.xml
EOF
)
found=$(cd "$root" && find . -type f -o -type l | sed 's|^\./||' | sort)
check "the package holds exactly the expected files" test "$found" = "$expected"
[ "$found" = "$expected" ] || diff <(echo "$expected") <(echo "$found") | sed 's/^/     /'

# The program: where the desktop entry says, executable.
entry=$root/usr/share/applications/blastgrid.desktop
key() { sed -n "s/^$1=//p" "$entry"; }
check "the entry starts the installed program (Exec=$(key Exec))" test -x "$root$(key Exec)"
check "its TryExec is the same program" test "$(key TryExec)" = "$(key Exec)"
check "its categories are Game and LogicGame" grep -qx 'Categories=Game;LogicGame;' "$entry"
check "desktop-file-validate passes it" quietly desktop-file-validate "$entry"

# The icon the entry names, in the hicolor theme at every size, each PNG as
# large as its folder says.
check "the entry's icon is blastgrid" test "$(key Icon)" = blastgrid
png_size() {  # a PNG's width x height, from its header
  python3 -c 'import struct, sys; print("%dx%d" % struct.unpack(">II", open(sys.argv[1], "rb").read(24)[16:]))' \
    "$1" 2>/dev/null
}
for size in 16 24 32 48 64 128 256; do
  icon=$root/usr/share/icons/hicolor/${size}x$size/apps/blastgrid.png
  check "the ${size}x$size icon is ${size} by ${size} pixels" test "$(png_size "$icon")" = "${size}x$size"
done
check "the scalable icon is an SVG" grep -q '^<svg xmlns="http://www.w3.org/2000/svg"' \
  "$root/usr/share/icons/hicolor/scalable/apps/blastgrid.svg"

# The metainfo: named by its id, launching the entry, valid.
metainfo=$root/usr/share/metainfo/$app_id.metainfo.xml
check "the metainfo's id is its file's name" grep -q "<id>$app_id</id>" "$metainfo"
check "it launches blastgrid.desktop" grep -q '<launchable type="desktop-id">blastgrid.desktop</launchable>' "$metainfo"
check "it names MIT as the project's licence" \
  grep -q "<project_license>MIT</project_license>" "$metainfo"
check "it names the release $version" grep -q "<release version=\"$version\"" "$metainfo"
check "appstreamcli validates it" quietly appstreamcli validate --no-net --pedantic "$metainfo"
# The screenshots' entries, which need a web address: validated with one.
sed -e "s/@BLASTGRID_APP_ID@/$app_id/; s/@BLASTGRID_VERSION@/$version/; s/@BLASTGRID_RELEASE_DATE@/2026-01-01/" \
  -e 's|@BLASTGRID_SCREENSHOT_URL@|https://example.org/blastgrid|' \
  "$repository/resources/linux/blastgrid.metainfo.xml.in" >"$scratch/$app_id.metainfo.xml"
check "with screenshots published, appstreamcli validates it too" \
  quietly appstreamcli validate --no-net --pedantic "$scratch/$app_id.metainfo.xml"

# The manual page: found by man in section 6, and man reports nothing.
man_warnings=$(MANPATH=$root/usr/share/man MANROFFSEQ='' MANWIDTH=80 \
  man --warnings -E UTF-8 6 blastgrid 2>&1 >"$scratch/man.txt")
check "man finds blastgrid(6) in the package" grep -q '^BLASTGRID(6)' "$scratch/man.txt"
check "man --warnings reports nothing${man_warnings:+: $man_warnings}" test -z "$man_warnings"
for section in SYNOPSIS OPTIONS 'MOUSE AND KEYS' MENUS SOLVER ENVIRONMENT 'EXIT STATUS'; do
  check "the manual page has $section" grep -q "^$section" "$scratch/man.txt"
done

# The licence, in Debian's machine-readable form.
copyright=$root/usr/share/doc/blastgrid/copyright
check "the copyright file is machine-readable and names the Expat (MIT) licence" \
  bash -c "head -1 '$copyright' | grep -qx 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' &&
           grep -q '^License: Expat' '$copyright' && grep -q 'The Blastgrid developers' '$copyright'"

# lintian: no error, no warning.
lintian --fail-on error,warning "$package" >"$scratch/lintian.txt" 2>&1
lintian_status=$?
grep -v 'running with root privileges' "$scratch/lintian.txt" | sed 's/^/     /'
check "lintian reports no error and no warning" test "$lintian_status" -eq 0

# The program itself.
program=$root/usr/games/blastgrid
check "blastgrid --help prints the usage" bash -c "'$program' --help | grep -q '^Usage: blastgrid'"
if "$program" --help | grep -q -- --version; then
  check "blastgrid --version prints $version" bash -c "'$program' --version | grep -qw '$version'"
fi
BLASTGRID_SCREEN=1024x768x24 "$repository/tools/display/virtual-display.sh" \
  "$0" --window "$program" "$(key StartupWMClass)" "$scratch/program-stderr.log"
failures=$((failures + $?))

echo "$failures failed"
exit $((failures > 0))
