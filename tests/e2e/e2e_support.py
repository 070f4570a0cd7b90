"""Shared support for the end-to-end tests: the shipped Win32 programs, run for real under
Wine on the private Xvfb display that tests/tools/wine-env provides, driven and observed from
outside like a user would (windows, keys, screenshots, processes).

Python 3 standard library only. Every test script is started by ctest (see
vorlenta_add_e2e in CMakeLists.txt) with these environment variables:

  WINEPREFIX, DISPLAY        from wine-env
  VORLENTA_WINDOW_PROBE      tests/e2e/window_probe.exe (a tiny Win32 console helper)
  VORLENTA_SCREENSHOTS       folder for the PNG screenshots a test saves
  VORLENTA_<NAME>            one path per program the test asked for, e.g. VORLENTA_RENDERER

Typical use:

    program = start_program(program_path("RENDERER"))
    window = wait_window("Kessamiron_VC", timeout=10)
    shot = take_screenshot("renderer-phase-a")
    end_with_escape("Kessamiron_VC", (100, 100), lambda: not program.running(), "its end")

Waits go through waits.wait_for (tests/tools, on PYTHONPATH), never through a fixed sleep.
"""

import os
import subprocess
from contextlib import contextmanager
from dataclasses import dataclass
from typing import Callable, Iterator, List, Optional, Sequence, Tuple

from bitmaps import bitmap_bytes  # noqa: F401  (the e2e tests' bitmap writer)
from waits import WaitTimeout, wait_for
from x_display import escape_into, focus, x_window_id

Colour = Tuple[int, int, int]


# ---------------------------------------------------------------------------------------------
# Paths


def program_path(name: str) -> str:
    """The built program registered as NAME (VORLENTA_NAME in the environment)."""
    path = os.environ.get("VORLENTA_" + name)
    if not path or not os.path.isfile(path):
        raise RuntimeError("program %s not found (VORLENTA_%s=%r)" % (name, name, path))
    return path


def drive_c() -> str:
    """The C: drive of the Wine prefix the test runs in."""
    return os.path.join(os.environ["WINEPREFIX"], "drive_c")


def windows_path_on_host(windows_path: str) -> str:
    """Maps "C:\\dir\\file" (any case of the drive letter) into the prefix's drive_c."""
    drive, rest = windows_path[:2], windows_path[2:]
    if drive.lower() != "c:":
        raise ValueError("only drive C: is mapped: " + windows_path)
    return os.path.join(drive_c(), *[part for part in rest.split("\\") if part])


def screenshot_dir() -> str:
    folder = os.environ.get("VORLENTA_SCREENSHOTS") or os.path.join(os.getcwd(), "screenshots")
    os.makedirs(folder, exist_ok=True)
    return folder


# ---------------------------------------------------------------------------------------------
# Programs and processes


@dataclass
class Program:
    """A Win32 program started under Wine, in its own process group."""

    process: subprocess.Popen
    image_name: str  # the file name Wine shows for it, e.g. "Vorlenta.dll"

    def running(self) -> bool:
        return self.process.poll() is None

    def kill(self) -> None:
        if self.running():
            try:
                os.killpg(self.process.pid, 9)
            except ProcessLookupError:
                pass
            self.process.wait(timeout=10)


def start_program(path: str, *args: str, desktop: Optional[str] = None, env: Optional[dict] = None,
                  stderr=subprocess.DEVNULL) -> Program:
    """Starts PATH under Wine. With desktop="NAME,WxH" it runs inside a Wine virtual desktop
    of that size (where display-mode changes succeed); otherwise directly on the X display.
    ENV replaces the environment and STDERR (a file, for a trace) takes Wine's messages;
    stdin and stdout are closed."""
    command = ["wine"]
    if desktop:
        command += ["explorer", "/desktop=" + desktop]
    command += [path, *args]
    # No pipe of the test runner may reach the program: a process left behind would hold it
    # open and keep ctest waiting until its timeout.
    process = subprocess.Popen(command, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                               stderr=stderr, env=env, start_new_session=True)
    return Program(process, os.path.basename(path))


