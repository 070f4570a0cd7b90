"""One screen saver at a time: any start ends at once while the run form or the settings
dialog of another instance exists, hidden or not."""

import os
import time
import unittest

import e2e_support as e2e
import saver_e2e as s


class SingleInstance(s.SaverTestCase):
    def test_every_mode_ends_at_once_beside_another_instance(self):
        for title in (s.RUN_FORM_TITLE, s.DIALOG_TITLE):
            self.probe(s.hold_window(title, 60000))
            for args in (["/s"], ["/p", "1234"], ["/c"], []):
                with self.subTest(title=title, args=args):
                    started = time.monotonic()
                    saver = self.saver(*args)
                    self.assertIsNotNone(e2e.wait_exit(saver, timeout=5))
                    print("%s %s: ended after %.0f ms" % (title, " ".join(args),
                                                         (time.monotonic() - started) * 1000))
                    self.assertFalse(os.path.exists(s.snapshot_on_host()))
                    self.assertEqual(e2e.wine_processes(s.RENDERER_IMAGE), [])
            self.probes.pop().stop()


if __name__ == "__main__":
    unittest.main(verbosity=2)
