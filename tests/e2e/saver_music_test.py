"""Background music seen from outside: the MCI command strings and PlaySound calls the screen
saver makes, as Wine's +mci and +winmm traces show them, from the start of a run to its end."""

import os
import re
import shutil
import subprocess
import tempfile
import time
import unittest
from contextlib import contextmanager
from typing import Callable, Iterator, List, Optional, Tuple

import e2e_support as e2e
import saver_e2e as s
from waits import wait_for

MUSIC_FOLDER = "C:\\music"
# Wine prints pointers with 8 hexadecimal digits in 32-bit programs and 16 in 64-bit ones.
POINTER = r"[0-9A-F]{8}(?:[0-9A-F]{8})?"
MCI_STRING = re.compile(r'mciSendStringW \(L"(.*)", %s, ' % POINTER)
PLAY_SOUND = re.compile(r"MULTIMEDIA_PlaySound pszSound='(%s)' hmod=\w+ fdwSound=(\w+)" % POINTER)


def sent_strings(trace: str) -> List[str]:
    """Our MCI command strings in order. Wine opens a device that is not open by sending
    itself "open <device> wait"; those are not ours."""
    found = [m.group(1).replace("\\\\", "\\").replace('\\"', '"') for m in MCI_STRING.finditer(trace)]
    return [command for command in found if not command.endswith(" wait")]


def read_text(path: str) -> str:
    with open(path, errors="replace") as handle:
        return handle.read()


# With +relay and +pid, and RelayInclude naming them (set up by the test class), Wine prints
# "PPPP:TTTT:Call user32.NAME(ARG,ARG) ret=..." for each call of our programs into these.
RELAYED = ("AllowSetForegroundWindow", "SetForegroundWindow", "SetTimer", "ShowCursor")
TOOK_FOREGROUND = "Ret  user32.SetForegroundWindow"
RELAY_CALL = re.compile(r"^([0-9a-f]{4}):[0-9a-f]{4}:Call user32\.(\w+)\(([^)]*)\)", re.M)
RELAY_RETURN = re.compile(r"^([0-9a-f]{4}):[0-9a-f]{4}:Ret  user32\.ShowCursor\(\w*\) retval=(\w+)",
                          re.M)


def relayed_calls(trace: str) -> List[Tuple[int, str, List[int]]]:
    """The calls into RELAYED in order: the Windows process id, the name and the arguments."""
    return [(int(m.group(1), 16), m.group(2),
             [int(argument, 16) for argument in m.group(3).split(",") if argument])
            for m in RELAY_CALL.finditer(trace)]


def cursor_counts(trace: str, process: Optional[str] = None) -> List[int]:
    """The display counts ShowCursor returned (to PROCESS alone, where given), in order, as
    signed numbers."""
    counts = [int(m.group(2), 16) for m in RELAY_RETURN.finditer(trace)
              if process is None or m.group(1) == process]
    return [count - (1 << 32) if count >= 1 << 31 else count for count in counts]


def play_sound_flags(trace: str) -> List[str]:
    return ["%s %s" % (int(m.group(1), 16) != 0, m.group(2)) for m in PLAY_SOUND.finditer(trace)]


def saver_cursor_counts(trace: str) -> List[int]:
    """The display counts ShowCursor returned to the screen saver: the process that called it
    first, since Main hides the cursor before the renderer exists."""
    processes = [m.group(1) for m in RELAY_RETURN.finditer(trace)]
    return cursor_counts(trace, processes[0]) if processes else []


def make_tones(folder: str) -> None:
    """Three seconds of a sine tone in FOLDER (on the host), as tone.wav and tone.mp3."""
    os.makedirs(folder, exist_ok=True)
    wave = os.path.join(folder, "tone.wav")
    subprocess.run(["sox", "-n", "-r", "22050", "-c", "1", "-b", "16", wave, "synth", "3",
                    "sine", "440"], check=True)
    subprocess.run(["lame", "--quiet", wave, os.path.join(folder, "tone.mp3")], check=True)


def relay_user32_calls() -> None:
    """Lets +relay show our programs' calls into RELAYED, and nothing else of user32."""
    subprocess.run(["wine", "reg", "add", "HKCU\\Software\\Wine\\Debug", "/v",
                    "RelayInclude", "/d", ";".join("user32." + name for name in RELAYED),
                    "/f"], stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, check=True)


