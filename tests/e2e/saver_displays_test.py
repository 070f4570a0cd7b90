"""The screen saver on displays as people have them: scaled to 150 % (144 dots per inch), and
two monitors side by side. Wine treats every program as aware of display scaling and never
scales one itself, so what these tests can show is that the photograph stays the whole screen,
both programs report the awareness they ask for, the dialog keeps its design, and the second
monitor is covered for the show (a click on it belongs to the show) and given back after it."""

import os
import subprocess
import time
import unittest

import e2e_support as e2e
import saver_e2e as s
from saver_dialog_test import CMD_SET, near, painted_dialog
from saver_run_test import same_picture, show_pattern_on_root
from waits import wait_for
from x_display import start_server

DESKTOP_KEY = "HKCU\\Control Panel\\Desktop"
PER_MONITOR = "awareness=2"
BORDER_BLUE = (0x00, 0x3C, 0x74)
# The second head of the two-monitor display, as Windows programs see it.
SECOND_HEAD = (1280, 0, 1024, 768)
PROBE_WINDOW = (1380, 100, 600, 500)  # white, with the arrow pointer, on the second head


def set_dots_per_inch(value: int) -> None:
    subprocess.run(["wine", "reg", "add", DESKTOP_KEY, "/v", "LogPixels", "/t", "REG_DWORD",
                    "/d", str(value), "/f"], stdin=subprocess.DEVNULL,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=True)


class DisplayScaling(s.SaverTestCase):

    @classmethod
    def setUpClass(cls):
        super().setUpClass()
        set_dots_per_inch(144)
        cls.addClassCleanup(set_dots_per_inch, 96)

    def test_the_photograph_is_the_whole_screen_and_both_programs_see_real_pixels(self):
        show_pattern_on_root()
        before = e2e.take_screenshot("saver-150-percent-desktop")
        saver = self.saver("/s")
        self.assertIsNotNone(e2e.wait_window(s.RENDERER_TITLE, timeout=20))
        self.assertEqual(same_picture(before.path, s.snapshot_on_host()), 0)
        self.assertEqual(e2e.run_probe("dpi", s.RENDERER_TITLE)[1], PER_MONITOR)
        self.assertEqual(e2e.run_probe("dpi", s.RUN_FORM_TITLE)[1], PER_MONITOR)
        self.assertTrue(e2e.close_window(s.RENDERER_TITLE))
        self.assertIsNotNone(e2e.wait_exit(saver, timeout=5))

    def test_the_settings_dialog_keeps_its_designed_size(self):
        self.saver("/c")
        window = painted_dialog()
        self.assertEqual((window.client_width, window.client_height), (496, 246))
        shot = e2e.take_screenshot("settings-dialog-150-percent")
        # "設定" keeps its 77 pixels: its frame's dark blue runs down both of its edges.
        for x in (CMD_SET[0] + 1, CMD_SET[0] + CMD_SET[2] - 2):
            edge = shot.pixel(window.client_x + x, window.client_y + CMD_SET[1] + 12)
            self.assertTrue(near(edge, BORDER_BLUE, 40), "column %d: %s" % (x, edge))


class Xephyr:
    """Two heads side by side, as Windows sees two monitors: a nested server inside a wide
    virtual display of its own, its second screen placed right of the first. Wine reads the
    heads from Xinerama once RandR is off. The nested server draws its pointer into the
    picture, so a photograph of the outer display shows whether the pointer is hidden."""

    def __init__(self):
        self.wide, self.outer = start_server(["Xvfb", "-screen", "0", "2400x1100x24"])
        self.server, self.display = start_server(
            ["Xephyr", "-screen", "1280x1024", "-screen", "1024x768", "+xinerama", "-extension",
             "RANDR", "-sw-cursor"], self.outer)
        self.place_second_head()

    def place_second_head(self) -> None:
        outer = dict(os.environ, DISPLAY=self.outer)

        def second_head_windows():
            # Named before the server knew its number: "Xephyr on :0.1 (...)" whatever it is.
            return subprocess.run(["xdotool", "search", "--name", "^Xephyr on :[0-9]+\\.1 "],
                                  env=outer, stdout=subprocess.PIPE, text=True).stdout.split()

        found = wait_for(second_head_windows, 10, "the window of the second head")
        subprocess.run(["xdotool", "windowmove", "--sync", found[0], str(SECOND_HEAD[0]), "0"],
                       env=outer, check=True)

    def photograph(self, name: str) -> e2e.Screenshot:
        path = os.path.join(e2e.screenshot_dir(), name + ".png")
        subprocess.run(["import", "-display", self.outer, "-window", "root", "-depth", "8", path],
                       check=True)
        return e2e.Screenshot(path)

    def wait_photograph(self, name: str, looks_right, what: str) -> e2e.Screenshot:
        """The outer display, photographed as NAME until LOOKS_RIGHT(photograph) holds: the
        nested server puts what it shows there a moment later."""
        return e2e.wait_screenshot(name, looks_right, 10, what, photograph=self.photograph)

    def stop(self) -> None:
        for server in (self.server, self.wide):
            server.terminate()
            server.wait(timeout=10)