@contextmanager
def desktop_held() -> Iterator[None]:
    """Keeps Wine's desktop process running while the block runs, as Windows always has its
    desktop. Wine starts that process for the first program with windows and ends it a moment
    after the last one: a start measured without it would count the desktop's own start."""
    holder = start_program(program_path("WINDOW_PROBE"), "hold", "3600000")
    try:
        if wait_window("vorlenta-e2e-hold", 30) is None:
            raise RuntimeError("the desktop holder showed no window")
        yield
    finally:
        close_window("vorlenta-e2e-hold")
        if wait_exit(holder, 10) is None:
            holder.kill()


def wait_exit(program: Program, timeout: float) -> Optional[int]:
    """The exit code once the program has ended within TIMEOUT seconds, else None."""
    try:
        return program.process.wait(timeout=timeout)
    except subprocess.TimeoutExpired:
        return None


def wine_processes(image_name: str) -> List[int]:
    """Process ids of this prefix's Wine processes running IMAGE_NAME (other engineers'
    prefixes are not looked at)."""
    prefix = os.environ["WINEPREFIX"].encode()
    found = []
    for entry in os.listdir("/proc"):
        if not entry.isdigit():
            continue
        try:
            with open("/proc/%s/cmdline" % entry, "rb") as handle:
                cmdline = handle.read()
            with open("/proc/%s/environ" % entry, "rb") as handle:
                environ = handle.read().split(b"\0")
        except OSError:
            continue
        if b"WINEPREFIX=" + prefix not in environ:
            continue
        # Wine shows a Windows process as its image path in argv[0]; a launcher such as
        # "explorer /desktop=... X.exe" only names X among its arguments and does not count.
        image = cmdline.split(b"\0")[0].replace(b"\\", b"/").split(b"/")[-1]
        if image.lower() == image_name.lower().encode():
            found.append(int(entry))
    return found


def resident_kib(image_name: str) -> int:
    """The resident memory of the one Wine process running IMAGE_NAME, as ps reads it from
    outside (KiB)."""
    pids = wine_processes(image_name)
    if len(pids) != 1:
        raise AssertionError("%d processes run %s" % (len(pids), image_name))
    out = subprocess.run(["ps", "-o", "rss=", "-p", str(pids[0])], stdout=subprocess.PIPE,
                         text=True, check=True).stdout
    return int(out.strip())


def kill_wine_processes(image_name: str) -> List[int]:
    """Ends, by process id, the Wine processes of this prefix that run IMAGE_NAME (a test's
    own leftovers); returns their ids."""
    pids = wine_processes(image_name)
    for pid in pids:
        try:
            os.kill(pid, 9)
        except ProcessLookupError:
            pass
    return pids


def wait_no_process(image_name: str, timeout: float) -> bool:
    """True once no Wine process of this prefix runs IMAGE_NAME (within TIMEOUT seconds)."""
    return poll_until(lambda: not wine_processes(image_name), timeout)


def poll_until(condition: Callable[[], object], timeout: float) -> bool:
    """Whether CONDITION came true within TIMEOUT seconds, for a caller that goes on either
    way; one that cannot go on calls wait_for, which says what did not come."""
    try:
        wait_for(condition, timeout, "a condition")
    except WaitTimeout:
        return False
    return True


# ---------------------------------------------------------------------------------------------
# Windows and the display mode, seen from inside Wine by window_probe.exe


@dataclass
class WindowInfo:
    class_name: str
    client_x: int  # client area's top-left corner in screen coordinates
    client_y: int
    client_width: int
    client_height: int
    visible: bool
    frame_x: int = 0  # the whole window's top-left corner in screen coordinates
    frame_y: int = 0


def run_probe(*args: str, desktop: Optional[str] = None, timeout: float = 30) -> Tuple[int, str]:
    """Runs window_probe.exe with ARGS; returns its exit code and first output line. Windows
    inside a virtual desktop ("NAME,WxH" as given to start_program) are seen only from there."""
    command = ["wine", program_path("WINDOW_PROBE")]
    if desktop:
        command += ["--desktop", desktop.partition(",")[0]]
    command += args
    result = subprocess.run(command, stdin=subprocess.DEVNULL, stdout=subprocess.PIPE,
                            text=True, timeout=timeout)
    lines = result.stdout.strip().splitlines()
    return result.returncode, lines[0] if lines else ""


