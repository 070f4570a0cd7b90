"""The renderer's full-screen path, inside a Wine virtual desktop where display-mode changes
succeed: 1024 x 768 at 32 bits and the desktop's own rate while it runs, exactly the original
mode back afterwards, also when
the snapshot turns out to be unreadable after the switch, and when another program takes the
activation, which ends the show as Escape does."""

import unittest

import e2e_support as e2e
from waits import wait_for
from renderer_e2e import (RENDERER_IMAGE, SHOW_MODE, VIRTUAL_DESKTOP, VIRTUAL_DESKTOP_WINDOW,
                          WINDOW_TITLE, RendererTestCase, looks_like_picture, sphere_points,
                          write_snapshot)

HOLD_TITLE = "vorlenta-e2e-hold"
ERROR_TITLE = "Error"


class RendererFullScreen(RendererTestCase):

    def setUp(self):
        super().setUp()
        write_snapshot()
        # The desktop lives while it has a window; the probe's 1x1 window keeps it open so the
        # mode can be read after the renderer has gone.
        self.start(e2e.program_path("WINDOW_PROBE"), "hold", "120000", desktop=VIRTUAL_DESKTOP)
        self.assertIsNotNone(e2e.wait_window(HOLD_TITLE, 20, desktop=VIRTUAL_DESKTOP))

    def tearDown(self):
        e2e.close_window(HOLD_TITLE, desktop=VIRTUAL_DESKTOP)
        super().tearDown()

    def test_switches_to_1024x768_and_restores_the_mode_on_escape(self):
        original = e2e.display_mode(desktop=VIRTUAL_DESKTOP)
        self.assertNotEqual(original, SHOW_MODE)

        self.start_renderer(desktop=VIRTUAL_DESKTOP)
        window = self.wait_renderer_window(desktop=VIRTUAL_DESKTOP)
        self.assertEqual((window.client_x, window.client_y), (0, 0))
        self.assertEqual((window.client_width, window.client_height), (1024, 768))
        self.wait_show_mode()
        self.wait_picture(window, 0.95, "renderer-fullscreen-phase-a",
                          "the sphere of the picture, full screen")
        self.end_show_with_the_mode_back(window, original)

    def test_another_program_taking_the_activation_ends_the_show_with_the_mode_back(self):
        original = e2e.display_mode(desktop=VIRTUAL_DESKTOP)
        self.start_renderer(desktop=VIRTUAL_DESKTOP)
        window = self.wait_renderer_window(desktop=VIRTUAL_DESKTOP)
        self.wait_show_mode()
        # Drawing, the show has the activation that the other program then takes from it.
        self.wait_picture(window, 0.95, "renderer-fullscreen-before-other",
                          "the sphere of the picture, full screen")

        activated = self.activate_another_program(desktop=VIRTUAL_DESKTOP)
        self.assert_renderer_gone_within(1.0, activated, desktop=VIRTUAL_DESKTOP)
        self.assertEqual(e2e.display_mode(desktop=VIRTUAL_DESKTOP), original)

    @staticmethod
    def wait_picture(window: e2e.WindowInfo, share: float, name: str, what: str) -> None:
        """Waits until more than SHARE of the sphere's middle shows the picture."""
        e2e.wait_screenshot(name, lambda shot: shot.share_of(sphere_points(window),
                                                             looks_like_picture) > share, 10,
                            what)

    def end_show_with_the_mode_back(self, window: e2e.WindowInfo, original: str) -> None:
        pressed = self.press_escape(window, VIRTUAL_DESKTOP_WINDOW)
        self.assert_renderer_gone_within(1.0, pressed, desktop=VIRTUAL_DESKTOP)
        self.assertEqual(e2e.display_mode(desktop=VIRTUAL_DESKTOP), original)

    @staticmethod
    def wait_show_mode() -> None:
        wait_for(lambda: e2e.display_mode(desktop=VIRTUAL_DESKTOP) == SHOW_MODE, 5,
                 "the show's display mode, " + SHOW_MODE)

    def test_restores_the_mode_when_the_snapshot_cannot_be_read(self):
        original = e2e.display_mode(desktop=VIRTUAL_DESKTOP)
        write_snapshot(header_size=124)

        self.start_renderer(desktop=VIRTUAL_DESKTOP)
        # The reader's box holds the renderer after the switch and before the teardown.
        self.assertIsNotNone(e2e.wait_window(ERROR_TITLE, 20, desktop=VIRTUAL_DESKTOP),
                             "no Error box")
        self.assertEqual(e2e.display_mode(desktop=VIRTUAL_DESKTOP), SHOW_MODE)

        self.assertTrue(e2e.close_window(ERROR_TITLE, desktop=VIRTUAL_DESKTOP))
        self.assertTrue(e2e.wait_no_process(RENDERER_IMAGE, 5), "the renderer did not end")
        self.assertEqual(e2e.display_mode(desktop=VIRTUAL_DESKTOP), original)


if __name__ == "__main__":
    unittest.main(verbosity=2)
