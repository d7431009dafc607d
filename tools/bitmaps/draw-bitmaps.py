#!/usr/bin/env python3
"""Draw Blastgrid's bitmaps and icon from shapes.

Every picture is drawn here from rectangles, convex polygons, disks and
lines on an RGB canvas, then written as an uncompressed 24-bit BMP (the
field squares, LED digits and faces).  The icon is one design drawn at every
size: Blastgrid.exe's ICO (16, 32 and 48 pixels in 16 colours and in 32-bit
colour, 256 pixels as a PNG), the native program's window icon, and the
Linux desktop's theme icons (PNG from 16 to 256 pixels, and SVG).

    python3 tools/bitmaps/draw-bitmaps.py                write resources/bitmaps/*.bmp, resources/icon.ico
                                                         and resources/linux/
    python3 tools/bitmaps/draw-bitmaps.py --check        compare the files on disk with a fresh drawing
    python3 tools/bitmaps/draw-bitmaps.py --preview DIR  write enlarged PNG previews into DIR (resources untouched)

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

# The icon is one design on a square of 32 by 32 units, drawn at every size
# the desktops ask for: a raised field square with a big blue 1, and a face
# with sunglasses in front of it at the lower right, all in a black border.
# Shapes are areas: a rectangle (x0, y0, x1, y1) spans from x0 to x1, a
# polygon is given by its corners, and later shapes cover earlier ones.  At
# 32 pixels a unit is a pixel.
ICON_SIZES = (16, 24, 32, 48, 64, 128, 256)
FACE_AT = (21, 21)      # the face's centre
FACE_SIZE = 8.5         # and its radius


def lens(x, y):
    """A sunglasses lens, 5 units wide and 4 high, its bottom corners cut."""
    return [(x, y), (x + 5, y), (x + 5, y + 3), (x + 4, y + 4), (x + 1, y + 4), (x, y + 3)]


def icon_design(size=32):
    """The design's shapes for a picture of the given size.  Below 24 pixels
    the glasses and the smile are whole-pixel blocks: the slopes and the
    glasses' arms would run into the outline there."""
    fx, fy = FACE_AT
    if size < 24:
        features = [
            ("rect", (fx - 6, fy - 4, fx + 6, fy - 2), BLACK),             # the glasses' top
            ("rect", (fx - 6, fy - 2, fx - 1, fy), BLACK),                  # and lenses,
            ("rect", (fx + 1, fy - 2, fx + 6, fy), BLACK),
            ("rect", (fx - 3, fy + 4, fx + 3, fy + 6), BLACK),             # and the smile
            ("rect", (fx - 5, fy + 2, fx - 3, fy + 4), BLACK),
            ("rect", (fx + 3, fy + 2, fx + 5, fy + 4), BLACK),
        ]
    else:
        features = [
            ("stroke", ([(fx - 7.5, fy - 3.5), (fx + 7.5, fy - 3.5)], 1), BLACK),  # the glasses' arms,
            ("polygon", lens(fx - 6, fy - 4), BLACK),                       # their lenses,
            ("polygon", lens(fx + 1, fy - 4), BLACK),
            ("stroke", ([(fx - 4.5, fy + 2.5), (fx - 2.5, fy + 4.5), (fx + 2.5, fy + 4.5), (fx + 4.5, fy + 2.5)], 1),
             BLACK),                                                        # and the smile
        ]
    return [
        ("rect", (0, 0, 32, 32), BLACK),                                    # the border,
        ("bevel", (1, 1, 31, 31, 2), (WHITE, GREY)),                        # a raised square,
        ("rect", (3, 3, 29, 29), SILVER),                                   # its top,
        ("rect", (9, 4, 14, 21), BLUE),                                     # the 1: stem,
        ("rect", (6, 7, 9, 10), BLUE),                                      # flag,
        ("rect", (7, 6, 9, 7), BLUE),
        ("rect", (5, 19, 16, 22), BLUE),                                    # and foot,
        ("disk", (fx, fy, FACE_SIZE), YELLOW),                              # the face
        ("ring", (fx, fy, FACE_SIZE, 1), BLACK),                            # with its outline,
    ] + features


