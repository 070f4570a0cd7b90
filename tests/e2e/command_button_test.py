"""The push button under the real X pointer: hovering lights it, the 100 ms poll notices the
pointer leaving, a release over it clicks once, a press carried away and released after the
poll noticed clicks nothing, and any mouse button clicks. (Its memory over many faces is
bench/saver_memory_bench.py's.)"""

import os
import subprocess
import tempfile
import time
import unittest

import e2e_support as e2e

TITLE = "Vorlenta command host"
IMAGE = "command_host.exe"
# Where the host form puts its buttons, in its client area (pixels).
BUTTON = (20, 20, 77, 25)
DISABLED_BUTTON = (120, 22, 41, 21)
# Colours of the skins' rings and borders, as the faces show them.
NORMAL_SIDE = (0xF4, 0xF4, 0xF0)
HIGHLIGHT_SIDE = (0xFC, 0xCA, 0x69)
SELECTED_SIDE = (0xA9, 0xC5, 0xEF)
DARK_BLUE = (0x00, 0x3C, 0x74)
DISABLED_BORDER = (0xC9, 0xC7, 0xBA)


def near(colour, expected, tolerance=24) -> bool:
    return all(abs(a - b) <= tolerance for a, b in zip(colour, expected))


class CommandButton(unittest.TestCase):

    def setUp(self):
        e2e.prepare_wine()
        e2e.kill_wine_processes(IMAGE)
        handle, self.log = tempfile.mkstemp(prefix="vorlenta-command-", suffix=".log")
        os.close(handle)
        self.addCleanup(os.remove, self.log)
        self.host = None

    def tearDown(self):
        if self.host is not None:
            self.host.kill()
        self.assertTrue(e2e.wait_no_process(IMAGE, 10), "the host form was left running")

    def start_host(self, *args: str) -> None:
        self.host = e2e.start_program(e2e.program_path("COMMAND_HOST"), "Z:" + self.log, *args)
        window = e2e.wait_window(TITLE, 30)
        self.assertIsNotNone(window, "no host form")
        self.origin = (window.client_x, window.client_y)
        time.sleep(0.5)

    def point(self, button, dx: int, dy: int):
        return self.origin[0] + button[0] + dx, self.origin[1] + button[1] + dy

    def centre(self, button=BUTTON):
        return self.point(button, button[2] // 2, button[3] // 2)

    def move_to(self, x: int, y: int) -> None:
        subprocess.run(["xdotool", "mousemove", str(x), str(y)], check=True)

    def mouse(self, action: str, button: int = 1) -> None:
        subprocess.run(["xdotool", action, str(button)], check=True)

    def move_away(self) -> None:
        self.move_to(self.origin[0] + 190, self.origin[1] + 65)  # the host form, off the buttons

    def clicks(self) -> int:
        with open(self.log) as log:
            return sum(1 for line in log if line.strip() == "click")

    def face(self, name: str, column: int):
        """The colour at mid-height of COLUMN in the button, photographed as NAME."""
        shot = e2e.take_screenshot("command-" + name)
        return shot.pixel(*self.point(BUTTON, column, BUTTON[3] // 2))

    def test_hover_lights_the_button_and_leaving_restores_it_within_two_polls(self):
        self.start_host()
        self.move_away()
        time.sleep(0.3)
        self.assertTrue(near(self.face("normal", 2), NORMAL_SIDE))
        shot = e2e.take_screenshot("command-disabled")
        self.assertTrue(near(shot.pixel(*self.point(DISABLED_BUTTON, 1, 10)), DISABLED_BORDER))

        self.move_to(*self.centre())
        time.sleep(0.3)
        self.assertTrue(near(self.face("highlight", 2), HIGHLIGHT_SIDE))
        self.move_away()
        time.sleep(0.25)
        self.assertTrue(near(self.face("left", 2), NORMAL_SIDE))
        self.assertEqual(self.clicks(), 0)

    def test_a_click_raises_click_once_and_a_right_click_raises_it_too(self):
        self.start_host()
        self.move_to(*self.centre())
        time.sleep(0.3)
        self.mouse("mousedown")
        time.sleep(0.2)
        self.assertTrue(near(self.face("pressed", 2), DARK_BLUE, 40))
        self.mouse("mouseup")
        self.assertTrue(e2e.poll_until(lambda: self.clicks() == 1, 3))

        self.move_away()  # the focused button, left: the poll takes it to Selected
        time.sleep(0.3)
        self.assertTrue(near(self.face("selected", 2), SELECTED_SIDE))
        self.move_to(*self.centre())
        time.sleep(0.3)
        subprocess.run(["xdotool", "click", "3"], check=True)
        self.assertTrue(e2e.poll_until(lambda: self.clicks() == 2, 3))
        time.sleep(0.3)
        self.assertEqual(self.clicks(), 2)

    def test_a_press_carried_away_and_released_after_a_poll_raises_no_click(self):
        self.start_host()
        self.move_to(*self.centre())
        time.sleep(0.3)
        self.mouse("mousedown")
        time.sleep(0.1)
        self.move_away()
        time.sleep(0.3)
        self.mouse("mouseup")
        time.sleep(0.5)
        self.assertEqual(self.clicks(), 0)
        self.assertTrue(near(self.face("carried-away", 2), SELECTED_SIDE))


if __name__ == "__main__":
    unittest.main(verbosity=2)
