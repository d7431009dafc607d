#!/usr/bin/env python3
"""Packs the released web page into dist/Blastgrid-<version>-web.zip with the
players' README.txt, the licence (LICENSE.txt) and SHA256SUMS. The zip is reproducible as the Windows
one is: its entries come in a fixed order with fixed time stamps and
attributes, so the same page gives the same bytes.

Usage: make-web-dist.py SITE-FOLDER OUTPUT-FOLDER
"""
import pathlib
import sys

from release_zip import write_release_zip

ROOT = pathlib.Path(__file__).resolve().parents[2]
PAGE_FILES = ("index.html", "style.css", "page.js", "blastgrid.js", "blastgrid.wasm")


def main():
    if len(sys.argv) != 3:
        sys.exit("usage: make-web-dist.py SITE-FOLDER OUTPUT-FOLDER")
    site, out_folder = pathlib.Path(sys.argv[1]), pathlib.Path(sys.argv[2])
    version = (ROOT / "VERSION").read_text(encoding="ascii").strip()
    missing = [name for name in PAGE_FILES if not (site / name).is_file()]
    if missing:
        sys.exit(f"make-web-dist.py: {site} lacks {', '.join(missing)}: build the page first (tools/web/web-build.sh)")

    files = {name: (site / name).read_bytes() for name in PAGE_FILES}
    readme = (ROOT / "resources" / "player-readme-web.txt").read_text(encoding="utf-8")
    files["README.txt"] = readme.replace("@VERSION@", version).encode("utf-8")
    files["LICENSE.txt"] = (ROOT / "LICENSE").read_bytes()
    write_release_zip(files, out_folder / f"Blastgrid-{version}-web.zip")


if __name__ == "__main__":
    main()
