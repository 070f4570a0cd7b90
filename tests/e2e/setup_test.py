"""The setup program in a fresh Wine prefix, for a user whose name no single code page holds.
Run by hand it shows the licence before anything else. Silently, as a scripted install does
it: the files go where a standard user can write, the uninstall entry, the screen-saver
setting and the settings shortcut are made; the installed screen saver runs from there and
saves beside itself; a second install keeps the user's settings; the uninstaller takes
everything back but them."""

import os
import shutil
import subprocess
import tempfile
import unittest

import e2e_support as e2e
from waits import wait_for

UNINSTALL_KEY = "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Vorlenta"
DESKTOP_KEY = "HKCU\\Control Panel\\Desktop"
SHORTCUT = ("AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Vorlenta settings.lnk")
INSTALL_FOLDER = "AppData/Local/Programs/Vorlenta"
# Wine names the profile folder after the user; Windows does the same.
USER_NAME = "Zoë Łukasz Тест 東京"
WINE_PREFIX_SETUP = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tools",
                                 "wine-prefix")


class SilentSetup(unittest.TestCase):

    @classmethod
    def setUpClass(cls):
        cls.prefix = tempfile.mkdtemp(prefix="setup-prefix-",
                                      dir=os.path.dirname(e2e.screenshot_dir()))
        cls.env = dict(os.environ, WINEPREFIX=cls.prefix, USER=USER_NAME)
        subprocess.run([WINE_PREFIX_SETUP, "--unmanaged"], env=cls.env, stdin=subprocess.DEVNULL,
                       check=True, timeout=600)
        profile = os.path.join(cls.prefix, "drive_c", "users", USER_NAME)
        cls.folder = os.path.join(profile, INSTALL_FOLDER)
        cls.shortcut = os.path.join(profile, SHORTCUT)

    @classmethod
    def tearDownClass(cls):
        subprocess.run(["wineserver", "-k"], env=cls.env)
        shutil.rmtree(cls.prefix, ignore_errors=True)
        e2e.remove_file(cls.prefix + ".lock")

    @classmethod
    def run_wine(cls, *args: str, timeout: float = 120) -> subprocess.CompletedProcess:
        # The console's code page cannot show every character of the user's name; the tests
        # only read values that are plain ASCII.
        return subprocess.run(["wine", *args], env=cls.env, stdin=subprocess.DEVNULL,
                              stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True,
                              errors="replace", timeout=timeout)

    def registry_value(self, key: str, name: str):
        """The value's data as reg query prints it, or None when it is not there."""
        result = self.run_wine("reg", "query", key, "/v", name)
        for line in result.stdout.splitlines():
            parts = line.split(None, 2)
            if len(parts) >= 2 and parts[0] == name and parts[1].startswith("REG_"):
                return parts[2].strip() if len(parts) == 3 else ""
        return None

    def install(self) -> str:
        """Installs silently; returns Wine's trace of the system-parameter calls."""
        setup = os.environ["VORLENTA_SETUP"]
        result = subprocess.run(["wine", setup, "/S"], env=dict(self.env, WINEDEBUG="+system"),
                                stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                                stderr=subprocess.PIPE, text=True, errors="replace",
                                timeout=180)
        self.assertEqual(result.returncode, 0)
        return result.stderr

    def installed(self, name: str) -> str:
        return os.path.join(self.folder, name)

    def start_installed(self, *args: str) -> subprocess.Popen:
        return subprocess.Popen(["wine", self.installed("Vorlenta.scr"), *args], env=self.env,
                                stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                                stderr=subprocess.DEVNULL, start_new_session=True)

    def x_window(self, name: str, timeout: float = 30, pattern: str = "^%s$"):
        """The newest shown X window whose name matches PATTERN % NAME."""
        def shown():
            found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name",
                                    pattern % name], stdout=subprocess.PIPE, text=True)
            return found.stdout.split()[-1:]
        return wait_for(shown, timeout, "a window " + name)[0]

    def window_texts(self):
        """Every visible window's title and its controls' texts, read with the wide calls."""
        return self.run_wine(os.environ["VORLENTA_WINDOW_PROBE"], "texts").stdout.splitlines()

    def test_run_by_hand_it_shows_the_licence_first(self):
        setup = subprocess.Popen(["wine", os.environ["VORLENTA_SETUP"]], env=self.env,
                                 stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                                 stderr=subprocess.DEVNULL, start_new_session=True)
        self.addCleanup(lambda: setup.poll() is not None or os.killpg(setup.pid, 9))
        # The caption names the page: "Vorlenta 1.0.0 Setup: License Agreement".
        caption = "Vorlenta %s Setup" % os.environ["VORLENTA_VERSION"]
        window = self.x_window(caption, pattern="^%s")

        def licence_page():
            texts = self.window_texts()
            return texts if any("review the license agreement" in line for line in texts) else None
        texts = wait_for(licence_page, 15, "the licence page's text")
        subprocess.run(["import", "-window", window, "-depth", "8",
                        os.path.join(e2e.screenshot_dir(), "setup-licence.png")], check=True)
        title = next(line for line in texts if line.startswith(caption))
        self.assertEqual(title, caption + ": License Agreement")
        page = texts[texts.index(title):]
        self.assertTrue(any("review the license agreement" in line for line in page), page)
        self.run_wine(os.environ["VORLENTA_WINDOW_PROBE"], "close", title)
        self.assertIsNotNone(e2e.wait_exit(e2e.Program(setup, "setup"), 15))
        self.assertFalse(os.path.exists(self.installed("Vorlenta.scr")))

    def test_install_run_upgrade_and_uninstall(self):
        trace = self.install()
        for name in ("Vorlenta.scr", "Vorlenta.dll", "Uninstall.exe"):
            self.assertTrue(os.path.isfile(self.installed(name)), name)
        self.assertEqual(self.registry_value(UNINSTALL_KEY, "DisplayName"), "Vorlenta")
        self.assertEqual(self.registry_value(UNINSTALL_KEY, "DisplayVersion"),
                         os.environ["VORLENTA_VERSION"])
        self.assertEqual(self.registry_value(UNINSTALL_KEY, "Publisher"), "Vorlenta")
        self.assertIn("Vorlenta.scr", self.registry_value(UNINSTALL_KEY, "DisplayIcon"))
        self.assertNotEqual(self.registry_value(UNINSTALL_KEY, "EstimatedSize"), "0x0")
        screen_saver = self.registry_value(DESKTOP_KEY, "SCRNSAVE.EXE")
        unix_path = self.run_wine("winepath", "-u", screen_saver).stdout.strip()
        self.assertTrue(os.path.samefile(unix_path, self.installed("Vorlenta.scr")), screen_saver)
        self.assertEqual(self.registry_value(DESKTOP_KEY, "ScreenSaveActive"), "1")
        # Windows is told at once, not only at the next sign-in (SPI_SETSCREENSAVEACTIVE, on,
        # saved and announced). Wine reads the registry in every new program anyway, so the
        # call itself is what can be seen here.
        self.assertIn("SystemParametersInfo (17, 1, (nil), 3) ret 1", trace)
        self.assertTrue(os.path.isfile(self.shortcut))

        show = self.start_installed("/s")
        self.x_window("Kessamiron_VC")  # found beside the installed screen saver
        e2e.end_with_escape("Kessamiron_VC", (300, 300), lambda: show.poll() is not None,
                            "the show's end", presses=4, timeout=4)

        settings = self.start_installed("/c")
        dialog = self.x_window("<Vorlenta>")  # shown once it is placed
        geometry = subprocess.run(["xdotool", "getwindowgeometry", "--shell", dialog],
                                  stdout=subprocess.PIPE, text=True).stdout
        place = {k: int(v) for k, v in (line.split("=") for line in geometry.split())}
        border = (place["WIDTH"] - 496) // 2  # the X window holds the frame Wine draws
        caption = place["HEIGHT"] - 246 - border
        subprocess.run(["xdotool", "mousemove", str(place["X"] + border + 362),
                        str(place["Y"] + caption + 212), "click", "1"], check=True)  # "設定"
        self.assertIsNotNone(e2e.wait_exit(e2e.Program(settings, "Vorlenta.scr"), 15))
        with open(self.installed("Vorlenta.ini"), "rb") as handle:
            saved = handle.read()
        self.assertIn(b"[Section]", saved)

        self.install()
        with open(self.installed("Vorlenta.ini"), "rb") as handle:
            self.assertEqual(handle.read(), saved)

        self.assertEqual(self.run_wine(self.installed("Uninstall.exe"), "/S").returncode, 0)
        wait_for(lambda: not os.path.exists(self.installed("Uninstall.exe")), 60,
                 "the uninstaller to finish")
        for name in ("Vorlenta.scr", "Vorlenta.dll"):
            self.assertFalse(os.path.exists(self.installed(name)), name)
        self.assertFalse(os.path.exists(self.shortcut))
        self.assertIsNone(self.registry_value(UNINSTALL_KEY, "DisplayName"))
        self.assertIsNone(self.registry_value(DESKTOP_KEY, "SCRNSAVE.EXE"))
        with open(self.installed("Vorlenta.ini"), "rb") as handle:
            self.assertEqual(handle.read(), saved)  # a silent uninstall keeps the settings


if __name__ == "__main__":
    unittest.main(verbosity=2)
