#!/usr/bin/env python3
"""Soak: the show with music, RUNS times back to back for each music kind (an MP3 file, a WAV
file, and the music CD with no drive in the machine), each run started as the system starts it
(`Vorlenta.scr /s`) and ended by WM_CLOSE posted to the renderer's window once the show and its
music have started. Prints one line per kind:

    <kind> runs=<N> clean=<N> slowest_end_ms=<X> processes_left=<P> devices_open=<D>

A run is clean when the show started (the renderer's window, and the music: the MP3 file
played, the wave file handed to PlaySound, the disc polled), the screen saver ended within a
second of the close request, no process of either program was left, and the screen saver
closed every device it had opened. The end is timed from the moment the request was sent (the
start of the probe that posts it) to the screen saver's end. Devices are read from Wine's +mci
and +winmm traces: MCI devices that our command strings opened and did not close again, and
wave outputs opened and not closed. P and D add up over all runs of a kind; a run that is not
clean says why on stderr.

    tests/tools/wine-env --flavour FLAVOUR python3 bench/soak.py RUNS [BUILD]

BUILD is the build folder of the environment's flavour (default build/FLAVOUR). A private
PulseAudio null sink gives Wine its wave output, as in the music tests; Wine's desktop process
is kept running throughout, as Windows always has its desktop."""

import os
import re
import sys
import tempfile
import time
from typing import Dict, List, Optional, Tuple

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, os.path.join(ROOT, "tests", "e2e"))
sys.path.insert(0, os.path.join(ROOT, "tests", "tools"))

import e2e_support as e2e  # noqa: E402
import saver_e2e as s  # noqa: E402
from saver_music_test import (MUSIC_FOLDER, music_for_shows, play_sound_flags,  # noqa: E402
                              read_text, sent_strings)

END_LIMIT_SECONDS = 1.0
# (name, music kind, music file, the trace once the music has started)
KINDS = (
    ("mp3", 2, MUSIC_FOLDER + "\\tone.mp3", lambda trace: "play MP3Play" in sent_strings(trace)),
    ("wav", 2, MUSIC_FOLDER + "\\tone.wav", play_sound_flags),
    ("cd", 1, "", lambda trace: "status cdaudio current track" in sent_strings(trace)),
)

# "TTTT:trace:mci:mciSendStringW (L"COMMAND", ..." starts a command on thread TTTT; a result
# line on the same thread ends the innermost command that has not ended. A command that fails
# early prints no result at all: it is then left standing, below whatever comes next.
MCI_CALL = re.compile(r'^([0-9a-f]{4}):trace:mci:mciSendStringW \(L"(.*)", ')
MCI_RESULT = re.compile(r"^([0-9a-f]{4}):trace:mci:mciSendStringW => (?:2/ )?([0-9a-f]+)(?: |$)")
ALIAS = re.compile(r"\balias\s+(\S+)", re.I)


def mci_results(trace: str) -> List[Tuple[str, int]]:
    """Each MCI command string that printed its result, with that result, in order."""
    pending: Dict[str, List[str]] = {}
    results = []
    for line in trace.splitlines():
        call = MCI_CALL.match(line)
        if call:
            pending.setdefault(call.group(1), []).append(
                call.group(2).replace("\\\\", "\\").replace('\\"', '"'))
            continue
        result = MCI_RESULT.match(line)
        if result and pending.get(result.group(1)):
            results.append((pending[result.group(1)].pop(), int(result.group(2), 16)))
    return results


def device_name(command: str) -> str:
    """The name a command addresses its device by: the alias it opens, else its first word."""
    alias = ALIAS.search(command)
    return (alias.group(1) if alias else command.split()[1]).lower()


