#!/usr/bin/env python3
"""A long show held flat: one show with MP3 music (a three-second tone, so that the music poll
starts it again every few seconds), run for MINUTES minutes, with both programs sampled every
minute: resident memory (ps, from outside) and the handles each holds (through
window_probe.exe). Prints the table, then each figure's growth per hour, extrapolated from a
least-squares line through the samples after the first minute (the start-up's own allocations),
beside the limits: 1 MB and 0 handles an hour.

First it shows which handle figure this Wine keeps: a child process opens a known number of
events, and the figure must move by exactly that number. GetProcessHandleCount is asked first;
where its figure does not move (Wine 8 answers 0), the table counts the entries the system's
handle list (NtQuerySystemInformation) holds for each program instead, and says so.

    tests/tools/wine-env --flavour FLAVOUR python3 bench/long_show.py MINUTES [BUILD]

BUILD is the build folder of the environment's flavour (default build/FLAVOUR). A private
PulseAudio null sink gives Wine its wave output, as in the music tests."""

import os
import subprocess
import sys
import tempfile
import time
from typing import List, Optional, Sequence, Tuple

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, os.path.join(ROOT, "tests", "e2e"))
sys.path.insert(0, os.path.join(ROOT, "tests", "tools"))

import e2e_support as e2e  # noqa: E402
import saver_e2e as s  # noqa: E402
from saver_music_test import (MUSIC_FOLDER, music_for_shows, read_text,  # noqa: E402
                              sent_strings)
from waits import wait_for  # noqa: E402

PROBE_IMAGE = "window_probe.exe"
CHECK_EVENTS = 1000
# The probe's two figures, in the order it prints them.
FIGURES = ("GetProcessHandleCount", "entries of the system's handle list")
SAMPLE_SECONDS = 60
LIMIT_MB_PER_HOUR = 1.0
LIMIT_HANDLES_PER_HOUR = 0.0
PROGRAMS = (("saver", s.SAVER_IMAGE), ("renderer", s.RENDERER_IMAGE))


def handle_figures(image: str) -> Optional[Tuple[int, int]]:
    """Both handle figures of the process running IMAGE (see FIGURES)."""
    code, line = e2e.run_probe("handles", image)
    if code != 0:
        return None
    fields = dict(part.split("=") for part in line.split())
    return int(fields["handles"]), int(fields["listed"])


def with_events_child(measure) -> Tuple[str, object, object]:
    """MEASURE() before and after a child opens CHECK_EVENTS events, and what the child said."""
    child = subprocess.Popen(["wine", e2e.program_path("WINDOW_PROBE"), "events",
                              str(CHECK_EVENTS)], stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                             text=True, start_new_session=True)
    try:
        if child.stdout.readline().strip() != "ready":
            raise RuntimeError("the events child did not start")
        before = measure()
        child.stdin.write("open\n")
        child.stdin.flush()
        said = child.stdout.readline().strip()
        after = measure()
        child.stdin.write("end\n")
        child.stdin.flush()
        child.wait(timeout=30)
    finally:
        if child.poll() is None:
            child.kill()
            child.wait()
    return said, before, after


def choose_handle_figure() -> int:
    """The index in FIGURES of the first figure that moves by exactly CHECK_EVENTS when a child
    opens that many events; says what each did. -1 when neither does."""
    said, before, after = with_events_child(lambda: handle_figures(PROBE_IMAGE))
    if before is None or after is None:
        print("Handle check: the child's figures could not be read")
        return -1
    print("Handle check: a child opened %d events (it says \"%s\"):" % (CHECK_EVENTS, said))
    for index, name in enumerate(FIGURES):
        print("  %-36s %6d -> %6d (%+d)" % (name, before[index], after[index],
                                            after[index] - before[index]))
    moved = [after[index] - before[index] == CHECK_EVENTS for index in range(len(FIGURES))]
    return moved.index(True) if True in moved else -1


def sample(figure: int) -> List[float]:
    """Resident MB and handles (FIGURES[FIGURE]) of the screen saver, then of the renderer."""
    row = []
    for _, image in PROGRAMS:
        handles = handle_figures(image)
        if handles is None:
            raise RuntimeError("no handle figures for " + image)
        row += [e2e.resident_kib(image) / 1024.0, handles[figure]]
    return row


