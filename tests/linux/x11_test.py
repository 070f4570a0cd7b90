"""The native program under Xvfb with Mesa, no Wine: its own window shows the desktop sphere and
then the burst and ends on Escape; it draws into a window someone else made and follows its size;
SIGTERM ends it at once; the desktop it takes is the screen pixel for pixel; single frames
rendered without a display are the same bytes on every run; it takes the options display modes
share, shows its frame rate on -fps, behaves as an X client should, and says in one line what
failed and why."""

import ctypes
import os
import signal
import subprocess
import tempfile
import time
import unittest

from bitmaps import bitmap_bytes
from waits import wait_for
from x_display import hold_key, start_xvfb, x_window_id

PROGRAM = os.environ["VORLENTA_PROGRAM"]
SCREEN = (1280, 1024)
WINDOW_TITLE = "Kessamiron_VC"


def photograph(path: str, env: dict) -> bytes:
    """The screen's pixels, rows top first, three bytes each."""
    subprocess.run(["import", "-window", "root", path], env=env, check=True)
    data = subprocess.run(["convert", path, "-depth", "8", "rgb:-"], stdout=subprocess.PIPE,
                          check=True).stdout
    return data


def wait_photograph(path: str, env: dict, looks_right, what: str, timeout: float = 20) -> bytes:
    """The screen, photographed into PATH until LOOKS_RIGHT(screen) holds."""
    def right_photograph():
        screen = photograph(path, env)
        return screen if looks_right(screen) else None
    return wait_for(right_photograph, timeout, what)


def pixel(data: bytes, x: int, y: int, width: int = SCREEN[0]):
    at = (y * width + x) * 3
    return tuple(data[at:at + 3])


def picture_colour(x, y):
    return (30, 120, 230) if y < 24 else (230, 120, 30)  # sky blue over orange


def looks_like_picture(colour) -> bool:
    red, green, blue = colour
    return (red > 40 and red > green > blue) or (blue > 40 and blue > green > red)


def unused_display() -> int:
    """A display number no server listens on."""
    return next(n for n in range(90, 200) if not os.path.exists("/tmp/.X11-unix/X%d" % n))


class CursorImage(ctypes.Structure):
    _fields_ = [("x", ctypes.c_short), ("y", ctypes.c_short), ("width", ctypes.c_ushort),
                ("height", ctypes.c_ushort), ("xhot", ctypes.c_ushort), ("yhot", ctypes.c_ushort),
                ("cursor_serial", ctypes.c_ulong), ("pixels", ctypes.POINTER(ctypes.c_ulong))]


def cursor_is_blank(display: str) -> bool:
    """Whether the pointer, where it is now, shows no pixel at all (XFixes' cursor image)."""
    x = ctypes.CDLL("libX11.so.6")
    fixes = ctypes.CDLL("libXfixes.so.3")
    x.XOpenDisplay.restype = ctypes.c_void_p
    x.XOpenDisplay.argtypes = [ctypes.c_char_p]
    x.XCloseDisplay.argtypes = [ctypes.c_void_p]
    fixes.XFixesQueryExtension.argtypes = [ctypes.c_void_p, ctypes.POINTER(ctypes.c_int),
                                           ctypes.POINTER(ctypes.c_int)]
    fixes.XFixesQueryVersion.argtypes = fixes.XFixesQueryExtension.argtypes
    fixes.XFixesGetCursorImage.restype = ctypes.POINTER(CursorImage)
    fixes.XFixesGetCursorImage.argtypes = [ctypes.c_void_p]
    connection = x.XOpenDisplay(display.encode())
    first, second = ctypes.c_int(), ctypes.c_int()
    fixes.XFixesQueryExtension(connection, ctypes.byref(first), ctypes.byref(second))
    first.value, second.value = 4, 0
    fixes.XFixesQueryVersion(connection, ctypes.byref(first), ctypes.byref(second))
    image = fixes.XFixesGetCursorImage(connection).contents
    alphas = [image.pixels[i] >> 24 for i in range(image.width * image.height)]
    x.XCloseDisplay(connection)
    return not any(alphas)


