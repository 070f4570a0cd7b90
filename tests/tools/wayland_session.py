"""Private Wayland sessions for the tests and benchmarks: a headless sway (the wlroots
compositors' screen copy, swayidle, full-screen windows) or a headless weston (a compositor that,
like GNOME and KDE, lets no client copy the screen), with no input devices and the pixman
renderer, on a display of their own.

sway refuses to run as root, and CI runs as root: there the compositor runs as an unprivileged
user of the tests ("vorlenta-wayland", made once with useradd where it is missing). Every other
program, the test's own included, reaches the compositor's socket by its full path, as root or
not, so the programs under test run from wherever the build is.

    with WaylandSession("sway", outputs=2) as session:
        subprocess.run(["grim", "shot.png"], env=session.env)

A session that cannot be had here raises SessionUnavailable, saying why, for a skip line."""

import os
import pwd
import shutil
import signal
import subprocess
import tempfile
from typing import List, Optional, Sequence

from waits import wait_for

COMPOSITOR_USER = "vorlenta-wayland"
# The size wlroots' headless backend gives each output.
OUTPUT_SIZE = (1280, 720)


class SessionUnavailable(Exception):
    """The compositor, a tool or the unprivileged user it runs as cannot be had here."""


def compositor_user() -> Optional[str]:
    """The user the compositor runs as: ours where we are not root (None), else the tests'
    unprivileged user, made where it is missing."""
    if os.geteuid() != 0:
        return None
    try:
        pwd.getpwnam(COMPOSITOR_USER)
    except KeyError:
        made = subprocess.run(["useradd", "--system", "--no-create-home", "--shell",
                               "/usr/sbin/nologin", COMPOSITOR_USER], stdout=subprocess.PIPE,
                              stderr=subprocess.STDOUT, text=True)
        if made.returncode != 0:
            raise SessionUnavailable("cannot make the unprivileged user sway runs as (it "
                                     "refuses root): " + made.stdout.strip())
    return COMPOSITOR_USER


def require(*tools: str) -> None:
    missing = [tool for tool in tools if shutil.which(tool) is None]
    if missing:
        raise SessionUnavailable("not installed: " + ", ".join(missing) +
                                 " (bash scripts/bootstrap.sh installs them)")


class WaylandSession:
    """A headless compositor, started on entering and ended with all it ran on leaving."""

    def __init__(self, compositor: str = "sway", outputs: int = 1,
                 config: Sequence[str] = ()):
        self.compositor = compositor
        self.outputs = outputs
        self.config = list(config)
        self.process: Optional[subprocess.Popen] = None
        self.folder = ""
        self.env: dict = {}

    def __enter__(self) -> "WaylandSession":
        require(self.compositor)
        user = compositor_user()
        self.folder = tempfile.mkdtemp(prefix="vorlenta-wayland-")
        runtime = os.path.join(self.folder, "runtime")
        os.mkdir(runtime, 0o700)
        if user is not None:
            os.chmod(self.folder, 0o755)
            shutil.chown(runtime, user)
        with open(self.log_path(), "w") as log:
            self.process = subprocess.Popen(self.command(runtime, user),
                                            stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                                            stderr=log, start_new_session=True)
        try:
            wait_for(lambda: self.socket(runtime) or self.process.poll() is not None, 20,
                     "the compositor's socket")
        except AssertionError:
            self.__exit__(None, None, None)
            raise
        if self.process.poll() is not None:
            reason = self.log_tail()
            self.__exit__(None, None, None)
            raise SessionUnavailable("%s did not start: %s" % (self.compositor, reason))
        self.env = self.client_environment(self.socket(runtime), runtime)
        return self

    def __exit__(self, *exception) -> None:
        if self.process is not None and self.process.poll() is None:
            os.killpg(self.process.pid, signal.SIGTERM)
            try:
                self.process.wait(timeout=10)
            except subprocess.TimeoutExpired:
                os.killpg(self.process.pid, signal.SIGKILL)
                self.process.wait()
        shutil.rmtree(self.folder, ignore_errors=True)

    def command(self, runtime: str, user: Optional[str]) -> List[str]:
        environment = ["XDG_RUNTIME_DIR=" + runtime, "PATH=/usr/bin:/bin",
                       "WLR_BACKENDS=headless", "WLR_RENDERER=pixman",
                       "WLR_LIBINPUT_NO_DEVICES=1", "WLR_HEADLESS_OUTPUTS=%d" % self.outputs]
        if self.compositor == "sway":
            config = os.path.join(runtime, "config")
            with open(config, "w") as handle:
                handle.write("\n".join(self.config) + "\n")
            if user is not None:
                shutil.chown(config, user)
            program = ["sway", "--config", config]
        else:
            program = ["weston", "--backend=headless-backend.so", "--idle-time=0",
                       "--width=%d" % OUTPUT_SIZE[0], "--height=%d" % OUTPUT_SIZE[1]]
        as_user = ["runuser", "-u", user, "--"] if user is not None else []
        return as_user + ["env", "-i"] + environment + program

    @staticmethod
    def socket(runtime: str) -> str:
        """The compositor's socket in RUNTIME, once it has made one."""
        names = [name for name in os.listdir(runtime)
                 if name.startswith("wayland-") and not name.endswith(".lock")]
        return os.path.join(runtime, names[0]) if names else ""

    def client_environment(self, socket: str, runtime: str) -> dict:
        env = dict(os.environ, WAYLAND_DISPLAY=socket)
        for variable in ("DISPLAY", "XSCREENSAVER_WINDOW"):
            env.pop(variable, None)
        # Our own clients keep their files in a folder of ours, beside the compositor's.
        private = os.path.join(self.folder, "client")
        os.makedirs(private, 0o700, exist_ok=True)
        env["XDG_RUNTIME_DIR"] = private
        sockets = [name for name in os.listdir(runtime) if name.startswith("sway-ipc.")]
        if sockets:
            env["SWAYSOCK"] = os.path.join(runtime, sockets[0])
        return env

    def log_path(self) -> str:
        return os.path.join(self.folder, "compositor.log")

    def log_tail(self) -> str:
        with open(self.log_path(), errors="replace") as handle:
            lines = handle.read().strip().splitlines()
        return lines[-1] if lines else "no message"

    def sway(self, *command: str) -> None:
        """A command for sway, through swaymsg."""
        subprocess.run(["swaymsg", *command], env=self.env, stdout=subprocess.DEVNULL,
                       check=True)

    def photograph(self, output: str = "") -> bytes:
        """The output's (or the whole desktop's) pixels as grim reads them: a binary PPM."""
        return subprocess.run(["grim", "-t", "ppm", *(["-o", output] if output else []), "-"],
                              env=self.env, stdout=subprocess.PIPE, check=True).stdout