def parse_window(line: str) -> Optional[WindowInfo]:
    """Reads the probe's "class=C client=X,Y,W,H frame=X,Y,W,H visible=V" line."""
    fields = dict(part.split("=", 1) for part in line.split() if "=" in part)
    if "class" not in fields:
        return None
    x, y, width, height = (int(v) for v in fields["client"].split(","))
    frame_x, frame_y = (int(v) for v in fields.get("frame", "0,0,0,0").split(",")[:2])
    return WindowInfo(fields["class"], x, y, width, height, fields["visible"] == "1", frame_x,
                      frame_y)


def find_window(title: str, desktop: Optional[str] = None) -> Optional[WindowInfo]:
    return parse_window(run_probe("find", title, desktop=desktop)[1])


def wait_window(title: str, timeout: float, desktop: Optional[str] = None) -> Optional[WindowInfo]:
    """The top-level window titled TITLE once it exists (within TIMEOUT seconds), else None."""
    line = run_probe("wait-window", title, str(int(timeout * 1000)), desktop=desktop,
                     timeout=timeout + 30)[1]
    return parse_window(line)


def wait_window_gone(title: str, timeout: float, desktop: Optional[str] = None) -> bool:
    code, _ = run_probe("wait-gone", title, str(int(timeout * 1000)), desktop=desktop,
                        timeout=timeout + 30)
    return code == 0


def close_window(title: str, desktop: Optional[str] = None) -> bool:
    """Posts WM_CLOSE to the window titled TITLE; False when there is none."""
    return run_probe("close", title, desktop=desktop)[0] == 0


SW_SHOWMINNOACTIVE = 7
SW_RESTORE = 9


def show_window(title: str, command: int) -> bool:
    """ShowWindow(window titled TITLE, COMMAND), as another program would; True when the window
    is minimised afterwards."""
    return run_probe("show", title, str(command))[1] == "iconic=1"


OTHER_TITLE = "vorlenta-e2e-other"  # window_probe's "other" program


def activate_other_program(desktop: Optional[str] = None) -> subprocess.Popen:
    """Shows another program's window, which takes the activation (inside the virtual desktop
    DESKTOP, if given); returns once it has. End it with end_other_program."""
    command = ["wine", program_path("WINDOW_PROBE")]
    if desktop:
        command += ["--desktop", desktop.partition(",")[0]]
    other = subprocess.Popen(command + ["other", "60000"], stdin=subprocess.DEVNULL,
                             stdout=subprocess.PIPE, text=True, start_new_session=True)
    ready = other.stdout.readline().strip()
    if ready != "ready":
        end_other_program(other, desktop)
        raise AssertionError("the other program did not take the activation: %r" % ready)
    return other


def end_other_program(other: subprocess.Popen, desktop: Optional[str] = None) -> None:
    close_window(OTHER_TITLE, desktop=desktop)
    try:
        other.wait(timeout=5)
    except subprocess.TimeoutExpired:
        other.kill()
        other.wait()
    other.stdout.close()


def window_texts() -> List[str]:
    """Every visible window's title, then its controls' texts indented, read back with the
    wide calls."""
    return subprocess.run(["wine", program_path("WINDOW_PROBE"), "texts"],
                          stdin=subprocess.DEVNULL, stdout=subprocess.PIPE,
                          check=True).stdout.decode("utf-8").splitlines()


def display_mode(desktop: Optional[str] = None) -> str:
    """The current display mode as "WxHxBITS", as Windows programs see it."""
    return run_probe("mode", desktop=desktop)[1].partition("=")[2]


# ---------------------------------------------------------------------------------------------
# Keyboard (xdotool, real X key events through the XTEST extension)


def press_key(keysym: str) -> None:
    """Presses and releases KEYSYM ("Escape", "Return") on the focused X window."""
    subprocess.run(["xdotool", "key", keysym], check=True)


def end_with_escape(x_window_name: str, point: Tuple[int, int], ended: Callable[[], object],
                    what: str, presses: int = 3, timeout: float = 2) -> float:
    """Gives Escape to the X window X_WINDOW_NAME, clicked into at POINT first (see
    x_display.escape_into), until ENDED() holds within TIMEOUT seconds of a press; returns
    when the press that did it went down. Without a window manager the X focus of a new
    window is not always where the test put it: a key that went elsewhere is pressed again."""
    for _ in range(presses - 1):
        pressed = escape_into(x_window_name, *point)
        if poll_until(ended, timeout):
            return pressed
    pressed = escape_into(x_window_name, *point)
    wait_for(ended, timeout, what + " after Escape")
    return pressed


