#!/usr/bin/env python3
"""Drives the web page in Debian's chromium, headless, through WebDriver.

Modes:
  check  the end-to-end test: the page loads with the network cut off (only
         the local server is asked for anything), its title and icon; clicks,
         marks and two-button clicks released in either order, F2, F3 and H,
         the touch gestures, every menu item by mouse and by keyboard, a
         click outside an open menu, the custom-game window with a valid and
         an invalid entry, every message box dismissed (button, close box,
         Enter, Escape, Space), Solve! games played to their end, a zoomed
         board, a phone-sized page, and the close box. After each step the canvas
         must hold exactly the window system's rendering of the main
         window's client area, and at chosen steps the screen's pixels must
         equal that rendering at the zoom.
  play   Solver plays one game; screenshots before and after.
  bench  figures: the page's size, the time to the first board, a new
         49 x 49 game on screen, and frames a second while Solver plays.

Input goes through the DevTools protocol (Input.dispatchMouseEvent,
dispatchKeyEvent, dispatchTouchEvent) as a mouse, a keyboard and a touch
screen deliver it; the page tells when the program waits for input
(BlastgridPage.test.idle) and gives the canvas's and the window system's
pixels. The page is served from SITE by a static server on 127.0.0.1.
Exits 0 when every check passed.

Usage: web-robot.py check|play|bench SITE OUTPUT-FOLDER
"""
import argparse
import base64
import functools
import gzip
import http.server
import json
import os
import re
import shutil
import struct
import sys
import tempfile
import threading
import time
import zlib

from selenium import webdriver
from selenium.webdriver.chrome.service import Service

from geometry import view_geometry

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
BITMAPS = os.path.join(ROOT, "resources", "bitmaps")
SQUARE, FIELD_LEFT, FIELD_TOP, FACE_SIZE, FACE_TOP = view_geometry(
    "squareSize", "fieldLeft", "fieldTop", "faceSize", "faceTop")
QUIET_SECONDS = 0.15
DOUBLE_CLICK_SECONDS = 0.6
GAME, SOLVER, HELP = 0, 1, 2
# The menu's commands, as the resource script gives them.
# The drop-downs' items by position (separators count).
NEW_GAME, BEGINNER, INTERMEDIATE, EXPERT, CUSTOM, EXIT = 0, 2, 3, 4, 5, 7
HINT, SOLVE = 0, 2
HOW_TO_PLAY, WHAT_IS_SOLVER, ABOUT = 0, 1, 3

failures = []
log_file = None


def log(text):
    line = f"{time.strftime('%H:%M:%S')} {text}"
    print(line, flush=True)
    if log_file:
        log_file.write(line + "\n")
        log_file.flush()


def check(condition, what):
    log(f"{'ok  ' if condition else 'FAIL'} {what}")
    if not condition:
        failures.append(what)
    return condition


# ---- Pictures ---------------------------------------------------------------


def read_bmp(path):
    """(width, height, RGB bytes, rows top to bottom) of a 24-bit BMP."""
    with open(path, "rb") as file:
        data = file.read()
    offset, = struct.unpack_from("<I", data, 10)
    width, height = struct.unpack_from("<ii", data, 18)
    bits, = struct.unpack_from("<H", data, 28)
    if bits != 24:
        raise ValueError(f"{path}: {bits} bits a pixel")
    stride = (width * 3 + 3) // 4 * 4
    rows = []
    for y in range(abs(height)):
        source = y if height < 0 else abs(height) - 1 - y
        row = data[offset + source * stride:offset + source * stride + width * 3]
        rows.append(b"".join(bytes((row[i + 2], row[i + 1], row[i])) for i in range(0, len(row), 3)))
    return width, abs(height), b"".join(rows)


