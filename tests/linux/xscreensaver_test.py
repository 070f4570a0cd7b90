"""Debian's real XScreenSaver daemon on a virtual display, with a settings file that lists only
our program: activating it makes the program draw the desktop sphere on the saver's window, and
deactivating it ends the program; where the user does not allow desktop grabs, the sphere shows
what the daemon's helper gives instead."""

import os
import pwd
import re
import shutil
import subprocess
import tempfile
import unittest

from waits import WaitTimeout, wait_for
from x11_test import PROGRAM, SCREEN, pixel, wait_photograph
from x_display import start_xvfb

DESKTOP = (0x1e, 0x78, 0xe6)

# The line the README gives users, with the program where the daemon's user can run it.
SETTINGS = """\
timeout:\t0:30:00
cycle:\t\t0
lock:\t\tFalse
fade:\t\tFalse
unfade:\t\tFalse
splash:\t\tFalse
mode:\t\tone
selected:\t0
grabDesktopImages:\t{grab}
grabVideoFrames:\tFalse
chooseRandomImages:\tFalse
programs:\tGL: {program} -root \\n\\

"""


def looks_like_desktop(colour) -> bool:
    """The desktop's blue, lit or not."""
    return colour[2] > 100 and colour[0] < 100


def looks_lit(colour) -> bool:
    return max(colour) > 60


def copy_for_other_users(program: str, folder: str) -> str:
    """PROGRAM copied into FOLDER, because the build folder may be closed to other users; where it
    is the leak-checked wrapper, a script, the files of ours it names (the program, its preload,
    the suppressions) are copied beside it and named instead."""
    copy = os.path.join(folder, "vorlenta")
    with open(program, "rb") as handle:
        script = handle.read(2) == b"#!"
    if not script:
        shutil.copy2(program, copy)
        return copy
    with open(program) as handle:
        text = handle.read()
    for path in set(re.findall(r"/[^\s:=\"']+", text)):
        if os.path.isfile(path) and not path.startswith(("/usr/", "/bin/", "/lib")):
            named = os.path.join(folder, "named-" + os.path.basename(path))
            shutil.copy2(path, named)
            text = text.replace(path, named)
    with open(copy, "w") as handle:
        handle.write(text)
    os.chmod(copy, 0o755)
    return copy


def daemon_user():
    """The daemon will not run display modes as root, so a root test lends it 'nobody'."""
    return "nobody" if os.geteuid() == 0 else None