@contextmanager
def music_for_shows() -> Iterator[None]:
    """The tones of MUSIC_FOLDER and a private wave output, for shows run outside a test case
    (the benchmarks); the settings file they wrote is removed afterwards."""
    make_tones(e2e.windows_path_on_host(MUSIC_FOLDER))
    sound_server = start_sound_server()
    if sound_server is None:
        raise RuntimeError("no PulseAudio here, so no wave output: the music cannot play")
    try:
        yield
    finally:
        stop_sound_server(sound_server)
        e2e.remove_file(s.settings_path())


class MusicShowCase(s.SaverTestCase):
    """Shows traced through Wine's +mci and +winmm channels, with a wave output device and the
    tones of MUSIC_FOLDER to play."""

    @classmethod
    def setUpClass(cls):
        super().setUpClass()
        make_tones(e2e.windows_path_on_host(MUSIC_FOLDER))
        cls.sound_server = start_sound_server()
        relay_user32_calls()

    @classmethod
    def tearDownClass(cls):
        stop_sound_server(cls.sound_server)

    def run_with_music(self, kind: int, music_file: str = "", **show) -> str:
        """The trace of a show (see traced_show) with the music KIND and MUSIC_FILE."""
        s.write_settings(kind, music_file=music_file.encode("cp932"))
        return self.traced_show(**show)

    def traced_show(self, started: Optional[Callable[[str], object]] = None, what: str = "",
                    quiet: float = 0, end: Optional[Callable[[e2e.Program], None]] = None,
                    channels: str = "", desktop: Optional[str] = None) -> str:
        """The trace of a show with the settings as they stand, ended once STARTED(the trace
        so far) holds (WHAT it means) and QUIET seconds more have passed: by END(the saver), or
        by closing the renderer's window. CHANNELS are Wine's further trace channels; DESKTOP
        a virtual desktop ("NAME,WxH") to run it in. trace_so_far() reads it meanwhile."""
        self.trace_path = os.path.join(tempfile.gettempdir(), "vorlenta-music-%d.log" % os.getpid())
        with open(self.trace_path, "w") as trace_file:
            env = dict(os.environ, WINEDEBUG="+mci,+winmm" + channels)
            saver = self.saver("/s", env=env, stderr=trace_file, desktop=desktop)
            self.assertIsNotNone(e2e.wait_window(s.RENDERER_TITLE, timeout=20, desktop=desktop))
            if started is not None:
                wait_for(lambda: started(self.trace_so_far()), 10, what)
            if quiet:
                time.sleep(quiet)  # proves that nothing more is sent: nothing to wait for
            self.during = self.trace_so_far()
            (end or self.close_renderer)(saver)
        trace = self.trace_so_far()
        os.remove(self.trace_path)
        return trace

    def trace_so_far(self) -> str:
        return read_text(self.trace_path)

    def close_renderer(self, saver: e2e.Program) -> None:
        self.assertTrue(e2e.close_window(s.RENDERER_TITLE))
        self.assertIsNotNone(e2e.wait_exit(saver, timeout=5))


