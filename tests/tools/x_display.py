"""Private X servers for the tests and benchmarks, and Escape given to a window on them as a
hand gives it.

A server started here picks a free display itself and tells its number (-displayfd), so that
no two tests race for one, and it is ready for clients once it has told it. It keeps its root
window when its last client leaves (-noreset) and listens on no network port.

Shell scripts use the same code:

    python3 tests/tools/x_display.py server Xvfb -screen 0 1280x1024x24

prints "PID :N" once the server takes clients; the server runs on until PID is ended.

    python3 tests/tools/x_display.py escape WINDOW_NAME X Y

gives Escape to the X window named WINDOW_NAME (see escape_into)."""

import os
import subprocess
import sys
import time
from typing import Optional, Sequence, Tuple


def start_server(command: Sequence[str], display: Optional[str] = None,
                 new_session: bool = False) -> Tuple[subprocess.Popen, str]:
    """Starts the X server COMMAND (Xvfb, Xephyr ...), nested in DISPLAY where given; returns
    the server and its display (":N") once it accepts clients."""
    read, write = os.pipe()
    env = dict(os.environ, DISPLAY=display) if display else None
    server = subprocess.Popen([*command, "-displayfd", str(write), "-nolisten", "tcp",
                               "-noreset"], pass_fds=(write,), env=env,
                              stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                              stderr=subprocess.DEVNULL, start_new_session=new_session)
    os.close(write)
    with os.fdopen(read) as numbers:
        number = numbers.readline().strip()
    if not number:
        server.wait()
        raise RuntimeError("%s did not start (status %s)" % (command[0], server.returncode))
    return server, ":" + number


def start_xvfb(screen: str = "1280x1024x24") -> Tuple[subprocess.Popen, str]:
    return start_server(["Xvfb", "-screen", "0", screen])


def hold_key(keysym: str, seconds: float, env: Optional[dict] = None) -> None:
    """Holds KEYSYM down on the focused window for SECONDS. A program that looks at its key
    state once per frame misses a tap shorter than one frame: both events arrive between two
    frames and the key is up again when it looks."""
    subprocess.run(["xdotool", "keydown", keysym], env=env, check=True)
    time.sleep(seconds)  # held for a few frames: the time is the point, not a wait
    subprocess.run(["xdotool", "keyup", keysym], env=env, check=True)


ESCAPE_HOLD_SECONDS = 0.3


def x_window_id(name: str, env: Optional[dict] = None) -> str:
    """The newest X window named exactly NAME, or "" when there is none."""
    found = subprocess.run(["xdotool", "search", "--name", "^%s$" % name], env=env,
                           stdout=subprocess.PIPE, text=True).stdout.split()
    return found[-1] if found else ""


def focus(window: str, env: Optional[dict] = None) -> None:
    """Moves the X input focus to WINDOW and waits until it is there (xdotool's --sync)."""
    subprocess.run(["xdotool", "windowfocus", "--sync", window], env=env,
                   stderr=subprocess.DEVNULL, timeout=10)


def escape_into(name: str, x: int, y: int, env: Optional[dict] = None) -> float:
    """Gives Escape to the X window NAME; returns when the key went down. Without a window
    manager nobody gives a new window the focus, and Wine moves it where a click activates a
    window: the window is focused, clicked into at X, Y (clicks change nothing in our
    programs) and focused again once the click is in, then Escape is held for several frames,
    since the renderer reads the key's state once a frame."""
    window = x_window_id(name, env)
    if not window:
        raise AssertionError("no X window named " + name)
    focus(window, env)
    subprocess.run(["xdotool", "mousemove", str(x), str(y), "click", "1"], env=env, check=True)
    focus(window, env)
    pressed = time.monotonic()
    hold_key("Escape", ESCAPE_HOLD_SECONDS, env)
    return pressed


def main(argv) -> int:
    if len(argv) >= 3 and argv[1] == "server":
        # A session of its own: the server outlives this command and the caller ends it by id.
        server, display = start_server(argv[2:], new_session=True)
        print(server.pid, display)
        return 0
    if len(argv) == 5 and argv[1] == "escape":
        escape_into(argv[2], int(argv[3]), int(argv[4]))
        return 0
    print("usage: x_display.py server COMMAND [ARG...] | escape WINDOW_NAME X Y",
          file=sys.stderr)
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv))
