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
import tempfile
import unittest

import e2e_support as e2e
import saver_e2e as s
from settings_file import settings_bytes
from waits import wait_for
from x_display import x_window_id

CLIENT = (496, 246)
PANEL = (12 + 2, 16 + 2)  # the panel's inside, past its sunken border
OPTION_ROWS = {0: 76, 1: 56, 2: 96}  # top of each kind's option image in the panel
OPTION_ON_CENTRE = (0x33, 0xA6, 0x33)
MARK_RIM = (0x12, 0x49, 0x7C)  # the dark blue at the middle of each edge of an option mark
CMD_SET = (324, 200, 77, 25)
CMD_CAN = (404, 200, 77, 25)
CMD_FILE = (28, 116, 41, 21)  # in the panel
REPEAT_BOX = (112, 52, 41, 20)  # in the panel
FOCUSED_RING = (0xA9, 0xC5, 0xEF)  # a focused button's face, at its left edge
HOVER_RING = (0xFC, 0xCA, 0x69)  # a button's face under the pointer, at its left edge
ASSETS = os.path.join(os.path.dirname(__file__), "..", "..", "assets")
CHOOSER_TITLE = "ﾌｧｲﾙを開く"


def gradient(y: int):
    """The background's colour in row Y of the client area."""
    c = round(abs(math.sin(y / (CLIENT[1] / 3.142))) * 220)
    return c, c, c + 30


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


