#!/usr/bin/env bash
# Installs the Debian packages that Blastgrid's builds and tests need, and
# only those that are missing: with everything installed it changes nothing.
# With the argument "native", only those of the native program: no MinGW,
# no Wine and no i386 architecture. With "package", those and Debian's tools
# that build and check its package (make deb); with "web", only those of the
# web page.
# Runs apt-get as root, or through sudo for other users.
set -euo pipefail

# What the native program needs to build and run, and to play one game on a
# virtual display when there is no display.
native_packages=(
  cmake ninja-build g++ pkg-config libstb-dev python3
  libsdl2-dev libsdl2-ttf-dev libx11-dev libfontconfig-dev fonts-dejavu-core
  xvfb xdotool imagemagick
)
# What building the native program's Debian package and checking it add.
package_packages=(
  "${native_packages[@]}"
  debhelper lintian desktop-file-utils appstream man-db
)
# The web page: Debian's emscripten (its clang, binaryen, node and node's
# acorn), and the headless browser with its WebDriver for the page's tests.
web_packages=(
  emscripten binaryen nodejs node-acorn
  chromium chromium-driver python3-selenium
)
# Everything else the tests and the Windows build need.
packages=(
  "${package_packages[@]}"
  "${web_packages[@]}"
  libgtest-dev googletest x11-utils
  g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix binutils-mingw-w64-i686
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  wine wine32:i386 wine64
)
# "native": only what the native program needs (make play-native, make
# install); "package": what make deb needs; "web": what the web page needs
# (make play-web).
case "${1:-}" in
  native) packages=("${native_packages[@]}") ;;
  package) packages=("${package_packages[@]}") ;;
  web) packages=(cmake ninja-build python3 libstb-dev "${web_packages[@]}") ;;
esac

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

installed() {
  dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"
}

missing=()
for package in "${packages[@]}"; do
  installed "$package" || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
# The 32-bit Wine needs Debian's i386 architecture, added once.
if printf '%s\n' "${missing[@]}" | grep -q ':i386$' && ! dpkg --print-foreign-architectures | grep -qx i386; then
  as_root dpkg --add-architecture i386
fi
as_root apt-get update -qq
as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
