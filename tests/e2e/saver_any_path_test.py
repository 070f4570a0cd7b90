"""The screen saver installed under a name no single code page holds (Cyrillic, Polish and
Japanese), on a system whose ANSI code page is 1252: the show starts its renderer, the settings
are written beside the program with the same bytes as anywhere else, and a music file named in
those scripts is opened, played and stopped."""

import os
import shutil
import subprocess
import tempfile
import unittest

import e2e_support as e2e
import saver_e2e as s
from saver_dialog_test import CMD_SET, PANEL, painted_dialog
from saver_music_test import read_text, sent_strings, start_sound_server, stop_sound_server
from saver_run_test import show_pattern_on_root, wait_for_the_show
from settings_file import settings_bytes
from waits import wait_for

FOLDER = "C:\\Тест Вор Łódź 東京"
MUSIC_NAME = "песня łąka 歌.mp3"


def short_path(windows_path: str) -> str:
    """The path's short (8.3) form, as Windows itself gives it."""
    code, line = e2e.run_probe("short-path", windows_path)
    assert code == 0, "no short form of " + windows_path
    return line


class AnyPath(s.SaverTestCase):

    @classmethod
    def setUpClass(cls):
        super().setUpClass()
        cls.folder = e2e.windows_path_on_host(FOLDER)
        os.makedirs(cls.folder, exist_ok=True)
        for program in (s.saver_path(), e2e.program_path("RENDERER")):
            shutil.copy(program, cls.folder)
        cls.saver_copy = os.path.join(cls.folder, s.SAVER_IMAGE)
        cls.settings = os.path.join(cls.folder, "Vorlenta.ini")

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.folder, ignore_errors=True)

    def setUp(self):
        super().setUp()
        e2e.remove_file(self.settings)
        self.assertEqual(e2e.run_probe("acp")[1], "acp=1252")

    def test_the_show_finds_its_renderer_and_ends_on_escape(self):
        show_pattern_on_root()  # a desktop the sphere shows, whatever the last test left
        saver = self.saver("/s", path=self.saver_copy)
        window = e2e.wait_window(s.RENDERER_TITLE, timeout=20)
        self.assertIsNotNone(window, "no renderer started beside the screen saver")
        wait_for_the_show(window, "saver-any-path-show")
        self.end_renderer(window)
        self.assertIsNotNone(e2e.wait_exit(saver, timeout=3), "Escape did not end the show")
        self.assert_gone(s.RENDERER_IMAGE)

    def test_the_settings_are_written_beside_the_program_with_the_usual_bytes(self):
        dialog = self.saver("/c", path=self.saver_copy)
        window = painted_dialog()
        at = (window.client_x, window.client_y)
        # The second click is handled after the first, in the order the X server sent them.
        e2e.click_at(at[0] + PANEL[0] + 44 + 10, at[1] + PANEL[1] + 56 + 6)  # "音楽CD"
        e2e.click_at(at[0] + CMD_SET[0] + CMD_SET[2] // 2, at[1] + CMD_SET[1] + CMD_SET[3] // 2)
        self.assertIsNotNone(e2e.wait_exit(dialog, timeout=5), "the dialog did not end")
        with open(self.settings, "rb") as handle:
            self.assertEqual(handle.read(), settings_bytes(1, 0))

    def test_a_music_file_named_in_any_script_is_opened_played_and_stopped(self):
        sound_server = start_sound_server()
        self.addCleanup(stop_sound_server, sound_server)
        music = os.path.join(self.folder, MUSIC_NAME)
        wave = os.path.join(tempfile.gettempdir(), "vorlenta-any-path-%d.wav" % os.getpid())
        subprocess.run(["sox", "-n", "-r", "22050", "-c", "1", "-b", "16", wave, "synth", "4",
                        "sine", "440"], check=True)
        subprocess.run(["lame", "--quiet", wave, music], check=True)
        os.remove(wave)
        stored = short_path(FOLDER + "\\" + MUSIC_NAME)
        self.assertTrue(stored.isascii() and stored.upper().endswith(".MP3"), stored)
        s.write_settings(2, 0, stored.encode("cp1252"), path=self.settings)

        trace_path = os.path.join(tempfile.gettempdir(), "vorlenta-any-path-%d.log" % os.getpid())
        self.addCleanup(e2e.remove_file, trace_path)
        with open(trace_path, "w") as trace_file:
            env = dict(os.environ, WINEDEBUG="+mci")
            saver = self.saver("/s", path=self.saver_copy, env=env, stderr=trace_file)
            self.assertIsNotNone(e2e.wait_window(s.RENDERER_TITLE, timeout=20))
            wait_for(lambda: sent_strings(read_text(trace_path)).count("status MP3Play mode") >= 2,
                     10, "two polls of the playing file")
            self.assertTrue(e2e.close_window(s.RENDERER_TITLE))
            self.assertIsNotNone(e2e.wait_exit(saver, timeout=5))
        with open(trace_path, errors="replace") as handle:
            strings = sent_strings(handle.read())
        self.assertEqual(strings[:2], ['open "%s" type MPEGVideo Alias MP3Play' % stored,
                                       "play MP3Play"])
        # While it plays, each poll only asks; a file that could not be played is restarted.
        self.assertIn("status MP3Play mode", strings)
        self.assertNotIn("play MP3Play from 0", strings)
        self.assertEqual(strings[-2:], ["stop MP3Play", "close MP3Play"])


if __name__ == "__main__":
    unittest.main(verbosity=2)