def painted_dialog() -> e2e.WindowInfo:
    """The dialog's window once it shows its option marks, the panel's last pictures."""
    def painted():
        window = e2e.find_window(s.DIALOG_TITLE)
        if window is None:
            return None
        shot = e2e.take_screenshot("settings-dialog-opening")
        marks = [(window.client_x + PANEL[0] + 28 + 12, window.client_y + PANEL[1] + top + 6)
                 for top in OPTION_ROWS.values()]
        return window if all(near(shot.pixel(*mark), MARK_RIM, 24) for mark in marks) else None
    return wait_for(painted, 30, "the settings dialog, painted")


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
        s.write_settings(kind, repeat, music_file)
        self.dialog = self.saver("/c")
        self.window = painted_dialog()

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
                if near(shot.pixel(*self.in_panel(28 + 7, top + 7)), OPTION_ON_CENTRE, 16)]

    def wait_marked(self, kinds, name: str) -> e2e.Screenshot:
        """The display once exactly KINDS are marked, photographed as NAME."""
        return e2e.wait_screenshot(name, lambda shot: self.marked_kinds(shot) == kinds, 5,
                                   "the options %s marked" % kinds)

    def assert_ends(self) -> None:
        self.assertIsNotNone(e2e.wait_exit(self.dialog, timeout=5), "the dialog did not end")
        self.assert_gone(s.SAVER_IMAGE)

    def test_the_dialog_is_placed_and_drawn_as_designed(self):
        self.open_dialog(0)
        self.assertEqual((self.window.client_width, self.window.client_height), CLIENT)
        shot = e2e.take_screenshot("settings-dialog")
        border = self.window.client_x - self.window.frame_x
        frame_width = self.window.client_width + 2 * border
        frame_height = self.window.client_height + (self.window.client_y - self.window.frame_y) \
            + border
        self.assertLessEqual(abs(self.window.frame_x - (shot.width - frame_width) // 2), 1)
        # A third of the free height from the top, in whole twips.
        top = (shot.height - frame_height) * 15 // 3 / 15
        self.assertLessEqual(abs(self.window.frame_y - top), 1)

        for y in list(range(0, 16)) + list(range(182, 246)):
            self.assertTrue(near(shot.pixel(*self.at(5, y)), gradient(y)),
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
                # The 12-pixel marks fill their 13-pixel images: their rim, not the panel, is
                # what shows in the last column and the last row.
                for top in OPTION_ROWS.values():
                    for x, y in ((28 + 12, top + 6), (28 + 6, top + 12)):
                        self.assertTrue(near(shot.pixel(*self.in_panel(x, y)), MARK_RIM, 24),
                                        "mark pixel %d,%d: %s" % (x, y, shot.pixel(*self.in_panel(x, y))))
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
        self.wait_marked([1], "settings-dialog-cd")
        self.click(self.in_panel(28 + 6, 96 + 6), button=3)  # the image of kind 2, right button
        self.wait_marked([2], "settings-dialog-file")
        self.click_button(CMD_SET)
        self.assert_ends()
        with open(s.settings_path(), "rb") as handle:
            self.assertEqual(handle.read(), settings_bytes(2, 45))

    def test_a_press_elsewhere_released_over_a_button_clicks_nothing(self):
        music = os.path.join(e2e.drive_c(), "vorlenta-drag.wav")
        with open(music, "wb") as handle:
            handle.write(b"RIFF")
        self.addCleanup(os.remove, music)
        self.open_dialog(2, 0, b"C:\\vorlenta-drag.wav")  # "..." enabled
        before = os.stat(s.settings_path()).st_mtime_ns
        presses = {"the background": self.at(260, 190), "the link": self.at(12 + 40, 208 + 6)}
        buttons = {"設定": self.at(CMD_SET[0] + 38, CMD_SET[1] + 12),
                   "ｷｬﾝｾﾙ": self.at(CMD_CAN[0] + 38, CMD_CAN[1] + 12),
                   "...": self.in_panel(CMD_FILE[0] + 20, CMD_FILE[1] + 10)}
        for where, start in presses.items():
            for caption, end in buttons.items():
                with self.subTest(press=where, release=caption):
                    subprocess.run(["xdotool", "mousemove", *map(str, start), "mousedown", "1"],
                                   check=True)
                    for step in (1, 2, 3):  # dragged across as a hand does
                        point = [a + (b - a) * step // 3 for a, b in zip(start, end)]
                        subprocess.run(["xdotool", "mousemove", "--sync", *map(str, point)],
                                       check=True)
                    subprocess.run(["xdotool", "mouseup", "1"], check=True)
                    self.assertIsNone(e2e.wait_exit(self.dialog, timeout=0.3), "the dialog closed")
        # A chooser opened by "..." would still stand, modal, over the dialog.
        self.assertNotIn(CHOOSER_TITLE, e2e.window_texts(), "the chooser opened")
        self.assertEqual(os.stat(s.settings_path()).st_mtime_ns, before)
        e2e.take_screenshot("settings-dialog-after-drags")
        self.click_button(CMD_CAN)  # and a click on a button still clicks it
        self.assert_ends()

    def test_typed_repeat_text_that_is_no_number_is_saved_as_zero(self):
        self.open_dialog(1, 7)
        self.click(self.in_panel(REPEAT_BOX[0] + 10, REPEAT_BOX[1] + 10))
        # The click comes after the keys on the dialog's own X connection, so it is handled
        # after them: nothing to wait for.
        subprocess.run(["xdotool", "key", "ctrl+a", "type", "abc"], check=True)
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
            # The message stands beside the dialog, under the dialog's own title.
            wait_for(lambda: e2e.window_texts().count(s.DIALOG_TITLE) == 2, 10,
                     "the message that the file cannot be written")
            e2e.take_screenshot("settings-dialog-save-failed")
            self.assertTrue(self.dialog.running(), "the dialog closed")
            with open(s.settings_path(), "rb") as handle:
                self.assertEqual(handle.read(), settings_bytes(0, 5))
            e2e.press_key("Return")  # the message goes; the dialog and its choices stay
            wait_for(lambda: e2e.window_texts().count(s.DIALOG_TITLE) == 1, 10,
                     "the message to go")
            self.wait_marked([1], "settings-dialog-kept")

    def chooser_window(self, timeout: float = 10) -> str:
        """The file chooser's X window, once it carries our title: it is made with the common
        dialog's own caption, which the title replaces a moment later."""
        return wait_for(lambda: x_window_id(CHOOSER_TITLE), timeout,
                        "a file chooser titled " + CHOOSER_TITLE)

    def chooser_texts(self):
        """The chooser's title and its controls' texts."""
        lines = e2e.window_texts()
        start = lines.index(CHOOSER_TITLE)  # the title, whatever the system's code page
        end = next((i for i in range(start + 1, len(lines)) if not lines[i].startswith("  ")),
                   len(lines))
        return [line.strip() for line in lines[start + 1:end]]

    def answer_chooser(self, typed: str, key: str) -> None:
        """Opens the chooser with "..." and answers it: TYPED, if any, then KEY."""
        # Back from a chooser the button has the focus again; as a hand would, the pointer
        # comes to it from elsewhere, so the button sees it arrive.
        subprocess.run(["xdotool", "mousemove", *map(str, self.at(5, 5))], check=True)
        edge = self.in_panel(CMD_FILE[0] + 2, CMD_FILE[1] + CMD_FILE[3] // 2)
        e2e.wait_screenshot("settings-dialog-pointer-away",
                            lambda shot: not near(shot.pixel(*edge), HOVER_RING, 24), 5,
                            "the file button to see the pointer leave")
        self.click_button(CMD_FILE, in_panel=True)
        window = self.chooser_window()
        self.assertIn("BGMﾌｧｲﾙ (MP3 WAV)", self.chooser_texts())
        subprocess.run(["xdotool", "windowfocus", "--sync", window], check=False)
        if typed:
            self.type_file_name(typed)
        subprocess.run(["xdotool", "key", key], check=True)
        wait_for(lambda: not x_window_id(CHOOSER_TITLE), 10, "the chooser to close")

    def type_file_name(self, typed: str) -> None:
        """Puts TYPED into the chooser's name field through the clipboard, as a user pastes a
        path: typed key by key, a character outside the keyboard's layout goes through a key
        the X server remaps on the spot, which a busy machine can get wrong."""
        # xclip -quiet says when it holds the selection and after each request it served.
        said = tempfile.TemporaryFile("w+")
        clipboard = subprocess.Popen(["xclip", "-quiet", "-selection", "clipboard", "-i"],
                                     stdin=subprocess.PIPE, stdout=subprocess.DEVNULL,
                                     stderr=said)

        def served(requests: int) -> bool:
            said.seek(0)
            return "request number %d" % (requests + 1) in said.read()
        clipboard.stdin.write(typed.encode())
        clipboard.stdin.close()
        try:
            wait_for(lambda: served(0), 5, "the clipboard to hold the name")
            subprocess.run(["xdotool", "key", "ctrl+v"], check=True)
            wait_for(lambda: served(1), 5, "the chooser to take the name from the clipboard")
        finally:
            clipboard.kill()
            clipboard.wait()
            said.close()

    def stored_music(self, name: str) -> bytes:
        music = os.path.join(e2e.drive_c(), "windows", name)
        with open(music, "wb") as handle:
            handle.write(b"RIFF")
        self.addCleanup(os.remove, music)
        return b"C:\\windows\\" + name.encode()

    def test_the_chooser_opens_in_the_music_folder_and_its_answer_is_saved(self):
        old = self.stored_music("vorlenta-old.wav")
        self.open_dialog(2, 0, old)
        self.answer_chooser("", "Escape")
        self.answer_chooser("vorlenta-new.wav", "Return")
        e2e.take_screenshot("settings-dialog-chosen")
        self.click_button(CMD_SET)
        self.assert_ends()
        with open(s.settings_path(), "rb") as handle:
            self.assertEqual(handle.read(),
                             settings_bytes(2, 0, b"C:\\windows\\vorlenta-new.wav"))

    def test_a_file_chosen_then_cancelled_writes_nothing(self):
        self.open_dialog(2, 0, self.stored_music("vorlenta-kept.wav"))
        with open(s.settings_path(), "rb") as handle:
            before = handle.read()
        self.answer_chooser("vorlenta-other.wav", "Return")
        self.click_button(CMD_CAN)
        self.assert_ends()
        with open(s.settings_path(), "rb") as handle:
            self.assertEqual(handle.read(), before)

    def test_another_kind_keeps_the_chosen_file_and_saving_writes_it(self):
        music = self.stored_music("vorlenta-switched.wav")
        self.open_dialog(2, 0, music)
        self.click(self.in_panel(44 + 10, 56 + 6))  # "音楽CD"
        self.wait_marked([1], "settings-dialog-switched")
        self.click_button(CMD_SET)
        self.assert_ends()
        with open(s.settings_path(), "rb") as handle:
            self.assertEqual(handle.read(), settings_bytes(1, 0, music))

    def test_a_file_chosen_in_any_script_is_kept_by_its_short_form(self):
        folder = "C:\\Музыка Łódź 歌"
        music = folder + "\\песня.wav"
        os.makedirs(e2e.windows_path_on_host(folder), exist_ok=True)
        self.addCleanup(shutil.rmtree, e2e.windows_path_on_host(folder), True)
        with open(e2e.windows_path_on_host(music), "wb") as handle:
            handle.write(b"RIFF")
        self.open_dialog(0)
        self.click(self.in_panel(44 + 10, 96 + 6))  # "MP3、WAV" enables the file button
        self.answer_chooser(music, "Return")
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
        def focused_buttons(shot):
            return [caption for caption, place, button in buttons
                    if near(shot.pixel(*place(button[0] + 2, button[1] + button[3] // 2)),
                            FOCUSED_RING, 24)]

        focused = []
        for _ in range(4):
            e2e.press_key("Tab")
            shot = e2e.wait_screenshot(
                "settings-dialog-tab", lambda shot: len(focused_buttons(shot)) == 1 and
                focused_buttons(shot) != focused[-1:], 5, "the focus on another button")
            focused += focused_buttons(shot)
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
        wait_for(lambda: os.path.exists(record) and os.path.getsize(record) > 0, 15,
                 "the address written down by what the link opened")
        with open(record, "rb") as handle:
            self.assertEqual(handle.read().strip(), b"https://vorlenta.github.io/")

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
        e2e.wait_screenshot("settings-dialog-covered",
                            lambda shot: not near(shot.pixel(*self.at(5, 8)), gradient(8)), 10,
                            "the cover over the dialog")
        cover.ask("destroy", "destroyed")
        shot = self.wait_marked([0], "settings-dialog-uncovered")
        for y in range(0, 16):
            self.assertTrue(near(shot.pixel(*self.at(5, y)), gradient(y)), y)


if __name__ == "__main__":
    unittest.main(verbosity=2)