def restart_wine_on(display: str) -> None:
    """Wine's desktop process keeps the display it was started on: the server stops and the
    next program starts everything anew on DISPLAY."""
    subprocess.run(["wineserver", "-k"], stderr=subprocess.DEVNULL)
    subprocess.run(["wineserver", "-w"], stderr=subprocess.DEVNULL)
    os.environ["DISPLAY"] = display


class TwoMonitors(s.SaverTestCase):

    @classmethod
    def setUpClass(cls):
        cls.test_display = os.environ["DISPLAY"]
        cls.xephyr = Xephyr()
        restart_wine_on(cls.xephyr.display)
        super().setUpClass()

    @classmethod
    def tearDownClass(cls):
        restart_wine_on(cls.test_display)
        cls.xephyr.stop()

    def pointer_over_probe(self):
        x, y = PROBE_WINDOW[0] + PROBE_WINDOW[2] // 2, PROBE_WINDOW[1] + PROBE_WINDOW[3] // 2
        for offset in (1, 0):  # a move the server notices, wherever the pointer was
            subprocess.run(["xdotool", "mousemove", "--sync", str(x + offset), str(y)],
                           check=True)
        return [(x + dx, y + dy) for dx in range(0, 12) for dy in range(0, 18)]

    def wait_probe_window_with_pointer(self, name: str, head, arrow) -> None:
        """The second head shows the probe's white window with the pointer over it."""
        def white(colour) -> bool:
            return colour == (255, 255, 255)
        self.xephyr.wait_photograph(
            name, lambda shot: shot.share_of(head, white) > 0.5 and shot.share_of(arrow, white) < 1,
            "the probe's window with the pointer on the second monitor")

    def click_the_cover_and_see_the_show_go_on(self) -> None:
        """A click on the other monitor's cover belongs to the show: it goes on."""
        e2e.click_at(SECOND_HEAD[0] + 300, 400)
        time.sleep(1)  # proves that the show does not end within its second: nothing to wait for
        self.assertIsNotNone(e2e.find_window(s.RENDERER_TITLE), "the click ended the show")

    def test_the_other_monitor_is_black_without_a_pointer_for_the_show_only(self):
        host = self.probe(s.Probe("host", *map(str, PROBE_WINDOW)))
        self.assertTrue(host.first_line.startswith("hwnd="), host.first_line)
        head = e2e.disc_points(SECOND_HEAD[0] + 300, 400, 250, step=25)
        arrow = self.pointer_over_probe()
        self.wait_probe_window_with_pointer("two-monitors-before", head, arrow)

        saver = self.saver("/s")
        window = e2e.wait_window(s.RENDERER_TITLE, timeout=20)
        self.assertIsNotNone(window)
        self.assertLess(window.client_x, SECOND_HEAD[0], "the show is not on the first monitor")
        arrow = self.pointer_over_probe()
        self.xephyr.wait_photograph(
            "two-monitors-show", lambda shot: shot.share_of(head + arrow, e2e.is_black) == 1.0,
            "the second monitor black, without a pointer")
        self.click_the_cover_and_see_the_show_go_on()

        self.end_renderer(window)
        self.assertIsNotNone(e2e.wait_exit(saver, timeout=5), "Escape did not end the show")
        arrow = self.pointer_over_probe()
        self.wait_probe_window_with_pointer("two-monitors-after", head, arrow)
        self.assertIsNone(e2e.find_window("Vorlenta cover"))
        self.assert_gone(s.RENDERER_IMAGE)


if __name__ == "__main__":
    unittest.main(verbosity=2)
