#!/usr/bin/env python3
"""The native program as a process: its options and exit codes, no display,
signals with and without a message box up, the keyboard once a window goes
away with no window manager, and the zoom the display asks for.

Usage: process_tests.py BLASTGRID
Each case that needs a display starts a virtual one (Xvfb) of its own.
"""
import ctypes
import os
import re
import signal
import subprocess
import sys
import tempfile
import time
import unittest

BINARY = None
ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__)))))
VERSION = open(os.path.join(ROOT, "VERSION")).read().strip()


def without_display(environment):
    environment = dict(environment)
    for name in ("DISPLAY", "WAYLAND_DISPLAY", "SDL_VIDEODRIVER", "BLASTGRID_ZOOM"):
        environment.pop(name, None)
    return environment


class VirtualDisplay:
    """An Xvfb of its own, on the first free display number from :150."""

    def __init__(self, size="1280x1024x24"):
        self.size = size

    def __enter__(self):
        for number in range(150, 200):
            if not os.path.exists(f"/tmp/.X11-unix/X{number}") and not os.path.exists(f"/tmp/.X{number}-lock"):
                break
        self.name = f":{number}"
        # -noreset: the resources a client sets outlive it, as on a desktop.
        self.server = subprocess.Popen(["Xvfb", self.name, "-screen", "0", self.size, "-nolisten", "tcp", "-noreset"],
                                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        deadline = time.time() + 10
        while not os.path.exists(f"/tmp/.X11-unix/X{number}") and time.time() < deadline:
            time.sleep(0.05)
        return self

    def __exit__(self, *_):
        self.server.terminate()
        self.server.wait()

    def set_resources(self, text):
        """The display's resources, as a desktop sets them (xrdb): the
        RESOURCE_MANAGER property of the root window."""
        xlib = ctypes.CDLL("libX11.so.6")
        xlib.XOpenDisplay.restype = ctypes.c_void_p
        xlib.XOpenDisplay.argtypes = [ctypes.c_char_p]
        xlib.XInternAtom.restype = ctypes.c_ulong
        xlib.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
        xlib.XDefaultRootWindow.restype = ctypes.c_ulong
        xlib.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
        xlib.XChangeProperty.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_ulong, ctypes.c_ulong, ctypes.c_int,
                                         ctypes.c_int, ctypes.c_char_p, ctypes.c_int]
        xlib.XCloseDisplay.argtypes = [ctypes.c_void_p]
        display = xlib.XOpenDisplay(self.name.encode())
        atom = xlib.XInternAtom(display, b"RESOURCE_MANAGER", 0)
        string_type = 31  # XA_STRING
        data = text.encode()
        xlib.XChangeProperty(display, xlib.XDefaultRootWindow(display), atom, string_type, 8, 0, data, len(data))
        xlib.XCloseDisplay(display)

    def run(self, *arguments):
        return subprocess.run(arguments, env=dict(os.environ, DISPLAY=self.name), check=True, capture_output=True,
                              text=True).stdout


class Program:
    """blastgrid on a display, with its trace."""

    def __init__(self, display, *arguments, environment=None):
        self.display = display
        self.folder = tempfile.mkdtemp(prefix="blastgrid-process-")
        self.trace = os.path.join(self.folder, "trace.log")
        self.stderr_path = os.path.join(self.folder, "stderr.log")
        env = without_display(os.environ)
        env.update({"DISPLAY": display.name, "BLASTGRID_TRACE": self.trace})
        env.update(environment or {})
        with open(self.stderr_path, "w") as stderr:
            self.process = subprocess.Popen([BINARY, *arguments], env=env, stdout=subprocess.DEVNULL, stderr=stderr)

    def lines(self):
        try:
            with open(self.trace) as trace:
                return trace.read().splitlines()
        except FileNotFoundError:
            return []

    def wait_for(self, pattern, since=0, timeout=15):
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

    def idle(self, since=0):
        """The program waits for input and has been quiet for a moment."""
        deadline = time.time() + 15
        while time.time() < deadline:
            lines = self.lines()
            if len(lines) > since and lines[-1].endswith(" wait"):
                count = len(lines)
                time.sleep(0.3)
                if len(self.lines()) == count:
                    return True
            time.sleep(0.02)
        return False

    def keys(self, *keys):
        """Keys as the keyboard gives them, to whichever window X gives the
        keyboard: no window is focused for them first."""
        since = len(self.lines())
        self.display.run("xdotool", "key", *keys)
        return since

    def window(self, title):
        ids = self.display.run("xdotool", "search", "--onlyvisible", "--name", f"^{re.escape(title)}$").split()
        geometry = dict(line.split("=") for line in self.display.run("xdotool", "getwindowgeometry", "--shell",
                                                                     ids[0]).split())
        return int(geometry["X"]), int(geometry["Y"]), int(geometry["WIDTH"]), int(geometry["HEIGHT"])

    def focused(self):
        """The title of the window that X gives the keyboard."""
        return self.display.run("xdotool", "getwindowfocus", "getwindowname").strip()

    def stop(self, how=signal.SIGTERM, timeout=10):
        self.process.send_signal(how)
        try:
            return self.process.wait(timeout)
        except subprocess.TimeoutExpired:
            self.process.kill()
            return None

    def stderr(self):
        with open(self.stderr_path) as file:
            return file.read()


