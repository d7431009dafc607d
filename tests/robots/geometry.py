"""The main window's client-area geometry, read from the game's own header
(view/geometry.h) so that the robots never hold a second copy of it."""
import os
import re
import sys

HEADER = os.path.join(os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__)))),
                      "view", "geometry.h")
CONSTANT = re.compile(r"^constexpr\s+int32_t\s+(\w+)\s*=\s*(-?\d+)\s*;", re.MULTILINE)


def view_geometry(*names):
    """The values of the named whole-number constants of view/geometry.h, in
    the order asked; exits with a message when one is missing, so a renamed
    constant stops the robot instead of leaving it with a stale number."""
    with open(HEADER, encoding="utf-8") as header:
        found = {name: int(value) for name, value in CONSTANT.findall(header.read())}
    missing = [name for name in names if name not in found]
    if missing:
        sys.exit(f"{HEADER} defines no constexpr {', '.join(missing)}")
    return [found[name] for name in names]
