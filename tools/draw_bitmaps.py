#!/usr/bin/env python3
"""Draw Blastgrid's bitmaps and icon from shapes.

Every picture is drawn here from rectangles, convex polygons, disks and
lines on an RGB canvas, then written as an uncompressed 24-bit BMP (the
field squares, LED digits and faces) or as a 32 by 32 16-colour ICO.

    python3 tools/draw_bitmaps.py                write resources/bitmaps/*.bmp and resources/icon.ico
    python3 tools/draw_bitmaps.py --check        compare the files on disk with a fresh drawing
    python3 tools/draw_bitmaps.py --preview DIR  write enlarged PNG previews into DIR (resources untouched)

Coordinates are pixel positions: (0, 0) is the top-left pixel, x grows to
the right and y downwards, and a shape covers every pixel whose centre lies
inside it or on its edge.  The output depends on nothing but this file.
"""

import argparse
import math
import os
import struct
import sys
import zlib

# The standard 16-colour palette, in the order the icon stores it.
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, MAROON, GREEN, OLIVE, NAVY, PURPLE, TEAL, SILVER = PALETTE[:8]
GREY, RED, LIME, YELLOW, BLUE, FUCHSIA, AQUA, WHITE = PALETTE[8:]

# Colours of the numbers 1 to 8 on uncovered squares.
NUMBER_COLOURS = [None, BLUE, GREEN, RED, NAVY, MAROON, TEAL, BLACK, GREY]

LED_LIT = RED
LED_UNLIT = (64, 0, 0)      # dim enough that the lit digit stands out


class Canvas:
    """A width by height RGB picture."""

    def __init__(self, width, height, colour=SILVER):
        self.width = width
        self.height = height
        self.rows = [[colour] * width for _ in range(height)]

    def put(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.rows[y][x] = colour

    def rect(self, x0, y0, x1, y1, colour):
        """Fill the pixels from (x0, y0) to (x1, y1), both corners included."""
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.put(x, y, colour)

    def polygon(self, points, colour):
        """Fill a convex polygon given by its corners, edges included."""
        ys = [p[1] for p in points]
        for y in range(max(0, math.ceil(min(ys))), min(self.height - 1, math.floor(max(ys))) + 1):
            xs = []
            for (xa, ya), (xb, yb) in zip(points, points[1:] + points[:1]):
                if ya == yb == y:
                    xs += [xa, xb]
                elif min(ya, yb) <= y <= max(ya, yb) and ya != yb:
                    xs.append(xa + (y - ya) * (xb - xa) / (yb - ya))
            if xs:
                # A small tolerance keeps pixels whose centre lies on an edge.
                for x in range(math.ceil(min(xs) - 1e-9), math.floor(max(xs) + 1e-9) + 1):
                    self.put(x, y, colour)

    def disk(self, cx, cy, radius, colour, rim=None):
        """Fill every pixel within radius of the point (cx, cy).  With `rim`,
        the disk's edge pixels (those with a neighbour above, below, left or
        right outside the disk) take that colour: a one-pixel outline."""
        def inside(x, y):
            return (x - cx) ** 2 + (y - cy) ** 2 <= radius ** 2
        for y in range(self.height):
            for x in range(self.width):
                if inside(x, y):
                    edge = not all(inside(x + dx, y + dy)
                                   for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)))
                    self.put(x, y, rim if rim and edge else colour)

    def line(self, x0, y0, x1, y1, colour):
        """A one-pixel line from (x0, y0) to (x1, y1), ends included."""
        steps = max(abs(x1 - x0), abs(y1 - y0), 1)
        for i in range(steps + 1):
            self.put(round(x0 + (x1 - x0) * i / steps), round(y0 + (y1 - y0) * i / steps), colour)

    def polyline(self, points, colour):
        """One-pixel lines joining the points in turn."""
        for (xa, ya), (xb, yb) in zip(points, points[1:]):
            self.line(xa, ya, xb, yb, colour)

    def frame(self, colour):
        """A one-pixel border round the whole picture."""
        self.rect(0, 0, self.width - 1, 0, colour)
        self.rect(0, self.height - 1, self.width - 1, self.height - 1, colour)
        self.rect(0, 0, 0, self.height - 1, colour)
        self.rect(self.width - 1, 0, self.width - 1, self.height - 1, colour)

    def bevel(self, x0, y0, x1, y1, width, light, dark):
        """Edge the rectangle (x0, y0)-(x1, y1) with a raised frame: `light`
        on the top and left, `dark` on the bottom and right, `width` pixels
        deep; the two meet on a diagonal at the top-right and bottom-left."""
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                near_light = min(x - x0, y - y0)
                near_dark = min(x1 - x, y1 - y)
                if near_dark < width and near_dark <= near_light:
                    self.put(x, y, dark)
                elif near_light < width:
                    self.put(x, y, light)

    def blit(self, other, x0, y0, scale=1):
        """Copy `other` with its top-left at (x0, y0), each pixel as a
        scale by scale block."""
        for y, row in enumerate(other.rows):
            for x, colour in enumerate(row):
                self.rect(x0 + x * scale, y0 + y * scale,
                          x0 + x * scale + scale - 1, y0 + y * scale + scale - 1, colour)


