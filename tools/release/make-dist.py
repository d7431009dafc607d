#!/usr/bin/env python3
"""Packs a released Blastgrid.exe into dist/Blastgrid-<version>-win32.zip with
the players' README.txt and the licence, LICENSE.txt (both with CRLF line
ends, as Windows editors expect), and SHA256SUMS. The zip is reproducible: its entries come in a fixed order with
fixed time stamps and attributes, so the same program gives the same bytes.

Usage: make-dist.py BLASTGRID.EXE OUTPUT-FOLDER
"""
import pathlib
import sys

from release_zip import write_release_zip

ROOT = pathlib.Path(__file__).resolve().parents[2]


def windows_text(text):
    return text.replace("\r\n", "\n").replace("\n", "\r\n").encode("ascii")


def players_readme(version):
    text = (ROOT / "resources" / "player-readme.txt").read_text(encoding="ascii")
    return windows_text(text.replace("@VERSION@", version))


def main():
    if len(sys.argv) != 3:
        sys.exit("usage: make-dist.py BLASTGRID.EXE OUTPUT-FOLDER")
    exe_path, out_folder = pathlib.Path(sys.argv[1]), pathlib.Path(sys.argv[2])
    version = (ROOT / "VERSION").read_text(encoding="ascii").strip()
    if not exe_path.is_file():
        sys.exit(f"make-dist.py: no program at {exe_path}")

    files = {
        "Blastgrid.exe": exe_path.read_bytes(),
        "README.txt": players_readme(version),
        "LICENSE.txt": windows_text((ROOT / "LICENSE").read_text(encoding="ascii")),
    }
    write_release_zip(files, out_folder / f"Blastgrid-{version}-win32.zip")


if __name__ == "__main__":
    main()
