#!/usr/bin/env bash
# Prints which Windows build Wine runs on this machine. win32, the game as it
# ships, wherever the machine runs 32-bit x86 programs natively. Otherwise
# win64, the same sources built for 64-bit Windows: some kernels are built
# without 32-bit support, and 32-bit Wine cannot start there (through an
# emulator it would, but far too slowly for the tests).
# BLASTGRID_WINE_BUILD=win32|win64 chooses for the caller.
if [ -n "${BLASTGRID_WINE_BUILD:-}" ]; then
  echo "$BLASTGRID_WINE_BUILD"
  exit 0
fi
loader=/usr/lib/i386-linux-gnu/ld-linux.so.2
if [ -x "$loader" ] && "$loader" --version >/dev/null 2>&1 && ! grep -qs qemu /proc/sys/fs/binfmt_misc/qemu-i386; then
  echo win32
else
  echo win64
fi