# ---------------------------------------------------------------- squares

def raised_square():
    c = Canvas(16, 16)
    c.bevel(0, 0, 15, 15, 2, WHITE, GREY)
    return c


def flat_square(colour=SILVER):
    """An uncovered square: its grid line runs along the top and left edges."""
    c = Canvas(16, 16, colour)
    c.rect(0, 0, 15, 0, GREY)
    c.rect(0, 0, 0, 15, GREY)
    return c


# Bold digits for the uncovered squares, 10 by 12 pixels, as rectangles
# (x0, y0, x1, y1) and convex polygons in the digit's own coordinates.
# Stems are 3 pixels wide and bars 2 high.
NUMBER_SHAPES = {
    1: [(4, 0, 6, 11), (2, 2, 3, 3), (3, 1, 3, 1), (2, 10, 8, 11)],
    2: [(1, 0, 8, 1), (7, 1, 9, 4), (1, 5, 8, 6), (0, 6, 2, 10), (0, 10, 9, 11)],
    3: [(0, 0, 8, 1), (7, 1, 9, 4), (3, 5, 8, 6), (7, 6, 9, 10), (0, 10, 8, 11)],
    4: [(0, 0, 2, 6), (0, 5, 9, 6), (6, 0, 8, 11)],
    5: [(0, 0, 9, 1), (0, 1, 2, 5), (0, 5, 8, 6), (7, 6, 9, 10), (0, 10, 8, 11)],
    6: [(1, 0, 8, 1), (0, 1, 2, 10), (0, 5, 8, 6), (7, 6, 9, 10), (1, 10, 8, 11)],
    7: [(0, 0, 9, 1), [(7, 2), (9, 2), (6, 11), (4, 11)]],
    8: [(1, 0, 8, 1), (0, 1, 2, 4), (7, 1, 9, 4), (1, 5, 8, 6),
        (0, 7, 2, 10), (7, 7, 9, 10), (1, 10, 8, 11)],
    9: [(1, 0, 8, 1), (0, 1, 2, 5), (7, 1, 9, 10), (1, 5, 8, 6), (1, 10, 8, 11)],
}
NUMBER_ORIGIN = (3, 3)


def number_square(n):
    c = flat_square()
    ox, oy = NUMBER_ORIGIN
    for shape in NUMBER_SHAPES.get(n, []):
        if isinstance(shape, tuple):
            x0, y0, x1, y1 = shape
            c.rect(ox + x0, oy + y0, ox + x1, oy + y1, NUMBER_COLOURS[n])
        else:
            c.polygon([(ox + x, oy + y) for x, y in shape], NUMBER_COLOURS[n])
    return c


def draw_mine(c):
    """A black mine centred on pixel (8, 8): round body, eight spikes, highlight."""
    c.disk(8, 8, 3.7, BLACK)
    c.rect(3, 8, 13, 8, BLACK)
    c.rect(8, 3, 8, 13, BLACK)
    for dx, dy in ((-1, -1), (1, -1), (-1, 1), (1, 1)):
        c.line(8 + 3 * dx, 8 + 3 * dy, 8 + 4 * dx, 8 + 4 * dy, BLACK)
    c.rect(6, 6, 7, 7, WHITE)