class Samples:
    """A square grid of colour samples that shapes are filled into, row by
    row: each sample takes the colour of the last shape covering its centre."""

    def __init__(self, n, colour):
        self.n = n
        self.rows = [[colour] * n for _ in range(n)]

    def span(self, j, xa, xb, colour):
        """Fill the samples of row j whose centres lie from xa to xb."""
        if 0 <= j < self.n:
            a = max(0, math.ceil(xa - 0.5 - 1e-9))
            b = min(self.n - 1, math.floor(xb - 0.5 + 1e-9))
            if a <= b:
                self.rows[j][a:b + 1] = [colour] * (b - a + 1)

    def rows_between(self, ya, yb):
        """The rows whose centres lie from ya to yb, with those centres."""
        for j in range(max(0, math.ceil(ya - 0.5 - 1e-9)), min(self.n - 1, math.floor(yb - 0.5 + 1e-9)) + 1):
            yield j, j + 0.5

    def polygon(self, points, colour):
        """Fill a polygon (even-odd rule); samples on its edges are inside."""
        ys = [y for _, y in points]
        edges = list(zip(points, points[1:] + points[:1]))
        for j, y in self.rows_between(min(ys), max(ys)):
            xs = sorted(xa + (y - ya) * (xb - xa) / (yb - ya)
                        for (xa, ya), (xb, yb) in edges if min(ya, yb) <= y < max(ya, yb))
            for xa, xb in zip(xs[::2], xs[1::2]):
                self.span(j, xa, xb, colour)
            for (xa, ya), (xb, yb) in edges:
                if ya == yb == y:
                    self.span(j, min(xa, xb), max(xa, xb), colour)

    def disk(self, cx, cy, r, colour, inner=None):
        """Fill a disk, or with `inner` the ring between radius inner and r."""
        for j, y in self.rows_between(cy - r, cy + r):
            half = math.sqrt(max(0.0, r * r - (y - cy) ** 2))
            if inner is None or abs(y - cy) >= inner:
                self.span(j, cx - half, cx + half, colour)
            else:
                hole = math.sqrt(inner * inner - (y - cy) ** 2)
                self.span(j, cx - half, cx - hole, colour)
                self.span(j, cx + hole, cx + half, colour)

    def stroke(self, points, width, colour):
        """Lines of the given width joining the points, with round ends."""
        r = width / 2
        for (xa, ya), (xb, yb) in zip(points, points[1:]):
            length = math.hypot(xb - xa, yb - ya)
            nx, ny = (ya - yb) / length * r, (xb - xa) / length * r
            self.polygon([(xa + nx, ya + ny), (xb + nx, yb + ny), (xb - nx, yb - ny), (xa - nx, ya - ny)], colour)
        for x, y in points:
            self.disk(x, y, r, colour)