def focus_x_window(title: str) -> bool:
    """Gives the X input focus to the X window named TITLE. Needed before press_key: without a
    window manager nobody moves the focus to a new window. A virtual desktop is one X window
    named "NAME - Wine desktop"."""
    window = x_window_id(title)
    if window:
        focus(window)
    return bool(window)


def click_at(x: int, y: int) -> None:
    """Moves the pointer to X, Y on the X display and clicks the left button there."""
    subprocess.run(["xdotool", "mousemove", str(x), str(y), "click", "1"], check=True)


# ---------------------------------------------------------------------------------------------
# Screenshots and pixels


class Screenshot:
    """A photograph of the whole X display, kept as PNG and readable pixel by pixel."""

    def __init__(self, png_path: str):
        self.path = png_path
        data = subprocess.run(["convert", png_path, "-depth", "8", "ppm:-"],
                              stdout=subprocess.PIPE, check=True).stdout
        self.width, self.height, self._pixels = _parse_ppm(data)

    def pixel(self, x: int, y: int) -> Colour:
        offset = (y * self.width + x) * 3
        return tuple(self._pixels[offset:offset + 3])  # type: ignore[return-value]

    def share_of(self, points: Sequence[Tuple[int, int]], test: Callable[[Colour], bool]) -> float:
        """The fraction of POINTS whose colour passes TEST."""
        hits = sum(1 for x, y in points if test(self.pixel(x, y)))
        return hits / len(points)


def take_screenshot(name: str) -> Screenshot:
    """Photographs the X display into <screenshots>/<name>.png."""
    path = os.path.join(screenshot_dir(), name + ".png")
    subprocess.run(["import", "-window", "root", path], check=True)
    return Screenshot(path)


def wait_screenshot(name: str, looks_right: Callable[[Screenshot], object], timeout: float,
                    what: str, photograph: Callable[[str], Screenshot] = None) -> Screenshot:
    """Photographs the X display into <screenshots>/<name>.png (or with PHOTOGRAPH(name))
    until LOOKS_RIGHT(shot) holds (within TIMEOUT seconds; WaitTimeout names WHAT); returns
    that photograph."""
    def right_shot() -> Optional[Screenshot]:
        shot = (photograph or take_screenshot)(name)
        return shot if looks_right(shot) else None
    return wait_for(right_shot, timeout, what)


def _parse_ppm(data: bytes) -> Tuple[int, int, bytes]:
    fields: List[bytes] = []
    position = 0
    while len(fields) < 4:
        while data[position:position + 1].isspace():
            position += 1
        if data[position:position + 1] == b"#":
            position = data.index(b"\n", position) + 1
            continue
        end = position
        while not data[end:end + 1].isspace():
            end += 1
        fields.append(data[position:end])
        position = end
    if fields[0] != b"P6" or fields[3] != b"255":
        raise ValueError("not an 8-bit binary PPM")
    width, height = int(fields[1]), int(fields[2])
    position += 1  # the single whitespace byte after the maximum value
    return width, height, data[position:position + width * height * 3]


def is_black(colour: Colour, tolerance: int = 8) -> bool:
    return max(colour) <= tolerance


def disc_points(centre_x: int, centre_y: int, radius: int, step: int = 6) -> List[Tuple[int, int]]:
    """Grid points inside a disc: a cheap sample of a round area of the screen."""
    return [(centre_x + dx, centre_y + dy)
            for dy in range(-radius, radius + 1, step)
            for dx in range(-radius, radius + 1, step)
            if dx * dx + dy * dy <= radius * radius]


# ---------------------------------------------------------------------------------------------
# Files


def write_file(path: str, data: bytes) -> None:
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as handle:
        handle.write(data)


def remove_file(path: str) -> None:
    if os.path.exists(path):
        os.remove(path)


def read_figures(lines) -> dict:
    """The key=value figures among LINES (a program's timing report), as floats; other
    lines are passed over."""
    figures = {}
    for line in lines:
        key, equals, value = line.strip().partition("=")
        if equals:
            try:
                figures[key] = float(value)
            except ValueError:
                pass
    return figures