def mine_square():
    c = flat_square()
    draw_mine(c)
    return c


def exploded_square():
    c = flat_square(RED)
    draw_mine(c)
    return c


def false_mark_square():
    """The mine crossed out by a red X of two-pixel strokes."""
    c = mine_square()
    for o in (0, 1):
        c.line(3 + o, 3, 13 + o, 13, RED)
        c.line(14 - o, 3, 4 - o, 13, RED)
    return c


def marked_square():
    c = raised_square()
    c.polygon([(3, 4.5), (8, 2), (8, 7)], RED)
    c.rect(8, 2, 8, 11, BLACK)
    c.rect(6, 10, 10, 11, BLACK)
    c.rect(4, 12, 12, 13, BLACK)
    return c


# ---------------------------------------------------------------- LED digits

def across(y, x0, x1):
    """A 3-pixel thick segment along row y from x0 to x1, pointed at both ends."""
    return [(x0, y), (x0 + 1, y - 1), (x1 - 1, y - 1), (x1, y), (x1 - 1, y + 1), (x0 + 1, y + 1)]


def down(x, y0, y1):
    """A 3-pixel thick segment along column x from y0 to y1, pointed at both ends."""
    return [(y, x) for x, y in across(x, y0, y1)]


# The seven segments of a 12 by 21 LED digit.  They fill columns 1 to 10 and
# rows 1 to 19, leaving a one-pixel black border, and their pointed ends
# leave a black gap where two segments meet.
LED_SEGMENTS = {
    "a": across(2, 3, 8),
    "b": down(9, 3, 9),
    "c": down(9, 11, 17),
    "d": across(18, 3, 8),
    "e": down(2, 11, 17),
    "f": down(2, 3, 9),
    "g": across(10, 3, 8),
}
LED_LIT_SEGMENTS = {
    "0": "abcdef", "1": "bc", "2": "abdeg", "3": "abcdg", "4": "bcfg",
    "5": "acdfg", "6": "acdefg", "7": "abc", "8": "abcdefg", "9": "abcdfg",
    "z": "g",
}


def led_digit(symbol):
    c = Canvas(12, 21, BLACK)
    for name, points in LED_SEGMENTS.items():
        c.polygon(points, LED_LIT if name in LED_LIT_SEGMENTS[symbol] else LED_UNLIT)
    return c


# ---------------------------------------------------------------- faces

FACE_CENTRE = 12.5   # the middle of a 26 by 26 button
FACE_RADIUS = 8.5


def draw_face(c, look, dx=0, dy=0):
    """A yellow face with a black outline, centred on the button's middle
    moved by (dx, dy).  `look` is "smile", "dead" or "cool"."""
    c.disk(FACE_CENTRE + dx, FACE_CENTRE + dy, FACE_RADIUS, YELLOW, rim=BLACK)

    # Features are given in button coordinates; each is mirrored about the
    # face's middle line, x -> 25 - x.
    def at(*points):
        return [(x + dx, y + dy) for x, y in points]

    if look == "smile":
        c.polygon(at((9, 9), (10, 9), (10, 10), (9, 10)), BLACK)
        c.polygon(at((15, 9), (16, 9), (16, 10), (15, 10)), BLACK)
    elif look == "dead":
        for ex in (8, 15):
            c.polyline(at((ex, 8), (ex + 2, 10)), BLACK)
            c.polyline(at((ex + 2, 8), (ex, 10)), BLACK)
    elif look == "cool":
        # Two dark lenses joined by a bridge, with arms out to the rim.
        c.polyline(at((5, 9), (20, 9)), BLACK)
        c.polygon(at((7, 9), (11, 9), (11, 11), (10, 12), (8, 12), (7, 11)), BLACK)
        c.polygon(at((14, 9), (18, 9), (18, 11), (17, 12), (15, 12), (14, 11)), BLACK)
    if look == "dead":
        c.polyline(at((8, 18), (10, 16), (15, 16), (17, 18)), BLACK)
    else:
        c.polyline(at((8, 15), (10, 17), (15, 17), (17, 15)), BLACK)


