"""Configure mode: "/c" shows the settings dialog <Vorlenta>, placed and drawn as designed; the
options follow the stored kind and the mouse; "設定" writes the settings file and ends, "ｷｬﾝｾﾙ"
and the close box end without touching it, and a file that cannot be written keeps the dialog
open with a message."""

import contextlib
import math
import os
import shutil
import struct
import subprocess
import time
import unittest

import e2e_support as e2e
import saver_e2e as s

CLIENT = (496, 246)
PANEL = (12 + 2, 16 + 2)  # the panel's inside, past its sunken border
OPTION_ROWS = {0: 76, 1: 56, 2: 96}  # top of each kind's option image in the panel
OPTION_ON_CENTRE = (0x33, 0xA6, 0x33)
CMD_SET = (324, 200, 77, 25)
CMD_CAN = (404, 200, 77, 25)
CMD_FILE = (28, 116, 41, 21)  # in the panel
REPEAT_BOX = (112, 52, 41, 20)  # in the panel
ASSETS = os.path.join(os.path.dirname(__file__), "..", "..", "assets")


def settings_bytes(kind: int, repeat: int, music_file: bytes = b"") -> bytes:
    lines = [b"[Section]",
             b"BGM\x8b\xe6\x95\xaa=" + str(kind).encode(),
             b"BGM\xd8\xcb\xdf\xb0\xc4=" + str(repeat).encode(),
             b"BGM\xcc\xa7\xb2\xd9=" + music_file]
    return b"\r\n".join(lines) + b"\r\n"


def read_strip():
    """The panel strip's pixels, top row first, as (width, height, rows of RGB tuples)."""
    with open(os.path.join(ASSETS, "panel_strip.bmp"), "rb") as handle:
        data = handle.read()
    offset, = struct.unpack_from("<I", data, 10)
    width, height = struct.unpack_from("<ii", data, 18)
    stride = (width * 3 + 3) & ~3
    rows = []
    for y in range(height):
        row = data[offset + (height - 1 - y) * stride:]
        rows.append([tuple(row[x * 3 + 2 - c] for c in range(3)) for x in range(width)])
    return width, height, rows


def near(colour, expected, tolerance=1) -> bool:
    return all(abs(a - b) <= tolerance for a, b in zip(colour, expected))


@contextlib.contextmanager
def unwritable(path: str):
    """The file cannot be written while inside: immutable where we may make it so (as root,
    who writes read-only files too), read-only otherwise."""
    immutable = subprocess.run(["chattr", "+i", path], stderr=subprocess.DEVNULL).returncode == 0
    if not immutable:
        os.chmod(path, 0o444)
    try:
        yield
    finally:
        if immutable:
            subprocess.run(["chattr", "-i", path], check=True)
        os.chmod(path, 0o644)


