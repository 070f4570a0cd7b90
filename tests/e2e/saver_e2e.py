"""What the screen saver's end-to-end tests share: starting Vorlenta.scr beside the renderer,
the probe that plays other programs' windows, and a test case base that leaves no process,
no snapshot and no settings file behind."""

import os
import shutil
import subprocess
import tempfile
import unittest
from typing import List, Optional

import e2e_support as e2e
from settings_file import settings_bytes

SAVER_IMAGE = "Vorlenta.scr"
RENDERER_IMAGE = "Vorlenta.dll"
RUN_FORM_TITLE = "Kessamir_Main"
DIALOG_TITLE = "<Vorlenta>"
RENDERER_TITLE = "Kessamiron_VC"
SNAPSHOT = "C:\\r_vask\\Kessamiron.bmp"


def use_build(build: Optional[str] = None) -> str:
    """For a benchmark outside ctest: the screen saver and the window probe of BUILD (default
    the build folder of wine-env's flavour); returns the flavour."""
    flavour = os.environ["VORLENTA_FLAVOUR"]
    root = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
    bin_dir = os.path.join(os.path.abspath(build or os.path.join(root, "build", flavour)), "bin")
    for name, file in (("SAVER", SAVER_IMAGE), ("WINDOW_PROBE", "window_probe.exe")):
        os.environ["VORLENTA_" + name] = os.path.join(bin_dir, file)
    return flavour


def saver_path() -> str:
    return e2e.program_path("SAVER")


def settings_path() -> str:
    return os.path.join(os.path.dirname(saver_path()), "Vorlenta.ini")


def snapshot_on_host() -> str:
    return e2e.windows_path_on_host(SNAPSHOT)


def start_saver(*args: str, env: Optional[dict] = None, path: Optional[str] = None,
                stderr=None, desktop: Optional[str] = None) -> e2e.Program:
    """The screen saver with ARGS, inside the Wine virtual desktop DESKTOP ("NAME,WxH") where
    given; there the Program is the desktop's, which ends a moment after its last window."""
    command = ["wine", *(["explorer", "/desktop=" + desktop] if desktop else []),
               path or saver_path(), *args]
    process = subprocess.Popen(command, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                               stderr=stderr, env=env, start_new_session=True)
    return e2e.Program(process, SAVER_IMAGE)


def write_settings(kind: int, repeat: int = 0, music_file: bytes = b"",
                   path: Optional[str] = None) -> None:
    """The settings file beside the screen saver (or at PATH)."""
    with open(path or settings_path(), "wb") as handle:
        handle.write(settings_bytes(kind, repeat, music_file))


class Probe:
    """saver_probe.exe: a hidden window with a given title, or a preview host window. A host
    obeys "quit"; a hidden window's holder does not read its input and is ended instead."""

    def __init__(self, *args: str):
        self.process = subprocess.Popen(["wine", e2e.program_path("SAVER_PROBE"), *args],
                                        stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                                        text=True, start_new_session=True)
        self.first_line = self.process.stdout.readline().strip()

    def ask(self, command: str, until: str) -> List[str]:
        self.process.stdin.write(command + "\n")
        self.process.stdin.flush()
        lines = []
        while True:
            line = self.process.stdout.readline().strip()
            if not line or line == until:
                return lines
            lines.append(line)

    def stop(self) -> None:
        if self.process.poll() is None:
            try:
                self.process.stdin.write("quit\n")
                self.process.stdin.flush()
                self.process.wait(timeout=2)
            except (BrokenPipeError, subprocess.TimeoutExpired):
                os.killpg(self.process.pid, 9)
                self.process.wait(timeout=2)


def hold_window(title: str, milliseconds: int) -> Probe:
    probe = Probe("hidden", title, str(milliseconds))
    assert probe.first_line == "ready", probe.first_line
    return probe


class SaverTestCase(unittest.TestCase):
    """Every test starts and ends without a screen saver, a renderer, a snapshot or a settings
    file of its own."""

    def setUp(self):
        self.programs: List[e2e.Program] = []
        self.probes: List[Probe] = []
        self.folders: List[str] = []
        e2e.remove_file(snapshot_on_host())
        e2e.remove_file(settings_path())

    def tearDown(self):
        for program in self.programs:
            program.kill()
        for probe in self.probes:
            probe.stop()
        for image in (SAVER_IMAGE, RENDERER_IMAGE):
            for pid in e2e.wine_processes(image):
                try:
                    os.kill(pid, 9)
                except ProcessLookupError:
                    pass
        for folder in self.folders:
            shutil.rmtree(folder, ignore_errors=True)
        e2e.remove_file(settings_path())

    def saver(self, *args: str, **kwargs) -> e2e.Program:
        program = start_saver(*args, **kwargs)
        self.programs.append(program)
        return program

    def probe(self, probe: Probe) -> Probe:
        self.probes.append(probe)
        return probe

    def lone_saver_folder(self, name: str) -> str:
        """A copy of the screen saver in a folder of its own (no renderer beside it)."""
        folder = tempfile.mkdtemp(prefix=name, dir=e2e.drive_c())
        self.folders.append(folder)
        copy = os.path.join(folder, SAVER_IMAGE)
        shutil.copy(saver_path(), copy)
        return copy

    def assert_gone(self, image: str, timeout: float = 3.0) -> None:
        self.assertTrue(e2e.wait_no_process(image, timeout), image + " still running")

    def end_renderer(self, window: e2e.WindowInfo) -> float:
        """Escape in the renderer's window until the renderer has gone; returns when the key
        that ended it was pressed."""
        corner = (window.client_x + window.client_width - 20,
                  window.client_y + window.client_height - 20)
        return e2e.end_with_escape(RENDERER_TITLE, corner,
                                   lambda: not e2e.wine_processes(RENDERER_IMAGE),
                                   "the renderer's end")