def button(pressed):
    """A 26 by 26 button with a thin dark border; raised, or pressed in."""
    c = Canvas(26, 26)
    c.frame(GREY)
    if pressed:
        c.rect(1, 1, 24, 1, GREY)
        c.rect(1, 1, 1, 24, GREY)
    else:
        c.bevel(1, 1, 24, 24, 2, WHITE, GREY)
    return c


def face_button(look, pressed=False):
    c = button(pressed)
    shift = 1 if pressed else 0
    draw_face(c, look, shift, shift)
    return c


# ---------------------------------------------------------------- icon

def icon_picture():
    """A raised field square with a big blue 1, and a face with sunglasses
    in front of it at the lower right, all in a black border."""
    c = Canvas(32, 32)
    c.frame(BLACK)
    c.bevel(1, 1, 30, 30, 2, WHITE, GREY)
    c.rect(9, 4, 13, 20, BLUE)      # the 1: stem,
    c.rect(6, 7, 8, 9, BLUE)        # flag,
    c.rect(7, 6, 8, 6, BLUE)
    c.rect(5, 19, 15, 21, BLUE)     # and foot
    draw_face(c, "cool", 8, 8)
    return c


# ---------------------------------------------------------------- the table

BITMAPS = {"s%d" % n: (lambda n=n: number_square(n)) for n in range(9)}
BITMAPS.update({
    "nc": raised_square,
    "marked": marked_square,
    "mine": mine_square,
    "rmine": exploded_square,
    "bmine": false_mark_square,
})
BITMAPS.update({"d%s" % s: (lambda s=s: led_digit(s)) for s in "0123456789z"})
BITMAPS.update({
    "smile": lambda: face_button("smile"),
    "psmile": lambda: face_button("smile", pressed=True),
    "dsmile": lambda: face_button("dead"),
    "csmile": lambda: face_button("cool"),
})


# ---------------------------------------------------------------- file formats

def bmp_bytes(c):
    """An uncompressed bottom-up 24-bit BMP with a BITMAPINFOHEADER."""
    stride = (c.width * 3 + 3) & ~3
    pixels = bytearray()
    for row in reversed(c.rows):
        line = b"".join(bytes((b, g, r)) for r, g, b in row)
        pixels += line + b"\0" * (stride - len(line))
    header = struct.pack("<IiiHHIIiiII", 40, c.width, c.height, 1, 24, 0,
                         len(pixels), 2835, 2835, 0, 0)
    offset = 14 + len(header)
    return struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset) + header + pixels


def ico_bytes(c):
    """A one-image ICO: 4 bits per pixel with the standard palette, and an
    all-zero AND mask (the picture fills its square; nothing is see-through)."""
    assert c.width == c.height == 32
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    xor = bytearray()
    for row in reversed(c.rows):
        indexes = [PALETTE.index(colour) for colour in row]
        xor += bytes(hi << 4 | lo for hi, lo in zip(indexes[::2], indexes[1::2]))
    mask = bytes(4 * 32)
    header = struct.pack("<IiiHHIIiiII", 40, 32, 64, 1, 4, 0,
                         len(xor) + len(mask), 0, 0, 16, 0)
    image = header + palette + bytes(xor) + mask
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", 32, 32, 16, 0, 1, 4, len(image), 6 + 16)
    return directory + entry + image