class Music(MusicShowCase):

    def activate_another_program(self, saver: e2e.Program) -> None:
        """Another program takes the activation: both programs end within a second."""
        other = e2e.activate_other_program()
        try:
            activated = time.monotonic()
            self.assertIsNotNone(e2e.wait_exit(saver, timeout=3), "the screen saver runs on")
            self.assertTrue(e2e.wait_no_process(s.RENDERER_IMAGE, 1), "the renderer runs on")
            self.assertLess(time.monotonic() - activated, 1.0)
        finally:
            e2e.end_other_program(other)

    def test_cd_opens_sets_the_format_and_stops_polling_after_a_failed_query(self):
        trace = self.run_with_music(1, started=lambda trace: "status cdaudio" in trace,
                                    what="the first poll of the disc", quiet=1)
        strings = sent_strings(trace)
        self.assertEqual(strings[:2], ["open cdaudio", "set cdaudio time format tmsf"])
        self.assertTrue(strings[2].startswith("status cdaudio"), strings)
        self.assertTrue(all(c.startswith("status cdaudio") for c in strings[2:]), strings)
        # No disc here: the first poll's query fails and polling ends for good, so nothing is
        # sent after it, not even at exit (the poll timer is off, so StopCD is not called).
        self.assertEqual(strings, sent_strings(self.during))
        self.assertLessEqual(len(strings), 4, strings)

    def test_mp3_opens_through_mpegvideo_and_is_stopped_then_closed_at_exit(self):
        trace = self.run_with_music(2, MUSIC_FOLDER + "\\tone.MP3",
                                    started=lambda trace: "play MP3Play" in sent_strings(trace),
                                    what="the MP3 file playing")
        strings = sent_strings(trace)
        self.assertEqual(strings[0],
                         'open "C:\\music\\tone.MP3" type MPEGVideo Alias MP3Play')
        self.assertEqual(strings[-2:], ["stop MP3Play", "close MP3Play"])
        self.assertEqual(play_sound_flags(trace), [])

    def test_wave_loops_through_play_sound_and_is_stopped_at_exit(self):
        if self.sound_server is None:
            self.skipTest("no sound server: a wave file plays only with a wave device")
        trace = self.run_with_music(2, MUSIC_FOLDER + "\\tone.wav",
                                    started=play_sound_flags, what="the wave file playing")
        self.assertEqual(play_sound_flags(trace), ["True 00000009", "False 00000000"])
        self.assertEqual(sent_strings(trace), [])

    def test_another_program_taking_the_activation_ends_the_show_and_its_music(self):
        trace = self.run_with_music(2, MUSIC_FOLDER + "\\tone.mp3",
                                    started=lambda trace: TOOK_FOREGROUND in trace,
                                    what="the renderer in the foreground, the music playing",
                                    end=self.activate_another_program, channels=",+relay,+pid")
        self.assertIn("play MP3Play", sent_strings(self.during))
        self.assertEqual(sent_strings(trace)[-2:], ["stop MP3Play", "close MP3Play"])
        self.assertEqual(cursor_counts(trace), [-1, 0], "the cursor is not shown again")

    def test_the_renderer_gets_the_foreground_and_each_music_kind_its_watch(self):
        for kind, music_file, watch in ((1, "", 200), (2, MUSIC_FOLDER + "\\tone.mp3", 1000)):
            with self.subTest(kind=kind):
                trace = self.run_with_music(kind, music_file,
                                            started=lambda trace: TOOK_FOREGROUND in trace,
                                            what="the renderer taking the foreground",
                                            channels=",+relay,+pid")
                calls = relayed_calls(trace)
                allowed = [args[0] for process, name, args in calls
                           if name == "AllowSetForegroundWindow"]
                renderer = [process for process, name, _ in calls
                            if name == "SetForegroundWindow"]
                self.assertEqual(allowed, renderer[:1], "the foreground is not handed on")
                intervals = {args[2] for process, name, args in calls
                             if name == "SetTimer" and process != renderer[0]}
                # The renderer's watch, the music's, and the short watch for the renderer's
                # window to appear.
                self.assertEqual(intervals, {100, watch, 50})

    def test_no_music_sends_nothing(self):
        for kind, music_file in ((0, ""), (2, MUSIC_FOLDER + "\\tone.ogg"), (3, "")):
            with self.subTest(kind=kind, file=music_file):
                trace = self.run_with_music(kind, music_file, quiet=0.3)
                self.assertEqual(sent_strings(trace), [])
                self.assertEqual(play_sound_flags(trace), [])


def start_sound_server():
    """A private PulseAudio with a null sink, so that Wine has a wave output device."""
    if shutil.which("pulseaudio") is None:
        return None
    runtime = tempfile.mkdtemp(prefix="vorlenta-pulse.")
    os.environ["XDG_RUNTIME_DIR"] = runtime
    os.environ["PULSE_RUNTIME_PATH"] = os.path.join(runtime, "pulse")
    server = subprocess.Popen(["pulseaudio", "-n", "--daemonize=no", "--exit-idle-time=-1",
                               "--load=module-null-sink", "--load=module-native-protocol-unix"],
                              stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                              stderr=subprocess.DEVNULL)
    socket = os.path.join(runtime, "pulse", "native")
    if not e2e.poll_until(lambda: os.path.exists(socket), 10):
        server.kill()
        server.wait()
        return None
    return server, runtime


def stop_sound_server(sound_server) -> None:
    if sound_server is None:
        return
    server, runtime = sound_server
    server.terminate()
    server.wait(timeout=10)
    shutil.rmtree(runtime, ignore_errors=True)


if __name__ == "__main__":
    unittest.main(verbosity=2)
