"""Preview mode: the screen saver puts its still inside the window the display settings give
it, covers that window exactly, and ends when that window goes."""

import unittest

import e2e_support as e2e
import saver_e2e as s
from waits import wait_for


def parse_child(line: str) -> dict:
    fields = dict(part.split("=", 1) for part in line.split()[1:] if "=" in part)
    return fields


class Preview(s.SaverTestCase):
    def check_preview(self, width: int, height: int, argument_form: str) -> None:
        host = self.probe(s.Probe("host", "40", "40", str(width), str(height)))
        handle = host.first_line.partition("=")[2]
        args = ["/p", handle] if argument_form == "blank" else ["/p:" + handle]
        saver = self.saver(*args)
        # The form is a child of the host: no top-level window of its own.
        def children_with_the_form():
            children = host.ask("children", "end")
            shown = any("visible=1" in line and "Preview Window" in line for line in children)
            return children if shown else None
        children = wait_for(children_with_the_form, 10, "the preview form shown in the host")
        form = [c for c in children if "title=Preview Window" in c]
        self.assertEqual(len(form), 1, children)
        self.assertIn("rect=0,0,%d,%d" % (width, height), form[0])
        self.assertIn("visible=1", form[0])
        image = [c for c in children if "title= " in c]
        self.assertEqual(len(image), 1, children)
        self.assertIn("rect=0,0,%d,%d" % (width, height), image[0])
        e2e.take_screenshot("saver-preview-%dx%d" % (width, height))
        self.assertIsNone(e2e.find_window("Preview Window"))

        self.assertEqual(host.ask("destroy", "destroyed"), [])
        self.assertIsNotNone(e2e.wait_exit(saver, timeout=3), "still running without its window")
        self.assert_gone(s.SAVER_IMAGE)

    def test_preview_covers_a_small_host_and_ends_with_it(self):
        self.check_preview(152, 112, "blank")

    def test_preview_stretches_over_a_larger_host(self):
        self.check_preview(200, 150, "colon")

    def test_a_handle_that_names_no_window_ends_at_once(self):
        for args in (["/p"], ["/p", "0"], ["/p", "987654"]):
            with self.subTest(args=args):
                saver = self.saver(*args)
                self.assertIsNotNone(e2e.wait_exit(saver, timeout=5))
                self.assertIsNone(e2e.find_window("Preview Window"))


if __name__ == "__main__":
    unittest.main(verbosity=2)