class ForeignWindow:
    """A plain X window made by the test, as XScreenSaver makes one for its hacks."""

    def __init__(self, display: str, width: int, height: int):
        self.x = ctypes.CDLL("libX11.so.6")
        self.x.XOpenDisplay.restype = ctypes.c_void_p
        self.x.XOpenDisplay.argtypes = [ctypes.c_char_p]
        self.x.XDefaultRootWindow.restype = ctypes.c_ulong
        self.x.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
        self.x.XCreateSimpleWindow.restype = ctypes.c_ulong
        self.x.XCreateSimpleWindow.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int,
                                               ctypes.c_int, ctypes.c_uint, ctypes.c_uint,
                                               ctypes.c_uint, ctypes.c_ulong, ctypes.c_ulong]
        for name in ("XMapWindow", "XDestroyWindow"):
            getattr(self.x, name).argtypes = [ctypes.c_void_p, ctypes.c_ulong]
        self.x.XResizeWindow.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_uint,
                                         ctypes.c_uint]
        self.x.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
        self.display = self.x.XOpenDisplay(display.encode())
        root = self.x.XDefaultRootWindow(self.display)
        self.id = self.x.XCreateSimpleWindow(self.display, root, 100, 50, width, height, 0, 0,
                                             0x808080)
        self.x.XMapWindow(self.display, self.id)
        self.x.XSync(self.display, 0)

    def resize(self, width: int, height: int) -> None:
        self.x.XResizeWindow(self.display, self.id, width, height)
        self.x.XSync(self.display, 0)

    def destroy(self) -> None:
        self.x.XDestroyWindow(self.display, self.id)
        self.x.XSync(self.display, 0)


