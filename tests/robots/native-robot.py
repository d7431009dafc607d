#!/usr/bin/env python3
"""Drives the native blastgrid on an X display with real input.

Modes:
  check  the end-to-end test: clicks, marks and two-button clicks, F2, F3
         and H, every menu item by mouse and by keyboard, the custom-game
         window with a valid and an invalid entry, every message box
         dismissed, a Solve! game played to its end; after each step the
         screen must show exactly what the window system's renderer drew.
  play   Solver plays one game; screenshots before and after; the game is
         closed.
  bench  figures: a new game on screen on 49 x 49 and on Expert, and
         Solve! runs of both, with the frames shown per second while Solver
         plays (--no-solve: new games only; --label: a word put before each
         figure).
  resources  figures: resident memory and processor time at rest and with
         the pointer moving, on Beginner, Expert and 49 x 49.
  stress random real input for about a minute on Expert and on 49 x 49
         with Solve! running: clicks, two-button clicks, keys, menus opened
         and closed by mouse and keyboard, boxes, the custom window, and the
         recipe that once crashed the program; the program must live
         throughout, show the renderer's image at each pause, and exit 0.

Input goes through xdotool (the X test extension), screenshots through
ImageMagick's import. The program writes a trace (BLASTGRID_TRACE) that says
when it waits for input and where its menus are, and its renderer's image of
the main window's client area each time it waits (BLASTGRID_SNAPSHOT).
Needs DISPLAY; tools/display/virtual-display.sh gives one. Exits 0 when every check
passed.

Usage: native-robot.py check|play|bench|resources|stress BLASTGRID OUTPUT-FOLDER [--zoom N] [--seconds S] [--rounds N]
       [--no-solve] [--label WORD]
"""
import argparse
import os
import random
import re
import subprocess
import sys
import time

from geometry import view_geometry

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
BITMAPS = os.path.join(ROOT, "resources", "bitmaps")
SQUARE, FIELD_LEFT, FIELD_TOP, FIELD_RIGHT_MARGIN, FIELD_BOTTOM_MARGIN, FACE_SIZE, FACE_TOP = view_geometry(
    "squareSize", "fieldLeft", "fieldTop", "fieldRightMargin", "fieldBottomMargin", "faceSize", "faceTop")
MENU_LINE = 20  # the menu bar of older programs, whose traces do not tell its height
SETTLE_SECONDS = 0.3
GAME, SOLVER, HELP = 0, 1, 2

failures = []
log_file = None
# In play mode a passed check goes only to the log file: the player reads
# what happened in words.
quiet = False


def log(text, shown=True):
    line = f"{time.strftime('%H:%M:%S')} {text}"
    if shown:
        print(line, flush=True)
    if log_file:
        log_file.write(line + "\n")
        log_file.flush()


def check(condition, what):
    if condition:
        log(f"ok   {what}", shown=not quiet)
    else:
        log(f"FAIL {what}")
        failures.append(what)
    return condition


def run(*arguments):
    return subprocess.run(arguments, check=True, capture_output=True, text=True).stdout


def xdotool(*arguments):
    return run("xdotool", *[str(a) for a in arguments])


def pointer_to(x, y, *then):
    """Moves the pointer to (x, y), waiting until it is there, then runs the
    rest of an xdotool command (clicks, presses). xdotool's --sync waits for
    the pointer to move, which takes it seconds when it is there already."""
    location = dict(line.split("=") for line in xdotool("getmouselocation", "--shell").split())
    if (int(location["X"]), int(location["Y"])) == (x, y):
        if then:
            xdotool(*then)
    else:
        xdotool("mousemove", "--sync", x, y, *then)


# ---- Images ------------------------------------------------------------


def read_image(path, scale=1):
    """(width, height, RGB bytes) of an image file, optionally scaled up by
    whole pixels (nearest neighbour)."""
    command = ["convert", path]
    if scale != 1:
        command += ["-filter", "point", "-scale", f"{scale * 100}%"]
    size = subprocess.run(command + ["-format", "%w %h", "info:"], check=True, capture_output=True,
                          text=True).stdout.split()
    data = subprocess.run(command + ["-depth", "8", "rgb:-"], check=True, capture_output=True).stdout
    return int(size[0]), int(size[1]), data


def screenshot(path, x, y, width, height):
    run("import", "-window", "root", "-crop", f"{width}x{height}+{x}+{y}", "+repage", path)


BITMAP_PIXELS = {}


def bitmap(name):
    if name not in BITMAP_PIXELS:
        BITMAP_PIXELS[name] = read_image(os.path.join(BITMAPS, name + ".bmp"))[2]
    return BITMAP_PIXELS[name]


def tile(image, left, top, width, height):
    image_width, _, data = image
    rows = [data[((top + y) * image_width + left) * 3:((top + y) * image_width + left + width) * 3]
            for y in range(height)]
    return b"".join(rows)


SQUARE_NAMES = ["nc", "marked", "s0", "s1", "s2", "s3", "s4", "s5", "s6", "s7", "s8", "mine", "rmine", "bmine"]


def read_board(image, columns, rows):
    """The picture name of every square, board[column][row]; '?' for none."""
    board = []
    for column in range(columns):
        names = []
        for row in range(rows):
            pixels = tile(image, FIELD_LEFT + SQUARE * column, FIELD_TOP + SQUARE * row, SQUARE, SQUARE)
            names.append(next((name for name in SQUARE_NAMES if bitmap(name) == pixels), "?"))
        board.append(names)
    return board


