"""The Linux program in Wayland sessions, with real compositors: a headless sway with two outputs
and a full-screen window showing a known picture, where swayidle starts the show after an idle
second, the show photographs the desktop (through grim), covers the full-screen window with the
sphere of that picture and the second output in black, and ends on Escape (typed by wtype)
within a second, leaving nothing behind; a hidden show does not hang; and a headless
weston, which like GNOME and KDE lets no client copy the screen, where it says so in one line and
a picture file shows all the same."""

import os
import shutil
import signal
import subprocess
import tempfile
import time
import unittest

from frames import write_rgb_png
from bitmaps import bitmap_bytes
from waits import wait_for
from wayland_session import OUTPUT_SIZE, SessionUnavailable, WaylandSession, require

PROGRAM = os.environ["VORLENTA_PROGRAM"]
ORANGE = (230, 120, 30)
SKY_BLUE = (30, 120, 230)
WAYLAND_IMAGE = "org.freedesktop.weston.wayland-image"
SWAY_CONFIG = [
    "output HEADLESS-1 position 0 0",
    "output HEADLESS-2 position %d 0" % OUTPUT_SIZE[0],
    "output * bg #3a6ea5 solid_color",
    "default_border none",
    'for_window [app_id="%s"] fullscreen enable' % WAYLAND_IMAGE,
]
# The sphere of the sphere phase covers a disc of about a fifth of the output's height around
# its centre; the corners stay black.
SPHERE_RADIUS = 100


def picture_colour(x: int, _y: int):
    return ORANGE if x < OUTPUT_SIZE[0] // 2 else SKY_BLUE


def pixels(ppm: bytes):
    """The pixels of grim's binary PPM ("P6\nW H\n255\n" and the RGB bytes, rows top first):
    width, height and the bytes."""
    magic, size, depth, data = ppm.split(b"\n", 3)
    width, height = (int(side) for side in size.split())
    return width, height, data


def colour_at(picture, x: int, y: int):
    width, _, data = picture
    at = (y * width + x) * 3
    return tuple(data[at:at + 3])


def looks_like_picture(colour) -> bool:
    red, green, blue = colour
    return (red > 40 and red > green > blue) or (blue > 40 and blue > green > red)


def is_black(colour) -> bool:
    return max(colour) < 8


def corners(picture):
    width, height, _ = picture
    return [colour_at(picture, x, y) for x, y in ((8, 8), (width - 9, 8), (8, height - 9),
                                                   (width - 9, height - 9))]