def read_png(data):
    """(width, height, RGB bytes) of an 8-bit RGB or RGBA PNG, as a browser
    writes its screenshots."""
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise ValueError("not a PNG")
    at, chunks, header = 8, [], None
    while at < len(data):
        length, kind = struct.unpack_from(">I4s", data, at)
        body = data[at + 8:at + 8 + length]
        if kind == b"IHDR":
            header = struct.unpack(">IIBBBBB", body)
        elif kind == b"IDAT":
            chunks.append(body)
        at += 12 + length
    width, height, depth, colour, _, _, interlace = header
    if depth != 8 or colour not in (2, 6) or interlace:
        raise ValueError("an unexpected PNG")
    channels = 3 if colour == 2 else 4
    raw = zlib.decompress(b"".join(chunks))
    stride = width * channels
    previous = bytearray(stride)
    out = bytearray()
    for y in range(height):
        kind = raw[y * (stride + 1)]
        line = bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            left = line[i - channels] if i >= channels else 0
            up = previous[i]
            corner = previous[i - channels] if i >= channels else 0
            if kind == 1:
                line[i] = (line[i] + left) & 255
            elif kind == 2:
                line[i] = (line[i] + up) & 255
            elif kind == 3:
                line[i] = (line[i] + (left + up) // 2) & 255
            elif kind == 4:
                p = left + up - corner
                pa, pb, pc = abs(p - left), abs(p - up), abs(p - corner)
                predictor = left if pa <= pb and pa <= pc else up if pb <= pc else corner
                line[i] = (line[i] + predictor) & 255
        previous = line
        if channels == 3:
            out += line
        else:
            for i in range(0, stride, 4):
                out += line[i:i + 3]
    return width, height, bytes(out)


def crop(image, left, top, width, height):
    image_width, _, data = image
    rows = (data[((top + y) * image_width + left) * 3:((top + y) * image_width + left + width) * 3]
            for y in range(height))
    return width, height, b"".join(rows)


def scale_up(image, zoom):
    width, height, data = image
    if zoom == 1:
        return image
    rows = []
    for y in range(height):
        row = b"".join(data[(y * width + x) * 3:(y * width + x) * 3 + 3] * zoom for x in range(width))
        rows.extend([row] * zoom)
    return width * zoom, height * zoom, b"".join(rows)


def rgb_of_rgba(encoded):
    data = base64.b64decode(encoded)
    return bytes(b for i, b in enumerate(data) if i % 4 != 3)


BITMAP_PIXELS = {}


def bitmap(name):
    if name not in BITMAP_PIXELS:
        BITMAP_PIXELS[name] = read_bmp(os.path.join(BITMAPS, name + ".bmp"))[2]
    return BITMAP_PIXELS[name]


SQUARE_NAMES = ["nc", "marked", "s0", "s1", "s2", "s3", "s4", "s5", "s6", "s7", "s8", "mine", "rmine", "bmine"]


def read_board(image, columns, rows):
    """The picture name of every square, board[column][row]; '?' for none."""
    return [[next((name for name in SQUARE_NAMES
                   if bitmap(name) == crop(image, FIELD_LEFT + SQUARE * column, FIELD_TOP + SQUARE * row,
                                           SQUARE, SQUARE)[2]), "?")
             for row in range(rows)] for column in range(columns)]


def read_face(image):
    pixels = crop(image, image[0] // 2 - FACE_SIZE // 2, FACE_TOP, FACE_SIZE, FACE_SIZE)[2]
    return next((name for name in ["smile", "psmile", "dsmile", "csmile"] if bitmap(name) == pixels), "?")


def write_ppm(path, image):
    width, height, data = image
    with open(path, "wb") as file:
        file.write(b"P6 %d %d 255\n" % (width, height) + data)


# ---- The server ---------------------------------------------------------------


class Server:
    """A static server of the site on 127.0.0.1, which remembers every path asked for."""

    def __init__(self, site):
        self.requested = []
        server = self

        class Handler(http.server.SimpleHTTPRequestHandler):
            extensions_map = {".html": "text/html", ".js": "text/javascript", ".css": "text/css",
                              ".wasm": "application/wasm", ".png": "image/png", "": "application/octet-stream"}

            def log_message(self, *arguments):
                server.requested.append(self.path)

        self.httpd = http.server.ThreadingHTTPServer(("127.0.0.1", 0), functools.partial(Handler, directory=site))
        self.url = f"http://127.0.0.1:{self.httpd.server_address[1]}/"
        self.thread = threading.Thread(target=self.httpd.serve_forever, daemon=True)
        self.thread.start()

    def stop(self):
        self.httpd.shutdown()
        self.httpd.server_close()


# ---- The browser and the page ----------------------------------------------------


KEYS = {
    # name: (key, code, virtual key, text)
    "F2": ("F2", "F2", 113, ""), "F3": ("F3", "F3", 114, ""), "F4": ("F4", "F4", 115, ""),
    "F10": ("F10", "F10", 121, ""), "Enter": ("Enter", "Enter", 13, "\r"), "Escape": ("Escape", "Escape", 27, ""),
    "Space": (" ", "Space", 32, " "), "Backspace": ("Backspace", "Backspace", 8, ""),
    "Up": ("ArrowUp", "ArrowUp", 38, ""), "Down": ("ArrowDown", "ArrowDown", 40, ""),
    "Left": ("ArrowLeft", "ArrowLeft", 37, ""), "Right": ("ArrowRight", "ArrowRight", 39, ""),
    "Alt": ("Alt", "AltLeft", 18, ""), "Shift": ("Shift", "ShiftLeft", 16, ""),
}


def key_of(name):
    if name in KEYS:
        return KEYS[name]
    if len(name) == 1 and name.isalpha():
        return name, "Key" + name.upper(), ord(name.upper()), name
    if len(name) == 1 and name.isdigit():
        return name, "Digit" + name, ord(name), name
    raise ValueError(name)


def chromium_binary():
    for path in ("/usr/bin/chromium", "/usr/lib/chromium/chromium"):
        if os.path.exists(path):
            return path
    sys.exit("web-robot.py: Debian's chromium is not installed (tools/install-deps.sh web)")


class Page:
    """The page in a headless chromium of its own."""

    def __init__(self, server, output, width=1000, height=800, scale=1, query="", name="page", phone=False):
        self.server = server
        self.output = output
        self.profile = tempfile.mkdtemp(prefix="blastgrid-chromium-")
        options = webdriver.ChromeOptions()
        options.binary_location = chromium_binary()
        for argument in ("--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
                         "--disable-background-networking", "--disable-component-update", "--disable-sync",
                         "--disable-extensions", "--disable-default-apps", "--hide-scrollbars",
                         f"--user-data-dir={self.profile}", f"--window-size={width},{height}",
                         f"--force-device-scale-factor={scale}",
                         # The network cut off: no name resolves, and anything
                         # that is not this machine goes to a proxy that is not there.
                         "--host-resolver-rules=MAP * ~NOTFOUND , EXCLUDE 127.0.0.1",
                         "--proxy-server=http://127.0.0.1:9"):
            options.add_argument(argument)
        options.set_capability("goog:loggingPrefs", {"performance": "ALL", "browser": "ALL"})
        self.driver = webdriver.Chrome(service=Service(shutil.which("chromedriver") or "/usr/bin/chromedriver"),
                                       options=options)
        self.driver.set_script_timeout(60)
        self.cdp("Network.enable")
        if phone:
            self.cdp("Emulation.setDeviceMetricsOverride", width=width, height=height, deviceScaleFactor=scale,
                     mobile=True)
        self.name = name
        self.columns, self.rows = 9, 9
        self.navigation_start = time.time()
        self.driver.get(server.url + query)

    def close(self):
        try:
            self.driver.quit()
        finally:
            shutil.rmtree(self.profile, ignore_errors=True)

    def cdp(self, command, **parameters):
        return self.driver.execute_cdp_cmd(command, parameters)

    def js(self, expression):
        return self.driver.execute_script("return " + expression)

    # ---- When the program waits ----

    def idle(self, timeout=60):
        """Waits until the program waits for input with nothing queued, and
        stays so for a moment; false when it does not."""
        deadline = time.time() + timeout
        quiet_since = None
        while time.time() < deadline:
            if self.js("typeof BlastgridPage !== 'undefined' && BlastgridPage.test.idle()"):
                quiet_since = quiet_since or time.time()
                if time.time() - quiet_since >= QUIET_SECONDS:
                    return True
            else:
                quiet_since = None
            time.sleep(0.02)
        return False

    def scene(self):
        return self.js("BlastgridPage.scene")

    def display_rate(self):
        return self.driver.execute_async_script("BlastgridPage.test.displayRate(arguments[arguments.length - 1])")

    def main(self):
        return next((view for view in self.scene()["windows"] if view["main"]), None)

    def window(self, title):
        return next((view for view in self.scene()["windows"] if view["title"] == title), None)

    # ---- Pixels ----

    def layer(self):
        pixels = self.js("BlastgridPage.test.layerPixels()")
        return pixels["width"], pixels["height"], rgb_of_rgba(pixels["rgba"])

    def canvas(self):
        pixels = self.js("BlastgridPage.test.canvasPixels()")
        if not pixels:
            return 0, 0, b""
        return pixels["width"], pixels["height"], rgb_of_rgba(pixels["rgba"])

    def canvas_matches(self, what):
        """The main window's canvas against the window system's rendering."""
        layer, canvas = self.layer(), self.canvas()
        if layer[:2] != canvas[:2]:
            return check(False, f"{what}: the canvas is {canvas[0]}x{canvas[1]}, the window system drew "
                                f"{layer[0]}x{layer[1]}")
        different = sum(1 for i in range(0, len(layer[2]), 3) if layer[2][i:i + 3] != canvas[2][i:i + 3])
        return check(different == 0, f"{what}: the canvas holds the window system's image ({different} pixels differ)")

    def screenshot(self, name, rect=None):
        """A screenshot of the page, or of a rectangle of it (CSS pixels), as PNG."""
        parameters = {"format": "png"}
        if rect:
            parameters["clip"] = {"x": rect[0], "y": rect[1], "width": rect[2], "height": rect[3], "scale": 1}
        data = base64.b64decode(self.cdp("Page.captureScreenshot", **parameters)["data"])
        path = os.path.join(self.output, name + ".png")
        with open(path, "wb") as file:
            file.write(data)
        return data

    def screen_matches(self, what):
        """The client area's pixels on the screen against the window system's
        rendering at the zoom, pixel for pixel."""
        view = self.main()
        zoom = round(self.scene()["scale"] * self.js("window.devicePixelRatio"))
        shot = read_png(self.screenshot(f"{self.name}-screen"))
        ratio = self.js("window.devicePixelRatio")
        left, top = round(view["client"][0] * ratio), round(view["client"][1] * ratio)
        layer = self.layer()
        expected = scale_up(layer, zoom)
        if left + expected[0] > shot[0] or top + expected[1] > shot[1]:
            return check(False, f"{what}: the client area is not all on the screen")
        actual = crop(shot, left, top, expected[0], expected[1])
        different = sum(1 for i in range(0, len(actual[2]), 3) if actual[2][i:i + 3] != expected[2][i:i + 3])
        if different:
            write_ppm(os.path.join(self.output, f"{self.name}-screen-actual.ppm"), actual)
            write_ppm(os.path.join(self.output, f"{self.name}-screen-expected.ppm"), expected)
        return check(different == 0, f"{what}: the screen shows the window system's image at zoom {zoom} "
                                     f"({different} pixels differ)")

    def board(self):
        return read_board(self.layer(), self.columns, self.rows)

    def face(self):
        return read_face(self.layer())

    # ---- Input ----

    def square_point(self, column, row):
        view = self.main()
        scale = self.scene()["scale"]
        return (view["client"][0] + (FIELD_LEFT + SQUARE * column + SQUARE / 2) * scale,
                view["client"][1] + (FIELD_TOP + SQUARE * row + SQUARE / 2) * scale)

    def mouse(self, kind, x, y, button="none", buttons=0):
        self.cdp("Input.dispatchMouseEvent", type=kind, x=x, y=y, button=button, buttons=buttons, clickCount=1)

    def click(self, x, y, button="left"):
        bit = {"left": 1, "right": 2}[button]
        self.mouse("mouseMoved", x, y)
        self.mouse("mousePressed", x, y, button, bit)
        self.mouse("mouseReleased", x, y, button, 0)

    def click_square(self, column, row, button="left"):
        self.click(*self.square_point(column, row), button)

    def chord(self, column, row, first_up):
        """Both buttons pressed over a square, then released, `first_up` first."""
        x, y = self.square_point(column, row)
        self.mouse("mouseMoved", x, y)
        self.mouse("mousePressed", x, y, "left", 1)
        self.mouse("mousePressed", x, y, "right", 3)
        second = "right" if first_up == "left" else "left"
        self.mouse("mouseReleased", x, y, first_up, 2 if first_up == "left" else 1)
        self.mouse("mouseReleased", x, y, second, 0)

    def key(self, name, alt=False):
        key, code, virtual, text = key_of(name)
        modifiers = 1 if alt else 0
        down = dict(type="keyDown" if text and not alt else "rawKeyDown", key=key, code=code,
                    windowsVirtualKeyCode=virtual, nativeVirtualKeyCode=virtual, modifiers=modifiers)
        if text and not alt:
            down["text"] = text
        self.cdp("Input.dispatchKeyEvent", **down)
        self.cdp("Input.dispatchKeyEvent", type="keyUp", key=key, code=code, windowsVirtualKeyCode=virtual,
                 nativeVirtualKeyCode=virtual, modifiers=modifiers)

    def alt_with(self, name):
        """Alt held while a key is pressed and released."""
        key, code, virtual, _ = KEYS["Alt"]
        self.cdp("Input.dispatchKeyEvent", type="rawKeyDown", key=key, code=code, windowsVirtualKeyCode=virtual,
                 modifiers=1)
        self.key(name, alt=True)
        self.cdp("Input.dispatchKeyEvent", type="keyUp", key=key, code=code, windowsVirtualKeyCode=virtual,
                 modifiers=0)

    def type_text(self, text):
        for character in text:
            self.key(character)

    def touch(self, kind, points):
        self.cdp("Input.dispatchTouchEvent", type=kind,
                 touchPoints=[{"x": x, "y": y, "id": finger} for finger, (x, y) in points.items()])

    # ---- Menus ----

    def click_middle(self, r):
        self.click(r[0] + r[2] / 2, r[1] + r[3] / 2)

    def menu(self, title, position):
        """Chooses a drop-down's item by mouse: a click on the title opens
        the drop-down, a click on the item chooses it. False when the
        drop-down did not open."""
        self.click_middle(self.main()["titles"][title]["r"])
        self.idle()
        drop = self.scene()["dropDown"]
        if not drop or position >= len(drop["items"]):
            return False
        self.click_middle(drop["items"][position]["r"])
        return True

    def keys(self, sequence):
        """Keys pressed one after another, the program waiting between
        them; ("alt", letter) is the letter with Alt held."""
        for key in sequence:
            if isinstance(key, tuple):
                self.alt_with(key[1])
            else:
                self.key(key)
            self.idle()

    def menu_in_use(self):
        return self.scene()["dropDown"] is not None or any(t["sel"] for t in self.main()["titles"])

    def box(self, title):
        return next((view for view in self.scene()["windows"] if view["box"] and view["title"] == title), None)

    def dismiss_box(self, title, how):
        """Dismisses a box by its button ("mouse"), its close box, or a key.
        (Not by Alt+F4, which closes the browser's window: that key is the
        browser's, not the page's.)"""
        found = self.box(title)
        if not check(found is not None, f"the message box \"{title}\" is on the page"):
            return False
        if how == "mouse":
            self.click_middle(found["messageBox"]["button"]["r"])
        elif how == "the close box":
            self.click_middle(found["close"])
        else:
            self.key(how)
        self.idle()
        closed = check(self.box(title) is None, f"the message box \"{title}\" closes by {how}")
        self.canvas_matches(f"after the box \"{title}\"")
        return closed


def wait_for_start(page, what="the page loads and the program waits for input"):
    return check(page.idle(60) and page.main() is not None, what)


# ---- The end-to-end test -------------------------------------------------------


def all_covered(page):
    return all(name == "nc" for column in page.board() for name in column)


def first_opening(page):
    """Clicks squares of new games until a click uncovers more than one
    square; false when twenty games could not give one."""
    for attempt in range(20):
        page.click_square(4 + attempt % 2, 4)
        page.idle()
        board = page.board()
        uncovered = sum(1 for column in board for name in column if name.startswith("s"))
        if page.face() == "smile" and uncovered > 1:
            return True
        page.key("F2")
        page.idle()
    return False


def number_with_spare_neighbours(board, columns, rows):
    """A square showing a number with more covered neighbours than the
    marks it still lacks: marking that many of them leaves some to uncover.
    (The square, the neighbours to mark, the rest.)"""
    for column in range(columns):
        for row in range(rows):
            name = board[column][row]
            if name not in ("s1", "s2", "s3", "s4", "s5", "s6", "s7", "s8"):
                continue
            around = [(c, r) for c in range(column - 1, column + 2) for r in range(row - 1, row + 2)
                      if 0 <= c < columns and 0 <= r < rows]
            covered = [(c, r) for c, r in around if board[c][r] == "nc"]
            lacking = int(name[1]) - sum(1 for c, r in around if board[c][r] == "marked")
            if 0 <= lacking < len(covered):
                return (column, row), covered[:lacking], covered[lacking:]
    return None


def check_start(page, server):
    check(page.js("document.title") == "Blastgrid", "the page's title is the window's: \"Blastgrid\"")
    icon = page.js("document.querySelector('link[rel=icon]').href")
    check(icon.startswith("data:image/png;base64,") and len(icon) > 200, "the page's icon is the program's icon")
    view = page.main()
    check(view["clientSize"] == [FIELD_LEFT + SQUARE * 9 + 16, FIELD_TOP + SQUARE * 9 + 16],
          "the first game is Beginner, 9 x 9")
    check([title["text"] for title in view.get("titles", [])] == ["&Game", "&Solver", "&Help"],
          "the menu bar has its three titles, with their mnemonics")
    check(page.face() == "smile" and all_covered(page), "a fresh board, the face smiling")
    page.canvas_matches("the first board")
    page.screen_matches("the first board")
    page.screenshot("start")


def check_network(page, server):
    """Every request the browser made went to the local server."""
    urls = []
    for entry in page.driver.get_log("performance"):
        message = json.loads(entry["message"])["message"]
        if message.get("method") == "Network.requestWillBeSent":
            urls.append(message["params"]["request"]["url"])
    # The browser's own pages (chrome://) are not the network.
    urls = [url for url in urls if re.match(r"(https?|wss?|ftp)://", url)]
    outside = [url for url in urls if not url.startswith(server.url)]
    check(urls and not outside, f"with the network cut off the page asked only the local server "
                                f"({len(urls)} requests{', outside: ' + ' '.join(outside) if outside else ''})")
    names = sorted(set(path.split("?")[0] for path in server.requested))
    check(all(name in ("/", "/page.js", "/blastgrid.js", "/blastgrid.wasm", "/style.css") for name in names),
          f"the page is its own static files: {' '.join(names)}")


def check_board_play(page):
    log("--- the board: clicks, marks and two-button clicks")
    page.key("F2")
    page.idle()
    check(all_covered(page), "F2: a fresh board, all covered")
    page.click_square(0, 0, "right")
    page.idle()
    check(page.board()[0][0] == "marked", "a right click marks a square")
    page.canvas_matches("a marked square")
    time.sleep(DOUBLE_CLICK_SECONDS)
    page.click_square(0, 0, "right")
    page.idle()
    check(page.board()[0][0] != "marked", "a second right click takes the mark away")
    check(first_opening(page), "a left click uncovers squares")
    page.canvas_matches("an opening")
    page.screen_matches("an opening")

    for first_up in ("left", "right"):
        found = number_with_spare_neighbours(page.board(), page.columns, page.rows)
        if not check(found is not None, "a number with spare covered neighbours"):
            return
        square, to_mark, rest = found
        for column, row in to_mark:
            time.sleep(DOUBLE_CLICK_SECONDS)
            page.click_square(column, row, "right")
            page.idle()
        time.sleep(DOUBLE_CLICK_SECONDS)
        page.chord(*square, first_up)
        page.idle()
        board = page.board()
        changed = page.face() == "dsmile" or any(board[c][r] != "nc" for c, r in rest)
        check(changed, f"a two-button click released {first_up} first reveals around {square}")
        page.canvas_matches(f"after a two-button click released {first_up} first")
        if page.face() == "dsmile" or number_with_spare_neighbours(page.board(), page.columns, page.rows) is None:
            page.key("F2")
            page.idle()
            if not first_opening(page):
                return


def solve_to_the_end(page, start, how):
    """Solve! to its end: Solver's message, when it gives one, dismissed."""
    start()
    deadline = time.time() + 120
    while time.time() < deadline:
        if page.box("Solver"):
            page.dismiss_box("Solver", "Enter")
            continue
        if page.idle(timeout=5):
            break
    face = page.face()
    board = page.board()
    finished = face in ("csmile", "dsmile") or all(name != "nc" for column in board for name in column)
    check(finished or face == "smile", f"Solve! by {how} plays to its end (face {face})")
    page.canvas_matches(f"after Solve! by {how}")


def check_keys(page):
    log("--- keys: F2, H and F3")
    page.key("F2")
    page.idle()
    page.key("h")
    page.idle()
    if check(page.box("Hint") is not None, "H on a fresh board: Solver has no safe square and says so"):
        page.screenshot("box-hint")
        page.dismiss_box("Hint", "Enter")
    first_opening(page)
    before = page.board()
    page.key("H")
    page.idle()
    if page.box("Hint"):
        page.dismiss_box("Hint", "Escape")
        check(True, "H after an opening: no safe square")
    else:
        after = page.board()
        uncovered = [(c, r) for c in range(page.columns) for r in range(page.rows)
                     if before[c][r] == "nc" and after[c][r].startswith("s")]
        check(len(uncovered) >= 1 and page.face() == "smile", "H after an opening uncovers a safe square")
    page.canvas_matches("after a hint")
    solve_to_the_end(page, lambda: page.key("F3"), "F3")
    page.key("F2")
    page.idle()
    check(all_covered(page), "F2 starts a new game")


def check_touch(page):
    log("--- touch: a tap, a long press, a two-finger tap")
    page.cdp("Emulation.setTouchEmulationEnabled", enabled=True, maxTouchPoints=5)
    page.key("F2")
    page.idle()
    # A long press marks.
    x, y = page.square_point(8, 8)
    page.touch("touchStart", {1: (x, y)})
    time.sleep(0.2)
    scene = page.scene()
    check(scene["touch"] is not None and not scene["touch"]["long"], "a finger held down shows the long press filling")
    page.screenshot("touch-long-press")
    time.sleep(0.5)
    page.idle()
    check(page.board()[8][8] == "marked", "a long press marks the square")
    scene = page.scene()
    check(scene["touch"] is not None and scene["touch"]["long"], "the page shows the long press has marked")
    page.touch("touchEnd", {})
    page.idle()
    check(page.scene()["touch"] is None and page.board()[8][8] == "marked",
          "lifting the finger after a long press does nothing more")
    page.canvas_matches("a mark by a long press")
    time.sleep(DOUBLE_CLICK_SECONDS)
    page.touch("touchStart", {1: (x, y)})
    time.sleep(0.6)
    page.touch("touchEnd", {})
    page.idle()
    check(page.board()[8][8] == "nc", "a second long press takes the mark away")
    # Taps uncover.
    opened = False
    for attempt in range(20):
        time.sleep(DOUBLE_CLICK_SECONDS)
        x, y = page.square_point(4, 4)
        page.touch("touchStart", {1: (x, y)})
        page.touch("touchEnd", {})
        page.idle()
        board = page.board()
        if page.face() == "smile" and sum(1 for column in board for name in column if name.startswith("s")) > 1:
            opened = True
            break
        page.key("F2")
        page.idle()
    check(opened, "a tap uncovers squares")
    page.canvas_matches("an opening by a tap")
    found = number_with_spare_neighbours(page.board(), page.columns, page.rows) if opened else None
    if not check(found is not None, "a number with spare covered neighbours, for a two-finger tap"):
        return
    square, to_mark, rest = found
    for column, row in to_mark:
        time.sleep(DOUBLE_CLICK_SECONDS)
        page.click_square(column, row, "right")
        page.idle()
    time.sleep(DOUBLE_CLICK_SECONDS)
    x, y = page.square_point(*square)
    page.touch("touchStart", {1: (x, y)})
    page.touch("touchStart", {1: (x, y), 2: (x + 40, y + 10)})
    page.touch("touchEnd", {1: (x, y)})
    page.touch("touchEnd", {})
    page.idle()
    board = page.board()
    check(page.face() == "dsmile" or any(board[c][r] != "nc" for c, r in rest),
          f"a two-finger tap reveals around {square}")
    page.canvas_matches("after a two-finger tap")
    # Touch moved the page by none of it: no scrolling, no zoom.
    check(page.js("window.scrollX === 0 && window.scrollY === 0 && window.visualViewport.scale === 1"),
          "touch neither scrolls nor zooms the page")
    page.cdp("Emulation.setTouchEmulationEnabled", enabled=False)


def check_level(page, columns, rows, what):
    page.columns, page.rows = columns, rows
    view = page.main()
    expected = [FIELD_LEFT + SQUARE * columns + 16, FIELD_TOP + SQUARE * rows + 16]
    check(view["clientSize"] == expected, f"{what}: the client area is {view['clientSize']}, expected {expected}")
    page.canvas_matches(what)


def check_menus_by_mouse(page):
    log("--- every menu item by mouse")
    page.click_middle(page.main()["titles"][GAME]["r"])
    page.idle()
    drop = page.scene()["dropDown"]
    if check(drop is not None, "a click on Game opens its drop-down"):
        texts = [item["text"] for item in drop["items"]]
        check(texts == ["New Game", "", "Beginner", "Intermediate", "Expert", "Custom...", "", "Exit"],
              f"the Game drop-down's items: {texts}")
        check([item["sep"] for item in drop["items"]].count(True) == 2, "the Game drop-down has two separators")
        check(drop["items"][0]["key"] == "F2", "New Game shows its key, F2")
        check(drop["items"][BEGINNER]["check"], "the level in play, Beginner, is checked")
        page.canvas_matches("with a drop-down open")
        page.key("Escape")
        page.idle()
        check(page.scene()["dropDown"] is None and page.main()["titles"][GAME]["sel"],
              "Escape closes the drop-down and leaves its title selected")
        page.key("Escape")
        page.idle()
        check(not page.menu_in_use(), "a second Escape leaves the menu")
    for position, columns, rows, name in ((INTERMEDIATE, 16, 16, "Intermediate"), (EXPERT, 30, 16, "Expert"),
                                          (BEGINNER, 9, 9, "Beginner")):
        check(page.menu(GAME, position), f"Game > {name}: the drop-down opens")
        page.idle()
        check_level(page, columns, rows, f"Game > {name} by mouse")
    # A click outside an open menu closes it and reaches the window under it.
    page.click_middle(page.main()["titles"][GAME]["r"])
    page.idle()
    drop = page.scene()["dropDown"]
    if check(drop is not None, "Game opens again"):
        beginner = drop["items"][BEGINNER]
        check(beginner["check"] and beginner["radio"], "the level chosen carries the radio mark")
        page.screenshot("menu-game")
        time.sleep(DOUBLE_CLICK_SECONDS)
        page.click_square(8, 8)
        page.idle()
        check(not page.menu_in_use() and page.board()[8][8] != "nc",
              "a click on the board closes the menu and uncovers the square under it")
        page.canvas_matches("after a click outside the menu")
    page.key("F2")
    page.idle()
    page.click_square(0, 0, "right")
    page.idle()
    page.menu(GAME, NEW_GAME)
    page.idle()
    check(all_covered(page), "Game > New Game by mouse")
    page.menu(SOLVER, HINT)
    page.idle()
    if check(page.box("Hint") is not None, "Solver > Hint by mouse on a fresh board"):
        page.dismiss_box("Hint", "mouse")
    first_opening(page)
    solve_to_the_end(page, lambda: page.menu(SOLVER, SOLVE), "Solver > Solve! by mouse")
    for position, title, how in ((HOW_TO_PLAY, "How to Play", "mouse"),
                                 (WHAT_IS_SOLVER, "About Solver", "the close box"),
                                 (ABOUT, "About Blastgrid", "Escape")):
        page.menu(HELP, position)
        page.idle()
        if check(page.box(title) is not None, f"Help item {position} by mouse shows \"{title}\""):
            if title == "How to Play":
                page.screenshot("box-how-to-play")
            page.dismiss_box(title, how)
    page.menu(GAME, CUSTOM)
    page.idle()
    custom = page.window("Custom Game")
    if check(custom is not None, "Game > Custom... by mouse opens the window"):
        cancel = next(c for c in custom["controls"] if c["kind"] == "button" and "Cancel" in c["text"])
        page.click_middle(cancel["r"])
        page.idle()
        check(page.window("Custom Game") is None, "Cancel closes the custom-game window")


def fill_custom(page, rows, columns, mines):
    custom = page.window("Custom Game")
    fields = [c for c in custom["controls"] if c["kind"] == "field"]
    if not check(len(fields) == 3, "the custom-game window has three fields"):
        return None
    for field, text in zip(fields, (rows, columns, mines)):
        page.click(field["r"][0] + field["r"][2] / 2, field["r"][1] + field["r"][3] / 2)
        page.idle()
        # Whatever the field held goes first.
        for _ in range(4):
            page.key("Backspace")
        page.type_text(text)
        page.idle()
    return custom


def press_custom_ok(page):
    custom = page.window("Custom Game")
    ok = next(c for c in custom["controls"] if c["kind"] == "button" and "OK" in c["text"])
    page.click_middle(ok["r"])
    page.idle()


def check_custom_window(page):
    log("--- the custom-game window: a valid and an invalid entry")
    # Alt+G opens Game at its first item; Up goes round to Exit, then Custom...
    page.keys([("alt", "g"), "Up", "Up", "Enter"])
    if not check(page.window("Custom Game") is not None, "Game > Custom... by keyboard opens the window"):
        return
    custom = fill_custom(page, "12", "2x4", "30")  # the letter is refused
    if custom is None:
        return
    fields = [c["text"] for c in page.window("Custom Game")["controls"] if c["kind"] == "field"]
    check(fields == ["12", "24", "30"], f"the fields take digits only: {fields}")
    page.screenshot("custom-window")
    press_custom_ok(page)
    check(page.window("Custom Game") is None, "OK closes the custom-game window")
    page.key("F2")
    page.idle()
    check_level(page, 24, 12, "a custom game of 24 columns and 12 rows")

    page.menu(GAME, CUSTOM)
    page.idle()
    if fill_custom(page, "0", "9", "5") is None:
        return
    press_custom_ok(page)
    if check(page.box("Blastgrid") is not None, "an invalid entry is refused with a message"):
        page.screenshot("box-invalid-entry")
        page.dismiss_box("Blastgrid", "Escape")
    page.idle()
    check(page.window("Custom Game") is None, "the window closes after the message")


def check_menus_by_keyboard(page):
    """Alt with a title's letter opens its drop-down at the first item; Alt
    or F10 alone selects the first title, where Enter, Up or Down open its
    drop-down at the first item; the arrows move between titles and items,
    going round at either end; Enter chooses. Items have no mnemonics: a
    letter in a drop-down chooses nothing."""
    log("--- every menu item by keyboard")
    # The mouse rests where the drop-down's Exit will be: a drop-down opening
    # under a still mouse does not take the keyboard's selection from it.
    page.keys([("alt", "g")])
    drop = page.scene()["dropDown"]
    page.keys(["Escape", "Escape"])
    if drop:
        exit_item = drop["items"][EXIT]["r"]
        page.mouse("mouseMoved", exit_item[0] + exit_item[2] / 2, exit_item[1] + exit_item[3] / 2)
        page.idle()
    for sequence, columns, rows, name in (([("alt", "g"), "Down", "Down", "Enter"], 16, 16, "Intermediate"),
                                          (["Alt", "Enter", "Down", "Down", "Down", "Enter"], 30, 16, "Expert"),
                                          (["F10", "Down", "Down", "Enter"], 9, 9, "Beginner")):
        page.keys(sequence)
        check(not page.menu_in_use(), f"{sequence}: the menu has ended")
        check_level(page, columns, rows, f"Game > {name} by keyboard")
    page.keys([("alt", "g"), "e"])
    check(page.scene()["dropDown"] is not None and page.main()["clientSize"] == [176, 208],
          "a letter in the drop-down chooses nothing: Expert is not chosen by E")
    page.keys(["Escape", "Escape"])
    check(not page.menu_in_use(), "Escape twice leaves the menu")
    page.click_square(0, 0, "right")
    page.idle()
    page.keys([("alt", "g"), "Enter"])
    check(all_covered(page), "Game > New Game by keyboard")
    page.keys([("alt", "s"), "Enter"])
    if check(page.box("Hint") is not None, "Solver > Hint by keyboard"):
        page.dismiss_box("Hint", "Space")
    first_opening(page)
    solve_to_the_end(page, lambda: page.keys([("alt", "s"), "Down", "Enter"]), "Solver > Solve! by keyboard")
    for sequence, title in (([("alt", "h"), "Enter"], "How to Play"),
                            (["Alt", "Right", "Right", "Down", "Down", "Enter"], "About Solver"),
                            (["F10", "Left", "Up", "Up", "Enter"], "About Blastgrid")):
        page.keys(sequence)
        if check(page.box(title) is not None, f"{sequence} shows \"{title}\""):
            page.dismiss_box(title, "Enter")


def check_close(page, what):
    view = page.main()
    r = view["close"]
    page.click(r[0] + r[2] / 2, r[1] + r[3] / 2)
    deadline = time.time() + 20
    while time.time() < deadline and not page.scene()["ended"]:
        time.sleep(0.05)
    scene = page.scene()
    check(scene["ended"] and scene["exitCode"] == 0, f"{what} ends the program with exit code 0")
    page.screenshot("ended")


def run_check(site, output, server):
    page = Page(server, output, query="?zoom=1", name="game")
    try:
        if not wait_for_start(page):
            return
        check_network(page, server)
        check_start(page, server)
        check_board_play(page)
        check_keys(page)
        check_touch(page)
        check_menus_by_mouse(page)
        check_custom_window(page)
        check_menus_by_keyboard(page)
        page.screenshot("end")
        log("--- Game > Exit")
        if check(page.menu(GAME, EXIT), "Game opens for Exit"):
            deadline = time.time() + 20
            while time.time() < deadline and not page.scene()["ended"]:
                time.sleep(0.05)
            check(page.scene()["ended"] and page.scene()["exitCode"] == 0,
                  "Game > Exit ends the program with exit code 0")
    finally:
        page.close()

    log("--- zoom 2, and the close box")
    page = Page(server, output, width=1200, height=900, query="?zoom=2", name="zoomed")
    try:
        if wait_for_start(page, "the page starts at zoom 2"):
            check(page.scene()["scale"] == 2, "the zoom is 2")
            check(first_opening(page), "a click at zoom 2 lands on its square")
            page.canvas_matches("an opening at zoom 2")
            page.screen_matches("an opening at zoom 2")
            page.click_middle(page.main()["titles"][GAME]["r"])
            page.idle()
            page.screenshot("menu-zoom-2")
            page.click_middle(page.scene()["dropDown"]["items"][EXPERT]["r"])
            page.idle()
            check_level(page, 30, 16, "Expert at zoom 2")
            page.screen_matches("Expert at zoom 2")
            page.screenshot("zoom-2")
            check_close(page, "the close box")
    finally:
        page.close()

    log("--- a phone: 390 x 844 at three device pixels a CSS pixel, touch")
    page = Page(server, output, width=390, height=844, scale=3, name="phone", phone=True)
    try:
        if wait_for_start(page, "the page starts on a phone-sized page"):
            view = page.main()
            check(view["frame"][0] >= 0 and view["frame"][0] + view["frame"][2] <= 390,
                  f"the window fits the phone's width at zoom {round(page.scene()['scale'] * 3)}")
            page.cdp("Emulation.setTouchEmulationEnabled", enabled=True, maxTouchPoints=5)
            x, y = page.square_point(4, 4)
            page.touch("touchStart", {1: (x, y)})
            page.touch("touchEnd", {})
            page.idle()
            check(page.face() != "?" and not all_covered(page), "a tap on the phone uncovers")
            page.canvas_matches("a tap on the phone")
            page.screen_matches("a tap on the phone")
            page.screenshot("phone")
    finally:
        page.close()


# ---- Play and bench -------------------------------------------------------------


def run_play(site, output, server):
    page = Page(server, output, name="play")
    try:
        if not wait_for_start(page):
            return
        page.screenshot("before")
        solve_to_the_end(page, lambda: page.key("F3"), "F3")
        page.screenshot("after")
        check_close(page, "the close box")
        log(f"screenshots: {os.path.join(output, 'before.png')} {os.path.join(output, 'after.png')}")
    finally:
        page.close()


def size_line(site, names):
    total, packed = 0, 0
    parts = []
    for name in names:
        with open(os.path.join(site, name), "rb") as file:
            data = file.read()
        compressed = len(gzip.compress(data, 9, mtime=0))
        total += len(data)
        packed += compressed
        parts.append(f"{name} {len(data) / 1024:.0f} KB ({compressed / 1024:.0f} KB gzip)")
    return total, packed, parts


def solve_run(page):
    """One Solve! run from a new game to its end, Solver's message counted
    as its end: (milliseconds, frames drawn, display frames meanwhile)."""
    page.key("F2")
    page.idle()
    page.js("BlastgridPage.test.startCounting()")
    page.key("F3")
    page.idle(timeout=120)
    counted = page.js("BlastgridPage.test.stopCounting()")
    while page.box("Solver"):
        page.key("Enter")
        page.idle()
    return counted["milliseconds"], counted["frames"], counted["displayFrames"]


def solve_runs(page, board, count):
    """Solve! runs to their end: their times, and the frames drawn over the
    runs long enough to hold frames (50 ms or more), a second and for each
    frame of the display."""
    runs = [solve_run(page) for _ in range(count)]
    durations = sorted(duration for duration, _, _ in runs)
    log(f"Solve! on {board} to its end: median {durations[len(durations) // 2]:.0f} ms, max {durations[-1]:.0f} ms "
        f"({count} runs); {sum(run[1] for run in runs)} frames drawn in {sum(run[2] for run in runs)} frames of "
        f"the display")
    long_runs = [run for run in runs if run[0] >= 50]
    if long_runs:
        total = sum(duration for duration, _, _ in long_runs)
        frames = sum(frames for _, frames, _ in long_runs)
        shown = sum(display for _, _, display in long_runs)
        log(f"Solve! on {board}: {frames * 1000.0 / total:.0f} frames a second drawn while Solver plays, "
            f"{frames} in {shown} frames of the display ({len(long_runs)} runs of 50 ms or more, "
            f"{total / 1000:.1f} s in all; the display's rate: {page.display_rate():.0f})")
    else:
        log(f"Solve! on {board}: every run ended within 50 ms, too short to count frames")


def run_bench(site, output, server):
    total, packed, parts = size_line(site, ["index.html", "style.css", "page.js", "blastgrid.js", "blastgrid.wasm"])
    log(f"the page: {total / 1024:.0f} KB, {packed / 1024:.0f} KB compressed (gzip -9): {'; '.join(parts)}")
    times = []
    for _ in range(5):
        page = Page(server, output, name="bench")
        try:
            page.idle(60)
            first = page.js("BlastgridPage.test.firstBoard")
            if first:
                times.append(first)
        finally:
            page.close()
    times.sort()
    log(f"from navigation to the first board drawn: median {times[len(times) // 2]:.0f} ms, max {times[-1]:.0f} ms "
        f"({len(times)} loads)")

    page = Page(server, output, name="bench")
    try:
        page.idle(60)
        page.menu(GAME, CUSTOM)
        page.idle()
        fill_custom(page, "49", "49", "400")
        press_custom_ok(page)
        page.columns, page.rows = 49, 49
        new_games = []
        for _ in range(7):
            # A square uncovered first, so that the new board's pixels differ
            # (not so soon after the last click that it is a double click).
            time.sleep(DOUBLE_CLICK_SECONDS)
            page.click_square(24, 24)
            page.idle()
            page.js("BlastgridPage.test.startCounting()")
            page.key("F2")
            page.idle()
            counted = page.js("BlastgridPage.test.stopCounting()")
            if counted["untilDrawn"] > 0:
                new_games.append(counted["milliseconds"])
        new_games.sort()
        log(f"a new 49 x 49 game, from F2 to the board drawn and the program waiting again: median "
            f"{new_games[len(new_games) // 2]:.0f} ms, max {new_games[-1]:.0f} ms ({len(new_games)} games)")
        solve_runs(page, "49 x 49 with 400 mines", 20)
        page.menu(GAME, EXPERT)
        page.idle()
        page.columns, page.rows = 30, 16
        solve_runs(page, "Expert", 30)
    finally:
        page.close()


def main():
    global log_file
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("mode", choices=["check", "play", "bench"])
    parser.add_argument("site")
    parser.add_argument("output")
    arguments = parser.parse_args()
    site = os.path.abspath(arguments.site)
    if not os.path.exists(os.path.join(site, "blastgrid.wasm")):
        sys.exit(f"web-robot.py: no page in {site}: build it first (tools/web/web-build.sh)")
    os.makedirs(arguments.output, exist_ok=True)
    log_file = open(os.path.join(arguments.output, f"{arguments.mode}.log"), "w")
    server = Server(site)
    log(f"serving {site} on {server.url}")
    try:
        {"check": run_check, "play": run_play, "bench": run_bench}[arguments.mode](site, arguments.output, server)
    finally:
        server.stop()
    if failures:
        log(f"{len(failures)} checks failed: " + "; ".join(failures))
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