def read_face(image):
    width = image[0]
    pixels = tile(image, width // 2 - FACE_SIZE // 2, FACE_TOP, FACE_SIZE, FACE_SIZE)
    return next((name for name in ["smile", "psmile", "dsmile", "csmile"] if bitmap(name) == pixels), "?")


# ---- The program ---------------------------------------------------------


class Program:
    """The running blastgrid: its process, its trace and its windows."""

    def __init__(self, binary, output, zoom, name="game", snapshot=True):
        self.output = output
        self.zoom = zoom
        self.trace_path = os.path.join(output, f"{name}-trace.log")
        self.snapshot_path = os.path.join(output, f"{name}-client.png")
        for path in (self.trace_path, self.snapshot_path):
            if os.path.exists(path):
                os.remove(path)
        environment = dict(os.environ, BLASTGRID_TRACE=self.trace_path, BLASTGRID_ZOOM=str(zoom))
        if snapshot:
            environment["BLASTGRID_SNAPSHOT"] = self.snapshot_path
        self.process = subprocess.Popen([binary], env=environment, stdout=subprocess.DEVNULL,
                                        stderr=open(os.path.join(output, f"{name}-stderr.log"), "w"))
        self.seen = 0
        self.titles = []
        self.bar = 0  # the menu bar's height on the display
        self.columns, self.rows = 9, 9

    def lines(self):
        try:
            with open(self.trace_path) as trace:
                return trace.read().splitlines()
        except FileNotFoundError:
            return []

    def mark(self):
        """The trace's length now: what comes after it is new."""
        return len(self.lines())

    def wait_for(self, pattern, since, timeout=30):
        """The first trace line from `since` on that matches, as a match."""
        deadline = time.time() + timeout
        while time.time() < deadline:
            for line in self.lines()[since:]:
                found = re.match(r"\d+ " + pattern + "$", line)
                if found:
                    return found
            if self.process.poll() is not None:
                return None
            time.sleep(0.02)
        return None

    def settle(self, since, timeout=60):
        """Waits until the program waits for input again after `since` and has
        been quiet for a moment; false when it does not."""
        deadline = time.time() + timeout
        while time.time() < deadline:
            lines = self.lines()
            if len(lines) > since and lines[-1].endswith(" wait"):
                count = len(lines)
                time.sleep(SETTLE_SECONDS)
                if len(self.lines()) == count:
                    return True
                continue
            if self.process.poll() is not None:
                return False
            time.sleep(0.02)
        return False

    def idle(self, timeout=30):
        """Waits until the program waits for input and has been quiet for a
        moment, whatever came before."""
        return self.settle(max(self.mark() - 1, 0), timeout)

    def window(self, title):
        """(id, x, y, width, height) of the visible window with this title, or None."""
        try:
            ids = xdotool("search", "--onlyvisible", "--name", f"^{re.escape(title)}$").split()
        except subprocess.CalledProcessError:
            return None
        for window in ids:
            try:
                shell = xdotool("getwindowgeometry", "--shell", window)
            except subprocess.CalledProcessError:  # gone since the search
                continue
            geometry = dict(line.split("=") for line in shell.split())
            return (window, int(geometry["X"]), int(geometry["Y"]), int(geometry["WIDTH"]), int(geometry["HEIGHT"]))
        return None

    def await_window(self, title, timeout=5):
        """The window with this title once the display shows it: the trace
        says a window is made, the display may map it a moment later."""
        deadline = time.time() + timeout
        while True:
            found = self.window(title)
            if found is not None or time.time() > deadline:
                return found
            time.sleep(0.05)

    def main(self):
        return self.window("Blastgrid")

    def client_origin(self):
        _, x, y, _, _ = self.main()
        return x, y + self.bar

    def snapshot(self):
        return read_image(self.snapshot_path)

    def screen_matches_snapshot(self, what, attempts=6):
        """The main window's client area on the screen against the renderer's
        image of it, pixel for pixel at the zoom. The display may show a frame
        a moment after the program drew it (a busy X server, a window just
        closed above it), so a difference is looked at again a few times
        before it counts."""
        for attempt in range(attempts):
            _, x, y, width, height = self.main()
            top = self.bar
            shot = os.path.join(self.output, "screen.png")
            screenshot(shot, x, y + top, width, height - top)
            expected = read_image(self.snapshot_path, self.zoom)
            actual = read_image(shot)
            if expected[:2] != actual[:2]:
                problem = f"the screen shows {actual[0]}x{actual[1]}, the renderer drew {expected[0]}x{expected[1]}"
            else:
                different = sum(1 for i in range(0, len(actual[2]), 3) if actual[2][i:i + 3] != expected[2][i:i + 3])
                if different == 0:
                    return check(True, f"{what}: the screen shows the renderer's image"
                                       f"{f' (on look {attempt + 1})' if attempt else ''}")
                problem = f"the screen differs from the renderer's image in {different} pixels"
            time.sleep(0.3)
        return check(False, f"{what}: {problem}")

    def board(self):
        return read_board(self.snapshot(), self.columns, self.rows)

    def face(self):
        return read_face(self.snapshot())

    def focus(self, title="Blastgrid"):
        found = self.window(title)
        if found:
            xdotool("windowfocus", "--sync", found[0])

    def key(self, *keys, window="Blastgrid"):
        self.focus(window)
        since = self.mark()
        xdotool("key", "--clearmodifiers", *keys)
        return since

    def square_point(self, column, row):
        x, y = self.client_origin()
        return (x + (FIELD_LEFT + SQUARE * column + SQUARE // 2) * self.zoom,
                y + (FIELD_TOP + SQUARE * row + SQUARE // 2) * self.zoom)

    def click(self, x, y, button=1):
        since = self.mark()
        pointer_to(x, y, "click", button)
        return since

    def click_square(self, column, row, button=1):
        return self.click(*self.square_point(column, row), button)

    def chord(self, column, row, first_up):
        """Both buttons pressed over a square, then released, `first_up` first."""
        x, y = self.square_point(column, row)
        since = self.mark()
        pointer_to(x, y, "mousedown", 1, "mousedown", 3, "mouseup", first_up, "mouseup",
                   4 - first_up)
        return since

    def open_menu(self, title, timeout=30):
        """Clicks a title of the menu bar; the drop-down's items' centres."""
        window, x, y, _, _ = self.main()
        left, right = self.titles[title]
        since = self.mark()
        pointer_to(x + (left + right) // 2, y + self.bar // 2, "click", 1)
        return self.read_drop_down(title, since, timeout)

    def read_drop_down(self, title, since, timeout=30):
        found = self.wait_for(rf"menu {title} (\d+) (\d+) (\d+) (\d+)", since, timeout)
        if not found:
            return None
        x, y, width, height = map(int, found.groups())
        items = {}
        deadline = time.time() + 5
        while time.time() < deadline:
            lines = self.lines()[since:]
            start = next(i for i, line in enumerate(lines) if re.match(rf"\d+ menu {title} ", line))
            for line in lines[start + 1:]:
                item = re.match(r"\d+ item (\d+) (\d+) (\d+)$", line)
                if not item:
                    break
                position, top, bottom = map(int, item.groups())
                items[position] = (x + width // 2, (top + bottom) // 2)
            if items:
                break
            time.sleep(0.02)
        return {"x": x, "y": y, "width": width, "height": height, "items": items}

    def choose_by_mouse(self, title, position):
        menu = self.open_menu(title)
        if not check(menu is not None and position in menu["items"], f"the drop-down {title} opens"):
            return self.mark()
        since = self.mark()
        pointer_to(*menu["items"][position], "click", 1)
        self.wait_for(r"menu closed", since)
        return since

    def choose_by_keyboard(self, keys):
        """Keys to the menu: the first opens it; the rest are typed once its
        drop-down (or its selected title) is on the screen, as a person
        would, each after the menu has answered the one before."""
        since = self.key(keys[0])
        self.wait_for(r"(menu \d.*|frame \d+)", since, timeout=5)
        for key in keys[1:]:
            time.sleep(0.15)
            xdotool("key", "--clearmodifiers", key)
        self.wait_for(r"menu closed", since)
        return since

    def new_board_size(self, columns, rows):
        self.columns, self.rows = columns, rows

    def dismiss_box(self, title, how):
        """Closes the message box with this title: 'mouse' clicks OK,
        otherwise the key named."""
        found = self.await_window(title)
        if not check(found is not None, f"the message box \"{title}\" is on the screen"):
            return False
        window, x, y, width, height = found
        since = self.mark()
        if how == "mouse":
            # OK is centred at the bottom, 75 x 23 with a 12-pixel margin.
            pointer_to(x + width // 2, y + height - (12 + 11) * self.zoom, "click", 1)
        else:
            xdotool("windowfocus", "--sync", window)
            xdotool("key", "--clearmodifiers", how)
        closed = self.wait_for(r"box closed", since, timeout=10)
        return check(closed is not None, f"the message box \"{title}\" closes by {how}")

    def exit_code(self, timeout=20):
        try:
            return self.process.wait(timeout)
        except subprocess.TimeoutExpired:
            self.process.kill()
            return None


def read_titles(program):
    """Where the menu bar's titles are, and how high the bar is, as the
    program's trace says."""
    found = program.wait_for(r"titles ([\d -]*?)(?: bar (\d+))?", 0)
    program.titles = [tuple(map(int, pair.split("-"))) for pair in found.group(1).split()]
    # Older builds do not say; their bar is one line of menu.
    program.bar = int(found.group(2)) if found.group(2) else MENU_LINE * program.zoom


def box_opened(program, since, title, timeout=10):
    return program.wait_for(rf"box {re.escape(title)}", since, timeout) is not None


# ---- The end-to-end test -------------------------------------------------


def first_opening(program):
    """Clicks squares of new games until a click uncovers more than one
    square; false when twenty games could not give one."""
    for attempt in range(20):
        since = program.click_square(4 + attempt % 2, 4)
        program.settle(since)
        board = program.board()
        uncovered = sum(1 for column in board for name in column if name.startswith("s"))
        if program.face() == "smile" and uncovered > 1:
            return True
        since = program.key("F2")
        program.settle(since)
    return False


def number_with_spare_neighbours(board, columns, rows):
    """A square showing a number with more covered neighbours than its
    number: marking that many of them leaves one to uncover."""
    for column in range(columns):
        for row in range(rows):
            name = board[column][row]
            if name not in ("s1", "s2", "s3", "s4", "s5", "s6", "s7", "s8"):
                continue
            covered = [(c, r) for c in range(column - 1, column + 2) for r in range(row - 1, row + 2)
                       if 0 <= c < columns and 0 <= r < rows and board[c][r] == "nc"]
            if len(covered) > int(name[1]):
                return (column, row), covered[:int(name[1])], covered[int(name[1]):]
    return None


def check_board_play(program):
    log("--- the board: clicks, marks and two-button clicks")
    since = program.key("F2")
    program.settle(since)
    program.screen_matches_snapshot("a fresh Beginner board")
    board = program.board()
    check(all(name == "nc" for column in board for name in column), "a fresh board is all covered")
    check(program.face() == "smile", "the face smiles")

    since = program.click_square(0, 0, 3)
    program.settle(since)
    check(program.board()[0][0] == "marked", "a right click marks a square")
    program.screen_matches_snapshot("a marked square")
    time.sleep(0.6)  # not a double click
    since = program.click_square(0, 0, 3)
    program.settle(since)
    check(program.board()[0][0] != "marked", "a second right click takes the mark away")

    check(first_opening(program), "a left click uncovers squares")
    program.screen_matches_snapshot("an opening")

    for first_up in (1, 3):
        found = number_with_spare_neighbours(program.board(), program.columns, program.rows)
        if not check(found is not None, "a number with spare covered neighbours"):
            return
        square, to_mark, rest = found
        for column, row in to_mark:
            time.sleep(0.6)  # a quick second right press would be a double click, which marks nothing
            since = program.click_square(column, row, 3)
            program.settle(since)
        time.sleep(0.6)  # nor may the chord's presses be taken for double clicks
        since = program.chord(*square, first_up)
        program.settle(since)
        board = program.board()
        changed = program.face() == "dsmile" or any(board[c][r] != "nc" for c, r in rest)
        order = "left" if first_up == 1 else "right"
        check(changed, f"a two-button click released {order} first reveals around {square}")
        program.screen_matches_snapshot(f"after a two-button click released {order} first")
        if program.face() == "dsmile" or not first_opening_possible(program):
            since = program.key("F2")
            program.settle(since)
            if not first_opening(program):
                return


def first_opening_possible(program):
    return number_with_spare_neighbours(program.board(), program.columns, program.rows) is not None


def check_keys(program):
    log("--- keys: F2, H and F3")
    since = program.key("F2")
    program.settle(since)
    since = program.key("h")
    check(box_opened(program, since, "Hint"), "H on a fresh board: Solver has no safe square and says so")
    program.dismiss_box("Hint", "Return")
    program.settle(since)
    first_opening(program)
    before = program.board()
    since = program.key("H")
    program.settle(since)
    after = program.board()
    if box_opened(program, since, "Hint", timeout=0.5):
        program.dismiss_box("Hint", "Escape")
        check(True, "H after an opening: no safe square")
    else:
        uncovered = [(c, r) for c in range(program.columns) for r in range(program.rows)
                     if before[c][r] == "nc" and after[c][r].startswith("s")]
        check(len(uncovered) >= 1 and program.face() == "smile", "H after an opening uncovers a safe square")
    program.screen_matches_snapshot("after a hint")
    solve_to_the_end(program, lambda: program.key("F3"), "F3")
    since = program.key("F2")
    program.settle(since)
    check(all(name == "nc" for column in program.board() for name in column), "F2 starts a new game")


def solve_to_the_end(program, start, how):
    """Solve! to its end: Solver's message, when it gives one, dismissed."""
    since = start()
    deadline = time.time() + 120
    while time.time() < deadline:
        lines = program.lines()[since:]
        if any(re.match(r"\d+ box Solver$", line) for line in lines):
            program.dismiss_box("Solver", "Return")
            # The program may be waiting already: its last line counts.
            since = max(program.mark() - 1, 0)
            continue
        if program.settle(since, timeout=2):
            break
    face = program.face()
    board = program.board()
    finished = face in ("csmile", "dsmile") or all(name != "nc" for column in board for name in column) or \
        any(name in ("rmine", "bmine") for column in board for name in column)
    check(finished or face == "smile", f"Solve! by {how} plays to its end (face {face})")
    program.screen_matches_snapshot(f"after Solve! by {how}")


def check_level(program, columns, rows, what):
    program.new_board_size(columns, rows)
    _, _, _, width, height = program.main()
    expected = ((FIELD_LEFT + SQUARE * columns + FIELD_RIGHT_MARGIN) * program.zoom,
                program.bar + (FIELD_TOP + SQUARE * rows + FIELD_BOTTOM_MARGIN) * program.zoom)
    check((width, height) == expected, f"{what}: the window is {width}x{height}, expected {expected[0]}x{expected[1]}")
    program.screen_matches_snapshot(what)


def check_menus_by_mouse(program):
    log("--- every menu item by mouse")
    shots = program.output
    menu = program.open_menu(GAME)
    if menu:
        screenshot(os.path.join(shots, "menu-game.png"), menu["x"], menu["y"], menu["width"], menu["height"])
        # Escape closes the drop-down and leaves the title selected; a
        # second Escape leaves the menu.
        since = program.mark()
        xdotool("key", "Escape", "Escape")
        check(program.wait_for("menu closed", since) is not None, "Escape twice closes a menu opened by mouse")
    for position, columns, rows, name in ((3, 16, 16, "Intermediate"), (4, 30, 16, "Expert"),
                                          (2, 9, 9, "Beginner")):
        since = program.choose_by_mouse(GAME, position)
        program.settle(since)
        check_level(program, columns, rows, f"Game > {name} by mouse")
    since = program.choose_by_mouse(GAME, 0)
    program.settle(since)
    check(all(name == "nc" for column in program.board() for name in column), "Game > New Game by mouse")

    since = program.choose_by_mouse(SOLVER, 0)
    check(box_opened(program, since, "Hint"), "Solver > Hint by mouse on a fresh board")
    program.dismiss_box("Hint", "mouse")
    program.settle(since)
    first_opening(program)
    solve_to_the_end(program, lambda: program.choose_by_mouse(SOLVER, 2), "Solver > Solve! by mouse")

    for position, title, how in ((0, "How to Play", "mouse"), (1, "About Solver", "Return"),
                                 (3, "About Blastgrid", "Escape")):
        since = program.choose_by_mouse(HELP, position)
        if check(box_opened(program, since, title), f"Help item {position} by mouse shows \"{title}\""):
            if title == "How to Play":
                found = program.window(title)
                if found:
                    screenshot(os.path.join(shots, "box-how-to-play.png"), *found[1:])
            program.dismiss_box(title, how)
        program.settle(since)

    since = program.choose_by_mouse(GAME, 5)
    check(program.wait_for(r"window Custom Game", since) is not None, "Game > Custom... by mouse opens the window")
    custom = program.await_window("Custom Game")
    if custom:
        screenshot(os.path.join(shots, "custom-window.png"), *custom[1:])
        # Cancel: 50, 155, 100 x 25 in the window's client area.
        since = program.click(custom[1] + 100 * program.zoom, custom[2] + 167 * program.zoom)
        program.settle(since)
        check(program.window("Custom Game") is None, "Cancel closes the custom-game window")


def type_into(program, custom, field_y, text):
    """Clicks a field of the custom-game window and types into it."""
    since = program.click(custom[1] + 110 * program.zoom, custom[2] + field_y * program.zoom)
    program.settle(since)
    xdotool("type", "--delay", "30", text)


def check_custom_window(program):
    log("--- the custom-game window by keyboard: a valid and an invalid entry")
    since = program.choose_by_keyboard(["alt+g", "Up", "Up", "Return"])  # Exit, then Custom...
    check(program.wait_for(r"window Custom Game", since) is not None, "Game > Custom... by keyboard opens the window")
    custom = program.await_window("Custom Game")
    if not custom:
        return
    type_into(program, custom, 20, "12")   # rows
    type_into(program, custom, 50, "2x0")  # columns: the letter is refused
    xdotool("key", "BackSpace")
    xdotool("type", "--delay", "30", "4")
    type_into(program, custom, 80, "30")   # mines
    program.idle()
    screenshot(os.path.join(program.output, "custom-filled.png"), *custom[1:])
    since = program.click(custom[1] + 100 * program.zoom, custom[2] + 132 * program.zoom)  # OK
    program.settle(since)
    check(program.window("Custom Game") is None, "OK closes the custom-game window")
    since = program.key("F2")
    program.settle(since)
    check_level(program, 24, 12, "a custom game of 24 columns and 12 rows")

    since = program.choose_by_mouse(GAME, 5)
    program.wait_for(r"window Custom Game", since)
    custom = program.await_window("Custom Game")
    if not custom:
        return
    type_into(program, custom, 20, "0")
    type_into(program, custom, 50, "9")
    type_into(program, custom, 80, "5")
    since = program.click(custom[1] + 100 * program.zoom, custom[2] + 132 * program.zoom)
    check(box_opened(program, since, "Blastgrid"), "an invalid entry is refused with a message")
    found = program.window("Blastgrid")
    program.dismiss_box("Blastgrid", "Escape") if found else None
    program.settle(since)
    check(program.window("Custom Game") is None, "the window closes after the message")


def check_menus_by_keyboard(program):
    log("--- every menu item by keyboard")
    # The pointer out of the way: a drop-down that opens under it selects
    # nothing until it moves, but a test should not lean on that.
    _, x, y, width, height = program.main()
    pointer_to(x + width + 40, y + height + 40)
    # Alt+G opens Game with New Game selected; Alt alone selects the title
    # and Enter opens it; F10 as Alt, and Down opens the drop-down too. (The
    # items have no mnemonics: a letter picks nothing, as the real system
    # does.)
    for keys, columns, rows, name in ((["alt+g", "Down", "Down", "Return"], 16, 16, "Intermediate"),
                                      (["alt", "Return", "Down", "Down", "Down", "Return"], 30, 16, "Expert"),
                                      (["F10", "Down", "Down", "Return"], 9, 9, "Beginner")):
        since = program.choose_by_keyboard(keys)
        program.settle(since)
        check_level(program, columns, rows, f"Game > {name} by keyboard ({' '.join(keys)})")
    since = program.choose_by_keyboard(["alt+g", "Return"])
    program.settle(since)
    check(all(name == "nc" for column in program.board() for name in column), "Game > New Game by keyboard")

    since = program.choose_by_keyboard(["alt+s", "Return"])
    check(box_opened(program, since, "Hint"), "Solver > Hint by keyboard")
    program.dismiss_box("Hint", "space")
    program.settle(since)
    first_opening(program)
    solve_to_the_end(program, lambda: program.choose_by_keyboard(["alt+s", "Down", "Return"]),
                     "Solver > Solve! by keyboard")

    # Right moves along the titles; Up on a title opens it at its first item
    # and Up again goes round to the last.
    for keys, title in ((["alt+h", "Return"], "How to Play"), (["alt+h", "Down", "Return"], "About Solver"),
                        (["alt", "Right", "Right", "Up", "Up", "Return"], "About Blastgrid")):
        since = program.choose_by_keyboard(keys)
        check(box_opened(program, since, title), f"{' '.join(keys)} shows \"{title}\"")
        program.dismiss_box(title, "Return")
        program.settle(since)
    since = program.choose_by_keyboard(["alt+g", "Escape", "Escape"])
    check(program.wait_for("menu closed", since) is not None, "Escape twice leaves the menu")


def run_check(binary, output, zoom):
    program = Program(binary, output, zoom)
    since = 0
    if not check(program.settle(since), "the program starts and waits for input"):
        return program
    read_titles(program)
    check(len(program.titles) == 3, "the menu bar has three titles")
    check(program.main() is not None, "the main window is titled \"Blastgrid\"")
    # The program's icon, as the window manager reads it: 32 x 32 pixels.
    icon = subprocess.run(["xprop", "-id", program.main()[0], "_NET_WM_ICON"], capture_output=True, text=True).stdout
    check("Icon (32 x 32)" in icon, "the main window carries the program's icon")
    screenshot(os.path.join(output, "start.png"), *program.main()[1:])
    check_level(program, 9, 9, "the first game")
    check_board_play(program)
    check_keys(program)
    check_menus_by_mouse(program)
    check_custom_window(program)
    check_menus_by_keyboard(program)
    shot = program.main()
    screenshot(os.path.join(output, "end.png"), *shot[1:])
    log("--- Game > Exit by mouse")
    program.choose_by_mouse(GAME, 7)
    check(program.exit_code() == 0, "Game > Exit ends the program with exit code 0")
    return program


def run_close(binary, output, zoom):
    """A second run at another zoom, closed from the window's close command."""
    program = Program(binary, output, zoom, name="zoomed")
    if not check(program.settle(0), f"the program starts at zoom {zoom}"):
        return
    read_titles(program)
    check_level(program, 9, 9, f"the first game at zoom {zoom}")
    check(first_opening(program), f"a click at zoom {zoom} lands on its square")
    program.screen_matches_snapshot(f"an opening at zoom {zoom}")
    since = program.choose_by_mouse(GAME, 4)
    program.settle(since)
    check_level(program, 30, 16, f"Expert at zoom {zoom}")
    screenshot(os.path.join(output, f"zoom-{zoom}.png"), *program.main()[1:])
    program.key("alt+F4")
    check(program.exit_code() == 0, "closing the window ends the program with exit code 0")


# ---- Play and bench ------------------------------------------------------


def run_play(binary, output, zoom):
    global quiet
    quiet = True
    program = Program(binary, output, zoom)
    before, after = os.path.join(output, "before.png"), os.path.join(output, "after.png")
    check(program.settle(0), "the program starts")
    read_titles(program)
    screenshot(before, *program.main()[1:])
    print("Solver is playing a new Beginner game...", flush=True)
    started = time.time()
    solve_to_the_end(program, lambda: program.key("F3"), "F3")
    seconds = time.time() - started
    face = program.face()
    if face == "csmile":
        print(f"Solver won the game in {seconds:.1f} s.", flush=True)
    elif face == "dsmile":
        print(f"Solver lost the game: it had to guess and uncovered a mine ({seconds:.1f} s).", flush=True)
    else:
        print("Solver stopped before the game ended.", flush=True)
    screenshot(after, *program.main()[1:])
    program.key("alt+F4")
    check(program.exit_code() == 0, "the game closes with exit code 0")
    print(f"Screenshots of the board before and after: {before} and {after}", flush=True)
    print(f"Everything the robot saw is in {os.path.join(output, 'robot.log')}", flush=True)


def trace_time(line):
    return int(line.split()[0])


def solve_run(program):
    """One Solve! run from a new game to its end: (milliseconds, frames);
    None when the program has ended."""
    since = program.key("F2")
    program.settle(since)
    since = program.key("F3")
    while True:
        if program.process.poll() is not None:
            check(False, "the program lives through the Solve! run")
            return None
        box = program.wait_for(r"box Solver", since, timeout=0.2)
        lines = program.lines()[since:]
        if box or program.settle(since, timeout=0.5):
            lines = program.lines()[since:]
            if box:
                lines = lines[:next(i for i, line in enumerate(lines) if re.match(r"\d+ box Solver$", line)) + 1]
                program.dismiss_box("Solver", "Return")
            frames = sum(1 for line in lines if " frame " in line)
            return trace_time(lines[-1]) - trace_time(lines[0]), frames


def solve_runs(program, board, count, label=""):
    """Solve! runs to their end: their times, and the frames a second shown
    in the runs long enough to count them (a tenth of a second or more)."""
    runs = []
    for _ in range(count):
        run = solve_run(program)
        if run is None:
            return
        runs.append(run)
    durations = sorted(duration for duration, _ in runs)
    log(f"{label}Solve! on {board} to its end: median {durations[len(durations) // 2]} ms, max {durations[-1]} ms "
        f"({count} runs)")
    long_runs = [(duration, frames) for duration, frames in runs if duration >= 100]
    if long_runs:
        rates = sorted(frames * 1000.0 / duration for duration, frames in long_runs)
        log(f"{label}Solve! on {board}: {rates[len(rates) // 2]:.0f} frames a second while Solver plays "
            f"(median of {len(long_runs)} runs of 100 ms or more)")
    else:
        log(f"{label}Solve! on {board}: every run ended within 100 ms, too short to count frames")


def processor_ticks(pid):
    """The process's user and system time so far, in clock ticks."""
    with open(f"/proc/{pid}/stat") as stat:
        fields = stat.read().rsplit(")", 1)[1].split()
    return int(fields[11]) + int(fields[12])


def resident_kib(pid):
    with open(f"/proc/{pid}/status") as status:
        for line in status:
            if line.startswith("VmRSS:"):
                return int(line.split()[1])
    return 0


def processor_share(program, seconds, during=None):
    """The share of one core the program used over `seconds`, while
    `during` (if any) runs."""
    pid = program.process.pid
    ticks, started = processor_ticks(pid), time.time()
    if during:
        during()
    time.sleep(max(0.0, seconds - (time.time() - started)))
    used = (processor_ticks(pid) - ticks) / os.sysconf("SC_CLK_TCK")
    return 100.0 * used / (time.time() - started)


def pointer_sweep(program, seconds):
    """The pointer moved over the board, back and forth across its squares,
    fifty times a second, buttons up."""
    x, y = program.client_origin()
    points = []
    for step in range(int(seconds * 50)):
        column = step % (2 * program.columns)
        column = column if column < program.columns else 2 * program.columns - 1 - column
        points.append(program.square_point(column, (step // program.columns) % program.rows))
    command = []
    for point in points:
        command += ["mousemove", point[0], point[1], "sleep", "0.02"]
    xdotool(*command)


def measure_resources(program, board, seconds=4):
    """Resident memory and processor time at rest and with the pointer moving
    over the board."""
    program.idle()
    time.sleep(1)
    rest = processor_share(program, seconds)
    moving = processor_share(program, seconds, lambda: pointer_sweep(program, seconds))
    program.idle()
    log(f"{board} at zoom {program.zoom}: {resident_kib(program.process.pid) / 1024:.0f} MB resident, "
        f"{rest:.1f} % of a core at rest, {moving:.1f} % with the pointer moving over the board")


def run_resources(binary, output, zoom):
    """Memory and processor figures on Beginner, Expert and (at zoom 1)
    49 x 49."""
    program = Program(binary, output, zoom, name="resources")
    program.settle(0)
    read_titles(program)
    measure_resources(program, "Beginner")
    program.settle(program.choose_by_mouse(GAME, 4))  # Expert
    program.new_board_size(30, 16)
    measure_resources(program, "Expert")
    if zoom > 1:  # 49 x 49 fits no common screen at zoom 2
        program.key("alt+F4")
        program.exit_code()
        return
    since = program.choose_by_mouse(GAME, 5)  # Custom...
    program.wait_for(r"window Custom Game", since)
    custom = program.await_window("Custom Game")
    for y, text in ((20, "49"), (50, "49"), (80, "400")):
        type_into(program, custom, y, text)
    program.settle(program.click(custom[1] + 100 * program.zoom, custom[2] + 132 * program.zoom))
    program.new_board_size(49, 49)
    measure_resources(program, "49 x 49")
    program.key("alt+F4")
    program.exit_code()


def new_game_times(program, count):
    """New games by F2 on the board up now: from the key's arrival to the
    program waiting again with the new board drawn on the display just
    before; the times sorted."""
    times = []
    for _ in range(count):
        since = program.key("F2")
        program.settle(since)
        lines = program.lines()[since:]
        keys = [trace_time(line) for line in lines if line.endswith(" key 113")]
        waits = [trace_time(line) for line in lines if line.endswith(" wait")]
        if keys and waits:
            times.append(waits[-1] - keys[0])
    times.sort()
    return times


def log_new_game_times(board, times, label):
    if not check(bool(times), f"new games on {board} are timed"):
        return
    log(f"{label}new {board} game on screen: median {times[len(times) // 2]} ms, max {times[-1]} ms "
        f"({len(times)} games)")


def run_bench(binary, output, zoom, solve=True, label=""):
    """New games on 49 x 49 and on Expert, and (with `solve`) Solve! runs of
    each to their end. The program writes no snapshots here, as a player's
    does not: the figures are the program's own."""
    program = Program(binary, output, zoom, snapshot=False)
    program.settle(0)
    read_titles(program)

    # A custom game of 49 x 49 with 400 mines, then new games by F2.
    since = program.choose_by_mouse(GAME, 5)
    program.wait_for(r"window Custom Game", since)
    custom = program.await_window("Custom Game")
    for y, text in ((20, "49"), (50, "49"), (80, "400")):
        type_into(program, custom, y, text)
    since = program.click(custom[1] + 100 * program.zoom, custom[2] + 132 * program.zoom)
    program.settle(since)
    log_new_game_times("49 x 49", new_game_times(program, 11), label)
    if solve:
        solve_runs(program, "49 x 49 with 400 mines", 7, label)

    since = program.choose_by_keyboard(["alt+g", "Down", "Down", "Down", "Return"])  # Expert
    program.settle(since)
    log_new_game_times("Expert", new_game_times(program, 15), label)
    if solve:
        solve_runs(program, "Expert", 15, label)
    program.key("alt+F4")
    program.exit_code()


# ---- Stress -------------------------------------------------------------


class Stress:
    """Random input of every kind the program takes, from a fixed seed."""

    def __init__(self, program, seed):
        self.program = program
        self.random = random.Random(seed)
        self.actions = 0

    def alive(self):
        return self.program.process.poll() is None

    def open_boxes(self):
        """The titles of the boxes up now, innermost last, as the trace says."""
        boxes = []
        for line in self.program.lines():
            found = re.match(r"\d+ box (.*)$", line)
            if not found:
                continue
            if found.group(1) == "closed":
                if boxes:
                    boxes.pop()
            else:
                boxes.append(found.group(1))
        return boxes

    def dismiss_boxes(self):
        """Closes the boxes up, by a key or the mouse, a moment after the
        action that may have opened one."""
        time.sleep(0.05)
        for _ in range(4):
            boxes = self.open_boxes()
            if not boxes:
                return
            if self.program.await_window(boxes[-1], timeout=2) is None:
                return
            self.program.dismiss_box(boxes[-1], self.random.choice(["Return", "Escape", "space", "mouse"]))

    def square(self):
        return self.random.randrange(self.program.columns), self.random.randrange(self.program.rows)

    def click(self):
        column, row = self.square()
        return self.program.click_square(column, row, self.random.choice([1, 1, 3]))

    def chord(self):
        column, row = self.square()
        return self.program.chord(column, row, self.random.choice([1, 3]))

    def key(self):
        return self.program.key(self.random.choice(["F2", "F3", "h", "F3"]))

    def menu_by_mouse(self):
        """A title clicked, then Escape twice, a click on the board, or a
        harmless item (New Game, or the level in play)."""
        program = self.program
        title = self.random.choice([GAME, SOLVER, HELP])
        since = program.mark()
        menu = program.open_menu(title, timeout=3)
        if menu is None:
            return since
        how = self.random.choice(["escape", "board", "item"])
        if how == "escape":
            xdotool("key", "Escape", "Escape")
        elif how == "board":
            column, row = self.square()
            pointer_to(*program.square_point(column, row), "click", 1)
        elif title == GAME and 0 in menu["items"]:
            pointer_to(*menu["items"][0], "click", 1)
        else:
            xdotool("key", "Escape", "Escape")
        program.wait_for("menu closed", since, timeout=5)
        return since

    def menu_by_keyboard(self):
        keys = self.random.choice([["alt+g", "Escape", "Escape"], ["alt+s", "Escape", "Escape"],
                                   ["alt+h", "Right", "Escape", "Escape"], ["F10", "Down", "Escape", "Escape"],
                                   ["alt+g", "Return"], ["alt", "Escape"]])
        return self.program.choose_by_keyboard(keys)

    def crash_recipe(self):
        """Solve! on, a drop-down opened and closed at once, Solve! again: as
        fast as a player's hands, which once ended the program."""
        program = self.program
        since = program.mark()
        found = program.main()
        if found is None:  # the program has gone; the caller sees it
            return since
        _, x, y, _, _ = found
        left, right = program.titles[GAME]
        xdotool("key", "F3")
        pointer_to(x + (left + right) // 2, y + program.bar // 2, "click", 1)
        time.sleep(self.random.choice([0, 0.02, 0.1]))
        xdotool("key", "Escape", "Escape", "F3")
        return since

    def custom_window(self):
        program = self.program
        since = program.choose_by_keyboard(["alt+g", "Up", "Up", "Return"])  # Custom...
        found = program.await_window("Custom Game")
        if found is None:
            return since
        _, x, y, _, _ = found
        pointer_to(x + 100 * program.zoom, y + 167 * program.zoom, "click", 1)  # Cancel
        return since

    def step(self):
        self.dismiss_boxes()
        action = self.random.choice([self.click, self.click, self.click, self.chord, self.key, self.key,
                                     self.menu_by_mouse, self.menu_by_keyboard, self.crash_recipe,
                                     self.custom_window])
        action()
        self.actions += 1
        time.sleep(self.random.choice([0, 0, 0.01, 0.05]))
        self.dismiss_boxes()

    def pause(self, what):
        """Waits for the program to rest (Solve! ends by itself), closing the
        boxes it shows, and compares the screen with the renderer."""
        program = self.program
        for _ in range(20):
            self.dismiss_boxes()
            if program.settle(max(program.mark() - 1, 0), timeout=3) and not self.open_boxes():
                program.screen_matches_snapshot(what)
                return
        check(False, f"{what}: the program comes to rest")


def enter_custom(program, rows, columns, mines):
    """A custom game through the custom-game window."""
    since = program.choose_by_keyboard(["alt+g", "Up", "Up", "Return"])  # Custom...
    custom = program.await_window("Custom Game")
    if custom is None:
        return since
    type_into(program, custom, 20, rows)
    type_into(program, custom, 50, columns)
    type_into(program, custom, 80, mines)
    program.idle()
    return program.click(custom[1] + 100 * program.zoom, custom[2] + 132 * program.zoom)  # OK


def run_stress(binary, output, seconds, rounds):
    program = Program(binary, output, 1, name="stress")
    if not check(program.settle(0), "the program starts"):
        return
    read_titles(program)
    stress = Stress(program, seed=20261209)
    started = time.time()
    for size, keys, columns, rows in (("Expert", ["alt+g", "Down", "Down", "Down", "Return"], 30, 16),
                                      ("49 x 49", None, 49, 49)):
        if keys is not None:
            since = program.choose_by_keyboard(keys)
        else:
            since = enter_custom(program, "49", "49", "480")
        program.settle(since)
        program.new_board_size(columns, rows)
        deadline = started + seconds * (0.5 if columns == 30 else 1.0)
        while time.time() < deadline and stress.alive():
            for _ in range(8):
                stress.step()
                if not stress.alive():
                    break
            if stress.alive():
                stress.pause(f"{size} after {stress.actions} actions")
        check(stress.alive(), f"the program lives through {stress.actions} random actions on {size}")
        if not stress.alive():
            return
    # The recipe that once ended the program, many times over at the end.
    for done in range(rounds):
        stress.crash_recipe()
        if not stress.alive():
            break
        if done % 25 == 24:
            stress.pause(f"after {done + 1} rounds of the recipe")
    stress.pause("after the recipe")
    check(stress.alive(), f"the program lives through {rounds} rounds of the drop-down recipe during Solve!")
    program.key("alt+F4")
    check(program.exit_code() == 0, "closing the window ends the program with exit code 0")


def main():
    global log_file
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("mode", choices=["check", "play", "bench", "resources", "stress"])
    parser.add_argument("binary")
    parser.add_argument("output")
    parser.add_argument("--zoom", type=int, default=1)
    parser.add_argument("--seconds", type=int, default=60, help="how long the stress lasts, about")
    parser.add_argument("--rounds", type=int, default=10, help="rounds of the drop-down recipe at the stress's end")
    parser.add_argument("--no-solve", action="store_true", help="bench: time new games only, no Solve! runs")
    parser.add_argument("--label", default="", help="bench: put before each figure, to tell two programs apart")
    arguments = parser.parse_args()
    if not os.environ.get("DISPLAY"):
        sys.exit("native-robot.py: no DISPLAY; run it under tools/display/virtual-display.sh")
    os.makedirs(arguments.output, exist_ok=True)
    log_file = open(os.path.join(arguments.output, "robot.log"), "w")
    binary = os.path.abspath(arguments.binary)
    if arguments.mode == "check":
        program = run_check(binary, arguments.output, arguments.zoom)
        if program.process.poll() is None:
            program.process.kill()
        run_close(binary, arguments.output, 2)
    elif arguments.mode == "play":
        run_play(binary, arguments.output, arguments.zoom)
    elif arguments.mode == "resources":
        run_resources(binary, arguments.output, arguments.zoom)
    elif arguments.mode == "stress":
        run_stress(binary, arguments.output, arguments.seconds, arguments.rounds)
    else:
        run_bench(binary, arguments.output, arguments.zoom, not arguments.no_solve,
                  f"{arguments.label}: " if arguments.label else "")
    log(f"{len(failures)} checks failed" if failures else "every check passed", shown=not quiet or bool(failures))
    for failure in failures:
        log(f"  failed: {failure}")
    sys.exit(1 if failures else 0)


if __name__ == "__main__":
    main()
