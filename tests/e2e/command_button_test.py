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
from waits import wait_for

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
        e2e.wait_screenshot("command-disabled",
                            lambda shot: near(shot.pixel(*self.point(DISABLED_BUTTON, 1, 10)),
                                              DISABLED_BORDER), 10, "the host form's buttons")

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

    def wait_face(self, name: str, colour, timeout: float = 5, tolerance: int = 24) -> None:
        """Waits until the button shows COLOUR at mid-height of its third column (photographed
        as NAME): the ring of the face NAME."""
        edge = self.point(BUTTON, 2, BUTTON[3] // 2)
        e2e.wait_screenshot("command-" + name,
                            lambda shot: near(shot.pixel(*edge), colour, tolerance), timeout,
                            "the button's %s face" % name)

    def test_hover_lights_the_button_and_leaving_restores_it_within_two_polls(self):
        self.start_host()
        self.move_away()
        self.wait_face("normal", NORMAL_SIDE)
        self.move_to(*self.centre())
        self.wait_face("highlight", HIGHLIGHT_SIDE)
        self.move_away()
        # Two polls and the photograph's own time.
        self.wait_face("left", NORMAL_SIDE, timeout=0.6)
        self.assertEqual(self.clicks(), 0)

    # A press right after a move needs no wait: the host handles the pointer's events in the
    # order the X server sent them.
    def test_a_click_raises_click_once_and_a_right_click_raises_it_too(self):
        self.start_host()
        self.move_to(*self.centre())
        self.mouse("mousedown")
        self.wait_face("pressed", DARK_BLUE, tolerance=40)
        self.mouse("mouseup")
        wait_for(lambda: self.clicks() == 1, 3, "one click")

        self.move_away()  # the focused button, left: the poll takes it to Selected
        self.wait_face("selected", SELECTED_SIDE)
        self.move_to(*self.centre())
        subprocess.run(["xdotool", "click", "3"], check=True)
        wait_for(lambda: self.clicks() == 2, 3, "the right button's click")
        time.sleep(0.3)  # proves that no further click follows: nothing to wait for
        self.assertEqual(self.clicks(), 2)

    def test_a_press_carried_away_and_released_after_a_poll_raises_no_click(self):
        self.start_host()
        self.move_to(*self.centre())
        self.mouse("mousedown")
        self.wait_face("pressed", DARK_BLUE, tolerance=40)
        self.move_away()
        self.wait_face("carried-away", SELECTED_SIDE)  # the poll saw the pointer go
        self.mouse("mouseup")
        time.sleep(0.5)  # proves that the release raises no click: nothing to wait for
        self.assertEqual(self.clicks(), 0)


if __name__ == "__main__":
    unittest.main(verbosity=2)
