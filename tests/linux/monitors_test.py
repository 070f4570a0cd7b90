"""The program's own full-screen window on two monitors: the sphere centred on the primary one and
the other black. Two heads side by side as Xinerama shows them (Xephyr with two screens inside a
wider Xvfb), and two monitors as RandR shows them, the right one marked primary."""

import os
import signal
import subprocess
import unittest

from x11_test import PROGRAM, pixel, wait_photograph
from x_display import start_server, start_xvfb

DESKTOP = (0x1e, 0x78, 0xe6)


def looks_like_desktop(colour) -> bool:
    return colour[2] > 100 and colour[0] < 100


def share(screen: bytes, width: int, test, cx: int, cy: int, radius: int) -> float:
    points = [(cx + dx, cy + dy) for dx in range(-radius, radius + 1, 20)
              for dy in range(-radius, radius + 1, 20)]
    return sum(1 for x, y in points if test(pixel(screen, x, y, width))) / len(points)


def start_xephyr(outer: str, *screens: str):
    arguments = ["Xephyr", "+xinerama"]
    for screen in screens:
        arguments += ["-screen", screen]
    return start_server(arguments, outer)


class OnTwoMonitors(unittest.TestCase):

    def setUp(self):
        self.servers = []
        self.shots = os.environ.get("VORLENTA_SCREENSHOTS", "/tmp")
        os.makedirs(self.shots, exist_ok=True)

    def tearDown(self):
        for server in reversed(self.servers):
            server.terminate()
            server.wait(timeout=10)

    def serve(self, started):
        server, display = started
        self.servers.append(server)
        return display

    def show(self, display: str, name: str, sphere_shown) -> bytes:
        """The screen once the program's own full-screen window shows the sphere of the
        desktop in the scene's black (SPHERE_SHOWN(screen))."""
        env = dict(os.environ, DISPLAY=display)
        env.pop("XSCREENSAVER_WINDOW", None)
        env.pop("WAYLAND_DISPLAY", None)  # an X display, even inside a Wayland session
        subprocess.run(["xsetroot", "-solid", "#%02x%02x%02x" % DESKTOP], env=env, check=True)
        program = subprocess.Popen([PROGRAM], env=env, stdin=subprocess.DEVNULL)
        try:
            return wait_photograph(os.path.join(self.shots, "monitors-%s.png" % name), env,
                                   sphere_shown, "the sphere on the primary monitor")
        finally:
            program.send_signal(signal.SIGTERM)
            self.assertEqual(program.wait(timeout=5), 0)

    def test_xinerama_heads_side_by_side_sphere_on_the_first_black_on_the_second(self):
        outer = self.serve(start_xvfb("2400x1100x24"))
        display = self.serve(start_xephyr(outer, "1280x1024", "1024x768"))
        width = 2304
        screen = self.show(display, "xinerama", lambda screen: pixel(screen, 5, 5, width) ==
                           (0, 0, 0) and share(screen, width, looks_like_desktop, 640, 512,
                                               100) > 0.9)
        self.assertEqual(share(screen, width, lambda c: c == (0, 0, 0), 1280 + 512, 384, 380), 1.0)

    def test_randr_monitors_sphere_on_the_one_marked_primary(self):
        display = self.serve(start_xvfb("1280x1024x24"))
        env = dict(os.environ, DISPLAY=display)
        for monitor in ("left 640/169x1024/271+0+0", "*right 640/169x1024/271+640+0"):
            name, geometry = monitor.split()
            subprocess.run(["xrandr", "--setmonitor", name, geometry, "none"], env=env, check=True)
        screen = self.show(display, "randr", lambda screen: pixel(screen, 645, 5) == (0, 0, 0)
                           and share(screen, 1280, looks_like_desktop, 960, 512, 100) > 0.9)
        self.assertEqual(share(screen, 1280, lambda c: c == (0, 0, 0), 320, 512, 300), 1.0)


if __name__ == "__main__":
    unittest.main(verbosity=2)