def png_bytes(c):
    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data
                + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))
    raw = b"".join(b"\0" + bytes(v for colour in row for v in colour) for row in c.rows)
    return (b"\x89PNG\r\n\x1a\n"
            + chunk(b"IHDR", struct.pack(">IIBBBBB", c.width, c.height, 8, 2, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def all_files():
    """Every output file, as a map from its path under resources/ to its bytes."""
    files = {"bitmaps/%s.bmp" % name: bmp_bytes(draw()) for name, draw in BITMAPS.items()}
    files["icon.ico"] = ico_bytes(icon_picture())
    return files


# ---------------------------------------------------------------- preview

# A made-up Beginner field for the preview: . covered, F marked, 0-8 numbers,
# * mine, X the exploded mine, B a false mark.
PREVIEW_FIELD = [
    "001F10000",
    "0112100..",
    "01*21..F.",
    "122X2....",
    "1B3*2.111",
    "12321.1*1",
    "012*2.111",
    "0134*1000",
    "01*8*1000",
]
PREVIEW_CELLS = {".": "nc", "F": "marked", "*": "mine", "X": "rmine", "B": "bmine"}


def preview_window():
    """The main window's client area of a 9 by 9 game, made of the bitmaps."""
    c = Canvas(176, 208)
    c.bevel(12, 9, 163, 40, 2, GREY, WHITE)
    c.bevel(14, 12, 51, 34, 1, GREY, WHITE)
    c.bevel(127, 12, 164, 34, 1, GREY, WHITE)
    c.bevel(13, 45, 162, 194, 3, GREY, WHITE)
    for i, ch in enumerate("-05"):
        c.blit(led_digit("z" if ch == "-" else ch), 15 + 12 * i, 13)
    for i, ch in enumerate("042"):
        c.blit(led_digit(ch), 128 + 12 * i, 13)
    c.blit(face_button("dead"), 75, 11)
    for y, line in enumerate(PREVIEW_FIELD):
        for x, ch in enumerate(line):
            c.blit(BITMAPS[PREVIEW_CELLS.get(ch, "s" + ch)](), 16 * x + 16, 16 * y + 48)
    return c


def write_preview(folder):
    """window.png: a game at actual size and three times enlarged.
    pictures.png: every picture, and the icon, eight times enlarged."""
    os.makedirs(folder, exist_ok=True)
    window = preview_window()
    sheet = Canvas(176 * 4 + 30, 208 * 3 + 20, WHITE)
    sheet.blit(window, 10, 10)
    sheet.blit(window, 196, 10, 3)
    with open(os.path.join(folder, "window.png"), "wb") as f:
        f.write(png_bytes(sheet))

    pictures = [draw() for draw in BITMAPS.values()] + [icon_picture()]
    groups = [pictures[:7], pictures[7:14], pictures[14:21], pictures[21:25], pictures[25:]]
    scale, gap = 8, 12
    width = max(sum(p.width * scale + gap for p in g) for g in groups) + gap
    height = sum(max(p.height for p in g) * scale + gap for g in groups) + gap
    sheet = Canvas(width, height, WHITE)
    y = gap
    for group in groups:
        x = gap
        for p in group:
            sheet.blit(p, x, y, scale)
            x += p.width * scale + gap
        y += max(p.height for p in group) * scale + gap
    with open(os.path.join(folder, "pictures.png"), "wb") as f:
        f.write(png_bytes(sheet))


# ---------------------------------------------------------------- main

def main():
    here = os.path.dirname(os.path.abspath(__file__))
    parser = argparse.ArgumentParser(description="Draw Blastgrid's bitmaps and icon.")
    parser.add_argument("--out", default=os.path.join(here, "..", "resources"),
                        help="the resources folder (default: the repository's)")
    parser.add_argument("--check", action="store_true",
                        help="compare the files in the resources folder with a fresh drawing")
    parser.add_argument("--preview", metavar="DIR",
                        help="write enlarged PNG previews into DIR instead")
    args = parser.parse_args()
    out = os.path.normpath(args.out)

    if args.preview:
        write_preview(args.preview)
        print("previews written to", args.preview)
        return 0

    files = all_files()
    if args.check:
        stale = []
        for path, data in files.items():
            try:
                with open(os.path.join(out, path), "rb") as f:
                    same = f.read() == data
            except FileNotFoundError:
                print("missing:", path)
                stale.append(path)
                continue
            if not same:
                print("differs:", path)
                stale.append(path)
        print("%d of %d files out of date" % (len(stale), len(files)) if stale
              else "all %d files up to date" % len(files))
        return 1 if stale else 0

    os.makedirs(os.path.join(out, "bitmaps"), exist_ok=True)
    for path, data in files.items():
        with open(os.path.join(out, path), "wb") as f:
            f.write(data)
    print("wrote %d files to %s" % (len(files), out))
    return 0


if __name__ == "__main__":
    sys.exit(main())
