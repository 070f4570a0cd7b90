"""The renderer on a bare X display, where Wine refuses every display-mode change: it falls
back to a window with a 1024 x 768 client area, shows the spinning sphere, bursts it after
400 frames, and ends on Escape or WM_CLOSE without touching the display mode."""

import time
import unittest

import e2e_support as e2e
from renderer_e2e import (BARE_DISPLAY_MODE, WINDOW_TITLE, RendererTestCase, client_corners,
                          looks_like_picture, looks_orange, looks_sky_blue, sphere_points,
                          write_snapshot)

BURST_WAIT_SECONDS = 90
SPIN_WAIT_SECONDS = 4


class RendererInAWindow(RendererTestCase):

    def setUp(self):
        super().setUp()
        write_snapshot()

    def test_shows_the_sphere_then_the_burst_and_ends_on_escape(self):
        started = time.monotonic()
        self.start_renderer()
        window = self.wait_renderer_window()
        self.assertEqual((window.client_width, window.client_height), (1024, 768))
        self.assertEqual((window.frame_x, window.frame_y), (0, 0))
        self.assertEqual(e2e.display_mode(), BARE_DISPLAY_MODE)

        time.sleep(1)
        points = sphere_points(window)
        phase_a = self.wait_for_both_halves_of_the_picture(points)
        for x, y in client_corners(window):
            self.assertTrue(e2e.is_black(phase_a.pixel(x, y)), "corner %d,%d not black" % (x, y))

        burst_seen = self.wait_for_burst(points)
        print("burst seen %.1f s after start (phase B begins at frame 400)"
              % (burst_seen - started))

        pressed = self.press_escape(window, WINDOW_TITLE)
        self.assert_renderer_gone_within(1.0, pressed)
        self.assertEqual(e2e.display_mode(), BARE_DISPLAY_MODE)

    def test_ends_on_wm_close(self):
        self.start_renderer()
        self.wait_renderer_window()
        time.sleep(0.5)
        closed = time.monotonic()
        self.assertTrue(e2e.close_window(WINDOW_TITLE))
        self.assert_renderer_gone_within(1.0, closed)
        self.assertEqual(e2e.display_mode(), BARE_DISPLAY_MODE)

    def wait_for_both_halves_of_the_picture(self, points):
        """The sphere turns: how much of each half faces the camera at a given second depends
        on the machine's frame rate, so photograph it until both have been seen."""
        seen_orange = seen_sky_blue = False
        deadline = time.monotonic() + SPIN_WAIT_SECONDS
        while True:
            shot = e2e.take_screenshot("renderer-windowed-phase-a")
            self.assertGreater(shot.share_of(points, looks_like_picture), 0.95,
                               "the sphere's centre does not carry the picture")
            seen_orange |= shot.share_of(points, looks_orange) > 0.0
            seen_sky_blue |= shot.share_of(points, looks_sky_blue) > 0.0
            if seen_orange and seen_sky_blue:
                return shot
            if time.monotonic() > deadline:
                self.fail("the turning sphere never showed both halves of the picture")
            time.sleep(0.25)

    def wait_for_burst(self, points) -> float:
        """Photographs the display until the solid sphere has scattered into pieces with
        black gaps between them; returns when that was seen."""
        deadline = time.monotonic() + BURST_WAIT_SECONDS
        while time.monotonic() < deadline:
            time.sleep(0.5)
            shot = e2e.take_screenshot("renderer-windowed-phase-b")
            if shot.share_of(points, e2e.is_black) > 0.5:
                self.assertGreater(shot.share_of(points, looks_like_picture), 0.02,
                                   "no pieces of the picture left in view")
                return time.monotonic()
        self.fail("no burst within %d s" % BURST_WAIT_SECONDS)


if __name__ == "__main__":
    unittest.main(verbosity=2)
