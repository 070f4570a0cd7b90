"""Frame 0 of the Windows renderer, photographed under Wine, against frame 0 of the Linux
program rendered without a display from the same picture: the same model and drawing code on
the same Mesa should give nearly the same pixels."""

import os
import subprocess
import tempfile
import time
import unittest

import e2e_support as e2e
from renderer_e2e import (BARE_DISPLAY_MODE, WINDOW_TITLE, RendererTestCase, picture_colour,
                          PICTURE_HEIGHT, PICTURE_WIDTH, write_snapshot)

NATIVE = os.environ.get("VORLENTA_NATIVE", "")
CHANNEL_TOLERANCE = 8
MAX_DIFFERING_SHARE = 0.01


def rgb_bytes(png: str) -> bytes:
    return subprocess.run(["convert", png, "-depth", "8", "rgb:-"], stdout=subprocess.PIPE,
                          check=True).stdout


@unittest.skipUnless(os.path.isfile(NATIVE), "the host build has not made the Linux program")
class FirstFrame(RendererTestCase):

    def test_frame_zero_matches_the_linux_programs_frame_zero(self):
        write_snapshot()
        folder = tempfile.mkdtemp(prefix="vorlenta-first-frame-")
        picture = os.path.join(folder, "picture.bmp")
        e2e.write_file(picture, e2e.bitmap_bytes(PICTURE_WIDTH, PICTURE_HEIGHT, picture_colour))
        native_png = os.path.join(folder, "native-frame-0.png")
        # No display for it; and Mesa's own allocations are not ours to report.
        env = {k: v for k, v in os.environ.items() if k != "DISPLAY"}
        env["ASAN_OPTIONS"] = "detect_leaks=0"
        subprocess.run([NATIVE, "--frame", "0", "--picture", picture, "--out", native_png,
                        "--size", "1024x768"], env=env, check=True)

        held = self.start(e2e.program_path("FIRST_FRAME"))
        window = e2e.wait_window(WINDOW_TITLE, 20)
        self.assertIsNotNone(window, "no renderer window")
        time.sleep(1.5)  # inside the 4 s the first frame is held
        shot = e2e.take_screenshot("first-frame-windows")
        windows_png = os.path.join(folder, "windows-frame-0.png")
        subprocess.run(["convert", shot.path, "-crop", "1024x768+%d+%d" % (window.client_x,
                        window.client_y), "+repage", windows_png], check=True)
        held.kill()
        self.assertTrue(e2e.wait_no_process(held.image_name, 5))

        ours, theirs = rgb_bytes(windows_png), rgb_bytes(native_png)
        self.assertEqual(len(ours), len(theirs))
        differing = sum(1 for i in range(0, len(ours), 3)
                        if max(abs(ours[i + c] - theirs[i + c]) for c in range(3)) >
                        CHANNEL_TOLERANCE)
        pixels = len(ours) // 3
        unequal = sum(1 for i in range(0, len(ours), 3) if ours[i:i + 3] != theirs[i:i + 3])
        print("frame 0: %d of %d pixels differ at all, %d by more than %d in a channel"
              % (unequal, pixels, differing, CHANNEL_TOLERANCE))
        self.assertLess(differing / pixels, MAX_DIFFERING_SHARE)
        self.assertEqual(e2e.display_mode(), BARE_DISPLAY_MODE)


if __name__ == "__main__":
    unittest.main(verbosity=2)
