#!/usr/bin/env python3
"""Checks that the program's include arrows point one way.

The minefield model and Solver never include the shell, the view or the
custom-game window; the view never includes the shell. Every #include line of
every source file in those folders is read and resolved against the tree; a
wrong one is printed as file:line and the exit code is 1.

    tools/check-includes.py [--root DIR]   check a tree (default: this one)
    tools/check-includes.py --self-test    plant a wrong include in a scratch
                                           tree and make sure it is caught
"""
import argparse
import os
import re
import sys
import tempfile

# Folder -> the folders its files must never include.
FORBIDDEN = {
    "model": ("shell", "view", "custom"),
    "solver": ("shell", "view", "custom"),
    "view": ("shell",),
}

SOURCE_SUFFIXES = (".h", ".cpp")
INCLUDE = re.compile(r'^\s*#\s*include\s*[<"]([^>"]+)[>"]')


def included_folder(root, source, name):
    """The top-level folder of the tree that an include names, or None: the
    file next to the source when there is one, otherwise the path from the
    top of the tree (as the build's include path resolves it)."""
    beside = os.path.normpath(os.path.join(os.path.dirname(source), name))
    candidate = beside if os.path.exists(beside) or name.startswith(".") else os.path.join(root, name)
    relative = os.path.relpath(os.path.normpath(candidate), root)
    if relative.startswith(".."):
        return None
    return relative.split(os.sep)[0]


def wrong_includes(root):
    """(file, line number, text) of every include that points the wrong way."""
    found = []
    for folder, forbidden in sorted(FORBIDDEN.items()):
        top = os.path.join(root, folder)
        for directory, _, files in sorted(os.walk(top)):
            for file_name in sorted(files):
                if not file_name.endswith(SOURCE_SUFFIXES):
                    continue
                path = os.path.join(directory, file_name)
                with open(path, encoding="utf-8") as source:
                    for number, line in enumerate(source, 1):
                        match = INCLUDE.match(line)
                        if match and included_folder(root, path, match.group(1)) in forbidden:
                            found.append((os.path.relpath(path, root), number, line.strip()))
    return found


def check(root):
    found = wrong_includes(root)
    for path, number, text in found:
        print(f"{path}:{number}: wrong way: {text}")
    if not found:
        print("include arrows: model and solver below shell, view and custom; view below shell")
    return 1 if found else 0


def self_test():
    """A scratch tree with one wrong include of each kind must fail, each alone."""
    plants = [
        ("model/cell.h", '#include "shell/game.h"'),
        ("solver/solver.cpp", '#include "view/cell_view.h"'),
        ("solver/guess.cpp", '#include "custom/custom_window.h"'),
        ("view/face.cpp", '#include "shell/main_window.h"'),
        ("view/picture.h", '#include "../shell/game.h"'),
    ]
    allowed = [
        ("view/face.cpp", '#include "model/cell.h"'),
        ("shell/game.cpp", '#include "view/face.h"'),
        ("custom/custom_window.cpp", '#include "shell/game.h"'),
    ]
    failures = 0
    for plants_here, should_fail in [([plant], True) for plant in plants] + [(allowed, False)]:
        with tempfile.TemporaryDirectory() as root:
            for folder in ("model", "solver", "view", "shell", "custom"):
                os.makedirs(os.path.join(root, folder))
            for path, line in plants_here:
                with open(os.path.join(root, path), "a", encoding="utf-8") as source:
                    source.write(line + "\n")
            failed = bool(wrong_includes(root))
            if failed != should_fail:
                print(f"self-test: {plants_here} {'not caught' if should_fail else 'wrongly refused'}")
                failures += 1
    print(f"self-test: {len(plants)} wrong includes planted, {len(plants) - failures} caught")
    return 1 if failures else 0


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--root", default=os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
    parser.add_argument("--self-test", action="store_true")
    arguments = parser.parse_args()
    return self_test() if arguments.self_test else check(arguments.root)


if __name__ == "__main__":
    sys.exit(main())