@unittest.skipUnless(shutil.which("xscreensaver"), "the xscreensaver package is not installed")
class UnderXScreenSaver(unittest.TestCase):

    @classmethod
    def setUpClass(cls):
        cls.server, cls.display = start_xvfb()
        cls.home = tempfile.mkdtemp(prefix="vorlenta-xscreensaver-")
        os.chmod(cls.home, 0o755)
        cls.program = copy_for_other_users(PROGRAM, cls.home)
        cls.settings = os.path.join(cls.home, ".xscreensaver")
        cls.write_settings(grab=True)
        cls.user = daemon_user()
        if cls.user:
            entry = pwd.getpwnam(cls.user)
            for name in (cls.home, cls.program, cls.settings):
                os.chown(name, entry.pw_uid, entry.pw_gid)
        cls.env = dict(os.environ, DISPLAY=cls.display, HOME=cls.home)
        cls.env.pop("XSCREENSAVER_WINDOW", None)
        cls.env.pop("WAYLAND_DISPLAY", None)  # an X display, even inside a Wayland session
        cls.shots = os.environ.get("VORLENTA_SCREENSHOTS", cls.home)
        os.makedirs(cls.shots, exist_ok=True)
        subprocess.run(["xsetroot", "-solid", "#%02x%02x%02x" % DESKTOP], env=cls.env,
                       check=True)
        cls.log = open(os.path.join(cls.home, "daemon.log"), "w")
        cls.daemon = subprocess.Popen(cls.as_user("xscreensaver", "--no-splash", "--verbose"),
                                      env=cls.env, stdout=cls.log, stderr=subprocess.STDOUT)
        cls.wait_for_daemon()

    @classmethod
    def tearDownClass(cls):
        subprocess.run(cls.as_user("xscreensaver-command", "-exit"), env=cls.env,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        try:
            cls.daemon.wait(timeout=10)
        except subprocess.TimeoutExpired:
            cls.daemon.kill()
            cls.daemon.wait(timeout=10)
        cls.log.close()
        subprocess.run(["pkill", "-KILL", "-f", cls.program])
        cls.server.terminate()
        cls.server.wait(timeout=10)
        shutil.rmtree(cls.home, ignore_errors=True)

    @classmethod
    def write_settings(cls, grab: bool) -> None:
        # Rewritten in place, so that it keeps the owner the daemon needs.
        with open(cls.settings, "w") as handle:
            handle.write(SETTINGS.format(program=cls.program, grab=grab))

    @classmethod
    def as_user(cls, *command: str) -> list:
        if cls.user is None:
            return list(command)
        return ["runuser", "-u", cls.user, "--", "env", "HOME=" + cls.home,
                "DISPLAY=" + cls.display, *command]

    @classmethod
    def command(cls, *args: str) -> subprocess.CompletedProcess:
        return subprocess.run(cls.as_user("xscreensaver-command", *args), env=cls.env,
                              stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True)

    @classmethod
    def wait_for_daemon(cls) -> None:
        def answering() -> bool:
            if cls.daemon.poll() is not None:
                raise RuntimeError("the xscreensaver daemon ended: " + cls.daemon_log())
            return cls.command("-time").returncode == 0
        try:
            wait_for(answering, 20, "the xscreensaver daemon to answer")
        except WaitTimeout as timeout:
            raise RuntimeError("%s\n%s" % (timeout, cls.daemon_log())) from None

    @classmethod
    def daemon_log(cls) -> str:
        cls.log.flush()
        with open(cls.log.name) as handle:
            return handle.read()

    def program_running(self) -> bool:
        return subprocess.run(["pgrep", "-f", self.program],
                              stdout=subprocess.DEVNULL).returncode == 0

    @staticmethod
    def middle_share(screen: bytes, test) -> float:
        cx, cy = SCREEN[0] // 2, SCREEN[1] // 2
        points = [(cx + dx, cy + dy) for dx in range(-60, 61, 10) for dy in range(-60, 61, 10)]
        return sum(1 for x, y in points if test(pixel(screen, x, y))) / len(points)

    def activate(self, name: str, drawn) -> bytes:
        """Activates the saver; the screen once it is blanked and the program's picture is drawn."""
        self.assertEqual(self.command("-activate").returncode, 0)
        path = os.path.join(self.shots, "xscreensaver-%s.png" % name)
        try:
            return wait_photograph(path, self.env,
                                   lambda screen: pixel(screen, 5, 5) == (0, 0, 0) and
                                   drawn(screen), "the program's picture on the saver's window")
        except WaitTimeout as timeout:
            self.fail("%s\n%s" % (timeout, self.daemon_log()))

    def deactivate(self) -> None:
        self.assertEqual(self.command("-deactivate").returncode, 0)
        wait_for(lambda: not self.program_running(), 5, "the program to end with the saver")

    def tearDown(self):
        if self.program_running():
            self.deactivate()
        self.write_settings(grab=True)

    def test_activating_draws_the_desktop_sphere_and_deactivating_ends_it(self):
        self.activate("sphere", lambda screen: self.middle_share(screen, looks_like_desktop) > 0.9)
        self.assertTrue(self.program_running())
        self.deactivate()
        wait_photograph(os.path.join(self.shots, "xscreensaver-after.png"), self.env,
                        lambda screen: pixel(screen, 5, 5) == DESKTOP, "the desktop back")

    def test_without_desktop_grabs_the_sphere_shows_the_helpers_picture_instead(self):
        self.write_settings(grab=False)
        screen = self.activate("no-desktop-grab",
                               lambda screen: self.middle_share(screen, looks_lit) > 0.5)
        self.assertLess(self.middle_share(screen, looks_like_desktop), 0.5)


if __name__ == "__main__":
    unittest.main(verbosity=2)