class Options(unittest.TestCase):
    def run_program(self, *arguments, environment=None):
        env = without_display(os.environ)
        env.update(environment or {})
        return subprocess.run([BINARY, *arguments], env=env, capture_output=True, text=True, timeout=20)

    def test_help_and_version_go_to_standard_output(self):
        done = self.run_program("--help")
        self.assertEqual(done.returncode, 0)
        self.assertIn("Usage: blastgrid", done.stdout)
        self.assertEqual(done.stderr, "")
        done = self.run_program("--version")
        self.assertEqual(done.returncode, 0)
        self.assertEqual(done.stdout, f"blastgrid {VERSION}\n")

    def test_a_mistake_is_one_line_and_the_usage_on_standard_error_with_exit_2(self):
        for arguments, environment, said in ((["--colour"], {}, "unknown argument \"--colour\""),
                                             (["--zoom", "0"], {}, "--zoom must be a whole number"),
                                             (["--zoom"], {}, "--zoom needs a whole number"),
                                             ([], {"BLASTGRID_ZOOM": "big"}, "BLASTGRID_ZOOM must be a whole number")):
            with self.subTest(arguments=arguments, environment=environment):
                done = self.run_program(*arguments, environment=environment)
                self.assertEqual(done.returncode, 2)
                self.assertEqual(done.stdout, "")
                first, _, rest = done.stderr.partition("\n")
                self.assertIn(said, first)
                self.assertTrue(rest.startswith("Usage: blastgrid"), done.stderr)

    def test_without_a_display_it_says_so_in_one_line_and_ends_with_1(self):
        for environment in ({}, {"DISPLAY": ":1999"}):
            with self.subTest(environment=environment):
                started = time.time()
                done = self.run_program(environment=environment)
                self.assertEqual(done.returncode, 1)
                self.assertLess(time.time() - started, 10)
                self.assertEqual(len(done.stderr.strip().splitlines()), 1, done.stderr)
                self.assertIn("cannot open the display", done.stderr)


class Signals(unittest.TestCase):
    def test_a_signal_ends_the_program_with_0_whether_or_not_a_box_is_up(self):
        for box_up in (False, True):
            for how in (signal.SIGTERM, signal.SIGINT):
                with self.subTest(box_up=box_up, signal=how), VirtualDisplay() as display:
                    program = Program(display)
                    self.assertTrue(program.idle())
                    if box_up:
                        # H on a fresh board: Solver has nothing safe and says so.
                        since = program.keys("h")
                        self.assertIsNotNone(program.wait_for("box Hint", since))
                        self.assertTrue(program.idle(since))
                    self.assertEqual(program.stop(how), 0, program.stderr())


class Keyboard(unittest.TestCase):
    def test_keys_still_reach_the_program_once_the_custom_window_goes_away_without_a_window_manager(self):
        with VirtualDisplay() as display:
            program = Program(display)
            self.assertTrue(program.idle())
            # Game > Custom...: Up from New Game goes round to Exit, then Custom.
            since = program.keys("alt+g", "Up", "Up", "Return")
            self.assertIsNotNone(program.wait_for("window Custom Game", since))
            self.assertTrue(program.idle(since))
            self.assertEqual(program.focused(), "Custom Game", "the keyboard goes with the active window")
            x, y, width, height = program.window("Custom Game")
            # Cancel: 100 by 25 at (50, 155) of its 200 by 200 client area.
            since = len(program.lines())
            display.run("xdotool", "mousemove", "--sync", str(x + 100), str(y + height - 200 + 167), "click", "1")
            self.assertTrue(program.idle(since))
            self.assertIsNone(program.wait_for("window Custom Game", since, timeout=0.5))
            self.assertEqual(program.focused(), "Blastgrid")
            since = program.keys("F2")
            self.assertIsNotNone(program.wait_for("key 113", since), "F2 reaches the program")
            since = program.keys("alt+g", "Escape", "Escape")
            self.assertIsNotNone(program.wait_for("menu closed", since), "and so does Alt+G")
            self.assertEqual(program.stop(), 0)


class Zoom(unittest.TestCase):
    def test_the_desktops_dpi_decides_the_zoom(self):
        with VirtualDisplay("2560x1600x24") as display:
            display.set_resources("Xft.dpi:\t192\n")
            program = Program(display)
            self.assertIsNotNone(program.wait_for("zoom 2"), program.lines()[:3])
            self.assertEqual(program.stop(), 0)

    def test_a_zoom_too_large_for_the_screen_gives_way_and_says_so(self):
        with VirtualDisplay() as display:
            program = Program(display, "--zoom", "3")
            self.assertIsNotNone(program.wait_for("zoom 2"), program.lines()[:3])
            self.assertTrue(program.idle())
            self.assertIn("zoom 3 does not fit", program.stderr())
            self.assertEqual(program.stop(), 0)


if __name__ == "__main__":
    BINARY = os.path.abspath(sys.argv.pop(1))
    unittest.main(verbosity=2)