def sphere_share(picture) -> float:
    width, height, _ = picture
    points = [(width // 2 + dx, height // 2 + dy) for dx in range(-SPHERE_RADIUS, SPHERE_RADIUS, 8)
              for dy in range(-SPHERE_RADIUS, SPHERE_RADIUS, 8)
              if dx * dx + dy * dy < SPHERE_RADIUS * SPHERE_RADIUS]
    return sum(looks_like_picture(colour_at(picture, x, y)) for x, y in points) / len(points)


class WaylandCase(unittest.TestCase):
    """A test in a session of its own; every program it started is gone at its end."""

    compositor = "sway"

    def setUp(self):
        try:
            require("grim", "wtype", "swayidle", "weston-image")
            self.session = WaylandSession(self.compositor, outputs=2, config=SWAY_CONFIG)
            self.session.__enter__()
        except SessionUnavailable as reason:
            self.skipTest(str(reason))
        self.addCleanup(self.session.__exit__, None, None, None)
        self.folder = tempfile.mkdtemp(prefix="vorlenta-wayland-test-")
        self.addCleanup(shutil.rmtree, self.folder, True)
        self.helpers = []

    def tearDown(self):
        for helper in self.helpers:
            helper.terminate()
            helper.wait(timeout=10)
        left = self.running("vorlenta")
        for pid in left:
            os.kill(pid, signal.SIGKILL)
        self.assertEqual(left, [], "a show is left running")

    def running(self, name: str):
        """The processes named NAME that run in this session."""
        display = ("WAYLAND_DISPLAY=" + self.session.env["WAYLAND_DISPLAY"]).encode()
        found = []
        for pid in filter(str.isdigit, os.listdir("/proc")):
            try:
                with open("/proc/%s/comm" % pid) as comm, open("/proc/%s/environ" % pid,
                                                               "rb") as environ:
                    if comm.read().strip() == name and display in environ.read().split(b"\0"):
                        found.append(int(pid))
            except OSError:
                continue
        return found

    def helper(self, *command: str) -> subprocess.Popen:
        process = subprocess.Popen(command, env=self.session.env, stdin=subprocess.DEVNULL,
                                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.helpers.append(process)
        return process

    def show(self, *arguments: str) -> subprocess.Popen:
        return subprocess.Popen([PROGRAM, *arguments], env=self.session.env,
                                stdin=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True)

    def photograph(self, output: str = "HEADLESS-1"):
        return pixels(self.session.photograph(output))

    def wait_output(self, looks_right, what: str, output: str = "HEADLESS-1"):
        def right():
            picture = self.photograph(output)
            return picture if looks_right(picture) else None
        return wait_for(right, 20, what)

    def full_screen_picture_window(self) -> None:
        """A full-screen window on the first output showing the known picture, as the user's
        desktop when the show starts."""
        picture = os.path.join(self.folder, "desktop.png")
        data = b"".join(bytes(picture_colour(x, y)) for y in range(OUTPUT_SIZE[1])
                        for x in range(OUTPUT_SIZE[0]))
        write_rgb_png(picture, OUTPUT_SIZE[0], OUTPUT_SIZE[1], data)
        self.session.sway("focus", "output", "HEADLESS-1")
        self.helper("weston-image", picture)
        self.wait_output(lambda shot: all(looks_like_picture(c) for c in corners(shot)),
                         "the picture's window over the whole output")

    def wait_show(self):
        """The output once the show covers it: black corners, the picture on the sphere."""
        return self.wait_output(lambda shot: all(is_black(c) for c in corners(shot)) and
                                sphere_share(shot) > 0.95, "the sphere of the desktop, full screen")

    def press_escape(self) -> float:
        """Escape held for a few frames, once the show has the virtual keyboard wtype makes;
        returns when it went down."""
        started = time.monotonic()
        subprocess.run(["wtype", "-s", "300", "-P", "Escape", "-s", "300", "-p", "Escape"],
                       env=self.session.env, check=True)
        return started + 0.3


class OnSway(WaylandCase):

    def test_started_by_swayidle_it_covers_a_full_screen_window_with_the_desktop_and_ends_on_escape(
            self):
        self.full_screen_picture_window()
        self.helper("swayidle", "-w", "timeout", "1", PROGRAM)
        self.wait_show()
        self.wait_output(lambda shot: all(is_black(c) for c in corners(shot)) and
                         is_black(colour_at(shot, OUTPUT_SIZE[0] // 2, OUTPUT_SIZE[1] // 2)),
                         "the second output covered in black", "HEADLESS-2")

        pressed = self.press_escape()
        wait_for(lambda: not self.running("vorlenta"), 5, "the show's end")
        self.assertLess(time.monotonic() - pressed, 1.0, "Escape took more than a second")
        self.assertEqual(self.running("grim"), [])

    def test_a_hidden_show_is_not_held_from_ending(self):
        self.full_screen_picture_window()
        show = self.show()
        self.wait_show()
        # The compositor stops asking a hidden window for frames: a swap that waited would hang.
        self.session.sway("workspace", "hidden")
        with self.assertRaises(subprocess.TimeoutExpired, msg="it ended while hidden"):
            show.wait(timeout=0.5)
        stopped = time.monotonic()
        show.send_signal(signal.SIGTERM)
        self.assertEqual(show.wait(timeout=5), 0, show.stderr.read())
        self.assertLess(time.monotonic() - stopped, 1.0)


    def test_a_picture_given_shows_with_its_frame_rate(self):
        picture = os.path.join(self.folder, "desktop.bmp")
        with open(picture, "wb") as handle:
            handle.write(bitmap_bytes(64, 48, picture_colour))
        self.session.sway("focus", "output", "HEADLESS-1")
        show = self.show("--picture", picture, "-fps")
        # The read-out shows once the first second's frames are counted, bottom left.
        self.wait_output(lambda shot: sphere_share(shot) > 0.95 and sum(
            colour_at(shot, x, y) == (255, 255, 255) for x in range(0, 140)
            for y in range(OUTPUT_SIZE[1] - 40, OUTPUT_SIZE[1])) > 20,
            "the sphere of the picture and the frame rate")
        show.send_signal(signal.SIGTERM)
        self.assertEqual(show.wait(timeout=5), 0, show.stderr.read())


class OnWeston(WaylandCase):
    compositor = "weston"

    def test_without_screen_copy_it_says_so_in_one_line_and_a_picture_still_shows(self):
        refused = self.show()
        self.assertEqual(refused.wait(timeout=10), 1)
        lines = refused.stderr.read().splitlines()
        self.assertEqual(len(lines), 1, lines)
        self.assertIn("wlr-screencopy", lines[0])
        self.assertIn("--picture FILE", lines[0])

        picture = os.path.join(self.folder, "desktop.bmp")
        with open(picture, "wb") as handle:
            handle.write(bitmap_bytes(64, 48, picture_colour))
        show = self.show("--picture", picture)
        with self.assertRaises(subprocess.TimeoutExpired, msg="it did not go on showing"):
            show.wait(timeout=1)
        show.send_signal(signal.SIGTERM)
        self.assertEqual(show.wait(timeout=5), 0, show.stderr.read())


if __name__ == "__main__":
    unittest.main(verbosity=2)
