"""The run mode as the system starts it: /s photographs the screen, hands the picture to the
renderer, and ends once the renderer's window is gone. The photograph is the user's: private
while the show runs, gone after it."""

import glob
import os
import re
import shutil
import subprocess
import time
import unittest

import e2e_support as e2e
import saver_e2e as s
from saver_dialog_test import unwritable

SCREEN_TILE = "/tmp/vorlenta-saver-run-tile.xbm"


def show_pattern_on_root() -> None:
    """Tiles the root window with a picture no window can be mistaken for: a 61 x 47 tile of
    fixed pseudo-random bits in orange and blue, so every pixel's position matters."""
    width, height = 61, 47
    state = 12345
    data = []
    for _ in range(((width + 7) // 8) * height):
        state = (state * 1103515245 + 12345) & 0x7FFFFFFF
        data.append("0x%02x" % ((state >> 16) & 0xFF))
    with open(SCREEN_TILE, "w") as handle:
        handle.write("#define tile_width %d\n#define tile_height %d\n" % (width, height))
        rows = [", ".join(data[i:i + 12]) for i in range(0, len(data), 12)]
        handle.write("static unsigned char tile_bits[] = {\n%s};\n" % ",\n".join(rows))
    subprocess.run(["xsetroot", "-bitmap", SCREEN_TILE, "-fg", "#ff8000", "-bg", "#0040c0"],
                   check=True)


def temporary_snapshots():
    """What a write of the snapshot left beside it: its writer's .new file, or any other."""
    return glob.glob(glob.escape(s.snapshot_on_host()) + "*.new")


def same_picture(first: str, second: str) -> int:
    """The number of differing pixels of two pictures of the same size (ImageMagick AE)."""
    result = subprocess.run(["compare", "-metric", "AE", first, second, "null:"],
                            stderr=subprocess.PIPE, text=True)
    return int(float(result.stderr.split()[0]))


def security(windows_path: str):
    """The probe's user, and the path's owner and access entries as Windows hands them out
    (SDDL, read with GetFileSecurityW): a set of (kind, inheritance, rights, account)."""
    lines = subprocess.run(["wine", e2e.program_path("WINDOW_PROBE"), "security", windows_path],
                           stdin=subprocess.DEVNULL, stdout=subprocess.PIPE, text=True,
                           check=True).stdout.split()
    user, descriptor = lines[0].partition("=")[2], lines[1]
    owner = re.match(r"O:([^D]+)D:", descriptor).group(1)
    entries = set()
    for ace in re.findall(r"\(([^)]*)\)", descriptor):
        kind, inheritance, rights, _, _, account = ace.split(";")[:6]
        entries.add((kind, inheritance, rights, account))
    return user, owner, entries


def wait_for_the_show(window: e2e.WindowInfo, name: str) -> None:
    """Returns once the renderer draws: the desktop's photograph on the sphere in the black of
    the scene, photographed as NAME."""
    middle = e2e.disc_points(window.client_x + window.client_width // 2,
                             window.client_y + window.client_height // 2, 60)
    corners = [(window.client_x + 8, window.client_y + 8),
               (window.client_x + window.client_width - 9, window.client_y + 8)]
    e2e.wait_screenshot(name, lambda shot: shot.share_of(middle, e2e.is_black) < 0.1 and
                        shot.share_of(corners, e2e.is_black) == 1.0, 20,
                        "the renderer drawing the desktop's photograph")


class RunMode(s.SaverTestCase):

    def test_snapshot_equals_the_screen_and_escape_ends_both_programs(self):
        show_pattern_on_root()
        before = e2e.take_screenshot("saver-run-desktop")

        saver = self.saver("/s")
        window = e2e.wait_window(s.RENDERER_TITLE, timeout=20)
        self.assertIsNotNone(window, "the renderer's window never appeared")

        snapshot = s.snapshot_on_host()
        self.assertTrue(os.path.isfile(snapshot))
        with open(snapshot, "rb") as handle:
            header = handle.read(54)
        self.assertEqual(header[:2], b"BM")
        self.assertEqual(int.from_bytes(header[14:18], "little"), 40)
        self.assertEqual(int.from_bytes(header[28:30], "little"), 24)
        self.assertEqual(int.from_bytes(header[18:22], "little", signed=True), before.width)
        self.assertEqual(int.from_bytes(header[22:26], "little", signed=True), before.height)
        self.assertEqual(same_picture(before.path, snapshot), 0)
        self.assertEqual(temporary_snapshots(), [], "temporary snapshot left behind")

        wait_for_the_show(window, "saver-run-phase-a")
        pressed = self.end_renderer(window)
        renderer_gone = time.monotonic()
        self.assertIsNotNone(e2e.wait_exit(saver, timeout=3), "the screen saver did not end")
        ended = time.monotonic()
        print("renderer ended %.0f ms after Escape, screen saver %.0f ms after the renderer"
              % ((renderer_gone - pressed) * 1000, (ended - renderer_gone) * 1000))
        self.assertLess(ended - renderer_gone, 1.0)
        self.assert_gone(s.RENDERER_IMAGE)
        self.assert_gone(s.SAVER_IMAGE)
        self.assertFalse(os.path.exists(snapshot), "the desktop's photograph outlived the show")

    def test_the_photograph_and_a_new_hand_off_folder_are_the_users_alone(self):
        folder = os.path.dirname(s.snapshot_on_host())
        shutil.rmtree(folder, ignore_errors=True)
        saver = self.saver("/s")
        self.assertIsNotNone(e2e.wait_window(s.RENDERER_TITLE, timeout=20))
        # Wine keeps of these lists only what Unix permissions hold: the user's rights and
        # everyone's. The entries for other users are checked as the program hands them over
        # (tests/win32/forms/access_test.cpp).
        user, owner, entries = security(s.SNAPSHOT)
        self.assertEqual(owner, user)
        self.assertEqual(entries, {("A", "", "FA", "SY"), ("A", "", "FA", user)})
        user, owner, entries = security("C:\\r_vask")
        self.assertEqual(owner, user)
        self.assertEqual({account for _, _, _, account in entries}, {"SY", user},
                         "the folder is open to everyone")
        self.assertTrue(e2e.close_window(s.RENDERER_TITLE))
        self.assertIsNotNone(e2e.wait_exit(saver, timeout=5))

    def test_a_photograph_that_cannot_be_replaced_is_left_as_it_is_without_a_word(self):
        old = e2e.bitmap_bytes(64, 48, lambda x, y: (0, 200, 0))
        e2e.write_file(s.snapshot_on_host(), old)
        with unwritable(s.snapshot_on_host()):
            saver = self.saver("/s")
            # The renderer shows what stands at the path, as after any failed write.
            window = e2e.wait_window(s.RENDERER_TITLE, timeout=20)
            self.assertIsNotNone(window)
            time.sleep(1)  # proves that no message comes: nothing to wait for
            self.assertIsNone(e2e.find_window("Error"), "a message was shown")
            self.end_renderer(window)
            self.assertIsNotNone(e2e.wait_exit(saver, timeout=3))
            self.assert_gone(s.RENDERER_IMAGE)
            with open(s.snapshot_on_host(), "rb") as handle:
                self.assertEqual(handle.read(), old)
            self.assertEqual(temporary_snapshots(), [])

    def test_close_request_ends_the_saver_and_the_renderer_runs_on(self):
        show_pattern_on_root()  # a desktop the sphere shows, whatever the last test left
        saver = self.saver("/s")
        window = e2e.wait_window(s.RENDERER_TITLE, timeout=20)
        self.assertIsNotNone(window)
        wait_for_the_show(window, "saver-run-closed")
        self.assertTrue(e2e.close_window(s.RUN_FORM_TITLE))
        self.assertIsNotNone(e2e.wait_exit(saver, timeout=3))
        self.assertFalse(os.path.exists(s.snapshot_on_host()), "the photograph outlived the show")
        time.sleep(0.5)  # proves that the renderer is not closed with it: nothing to wait for
        self.assertIsNotNone(e2e.find_window(s.RENDERER_TITLE), "the renderer was closed too")
        self.assertTrue(e2e.close_window(s.RENDERER_TITLE))
        self.assert_gone(s.RENDERER_IMAGE)

    def test_without_a_renderer_the_saver_ends_at_once(self):
        # Blanks in the folder's name must not make it start another program instead.
        lone = self.lone_saver_folder("Vorlenta lone ")
        started = time.monotonic()
        saver = self.saver("/s", path=lone)
        self.assertIsNotNone(e2e.wait_exit(saver, timeout=5), "the screen saver did not end")
        print("ended %.0f ms after its start" % ((time.monotonic() - started) * 1000))
        self.assert_gone(s.SAVER_IMAGE)
        self.assertEqual(e2e.wine_processes(s.RENDERER_IMAGE), [])
        self.assertIsNone(e2e.find_window(s.RUN_FORM_TITLE))


if __name__ == "__main__":
    unittest.main(verbosity=2)
