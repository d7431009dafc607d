# Sourced by the scripts that run Windows programs under Wine:
#   . tools/wine/wine-env.sh PREFIX
# sets up the Wine environment for the prefix (made on first use) and puts
# the Wine loader in $wine. WINEARCH chooses win32 (the default) or win64.
# Debian's wine command always takes the 32-bit loader when it is installed,
# even where it cannot start, so a 64-bit prefix names its loader itself.
export WINEPREFIX=$(realpath -m "$1")
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=${WINEARCH:-win32}
if [ "$WINEARCH" = win64 ]; then
  wine=/usr/lib/wine/wine64
  export WINELOADER=$wine
else
  wine=wine
fi
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  mkdir -p "$WINEPREFIX"
  "$wine" wineboot.exe -i >/dev/null 2>&1 || true
fi