def icon_picture(size=32, smooth=None):
    """The icon at size by size pixels.  Crisp, each pixel takes the colour at
    its centre, so the picture keeps to the design's palette colours (the
    16-colour images); smooth, each pixel averages 4 by 4 points within it,
    so the face's curve and the smile's slopes are antialiased.  Either way
    rectangles and lines are aligned to whole pixels, and no line is thinner
    than a pixel, so the picture stays sharp at the small sizes.  By default
    pictures below 24 pixels are crisp, larger ones smooth."""
    if smooth is None:
        smooth = size >= 24
    k = 4 if smooth else 1
    scale = size / 32

    def boundary(v):    # the pixel boundary nearest to v, halves rounded towards the middle
        v *= scale
        return math.ceil(v - 0.5) if v > size / 2 else math.floor(v + 0.5)

    def edges(*shape):
        return [boundary(v) for v in shape]

    def thickness(w):   # a line's width in whole pixels
        return max(1, math.floor(w * scale + 0.5))

    def centre(v, pixels):  # a line's centre: on a pixel's middle for odd widths, between pixels for even ones
        v *= scale
        return (math.floor(v) + 0.5 if pixels % 2 else math.floor(v + 0.5)) * k

    grid = Samples(size * k, BLACK)
    for kind, shape, colour in icon_design(size):
        if kind == "rect":
            x0, y0, x1, y1 = (v * k for v in edges(*shape))
            for j in range(y0, y1):
                grid.rows[j][x0:x1] = [colour] * (x1 - x0)
        elif kind == "bevel":
            # Light along the top and left, dark along the bottom and right,
            # meeting in whole-pixel steps at the other two corners.
            x0, y0, x1, y1 = edges(*shape[:4])
            width = thickness(shape[4])
            light, dark = colour
            for y in range(y0, y1):
                for x in range(x0, x1):
                    near_light, near_dark = min(x - x0, y - y0), min(x1 - 1 - x, y1 - 1 - y)
                    if min(near_light, near_dark) < width:
                        pick = dark if near_dark < width and near_dark <= near_light else light
                        for j in range(y * k, y * k + k):
                            grid.rows[j][x * k:x * k + k] = [pick] * k
        elif kind == "polygon":
            grid.polygon([(x * scale * k, y * scale * k) for x, y in shape], colour)
        elif kind == "disk":
            cx, cy, r = shape
            grid.disk(cx * scale * k, cy * scale * k, r * scale * k, colour)
        elif kind == "ring":
            cx, cy, r, w = shape
            outer = r * scale * k
            grid.disk(cx * scale * k, cy * scale * k, outer, colour, inner=outer - thickness(w) * k)
        elif kind == "stroke":
            points, w = shape
            pixels = thickness(w)
            grid.stroke([(centre(x, pixels), centre(y, pixels)) for x, y in points], pixels * k, colour)

    c = Canvas(size, size)
    for y in range(size):
        for x in range(size):
            block = [grid.rows[y * k + j][x * k + i] for j in range(k) for i in range(k)]
            c.rows[y][x] = tuple((sum(p[n] for p in block) + len(block) // 2) // len(block) for n in range(3))
    return c


def icon_svg():
    """The design as a scalable picture, for desktops that draw icons at any size."""
    def colour(rgb):
        return "#%02x%02x%02x" % rgb

    def number(v):
        return ("%.2f" % v).rstrip("0").rstrip(".")

    def point_list(points):
        return " ".join("%s,%s" % (number(x), number(y)) for x, y in points)

    lines = ['<svg xmlns="http://www.w3.org/2000/svg" width="256" height="256" viewBox="0 0 32 32">']
    for kind, shape, rgb in icon_design(256):
        if kind == "rect":
            x0, y0, x1, y1 = shape
            lines.append('  <rect x="%s" y="%s" width="%s" height="%s" fill="%s"/>'
                         % (number(x0), number(y0), number(x1 - x0), number(y1 - y0), colour(rgb)))
        elif kind == "polygon":
            lines.append('  <polygon points="%s" fill="%s"/>' % (point_list(shape), colour(rgb)))
        elif kind == "bevel":
            x0, y0, x1, y1, w = shape
            light, dark = rgb
            lines.append('  <rect x="%s" y="%s" width="%s" height="%s" fill="%s"/>'
                         % (number(x0), number(y0), number(x1 - x0), number(y1 - y0), colour(light)))
            dark_edges = [(x1, y0), (x1, y1), (x0, y1), (x0 + w, y1 - w), (x1 - w, y1 - w), (x1 - w, y0 + w)]
            lines.append('  <polygon points="%s" fill="%s"/>' % (point_list(dark_edges), colour(dark)))
        elif kind == "disk":
            cx, cy, r = shape
            lines.append('  <circle cx="%s" cy="%s" r="%s" fill="%s"/>'
                         % (number(cx), number(cy), number(r), colour(rgb)))
        elif kind == "ring":
            cx, cy, r, w = shape
            lines.append('  <circle cx="%s" cy="%s" r="%s" fill="none" stroke="%s" stroke-width="%s"/>'
                         % (number(cx), number(cy), number(r - w / 2), colour(rgb), number(w)))
        elif kind == "stroke":
            points, w = shape
            lines.append('  <polyline points="%s" fill="none" stroke="%s" stroke-width="%s" stroke-linecap="round" '
                         'stroke-linejoin="round"/>' % (point_list(points), colour(rgb), number(w)))
    lines.append("</svg>")
    return ("\n".join(lines) + "\n").encode("ascii")


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


def mask_bytes(size):
    """An icon image's all-zero AND mask: the picture fills its square and
    nothing is see-through."""
    return bytes((size + 31) // 32 * 4 * size)


def ico_image_4bit(c):
    """A 4-bit icon image with the standard palette."""
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    xor = bytearray()
    for row in reversed(c.rows):
        indexes = [PALETTE.index(colour) for colour in row]
        line = bytes(hi << 4 | lo for hi, lo in zip(indexes[::2], indexes[1::2]))
        xor += line + bytes(-len(line) % 4)
    mask = mask_bytes(c.width)
    header = struct.pack("<IiiHHIIiiII", 40, c.width, 2 * c.height, 1, 4, 0, len(xor) + len(mask), 0, 0, 16, 0)
    return header + palette + bytes(xor) + mask


def ico_image_32bit(c):
    """A 32-bit icon image: blue, green, red and an opaque alpha per pixel."""
    xor = b"".join(bytes((b, g, r, 255)) for row in reversed(c.rows) for r, g, b in row)
    mask = mask_bytes(c.width)
    header = struct.pack("<IiiHHIIiiII", 40, c.width, 2 * c.height, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
    return header + xor + mask


def ico_bytes(images):
    """An ICO file of the given (picture, bits per pixel, data) images."""
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    body = b""
    for c, bits, data in images:
        side = c.width % 256     # 256 is written as 0
        directory += struct.pack("<BBBBHHII", side, side, 16 if bits == 4 else 0, 0, 1, bits, len(data), offset)
        offset += len(data)
        body += data
    return directory + body


def program_icon():
    """The icon resource of Blastgrid.exe: 16, 32 and 48 pixels in 16 colours
    and in 32-bit colour, and 256 pixels as a PNG, largest first."""
    large = icon_picture(256)
    images = [(large, 32, png_bytes(large, alpha=True))]
    for size in (48, 32, 16):
        full = icon_picture(size)
        images.append((full, 32, ico_image_32bit(full)))
    for size in (48, 32, 16):
        crisp = icon_picture(size, smooth=False)
        images.append((crisp, 4, ico_image_4bit(crisp)))
    return ico_bytes(images)


def png_bytes(c, alpha=False):
    """A PNG of the picture, optionally with an opaque alpha channel."""
    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data
                + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))
    opaque = (255,) if alpha else ()
    raw = b"".join(b"\0" + bytes(v for colour in row for v in colour + opaque) for row in c.rows)
    return (b"\x89PNG\r\n\x1a\n"
            + chunk(b"IHDR", struct.pack(">IIBBBBB", c.width, c.height, 8, 6 if alpha else 2, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def all_files():
    """Every output file, as a map from its path under resources/ to its bytes:
    the bitmaps, the icon of Blastgrid.exe, the 32-pixel icon that the native
    program gives its window (its window system reads uncompressed icon images
    only), and the icons of the Linux desktop's theme."""
    files = {"bitmaps/%s.bmp" % name: bmp_bytes(draw()) for name, draw in BITMAPS.items()}
    files["icon.ico"] = program_icon()
    window_icon = icon_picture(32)
    files["linux/window-icon.ico"] = ico_bytes([(window_icon, 32, ico_image_32bit(window_icon))])
    for size in ICON_SIZES:
        files["linux/icons/hicolor/%dx%d/apps/blastgrid.png" % (size, size)] = png_bytes(icon_picture(size))
    files["linux/icons/hicolor/scalable/apps/blastgrid.svg"] = icon_svg()
    return files


def png_content(data):
    """A PNG's chunks with its image data decompressed: two PNGs of the same
    picture compare equal even when another zlib compressed them."""
    chunks, at = [], 8
    while at < len(data):
        length, kind = struct.unpack(">I4s", data[at:at + 8])
        chunks.append((kind, data[at + 8:at + 8 + length]))
        at += 12 + length
    pixels = zlib.decompress(b"".join(body for kind, body in chunks if kind == b"IDAT"))
    return [(kind, body) for kind, body in chunks if kind != b"IDAT"] + [(b"IDAT", pixels)]


def file_content(data):
    """What --check compares: the bytes, except that compressed image data is
    compared decompressed (in PNG files and in the PNG images of an icon)."""
    try:
        if data.startswith(b"\x89PNG"):
            return png_content(data)
        if data[:4] == b"\0\0\1\0":
            count = struct.unpack("<H", data[4:6])[0]
            images = []
            for i in range(count):
                entry = struct.unpack("<BBBBHHII", data[6 + 16 * i:22 + 16 * i])
                image = data[entry[7]:entry[7] + entry[6]]
                images.append((entry[:6], png_content(image) if image.startswith(b"\x89PNG") else image))
            return images
    except (struct.error, zlib.error):
        pass
    return data


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
    pictures.png: every picture, and the icon, eight times enlarged.
    icons.png: the icon at every size, crisp above and smooth below, each at
    its own size and enlarged to 256 pixels."""
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

    gap = 12
    sheet = Canvas(len(ICON_SIZES) * (256 + gap) + gap, 4 * (256 + gap) + gap, WHITE)
    for i, size in enumerate(ICON_SIZES):
        x = gap + i * (256 + gap)
        for row, smooth in enumerate((False, True)):
            picture = icon_picture(size, smooth)
            y = gap + 2 * row * (256 + gap)
            sheet.blit(picture, x, y)
            sheet.blit(picture, x, y + 256 + gap, 256 // size)
    with open(os.path.join(folder, "icons.png"), "wb") as f:
        f.write(png_bytes(sheet))


# ---------------------------------------------------------------- main

def main():
    here = os.path.dirname(os.path.abspath(__file__))
    parser = argparse.ArgumentParser(description="Draw Blastgrid's bitmaps and icon.")
    parser.add_argument("--out", default=os.path.join(here, "..", "..", "resources"),
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
                    same = file_content(f.read()) == file_content(data)
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

    for path, data in files.items():
        os.makedirs(os.path.dirname(os.path.join(out, path)), exist_ok=True)
        with open(os.path.join(out, path), "wb") as f:
            f.write(data)
    print("wrote %d files to %s" % (len(files), out))
    return 0


if __name__ == "__main__":
    sys.exit(main())
