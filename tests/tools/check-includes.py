#!/usr/bin/env python3
"""Checks that the program's include arrows point one way.

The minefield model and Solver never include the shell, the view or the
custom-game window; the view never includes the shell. The platform layer
includes no game folder. A presenter reaches the window system only through
its driver interface (platform/portable/driver.h), never its test controls
or its insides; SDL is included only by the desktop presenter. Every
#include line of every source file in those folders is read and resolved
against the tree; a wrong one is printed as file:line and the exit code is 1.

    tests/tools/check-includes.py [--root DIR]   check a tree (default: this one)
    tests/tools/check-includes.py --self-test    plant a wrong include in a scratch
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
    "platform": ("model", "solver", "shell", "view", "custom"),
}

# Presenters' folders -> the only file of platform/portable they may include.
PRESENTERS = ("platform/desktop", "platform/web")
DRIVER_INTERFACE = "platform/portable/driver.h"
# SDL's headers, which only the desktop presenter includes.
SDL_HEADER = re.compile(r"^SDL[_.]|^SDL2/")
SDL_FOLDER = "platform/desktop"

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


def included_path(root, source, name):
    """The path from the top of the tree of what an include names."""
    beside = os.path.normpath(os.path.join(os.path.dirname(source), name))
    candidate = beside if os.path.exists(beside) or name.startswith(".") else os.path.join(root, name)
    return os.path.relpath(os.path.normpath(candidate), root).replace(os.sep, "/")


def source_files(root, folder):
    for directory, _, files in sorted(os.walk(os.path.join(root, folder))):
        for file_name in sorted(files):
            if file_name.endswith(SOURCE_SUFFIXES):
                yield os.path.join(directory, file_name)


def includes(path):
    with open(path, encoding="utf-8") as source:
        for number, line in enumerate(source, 1):
            match = INCLUDE.match(line)
            if match:
                yield number, line.strip(), match.group(1)


def wrong_includes(root):
    """(file, line number, text) of every include that points the wrong way."""
    found = []
    for folder, forbidden in sorted(FORBIDDEN.items()):
        for path in source_files(root, folder):
            for number, text, name in includes(path):
                if included_folder(root, path, name) in forbidden:
                    found.append((os.path.relpath(path, root), number, text))
    for folder in PRESENTERS:
        for path in source_files(root, folder):
            for number, text, name in includes(path):
                target = included_path(root, path, name)
                if target.startswith("platform/portable/") and target != DRIVER_INTERFACE:
                    found.append((os.path.relpath(path, root), number, text))
    for path in source_files(root, "."):
        relative = os.path.relpath(path, root).replace(os.sep, "/")
        if relative.startswith(SDL_FOLDER + "/") or relative.startswith(("build/", "tests/", ".")):
            continue
        for number, text, name in includes(path):
            if SDL_HEADER.match(name):
                found.append((relative, number, text))
    return found


def check(root):
    found = wrong_includes(root)
    for path, number, text in found:
        print(f"{path}:{number}: wrong way: {text}")
    if not found:
        print("include arrows: model and solver below shell, view and custom; view below shell; platform below "
              "the game; presenters through driver.h; SDL only in the desktop presenter")
    return 1 if found else 0


def self_test():
    """A scratch tree with one wrong include of each kind must fail, each alone."""
    plants = [
        ("model/cell.h", '#include "shell/game.h"'),
        ("solver/solver.cpp", '#include "view/cell_view.h"'),
        ("solver/guess.cpp", '#include "custom/custom_window.h"'),
        ("view/face.cpp", '#include "shell/main_window.h"'),
        ("view/picture.h", '#include "../shell/game.h"'),
        ("platform/portable/windows.cpp", '#include "shell/game.h"'),
        ("platform/desktop/presenter.cpp", '#include "platform/portable/testing.h"'),
        ("platform/desktop/presenter.cpp", '#include "../portable/window_system.h"'),
        ("platform/web/presenter.cpp", '#include "platform/portable/testing.h"'),
        ("platform/portable/input.cpp", "#include <SDL.h>"),
        ("shell/main_loop.cpp", "#include <SDL2/SDL.h>"),
    ]
    allowed = [
        ("view/face.cpp", '#include "model/cell.h"'),
        ("shell/game.cpp", '#include "view/face.h"'),
        ("custom/custom_window.cpp", '#include "shell/game.h"'),
        ("platform/desktop/presenter.cpp", '#include "platform/portable/driver.h"'),
        ("platform/desktop/presenter.cpp", "#include <SDL_ttf.h>"),
        ("platform/portable/windows.cpp", '#include "platform/portable/testing.h"'),
    ]
    failures = 0
    for plants_here, should_fail in [([plant], True) for plant in plants] + [(allowed, False)]:
        with tempfile.TemporaryDirectory() as root:
            for folder in ("model", "solver", "view", "shell", "custom", "platform/portable", "platform/desktop",
                           "platform/web"):
                os.makedirs(os.path.join(root, folder))
            for target in ("platform/portable/driver.h", "platform/portable/testing.h",
                           "platform/portable/window_system.h"):
                open(os.path.join(root, target), "w").close()
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
    parser.add_argument("--root", default=os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__)))))
    parser.add_argument("--self-test", action="store_true")
    arguments = parser.parse_args()
    return self_test() if arguments.self_test else check(arguments.root)


if __name__ == "__main__":
    sys.exit(main())
