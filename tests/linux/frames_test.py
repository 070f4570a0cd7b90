"""The Linux program's frames without a display, against the references kept in
tests/frames/linux/: the sphere at the start and end of its spin, the burst as it starts, in
its middle and at its end. VORLENTA_REMAKE_FRAMES=1 writes them as the new references instead
(tests/frames/make_references.sh; only from a known-good build)."""

import os
import subprocess
import tempfile
import unittest

from frames import FRAMES, check_frame

PROGRAM = os.environ["VORLENTA_PROGRAM"]
RESULTS = os.path.join(os.environ.get("VORLENTA_SCREENSHOTS", tempfile.gettempdir()), "frames")
REMAKE = os.environ.get("VORLENTA_REMAKE_FRAMES") == "1"
SIZE = "512x384"


def reference(frame: int) -> str:
    return os.path.join(FRAMES, "linux", "frame-%03d.png" % frame)


class HeadlessFrames(unittest.TestCase):

    def test_each_frame_matches_its_reference(self):
        os.makedirs(RESULTS, exist_ok=True)
        env = {k: v for k, v in os.environ.items() if k != "DISPLAY"}
        for frame in (0, 399, 400, 450, 799):
            with self.subTest(frame=frame):
                out = reference(frame) if REMAKE else os.path.join(
                    RESULTS, "linux-frame-%03d.png" % frame)
                subprocess.run([PROGRAM, "--frame", str(frame), "--picture",
                                os.path.join(FRAMES, "picture.bmp"), "--out", out, "--size", SIZE],
                               env=env, check=True)
                if not REMAKE:
                    print("frame %d: %s" % (frame, check_frame(
                        out, reference(frame), out.replace(".png", "-difference.png"))))


if __name__ == "__main__":
    unittest.main(verbosity=2)
