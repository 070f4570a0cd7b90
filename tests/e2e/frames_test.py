"""The Windows renderer's frames under Wine with Mesa's software rasteriser, photographed off
the screen, against the references of this flavour kept in tests/frames/<flavour>/: the first
frame of the sphere and frame 450, inside the burst. VORLENTA_REMAKE_FRAMES=1 writes them as
the new references instead (tests/frames/make_references.sh; only from a known-good build)."""

import os
import shutil
import subprocess
import unittest

import e2e_support as e2e
from frames import FRAMES, check_frame, rgb_pixels
from renderer_e2e import SNAPSHOT, RendererTestCase
from waits import wait_for

FLAVOUR = os.environ["VORLENTA_FLAVOUR"]
REMAKE = os.environ.get("VORLENTA_REMAKE_FRAMES") == "1"
HELD_SIGNAL = "c:\\r_vask\\frame-held"


def photograph(area: str, path: str) -> bytes:
    """Photographs AREA ("WxH+X+Y") of the X display into PATH; returns its pixels."""
    subprocess.run(["import", "-window", "root", "-crop", area, "+repage", path], check=True)
    return rgb_pixels(path)[2]


def reference(frame: int) -> str:
    return os.path.join(FRAMES, FLAVOUR, "frame-%03d.png" % frame)


class HeldFrames(RendererTestCase):

    def setUp(self):
        super().setUp()
        with open(os.path.join(FRAMES, "picture.bmp"), "rb") as picture:
            e2e.write_file(e2e.windows_path_on_host(SNAPSHOT), picture.read())
        self.signal = e2e.windows_path_on_host(HELD_SIGNAL)
        self.addCleanup(e2e.remove_file, self.signal)

    def photograph_held(self, frame: int) -> str:
        """The renderer's client area once it holds FRAME on screen, as a PNG."""
        e2e.remove_file(self.signal)
        os.environ.update(VORLENTA_HOLD_FRAME=str(frame), VORLENTA_HOLD_SIGNAL=HELD_SIGNAL)
        held = self.start(e2e.program_path("FRAME_HOLD"))
        window = self.wait_renderer_window()
        wait_for(lambda: os.path.exists(self.signal), 60, "the renderer to hold frame %d" % frame)
        photo = os.path.join(e2e.screenshot_dir(), "%s-frame-%03d.png" % (FLAVOUR, frame))
        client = "%dx%d+%d+%d" % (window.client_width, window.client_height, window.client_x,
                                  window.client_y)
        # The swap may reach the X server after the renderer has written the signal.
        photos = [None]
        wait_for(lambda: photos.append(photograph(client, photo)) or photos[-1] == photos[-2],
                 10, "the held frame to stand still on screen")
        held.kill()
        return photo

    def test_held_frames_match_their_references(self):
        for frame in (0, 450):
            with self.subTest(frame=frame):
                photo = self.photograph_held(frame)
                if REMAKE:
                    os.makedirs(os.path.dirname(reference(frame)), exist_ok=True)
                    shutil.copyfile(photo, reference(frame))
                    continue
                print("frame %d: %s" % (frame, check_frame(
                    photo, reference(frame), photo.replace(".png", "-difference.png"))))


if __name__ == "__main__":
    unittest.main(verbosity=2)
