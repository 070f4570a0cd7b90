"""What the renderer's end-to-end tests share: the snapshot picture they hand it, how its
colours are recognised on screen, and a test case base that cleans up after every test."""

import functools
import subprocess
import time
import unittest
from typing import List, Optional, Tuple

import e2e_support as e2e
from waits import wait_for

WINDOW_TITLE = "Kessamiron_VC"
WINDOW_CLASS = "OpenGL"
SNAPSHOT = "c:\\r_vask\\Kessamiron.bmp"
RENDERER_IMAGE = "Vorlenta.dll"
# Display modes are WIDTHxHEIGHTxBITS@HERTZ. The show's inside a virtual desktop keeps the
# desktop's own 60 Hz.
SHOW_MODE = "1024x768x32@60"
VIRTUAL_DESKTOP = "vorlenta,1280x1024"
VIRTUAL_DESKTOP_WINDOW = "vorlenta - Wine desktop"

# The picture: left half orange, right half sky blue, no black anywhere, and a width whose
# rows need padding (1366 x 3 is not a multiple of 4), as on many laptop desktops.
PICTURE_WIDTH = 1366
PICTURE_HEIGHT = 768
ORANGE = (255, 140, 0)
SKY_BLUE = (0, 160, 255)

# The sphere seen from the camera of the sphere phase covers a disc of about 157 pixels'
# radius around the centre of a 768-pixel-high view.
SPHERE_SAMPLE_RADIUS = 110


@functools.lru_cache(maxsize=None)
def bare_display_mode() -> str:
    """The mode tests/tools/wine-env's Xvfb shows to Windows programs, read once before any test
    changes it: 1280 x 1024 at 32 bits, at whatever rate this flavour's Wine reads (the 64-bit
    one reads none: 0)."""
    mode = e2e.display_mode()
    assert mode.startswith("1280x1024x32@"), mode
    return mode


def picture_colour(x: int, _y: int):
    return ORANGE if x < PICTURE_WIDTH // 2 else SKY_BLUE


def write_snapshot(header_size: int = 40) -> None:
    e2e.write_file(e2e.windows_path_on_host(SNAPSHOT),
                   e2e.bitmap_bytes(PICTURE_WIDTH, PICTURE_HEIGHT, picture_colour, header_size))


def remove_snapshot() -> None:
    e2e.remove_file(e2e.windows_path_on_host(SNAPSHOT))


def looks_orange(colour) -> bool:
    """Orange under any lighting: red leads, blue trails. Lighting scales, it keeps hue."""
    red, green, blue = colour
    return red > 40 and red > green > blue


def looks_sky_blue(colour) -> bool:
    red, green, blue = colour
    return blue > 40 and blue > green > red


def looks_like_picture(colour) -> bool:
    return looks_orange(colour) or looks_sky_blue(colour)


class RendererTestCase(unittest.TestCase):
    """Starts from a known prefix, and leaves no renderer, no snapshot and no stray process."""

    def setUp(self):
        bare_display_mode()
        self.programs: List[e2e.Program] = []
        self.others: List[Tuple[subprocess.Popen, Optional[str]]] = []
        self.explorers_before = set(e2e.wine_processes("explorer.exe"))

    def tearDown(self):
        for other, desktop in self.others:
            e2e.end_other_program(other, desktop)
        for program in self.programs:
            program.kill()
        remove_snapshot()
        left_running = not e2e.wait_no_process(RENDERER_IMAGE, 5)
        # Ends the leftovers before failing, so the next test starts clean.
        e2e.kill_wine_processes(RENDERER_IMAGE)
        self.assertFalse(left_running, "a renderer process is left")
        wait_for(lambda: not set(e2e.wine_processes("explorer.exe")) - self.explorers_before,
                 5, "the virtual desktops the test started to end")

    def start(self, path: str, *args: str, **how) -> e2e.Program:
        """PATH with ARGS under Wine, started as e2e.start_program takes HOW."""
        program = e2e.start_program(path, *args, **how)
        self.programs.append(program)
        return program

    def start_renderer(self, **how) -> e2e.Program:
        return self.start(e2e.program_path("RENDERER"), **how)

    def wait_renderer_window(self, desktop: Optional[str] = None) -> e2e.WindowInfo:
        window = e2e.wait_window(WINDOW_TITLE, 20, desktop=desktop)
        self.assertIsNotNone(window, "no window titled %s" % WINDOW_TITLE)
        self.assertEqual(window.class_name, WINDOW_CLASS)
        return window

    def press_escape(self, window: e2e.WindowInfo, x_window_name: str) -> float:
        """Escape for the renderer, given to X_WINDOW_NAME, until its process has gone;
        returns when the key that ended it was pressed."""
        corner = (window.client_x + window.client_width - 20,
                  window.client_y + window.client_height - 20)
        return e2e.end_with_escape(x_window_name, corner,
                                   lambda: not e2e.wine_processes(RENDERER_IMAGE),
                                   "the renderer's end")

    def activate_another_program(self, desktop: Optional[str] = None) -> float:
        """Another program takes the activation (in the virtual desktop DESKTOP, if given);
        returns when it has. Ended by tearDown."""
        self.others.append((e2e.activate_other_program(desktop), desktop))
        return time.monotonic()

    def assert_renderer_gone_within(self, seconds: float, started: float,
                                    desktop: Optional[str] = None) -> float:
        """Checks that window and process are gone SECONDS after STARTED; returns the time."""
        self.assertTrue(e2e.wait_window_gone(WINDOW_TITLE, seconds + 2, desktop=desktop))
        self.assertTrue(e2e.wait_no_process(RENDERER_IMAGE, seconds + 2))
        elapsed = time.monotonic() - started
        self.assertLess(elapsed, seconds, "the renderer took %.2f s to end" % elapsed)
        return elapsed


def sphere_points(window: e2e.WindowInfo):
    centre_x = window.client_x + window.client_width // 2
    centre_y = window.client_y + window.client_height // 2
    return e2e.disc_points(centre_x, centre_y, SPHERE_SAMPLE_RADIUS)


def client_corners(window: e2e.WindowInfo, inset: int = 8):
    left, top = window.client_x + inset, window.client_y + inset
    right = window.client_x + window.client_width - 1 - inset
    bottom = window.client_y + window.client_height - 1 - inset
    return [(left, top), (right, top), (left, bottom), (right, bottom)]
