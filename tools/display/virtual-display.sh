#!/usr/bin/env bash
# Runs a command on a virtual X display of its own: Xvfb of BLASTGRID_SCREEN
# pixels (default 1024x768x24, 24-bit colour), on the first free display
# number from :91 on. When WINEPREFIX is set, that prefix's Wine is
# stopped before the display goes away, as a Wine desktop cannot outlive its
# display. Exits with the command's status.
# Usage: virtual-display.sh COMMAND [ARGUMENTS...]
set -uo pipefail

for number in $(seq 91 140); do
  [ -e "/tmp/.X11-unix/X$number" ] || [ -e "/tmp/.X$number-lock" ] || break
done
Xvfb ":$number" -screen 0 "${BLASTGRID_SCREEN:-1024x768x24}" -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null; wait "$xvfb" 2>/dev/null' EXIT
export DISPLAY=":$number"
for _ in $(seq 100); do [ -e "/tmp/.X11-unix/X$number" ] && break; sleep 0.1; done

"$@"
status=$?
if [ -n "${WINEPREFIX:-}" ]; then
  WINEPREFIX=$(realpath -m "$WINEPREFIX") wineserver -k 2>/dev/null
fi
exit $status
