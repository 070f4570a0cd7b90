"""The renderer on a bare X display, where Wine refuses every display-mode change: it falls
back to a window with a 1024 x 768 client area, shows the spinning sphere, bursts it after
400 frames, and ends on Escape, on WM_CLOSE or when another program takes the activation,
without touching the display mode. Minimised, it stops drawing but keeps swapping and counting
its frames."""

import os
import subprocess
import tempfile
import time
import unittest
from typing import List, Tuple

import e2e_support as e2e
from waits import wait_for
from renderer_e2e import (WINDOW_TITLE, RendererTestCase, bare_display_mode, client_corners,
                          looks_like_picture, looks_orange, looks_sky_blue, sphere_points,
                          write_snapshot)

BURST_WAIT_SECONDS = 90
SPIN_WAIT_SECONDS = 4
PHASE_PASSES = 400

# The renderer's calls that tell its passes apart, in Wine's relay trace (+relay):
# "Call opengl32.glClear(...)" starts a drawn frame, glRotatef turns the sphere (phase A only),
# "Call gdi32.SwapBuffers(...)" ends a pass.
RELAYED = "opengl32.glClear;opengl32.glRotatef;gdi32.SwapBuffers"


def passes_in(trace_path: str) -> List[Tuple[bool, str]]:
    """Each pass of the loop in the trace so far: whether it drew, and its phase ("A" when it
    turned the sphere, "B" when it drew without, "" when it drew nothing)."""
    passes, drawn, turned = [], False, False
    with open(trace_path, errors="replace") as trace:
        for line in trace:
            if ":Call opengl32.glClear" in line:
                drawn = True
            elif ":Call opengl32.glRotatef" in line:
                turned = True
            elif ":Call gdi32.SwapBuffers" in line:
                passes.append((drawn, ("A" if turned else "B") if drawn else ""))
                drawn, turned = False, False
    return passes


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
        self.assertEqual(e2e.display_mode(), bare_display_mode())

        points = sphere_points(window)
        self.wait_for_the_sphere(points)
        phase_a = self.wait_for_both_halves_of_the_picture(points)
        for x, y in client_corners(window):
            self.assertTrue(e2e.is_black(phase_a.pixel(x, y)), "corner %d,%d not black" % (x, y))

        burst_seen = self.wait_for_burst(points)
        print("burst seen %.1f s after start (phase B begins at frame 400)"
              % (burst_seen - started))

        pressed = self.press_escape(window, WINDOW_TITLE)
        self.assert_renderer_gone_within(1.0, pressed)
        self.assertEqual(e2e.display_mode(), bare_display_mode())

    def test_ends_on_wm_close(self):
        self.start_renderer()
        self.wait_for_the_sphere(sphere_points(self.wait_renderer_window()))
        closed = time.monotonic()
        self.assertTrue(e2e.close_window(WINDOW_TITLE))
        self.assert_renderer_gone_within(1.0, closed)
        self.assertEqual(e2e.display_mode(), bare_display_mode())

    def test_ends_when_another_program_takes_the_activation(self):
        self.start_renderer()
        self.wait_for_the_sphere(sphere_points(self.wait_renderer_window()))
        activated = self.activate_another_program()
        self.assert_renderer_gone_within(1.0, activated)
        self.assertEqual(e2e.display_mode(), bare_display_mode())

    def test_minimised_it_stops_drawing_keeps_its_clock_and_draws_again_when_restored(self):
        subprocess.run(["wine", "reg", "add", "HKCU\\Software\\Wine\\Debug", "/v",
                        "RelayInclude", "/d", RELAYED, "/f"], stdin=subprocess.DEVNULL,
                       stdout=subprocess.DEVNULL, check=True)
        with tempfile.NamedTemporaryFile("w", suffix=".trace") as trace:
            self.start_renderer(env=dict(os.environ, WINEDEBUG="+relay"), stderr=trace)
            window = self.wait_renderer_window()
            wait_for(lambda: passes_in(trace.name), 20, "the first frame")
            # Minimised without another window taking the activation, the show goes on.
            self.assertTrue(e2e.show_window(WINDOW_TITLE, e2e.SW_SHOWMINNOACTIVE))
            minimised_at = len(passes_in(trace.name))
            wait_for(lambda: len(passes_in(trace.name)) > PHASE_PASSES + 10, 30,
                     "the passes of a whole phase while minimised")
            while_minimised = passes_in(trace.name)[minimised_at + 1:]
            self.assertEqual(sum(drawn for drawn, _ in while_minimised), 0,
                             "frames drawn while minimised")

            self.assertFalse(e2e.show_window(WINDOW_TITLE, e2e.SW_RESTORE))
            restored_at = len(passes_in(trace.name))
            drawn = wait_for(lambda: [phase for drawn, phase in passes_in(trace.name)[restored_at:]
                                      if drawn], 10, "a frame drawn once restored")
            # Every pass while minimised stepped the clock: it is in the burst now.
            self.assertEqual(drawn[0], "B")

            pressed = self.press_escape(window, WINDOW_TITLE)
            self.assert_renderer_gone_within(1.0, pressed)

    @staticmethod
    def wait_for_the_sphere(points) -> None:
        """Returns once the renderer has drawn: the sphere's centre carries the picture."""
        e2e.wait_screenshot("renderer-windowed-phase-a",
                            lambda shot: shot.share_of(points, looks_like_picture) > 0.95, 20,
                            "the sphere of the picture")

    def wait_for_both_halves_of_the_picture(self, points):
        """The sphere turns: how much of each half faces the camera at a given second depends
        on the machine's frame rate, so photograph it until both have been seen."""
        seen = set()

        def both_halves_seen():
            shot = e2e.take_screenshot("renderer-windowed-phase-a")
            self.assertGreater(shot.share_of(points, looks_like_picture), 0.95,
                               "the sphere's centre does not carry the picture")
            for half, looks_like_it in (("orange", looks_orange), ("sky blue", looks_sky_blue)):
                if shot.share_of(points, looks_like_it) > 0.0:
                    seen.add(half)
            return shot if len(seen) == 2 else None
        return wait_for(both_halves_seen, SPIN_WAIT_SECONDS,
                        "both halves of the picture on the turning sphere")

    def wait_for_burst(self, points) -> float:
        """Photographs the display until the solid sphere has scattered into pieces with
        black gaps between them; returns when that was seen."""
        shot = e2e.wait_screenshot("renderer-windowed-phase-b",
                                   lambda shot: shot.share_of(points, e2e.is_black) > 0.5,
                                   BURST_WAIT_SECONDS, "the burst")
        seen = time.monotonic()
        self.assertGreater(shot.share_of(points, looks_like_picture), 0.02,
                           "no pieces of the picture left in view")
        return seen


if __name__ == "__main__":
    unittest.main(verbosity=2)