def devices_left_open(trace: str) -> int:
    """MCI devices our commands opened and did not close, and wave outputs left open. Wine's
    own opens of a device for one command ("open NAME wait") close themselves."""
    open_devices = set()
    for command, result in mci_results(trace):
        verb = command.split()[0].lower()
        if result != 0 or command.endswith(" wait") or verb not in ("open", "close"):
            continue
        if verb == "open":
            open_devices.add(device_name(command))
        else:
            open_devices.discard(device_name(command))
    waves = trace.count("trace:winmm:waveOutOpen (") - trace.count("trace:winmm:waveOutClose (")
    return len(open_devices) + max(waves, 0)


class Run:
    """One show: what started, how long its end took, and what it left behind."""

    def __init__(self):
        self.started = False
        self.end_seconds: Optional[float] = None
        self.processes_left = 0
        self.devices_open = 0
        self.why = ""

    def clean(self) -> bool:
        return (self.started and self.end_seconds is not None and
                self.end_seconds < END_LIMIT_SECONDS and self.processes_left == 0 and
                self.devices_open == 0)


def end_show(saver: e2e.Program, run: Run) -> None:
    requested = time.monotonic()
    if not e2e.close_window(s.RENDERER_TITLE):
        run.why = "the renderer's window went before the close request"
    if e2e.wait_exit(saver, timeout=10) is not None:
        run.end_seconds = time.monotonic() - requested


def count_leftovers(run: Run) -> None:
    """Processes still running a moment after the screen saver's end are ended and counted."""
    for image in (s.RENDERER_IMAGE, s.SAVER_IMAGE):
        if not e2e.wait_no_process(image, 2):
            run.processes_left += len(e2e.kill_wine_processes(image))


def one_show(started_music, trace_path: str) -> Run:
    run = Run()
    with open(trace_path, "w") as trace_file:
        env = dict(os.environ, WINEDEBUG="+mci,+winmm")
        saver = s.start_saver("/s", env=env, stderr=trace_file)
        try:
            window = e2e.wait_window(s.RENDERER_TITLE, 20) is not None
            music = window and e2e.poll_until(lambda: started_music(read_text(trace_path)), 10)
            run.started = window and music
            if not run.started:
                run.why = "no renderer window" if not window else "the music did not start"
            end_show(saver, run)
        finally:
            saver.kill()
    count_leftovers(run)
    run.devices_open = devices_left_open(read_text(trace_path))
    if not run.why and not run.clean():
        run.why = ("did not end" if run.end_seconds is None else
                   "ended %.0f ms after the request" % (run.end_seconds * 1000))
    return run


def soak(name: str, kind: int, music_file: str, started_music, runs: int) -> str:
    s.write_settings(kind, music_file=music_file.encode("cp932"))
    trace_path = os.path.join(tempfile.gettempdir(), "vorlenta-soak-%d.log" % os.getpid())
    results = []
    for number in range(1, runs + 1):
        run = one_show(started_music, trace_path)
        results.append(run)
        if not run.clean():
            print("%s run %d: %s (processes left %d, devices open %d)"
                  % (name, number, run.why, run.processes_left, run.devices_open),
                  file=sys.stderr)
    os.remove(trace_path)
    ends = [run.end_seconds for run in results if run.end_seconds is not None]
    return ("%s runs=%d clean=%d slowest_end_ms=%.0f processes_left=%d devices_open=%d"
            % (name, runs, sum(1 for run in results if run.clean()),
               max(ends) * 1000 if ends else float("nan"),
               sum(run.processes_left for run in results),
               sum(run.devices_open for run in results)))


def main() -> int:
    if len(sys.argv) < 2 or not sys.argv[1].isdigit():
        print("usage: soak.py RUNS [BUILD]", file=sys.stderr)
        return 2
    runs = int(sys.argv[1])
    flavour = s.use_build(sys.argv[2] if len(sys.argv) > 2 else None)
    print("Flavour: %s; each show ended by WM_CLOSE to the renderer's window" % flavour)
    with music_for_shows(), e2e.desktop_held():
        for name, kind, music_file, started_music in KINDS:
            print(soak(name, kind, music_file, started_music, runs), flush=True)
    return 0


if __name__ == "__main__":
    sys.exit(main())
