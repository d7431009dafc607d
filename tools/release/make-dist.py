#!/usr/bin/env python3
"""Packs a released Blastgrid.exe into dist/Blastgrid-<version>-win32.zip with
the players' README.txt and the licence, LICENSE.txt (both with CRLF line
ends, as Windows editors expect), and SHA256SUMS. The zip is reproducible: its entries come in a fixed order with
fixed time stamps and attributes, so the same program gives the same bytes.

Usage: make-dist.py BLASTGRID.EXE OUTPUT-FOLDER
"""
import hashlib
import pathlib
import sys
import zipfile

ROOT = pathlib.Path(__file__).resolve().parents[2]
# Zip time stamps are local dates from 1980 on; one fixed date for every entry.
FIXED_DATE = (2026, 1, 1, 0, 0, 0)


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
    sums = "".join(f"{hashlib.sha256(data).hexdigest()}  {name}\n" for name, data in sorted(files.items()))
    files["SHA256SUMS"] = sums.encode("ascii")

    out_folder.mkdir(parents=True, exist_ok=True)
    zip_path = out_folder / f"Blastgrid-{version}-win32.zip"
    partial = zip_path.with_suffix(".zip.partial")
    with zipfile.ZipFile(partial, "w") as archive:
        for name in sorted(files):
            entry = zipfile.ZipInfo(name, FIXED_DATE)
            entry.create_system = 0  # as made on Windows: no Unix permissions recorded
            entry.external_attr = 0
            entry.compress_type = zipfile.ZIP_DEFLATED
            archive.writestr(entry, files[name], compresslevel=9)
    partial.replace(zip_path)
    print(f"{hashlib.sha256(zip_path.read_bytes()).hexdigest()}  {zip_path}")


if __name__ == "__main__":
    main()
