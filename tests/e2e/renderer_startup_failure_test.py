"""The renderer without a usable snapshot: a missing file ends it quietly; a file it cannot read
or a bitmap it cannot decode shows the reader's "Error" box, and the renderer ends once the box
is dismissed."""

import time
import unittest

import e2e_support as e2e
from renderer_e2e import (SNAPSHOT, WINDOW_TITLE, RendererTestCase, remove_snapshot,
                          write_snapshot)

ERROR_TITLE = "Error"
DIALOG_CLASS = "#32770"


class RendererWithoutSnapshot(RendererTestCase):

    def test_missing_snapshot_ends_quietly_with_exit_code_0(self):
        remove_snapshot()
        renderer = self.start_renderer()
        error_box_seen = False
        deadline = time.monotonic() + 20
        while renderer.running() and time.monotonic() < deadline:
            error_box_seen |= e2e.find_window(ERROR_TITLE) is not None
        self.assertEqual(e2e.wait_exit(renderer, 1), 0)
        self.assertFalse(error_box_seen, "a message box was shown")
        self.assertIsNone(e2e.find_window(WINDOW_TITLE))

    def test_an_empty_snapshot_is_named_in_the_renderers_own_spelling(self):
        e2e.write_file(e2e.windows_path_on_host(SNAPSHOT), b"")
        renderer = self.start_renderer()
        self.assertIsNotNone(e2e.wait_window(ERROR_TITLE, 20), "no Error box")
        texts = [line.strip() for line in e2e.window_texts()]
        self.assertIn("Failed to open DIB file c:\\r_vask\\Kessamiron.bmp.", texts)
        self.assertTrue(e2e.close_window(ERROR_TITLE))
        self.assertEqual(e2e.wait_exit(renderer, 5), 0)

    def test_unknown_header_shows_the_error_box_and_ends_when_it_is_dismissed(self):
        write_snapshot(header_size=124)
        renderer = self.start_renderer()
        box = e2e.wait_window(ERROR_TITLE, 20)
        self.assertIsNotNone(box, "no Error box")
        self.assertEqual(box.class_name, DIALOG_CLASS)
        time.sleep(1)  # proves that the box holds the renderer: nothing to wait for
        e2e.take_screenshot("renderer-error-box")
        self.assertTrue(renderer.running(), "the box must hold the renderer until dismissed")

        e2e.focus_x_window(ERROR_TITLE)
        e2e.press_key("Return")
        self.assertEqual(e2e.wait_exit(renderer, 5), 0)
        self.assertIsNone(e2e.find_window(ERROR_TITLE))
        self.assertIsNone(e2e.find_window(WINDOW_TITLE))


if __name__ == "__main__":
    unittest.main(verbosity=2)