class NativeProgram(unittest.TestCase):

    @classmethod
    def setUpClass(cls):
        cls.server, cls.display = start_xvfb()
        cls.env = dict(os.environ, DISPLAY=cls.display)
        cls.env.pop("XSCREENSAVER_WINDOW", None)
        cls.env.pop("WAYLAND_DISPLAY", None)  # an X display, even inside a Wayland session
        cls.folder = tempfile.mkdtemp(prefix="vorlenta-x11-")
        cls.shots = os.environ.get("VORLENTA_SCREENSHOTS", cls.folder)
        os.makedirs(cls.shots, exist_ok=True)
        cls.picture = os.path.join(cls.folder, "picture.bmp")
        with open(cls.picture, "wb") as handle:
            handle.write(bitmap_bytes(64, 48, picture_colour))

    @classmethod
    def tearDownClass(cls):
        cls.server.terminate()
        cls.server.wait(timeout=10)

    def setUp(self):
        # The desktop to photograph: sky blue over orange, like the test picture.
        subprocess.run(["xsetroot", "-solid", "#1e78e6"], env=self.env, check=True)
        self.program = None

    def tearDown(self):
        if self.program is not None and self.program.poll() is None:
            self.program.kill()
            self.program.wait(timeout=10)

    def start(self, *args: str) -> None:
        self.program = subprocess.Popen([PROGRAM, *args], env=self.env,
                                        stdin=subprocess.DEVNULL)

    def shot(self, name: str) -> bytes:
        return photograph(os.path.join(self.shots, "x11-%s.png" % name), self.env)

    def xdotool(self, *args: str) -> str:
        return subprocess.run(["xdotool", *args], env=self.env, stdout=subprocess.PIPE,
                              text=True).stdout.strip()

    def wait_title(self) -> str:
        return wait_for(lambda: x_window_id(WINDOW_TITLE, self.env), 20,
                        "the program's window " + WINDOW_TITLE)

    def wait_shot(self, name: str, looks_right, what: str, timeout: float = 20,
                  env=None) -> bytes:
        return wait_photograph(os.path.join(self.shots, "x11-%s.png" % name), env or self.env,
                               looks_right, what, timeout)

    def wait_drawing(self, name: str = "drawing") -> bytes:
        """The screen once the program's 1024 x 768 window shows the sphere of the desktop."""
        return self.wait_shot(name, lambda screen: self.centre_share(
            screen, lambda c: c[2] > 100, 512, 384) > 0.9, "the sphere of the desktop")

    def centre_share(self, data: bytes, test, cx: int, cy: int, radius: int = 60,
                     width: int = SCREEN[0]) -> float:
        points = [(cx + dx, cy + dy) for dx in range(-radius, radius + 1, 10)
                  for dy in range(-radius, radius + 1, 10) if dx * dx + dy * dy <= radius * radius]
        return sum(1 for x, y in points if test(pixel(data, x, y, width))) / len(points)

    def test_its_own_window_shows_the_sphere_then_the_burst_and_ends_on_escape(self):
        self.start("-window")
        window = self.wait_title()
        sphere = self.wait_drawing("sphere")
        self.assertEqual(pixel(sphere, 10, 10), (0, 0, 0))
        self.wait_shot("burst", lambda screen: self.centre_share(
            screen, lambda c: c == (0, 0, 0), 512, 384) > 0.3, "the burst", timeout=60)
        self.xdotool("windowfocus", "--sync", window)
        hold_key("Escape", 0.2, self.env)
        self.assertEqual(self.program.wait(timeout=5), 0)

    def test_a_picture_given_is_shown_instead_of_the_desktop(self):
        # A binary PPM, as grim writes one: green, which neither the desktop nor its picture is.
        picture = os.path.join(self.folder, "picture.ppm")
        with open(picture, "wb") as handle:
            handle.write(b"P6\n8 4\n255\n" + bytes((20, 200, 40)) * 32)
        self.start("-window", "--picture", picture)
        self.wait_title()
        self.wait_shot("picture", lambda screen: self.centre_share(
            screen, lambda c: c[1] > 100 and c[1] > c[0] and c[1] > c[2], 512, 384) > 0.9,
            "the sphere of the green picture")
        self.program.send_signal(signal.SIGTERM)
        self.assertEqual(self.program.wait(timeout=5), 0)

    def test_it_draws_into_a_window_it_is_given_and_follows_its_size(self):
        foreign = ForeignWindow(self.display, 400, 300)
        self.start("-window-id", hex(foreign.id))
        # A small window runs so fast that the burst may have begun: the scene's black over the
        # window's grey, with the picture's colours on the sphere or its fragments.
        before = self.wait_shot("window-id", lambda screen: pixel(screen, 100 + 5, 50 + 5) ==
                                (0, 0, 0), "the scene drawn into the window")
        self.assertGreater(self.centre_share(before, lambda c: c[2] > 100, 300, 200, 140), 0.02)
        self.assertEqual(pixel(before, 100 + 500, 50 + 5), (0x1e, 0x78, 0xe6))  # outside it
        foreign.resize(700, 500)
        after = self.wait_shot("window-id-resized", lambda screen: pixel(
            screen, 100 + 690, 50 + 490) == (0, 0, 0), "the scene over the resized window")
        self.assertEqual(pixel(after, 100 + 710, 50 + 510), (0x1e, 0x78, 0xe6))
        foreign.destroy()
        self.assertEqual(self.program.wait(timeout=5), 0)

    def test_sigterm_ends_it_promptly_and_leaves_no_window(self):
        self.start("-window")
        self.wait_title()
        self.wait_drawing()
        sent = time.monotonic()
        self.program.send_signal(signal.SIGTERM)
        self.assertEqual(self.program.wait(timeout=5), 0)
        ended = (time.monotonic() - sent) * 1000
        print("ended %.0f ms after SIGTERM" % ended)
        # Within a second, as every show ends; the sanitizers' leak check at exit takes its
        # share of that.
        self.assertLess(ended, 1000)
        self.assertEqual(self.xdotool("search", "--name", "^%s$" % WINDOW_TITLE), "")

    def test_the_x_server_going_away_ends_it_with_one_line_and_status_1(self):
        server, display = start_xvfb()
        env = dict(self.env, DISPLAY=display)
        try:
            subprocess.run(["xsetroot", "-solid", "#1e78e6"], env=env, check=True)
            self.program = subprocess.Popen([PROGRAM, "-window"], env=env,
                                            stdin=subprocess.DEVNULL, stderr=subprocess.PIPE,
                                            text=True)
            wait_for(lambda: x_window_id(WINDOW_TITLE, env), 20, "the program's window")
            # The scene's black in the window's corner: the desktop's blue alone is no frame.
            self.wait_shot("before-the-server-goes", lambda screen: pixel(screen, 10, 10) == (
                0, 0, 0) and self.centre_share(screen, lambda c: c[2] > 100, 512, 384) > 0.9,
                "the sphere of the desktop", env=env)
        finally:
            server.kill()
            server.wait(timeout=10)
        # Status 1, not a signal: no crash and no core dump; the leak check at exit says nothing.
        self.assertEqual(self.program.wait(timeout=5), 1)
        self.assertEqual(self.program.stderr.read(),
                         "vorlenta: %s: lost the connection to the X display\n" % display)

    def test_the_desktop_it_takes_is_the_screen_pixel_for_pixel(self):
        subprocess.run(["xsetroot", "-mod", "16", "16", "-fg", "#ffffff", "-bg", "#3a6ea5"],
                       env=self.env, check=True)
        saved = os.path.join(self.folder, "desktop.png")
        self.assertEqual(subprocess.run([PROGRAM, "--save-desktop", saved],
                                        env=self.env).returncode, 0)
        screen = photograph(os.path.join(self.folder, "screen.png"), self.env)
        taken = subprocess.run(["convert", saved, "-depth", "8", "rgb:-"],
                               stdout=subprocess.PIPE, check=True).stdout
        self.assertEqual(len(taken), len(screen))
        self.assertTrue(taken == screen, "the desktop differs from the screen")

    def test_headless_frames_are_the_same_bytes_on_every_run(self):
        env = {k: v for k, v in self.env.items() if k != "DISPLAY"}
        outputs = {}
        for frame in ("0", "0", "450", "450"):
            out = os.path.join(self.folder, "frame-%s-%d.png" % (frame, len(outputs)))
            self.assertEqual(subprocess.run([PROGRAM, "--frame", frame, "--picture", self.picture,
                                             "--out", out], env=env).returncode, 0)
            with open(out, "rb") as handle:
                outputs.setdefault(frame, []).append(handle.read())
        for frame, runs in outputs.items():
            self.assertEqual(runs[0], runs[1], "frame %s differs between runs" % frame)
        first = subprocess.run(["convert", "png:-", "-depth", "8", "rgb:-"],
                               input=outputs["0"][0], stdout=subprocess.PIPE).stdout
        burst = subprocess.run(["convert", "png:-", "-depth", "8", "rgb:-"],
                               input=outputs["450"][0], stdout=subprocess.PIPE).stdout
        sphere_share = self.centre_share(first, looks_like_picture, 512, 384, 60, 1024)
        burst_black = self.centre_share(burst, lambda c: c == (0, 0, 0), 512, 384, 200, 1024)
        self.assertGreater(sphere_share, 0.95)
        self.assertGreater(burst_black, 0.3)
        self.assertLess(burst_black, 0.99)

    def run_program(self, *args: str, env=None) -> subprocess.CompletedProcess:
        return subprocess.run([PROGRAM, *args], env=env or self.env, cwd=self.folder,
                              stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True,
                              timeout=60)

    def test_each_failure_is_one_line_saying_what_failed_and_why(self):
        damaged = os.path.join(self.folder, "damaged.bmp")
        with open(damaged, "wb") as handle:
            handle.write(bitmap_bytes(64, 48, picture_colour)[:200])
        frame = ["--frame", "0", "--out", "f.png", "--picture"]
        cases = [
            (["-display", ":%d" % unused_display()], {}, 1,
             "vorlenta: :%d: cannot open the X display" % unused_display()),
            (["-window-id", "0x12345"], {}, 1, "vorlenta: window 0x12345 does not exist"),
            ([], {"XSCREENSAVER_WINDOW": "nonsense"}, 1,
             "vorlenta: XSCREENSAVER_WINDOW=nonsense: not a window id"),
            (frame + ["x.bmp"], {}, 1, "vorlenta: x.bmp: no such file"),
            (frame + ["damaged.bmp"], {}, 1, "vorlenta: damaged.bmp: Image file conversion error."),
            (["--frame", "0", "--picture", self.picture, "--out", "no/f.png"], {}, 1,
             "vorlenta: no/f.png: cannot write it: no such file"),
            (["-bogus"], {}, 2,
             "vorlenta: unknown option -bogus (vorlenta --help lists the options)"),
            (["--frame", "100001"], {}, 2, "vorlenta: --frame 100001: the last frame it renders is "
             "100000 (vorlenta --help lists the options)"),
        ]
        for args, environment, status, message in cases:
            with self.subTest(message=message):
                result = self.run_program(*args, env=dict(self.env, **environment))
                self.assertEqual(result.returncode, status)
                self.assertEqual(result.stderr, message + "\n")

    def test_the_options_display_modes_share_are_accepted_with_one_dash_or_two(self):
        version = self.run_program("--version")
        self.assertRegex(version.stdout, r"^vorlenta \d+\.\d+\.\d+\n$")
        helped = self.run_program("-help").stdout
        for option in ("-window-id", "-root", "-delay", "-fps", "-visual", "-display", "-install",
                       "--frame", "--version", "SIGTERM"):
            self.assertIn(option, helped)
        self.program = subprocess.Popen(
            [PROGRAM, "-window", "--delay", "20000", "-fps", "--install", "-visual", "best",
             "--display", self.display], env=self.env, stderr=subprocess.PIPE, text=True)
        self.wait_title()
        self.program.send_signal(signal.SIGTERM)
        self.assertEqual(self.program.wait(timeout=5), 0)
        self.assertEqual(self.program.stderr.read(), "")

    def test_a_visual_that_cannot_be_had_is_named_and_the_default_taken(self):
        self.program = subprocess.Popen([PROGRAM, "-window", "-visual", "PseudoColor"],
                                        env=self.env, stderr=subprocess.PIPE, text=True)
        self.wait_title()
        self.program.send_signal(signal.SIGTERM)
        self.assertEqual(self.program.wait(timeout=5), 0)
        self.assertEqual(self.program.stderr.read(), "vorlenta: -visual PseudoColor: no such "
                         "visual for OpenGL on this display; using the default one\n")

    def test_fps_shows_the_frame_rate_in_the_bottom_left_corner(self):
        corners = {}
        for args in ((), ("-fps",)):
            self.start("-window", *args)
            self.wait_title()
            self.wait_drawing()

            def white_in_corner(screen) -> int:
                return sum(1 for x in range(0, 120) for y in range(730, 768)
                           if pixel(screen, x, y) == (255, 255, 255))
            if args:  # the read-out shows once the first second's frames are counted
                screen = self.wait_shot("fps", white_in_corner, "the frame rate read-out")
            else:
                time.sleep(2.0)  # proves that no read-out shows: nothing to wait for
                screen = self.shot("no-fps")
            corners[args] = white_in_corner(screen)
            self.program.send_signal(signal.SIGTERM)
            self.program.wait(timeout=5)
        self.assertEqual(corners[()], 0)
        self.assertGreater(corners[("-fps",)], 20)

    def test_its_windows_name_their_class_and_process_and_full_screen_hides_the_pointer(self):
        for args, full_screen in ((("-window",), False), ((), True)):
            self.start(*args)
            window = self.wait_title()
            properties = subprocess.run(
                ["xprop", "-id", window, "WM_CLASS", "_NET_WM_PID", "_NET_WM_STATE"],
                env=self.env, stdout=subprocess.PIPE, text=True).stdout
            self.assertIn('WM_CLASS(STRING) = "vorlenta", "Vorlenta"', properties)
            self.assertIn("_NET_WM_PID(CARDINAL) = %d" % self.program.pid, properties)
            self.assertEqual("_NET_WM_STATE_FULLSCREEN" in properties, full_screen)
            self.xdotool("mousemove", "600", "500")
            self.assertEqual(cursor_is_blank(self.display), full_screen)
            self.program.send_signal(signal.SIGTERM)
            self.program.wait(timeout=5)


if __name__ == "__main__":
    unittest.main(verbosity=2)