def slope_per_hour(minutes: Sequence[float], values: Sequence[float]) -> float:
    """The least-squares line's rise per hour through (MINUTES, VALUES)."""
    mean_x = sum(minutes) / len(minutes)
    mean_y = sum(values) / len(values)
    spread = sum((x - mean_x) ** 2 for x in minutes)
    rise = sum((x - mean_x) * (y - mean_y) for x, y in zip(minutes, values))
    return rise / spread * 60 if spread else 0.0


def run_show(minutes: int, figure: int) -> List[List[float]]:
    """The samples, minute 0 to MINUTES, of one show with MP3 music, closed at the end."""
    s.write_settings(2, music_file=(MUSIC_FOLDER + "\\tone.mp3").encode("cp932"))
    trace_path = os.path.join(tempfile.gettempdir(), "vorlenta-long-%d.log" % os.getpid())
    table = []
    with open(trace_path, "w") as trace_file:
        saver = s.start_saver("/s", env=dict(os.environ, WINEDEBUG="+mci"), stderr=trace_file)
        try:
            if e2e.wait_window(s.RENDERER_TITLE, 30) is None:
                raise RuntimeError("the renderer showed no window")
            wait_for(lambda: "play MP3Play" in sent_strings(read_text(trace_path)), 10,
                     "the MP3 file playing")
            started = time.monotonic()
            print("%6s %12s %8s %12s %8s" % ("minute", "saver MB", "handles", "renderer MB",
                                             "handles"))
            for minute in range(minutes + 1):
                # Samples keep to the minute marks, however long a sample takes.
                time.sleep(max(0.0, started + minute * SAMPLE_SECONDS - time.monotonic()))
                table.append([minute] + sample(figure))
                print("%6d %12.1f %8d %12.1f %8d" % tuple(table[-1]), flush=True)
            restarts = sent_strings(read_text(trace_path)).count("play MP3Play from 0")
            print("The poll started the music again %d times" % restarts)
            e2e.close_window(s.RENDERER_TITLE)
            if e2e.wait_exit(saver, 10) is None:
                print("The screen saver did not end within 10 s of the close request")
        finally:
            saver.kill()
    os.remove(trace_path)
    return table


def report_growth(table: List[List[float]]) -> None:
    later = table[1:] if len(table) > 2 else table
    minutes = [row[0] for row in later]
    print("Growth per hour, extrapolated from minutes %d to %d (limits: %.0f MB, %.0f handles):"
          % (minutes[0], minutes[-1], LIMIT_MB_PER_HOUR, LIMIT_HANDLES_PER_HOUR))
    for index, (name, _) in enumerate(PROGRAMS):
        memory = slope_per_hour(minutes, [row[1 + 2 * index] for row in later])
        handles = [row[2 + 2 * index] for row in later]
        handle_growth = slope_per_hour(minutes, handles)
        held = memory <= LIMIT_MB_PER_HOUR and handle_growth <= LIMIT_HANDLES_PER_HOUR
        print("  %-8s resident %+7.2f MB/h, handles %+7.2f/h (%d at first, %d at last, %d to %d)"
              "  %s" % (name, memory, handle_growth, handles[0], handles[-1], min(handles),
                        max(handles), "flat" if held else "GROWS"))


def main() -> int:
    if len(sys.argv) < 2 or not sys.argv[1].isdigit() or int(sys.argv[1]) < 1:
        print("usage: long_show.py MINUTES [BUILD]", file=sys.stderr)
        return 2
    minutes = int(sys.argv[1])
    flavour = s.use_build(sys.argv[2] if len(sys.argv) > 2 else None)
    print("Flavour: %s; one show of %d minutes with MP3 music" % (flavour, minutes))
    figure = choose_handle_figure()
    if figure < 0:
        print("Neither figure follows the handles a program opens here; the table shows "
              "what %s reports" % FIGURES[0])
    print("Handles counted: %s" % FIGURES[max(figure, 0)])
    with music_for_shows():
        table = run_show(minutes, max(figure, 0))
    report_growth(table)
    return 0


if __name__ == "__main__":
    sys.exit(main())