class SettingsDialog(s.SaverTestCase):

    def open_dialog(self, kind: int, repeat: int = 0, music_file: bytes = b"") -> None:
        with open(s.settings_path(), "wb") as handle:
            handle.write(settings_bytes(kind, repeat, music_file))
        self.dialog = self.saver("/c")
        self.assertIsNotNone(e2e.wait_window(s.DIALOG_TITLE, 30), "no settings dialog")
        time.sleep(1.0)  # placed, zoomed open and painted
        self.window = e2e.find_window(s.DIALOG_TITLE)

    def at(self, x: int, y: int):
        return self.window.client_x + x, self.window.client_y + y

    def in_panel(self, x: int, y: int):
        return self.at(PANEL[0] + x, PANEL[1] + y)

    def click(self, point, button: int = 1) -> None:
        subprocess.run(["xdotool", "mousemove", str(point[0]), str(point[1]), "click",
                        str(button)], check=True)

    def click_button(self, button, in_panel: bool = False) -> None:
        x, y = button[0] + button[2] // 2, button[1] + button[3] // 2
        self.click(self.in_panel(x, y) if in_panel else self.at(x, y))

    def marked_kinds(self, shot):
        return [k for k, top in sorted(OPTION_ROWS.items())
                if near(shot.pixel(*self.in_panel(28 + 6, top + 6)), OPTION_ON_CENTRE, 8)]

    def assert_ends(self) -> None:
        self.assertIsNotNone(e2e.wait_exit(self.dialog, timeout=5), "the dialog did not end")
        self.assert_gone(s.SAVER_IMAGE)

    def test_the_dialog_is_placed_and_drawn_as_designed(self):
        self.open_dialog(0)
        self.assertEqual((self.window.client_width, self.window.client_height), CLIENT)
        shot = e2e.take_screenshot("settings-dialog")
        frame_width = self.window.client_width + 2 * (self.window.client_x - self.window.frame_x)
        self.assertLessEqual(abs(self.window.frame_x - (shot.width - frame_width) // 2), 1)

        for y in list(range(0, 16)) + list(range(182, 246)):
            c = round(abs(math.sin(y / (CLIENT[1] / 3.142))) * 220)
            self.assertTrue(near(shot.pixel(*self.at(5, y)), (c, c, c + 30)),
                            "gradient row %d: %s" % (y, shot.pixel(*self.at(5, y))))

        strip_width, strip_height, strip = read_strip()
        for y in range(2, 30):
            for x in range(300, 460, 7):
                self.assertEqual(shot.pixel(*self.in_panel(x, y)), strip[y % strip_height][x],
                                 "panel pixel %d,%d" % (x, y))

    def test_each_stored_kind_marks_its_option_and_enables_its_own_controls(self):
        music = os.path.join(e2e.drive_c(), "vorlenta-dialog-music.wav")
        with open(music, "wb") as handle:
            handle.write(b"RIFF")
        self.addCleanup(os.remove, music)
        cases = [(0, b"", [0], False, False), (1, b"", [1], True, False),
                 (2, b"C:\\vorlenta-dialog-music.wav", [2], False, True), (3, b"", [], False, False)]
        for kind, music_file, marked, repeat_enabled, file_enabled in cases:
            with self.subTest(kind=kind):
                self.open_dialog(kind, 0, music_file)
                shot = e2e.take_screenshot("settings-dialog-kind-%d" % kind)
                self.assertEqual(self.marked_kinds(shot), marked)
                edit = shot.pixel(*self.in_panel(REPEAT_BOX[0] + 6, REPEAT_BOX[1] + 10))
                self.assertEqual(edit == (255, 255, 255), repeat_enabled, edit)
                border = shot.pixel(*self.in_panel(CMD_FILE[0] + 1, CMD_FILE[1] + 10))
                self.assertEqual(near(border, (0x00, 0x3C, 0x74), 40), file_enabled, border)
                if music_file:
                    ink = [shot.pixel(*self.in_panel(x, 122)) for x in range(76, 300)]
                    self.assertTrue(any(max(p) < 80 for p in ink), "no path in the label")
                self.click_button(CMD_CAN)
                self.assert_ends()

    def test_options_follow_either_mouse_button_and_the_save_writes_every_key(self):
        self.open_dialog(0, 45)
        self.click(self.in_panel(44 + 10, 56 + 6))  # the label of kind 1, left button
        time.sleep(0.3)
        self.assertEqual(self.marked_kinds(e2e.take_screenshot("settings-dialog-cd")), [1])
        self.click(self.in_panel(28 + 6, 96 + 6), button=3)  # the image of kind 2, right button
        time.sleep(0.3)
        self.assertEqual(self.marked_kinds(e2e.take_screenshot("settings-dialog-file")), [2])
        self.click_button(CMD_SET)
        self.assert_ends()
        with open(s.settings_path(), "rb") as handle:
            self.assertEqual(handle.read(), settings_bytes(2, 45))

    def test_typed_repeat_text_that_is_no_number_is_saved_as_zero(self):
        self.open_dialog(1, 7)
        self.click(self.in_panel(REPEAT_BOX[0] + 10, REPEAT_BOX[1] + 10))
        subprocess.run(["xdotool", "key", "ctrl+a", "type", "abc"], check=True)
        time.sleep(0.2)
        self.click_button(CMD_SET)
        self.assert_ends()
        with open(s.settings_path(), "rb") as handle:
            self.assertEqual(handle.read(), settings_bytes(1, 0))

    def test_cancel_and_the_close_box_leave_the_file_untouched(self):
        for close in ("cancel", "close box"):
            with self.subTest(close=close):
                self.open_dialog(1, 3)
                before = os.stat(s.settings_path())
                self.click(self.in_panel(44 + 10, 96 + 6))  # chosen, then thrown away
                if close == "cancel":
                    self.click_button(CMD_CAN)
                else:
                    self.assertTrue(e2e.close_window(s.DIALOG_TITLE))
                self.assert_ends()
                after = os.stat(s.settings_path())
                self.assertEqual((after.st_mtime_ns, after.st_size),
                                 (before.st_mtime_ns, before.st_size))
                with open(s.settings_path(), "rb") as handle:
                    self.assertEqual(handle.read(), settings_bytes(1, 3))

    def test_a_settings_file_that_cannot_be_written_keeps_the_dialog_open(self):
        self.open_dialog(0, 5)
        with unwritable(s.settings_path()):
            self.click(self.in_panel(44 + 10, 56 + 6))
            self.click_button(CMD_SET)
            time.sleep(1.5)
            e2e.take_screenshot("settings-dialog-save-failed")
            self.assertIsNone(e2e.wait_exit(self.dialog, timeout=1), "the dialog closed")
            with open(s.settings_path(), "rb") as handle:
                self.assertEqual(handle.read(), settings_bytes(0, 5))
            e2e.press_key("Return")  # the message goes; the dialog and its choices stay
            time.sleep(0.5)
            self.assertEqual(self.marked_kinds(e2e.take_screenshot("settings-dialog-kept")), [1])

    def new_x_window(self, timeout: float = 10):
        """The X window that has appeared beside the dialog (the file chooser), as its id and
        name."""
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            found = subprocess.run(["xdotool", "search", "--name", "."], stdout=subprocess.PIPE,
                                   text=True).stdout.split()
            for window in found:
                name = subprocess.run(["xdotool", "getwindowname", window],
                                      stdout=subprocess.PIPE, text=True).stdout.strip()
                if name not in (s.DIALOG_TITLE, "Default IME"):
                    return window, name
            time.sleep(0.2)
        self.fail("no file chooser")

    def chooser_texts(self):
        """The chooser's title and its controls' texts, read back with the wide calls."""
        lines = subprocess.run(["wine", e2e.program_path("WINDOW_PROBE"), "texts"],
                               stdin=subprocess.DEVNULL, stdout=subprocess.PIPE,
                               check=True).stdout.decode("utf-8").splitlines()
        start = lines.index("ﾌｧｲﾙを開く")  # the title, whatever the system's code page
        end = next((i for i in range(start + 1, len(lines)) if not lines[i].startswith("  ")),
                   len(lines))
        return [line.strip() for line in lines[start + 1:end]]

    def test_the_chooser_opens_in_the_music_folder_and_its_answer_is_saved(self):
        music = os.path.join(e2e.drive_c(), "windows", "vorlenta-old.wav")
        with open(music, "wb") as handle:
            handle.write(b"RIFF")
        self.addCleanup(os.remove, music)
        self.open_dialog(2, 0, b"C:\\windows\\vorlenta-old.wav")
        for answer, expected in (("Escape", b"C:\\windows\\vorlenta-old.wav"),
                                 ("Return", b"C:\\windows\\vorlenta-new.wav")):
            # Back from the chooser the button has the focus again; as a hand would, the
            # pointer comes to it from elsewhere, so the button sees it arrive.
            subprocess.run(["xdotool", "mousemove", *map(str, self.at(5, 5))], check=True)
            time.sleep(0.3)
            self.click_button(CMD_FILE, in_panel=True)
            window, name = self.new_x_window()
            self.assertEqual(name, "ﾌｧｲﾙを開く")
            self.assertIn("BGMﾌｧｲﾙ (MP3 WAV)", self.chooser_texts())
            subprocess.run(["xdotool", "windowfocus", "--sync", window], check=False)
            if answer == "Return":
                subprocess.run(["xdotool", "type", "vorlenta-new.wav"], check=True)
            subprocess.run(["xdotool", "key", answer], check=True)
            time.sleep(0.8)
        e2e.take_screenshot("settings-dialog-chosen")
        self.click_button(CMD_SET)
        self.assert_ends()
        with open(s.settings_path(), "rb") as handle:
            self.assertEqual(handle.read(), settings_bytes(2, 0, expected))

    def test_a_file_chosen_in_any_script_is_kept_by_its_short_form(self):
        folder = "C:\\Музыка Łódź 歌"
        music = folder + "\\песня.wav"
        os.makedirs(e2e.windows_path_on_host(folder), exist_ok=True)
        self.addCleanup(shutil.rmtree, e2e.windows_path_on_host(folder), True)
        with open(e2e.windows_path_on_host(music), "wb") as handle:
            handle.write(b"RIFF")
        self.open_dialog(0)
        self.click(self.in_panel(44 + 10, 96 + 6))  # "MP3、WAV" enables the file button
        subprocess.run(["xdotool", "mousemove", *map(str, self.at(5, 5))], check=True)
        time.sleep(0.3)
        self.click_button(CMD_FILE, in_panel=True)
        window, _ = self.new_x_window()
        subprocess.run(["xdotool", "windowfocus", "--sync", window], check=False)
        subprocess.run(["xdotool", "type", "--delay", "50", music], check=True)
        subprocess.run(["xdotool", "key", "Return"], check=True)
        time.sleep(0.8)
        e2e.take_screenshot("settings-dialog-chosen-any-script")
        self.click_button(CMD_SET)
        self.assert_ends()
        code, stored = e2e.run_probe("short-path", music)
        self.assertEqual(code, 0)
        with open(s.settings_path(), "rb") as handle:
            self.assertEqual(handle.read(), settings_bytes(2, 0, stored.encode("ascii")))

    def test_tab_moves_the_focus_in_tab_index_order(self):
        music = os.path.join(e2e.drive_c(), "vorlenta-tab.wav")
        with open(music, "wb") as handle:
            handle.write(b"RIFF")
        self.addCleanup(os.remove, music)
        self.open_dialog(2, 0, b"C:\\vorlenta-tab.wav")  # "..." enabled, the repeat box not
        e2e.focus_x_window(s.DIALOG_TITLE)
        # Off the buttons: a hovered button that gains the focus shows its pressed face.
        subprocess.run(["xdotool", "mousemove", *map(str, self.at(5, 5))], check=True)
        buttons = (("...", self.in_panel, CMD_FILE), ("設定", self.at, CMD_SET),
                   ("ｷｬﾝｾﾙ", self.at, CMD_CAN))
        focused = []
        for _ in range(4):
            e2e.press_key("Tab")
            time.sleep(0.3)
            shot = e2e.take_screenshot("settings-dialog-tab")
            focused += [caption for caption, place, button in buttons
                        if near(shot.pixel(*place(button[0] + 2, button[1] + button[3] // 2)),
                                (0xA9, 0xC5, 0xEF), 24)]
        self.assertEqual(len(focused), 4, focused)
        cycle = [caption for caption, _, _ in buttons]
        for a, b in zip(focused, focused[1:]):
            self.assertEqual(cycle[(cycle.index(a) + 1) % 3], b, focused)

    def test_the_link_opens_the_home_page(self):
        record = os.path.join(e2e.drive_c(), "vorlenta-opened.txt")
        # What the prefix opens web addresses with, for the time of the test: a command that
        # writes down the address it was given.
        key = "HKLM\\Software\\Classes\\https\\shell\\open\\command"
        browser = '"C:\\windows\\system32\\winebrowser.exe" "%1"'
        recorder = 'cmd /c echo %1> C:\\vorlenta-opened.txt'
        subprocess.run(["wine", "reg", "add", key, "/ve", "/d", recorder, "/f"],
                       stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, check=True)
        self.addCleanup(subprocess.run, ["wine", "reg", "add", key, "/ve", "/d", browser, "/f"],
                        stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL)
        self.addCleanup(e2e.remove_file, record)
        self.open_dialog(0)
        self.click(self.at(12 + 40, 208 + 6))
        self.assertTrue(e2e.poll_until(lambda: os.path.exists(record) and
                                       os.path.getsize(record) > 0, 15), "nothing opened")
        with open(record, "rb") as handle:
            self.assertEqual(handle.read().strip(), b"https://vorlenta.github.io/")

    def test_a_minute_of_hovering_and_clicking_keeps_the_memory_flat(self):
        self.open_dialog(1, 3)
        hover = [self.at(CMD_SET[0] + 30, CMD_SET[1] + 12), self.at(CMD_CAN[0] + 30, CMD_CAN[1] + 12),
                 self.at(200, 232)]
        # The last option chosen is kind 1, so that the file button stays disabled when clicked.
        options = [self.in_panel(44 + 8, OPTION_ROWS[kind] + 6) for kind in (0, 2, 1)]
        file_button = self.in_panel(CMD_FILE[0] + 20, CMD_FILE[1] + 10)

        def work(seconds: float) -> None:
            deadline = time.monotonic() + seconds
            while time.monotonic() < deadline:
                for point in hover:
                    subprocess.run(["xdotool", "mousemove", *map(str, point)], check=True)
                    time.sleep(0.15)
                for point in options:
                    self.click(point, button=1 if point != options[1] else 3)
                self.click(file_button)
                time.sleep(0.1)

        work(5)
        first = e2e.resident_kib(s.SAVER_IMAGE)
        work(60)
        last = e2e.resident_kib(s.SAVER_IMAGE)
        print("resident memory: %d KiB after 5 s, %d KiB after a further minute (%+d KiB)"
              % (first, last, last - first))
        self.assertLessEqual(last - first, 1024)
        self.assertIsNotNone(e2e.find_window(s.DIALOG_TITLE))

    def test_other_starts_end_at_once_while_the_dialog_is_open(self):
        self.open_dialog(0)
        for args in (["/s"], ["/c"], ["/p", "1234"]):
            with self.subTest(args=args):
                other = s.start_saver(*args)
                self.programs.append(other)
                self.assertIsNotNone(e2e.wait_exit(other, timeout=5))
        self.assertIsNotNone(e2e.find_window(s.DIALOG_TITLE))

    def test_the_background_survives_being_covered(self):
        self.open_dialog(0)
        cover = self.probe(s.Probe("host", str(self.window.client_x), str(self.window.client_y),
                                   "300", "200"))
        time.sleep(0.5)
        cover.ask("destroy", "destroyed")
        time.sleep(0.5)
        shot = e2e.take_screenshot("settings-dialog-uncovered")
        for y in range(0, 16):
            c = round(abs(math.sin(y / (CLIENT[1] / 3.142))) * 220)
            self.assertTrue(near(shot.pixel(*self.at(5, y)), (c, c, c + 30)), y)
        self.assertEqual(self.marked_kinds(shot), [0])


if __name__ == "__main__":
    unittest.main(verbosity=2)
