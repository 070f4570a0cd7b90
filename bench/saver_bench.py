#!/usr/bin/env python3
"""Measures the screen saver's run start: the time from launching `Vorlenta.scr /s` to the
renderer's first swapped frame, split into the steps of the run form, on 1280 x 1024 and
1920 x 1080 screens, beside the floors measured under the same Wine in the same run: launching
a Win32 program that does nothing, one that makes a single window (what every program with
windows pays before it does anything of its own), and a minimal WGL program's first frame.
The budget of a
start is what cannot be had for less: a program's start, the capture and the save, and a GL
program's first frame. Wine's desktop process is kept running throughout, as Windows always
has its desktop; otherwise every first program with windows would count its start.

The screen saver and renderer are their benchmark builds (VorlentaBench.scr: timing hooks on
the run form's steps; VorlentaBench.exe: the renderer's first-swap hook), copied side by side
as Vorlenta.scr and Vorlenta.dll into a folder of the test prefix.

    python3 bench/saver_bench.py [FLAVOUR]

FLAVOUR is win32 or win64 (default: the one tests/tools/wine-flavour.sh prefers here); its
build folder build/FLAVOUR must be built. Each screen size gets its own private Xvfb through
tests/tools/wine-env.
"""

import json
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, os.path.join(ROOT, "tests", "e2e"))
sys.path.insert(0, os.path.join(ROOT, "tests", "tools"))

import e2e_support as e2e  # noqa: E402
from waits import wait_for  # noqa: E402

SCREENS = ("1280x1024x24", "1920x1080x24")
# A start under Wine varies by tens of milliseconds from one run to the next: enough runs, each
# round taking the screen saver and every floor in turn, that a slow spell weighs on all alike.
RUNS = 9


def read_figures(path: str) -> dict:
    with open(path, errors="replace") as handle:
        return e2e.read_figures(handle)


def one_run(saver: str) -> dict:
    with tempfile.NamedTemporaryFile("w+", delete=False) as errors:
        launched = time.time() * 1000.0
        process = subprocess.Popen(["wine", saver, "/s"], stdin=subprocess.DEVNULL,
                                   stdout=subprocess.DEVNULL, stderr=errors,
                                   start_new_session=True)
        if e2e.wait_window("Kessamiron_VC", 30) is None:
            process.kill()
            raise RuntimeError("the renderer showed no window")
        wait_for(lambda: "first_swap_ms" in read_figures(errors.name), 10,
                 "the renderer's first frame in its report")
        e2e.close_window("Kessamiron_VC")
        process.wait(timeout=30)
        figures = read_figures(errors.name)
    os.remove(errors.name)
    saver_created = figures["saver_created_unix_ms"]
    first_frame = figures["renderer_created_unix_ms"] + figures["first_swap_ms"]
    return {
        "wine start": saver_created - launched,
        "to run form": figures["load_ms"],
        "capture": figures["captured_ms"] - figures["load_ms"],
        "save": figures["saved_ms"] - figures["captured_ms"],
        "renderer start": first_frame - (saver_created + figures["saved_ms"]),
        "total": first_frame - launched,
    }


def floor_run(program: str) -> float:
    launched = time.monotonic()
    subprocess.run(["wine", program], stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                   stderr=subprocess.DEVNULL, check=True)
    return (time.monotonic() - launched) * 1000.0


def figure_of_run(key: str, program: str, *args: str) -> float:
    """The figure KEY that PROGRAM printed, counted from its process creation (ms)."""
    result = subprocess.run(["wine", program, *args], stdin=subprocess.DEVNULL,
                            stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True,
                            check=True)
    return e2e.read_figures(result.stderr.splitlines())[key]


def measure(build: str) -> dict:
    """Inside one wine-env: the figures for its screen, as medians."""
    bin_dir = os.path.join(build, "bin")
    os.environ["VORLENTA_WINDOW_PROBE"] = os.path.join(bin_dir, "window_probe.exe")
    folder = os.path.join(e2e.drive_c(), "vorlenta bench")
    os.makedirs(folder, exist_ok=True)
    saver = os.path.join(folder, "Vorlenta.scr")
    shutil.copy(os.path.join(bin_dir, "VorlentaBench.scr"), saver)
    shutil.copy(os.path.join(bin_dir, "VorlentaBench.exe"), os.path.join(folder, "Vorlenta.dll"))
    runs, floors, window_floors, gl_floors = [], [], [], []
    with e2e.desktop_held():
        for _ in range(RUNS):
            runs.append(one_run(saver))
            floors.append(floor_run(os.path.join(bin_dir, "do_nothing.exe")))
            window_floors.append(figure_of_run("window_ms",
                                               os.path.join(bin_dir, "one_window.exe")))
            gl_floors.append(figure_of_run("first_swap_ms",
                                           os.path.join(bin_dir, "minimal_wgl.exe"), "0.3"))
    shutil.rmtree(folder, ignore_errors=True)
    medians = {key: statistics.median(run[key] for run in runs) for key in runs[0]}
    medians["floor"] = statistics.median(floors)
    medians["one window"] = statistics.median(window_floors)
    medians["minimal gl"] = statistics.median(gl_floors)
    return medians


def preferred_flavour() -> str:
    flavours = os.path.join(ROOT, "tests", "tools", "wine-flavour.sh")
    return subprocess.run(["bash", "-c", 'source "$0" && vorlenta_preferred_flavour', flavours],
                          stdout=subprocess.PIPE, text=True, check=True).stdout.strip()


def main() -> int:
    if len(sys.argv) > 1 and sys.argv[1] == "--measure":
        print(json.dumps(measure(sys.argv[2])))
        return 0
    flavour = sys.argv[1] if len(sys.argv) > 1 else preferred_flavour()
    build = os.path.join(ROOT, "build", flavour)
    print("Flavour: %s (%s)" % (flavour, build))
    results = {}
    for screen in SCREENS:
        env = dict(os.environ, VORLENTA_SCREEN=screen, VORLENTA_NEW_ENV="1")
        command = [os.path.join(ROOT, "tests", "tools", "wine-env"), "--flavour", flavour,
                   sys.executable, os.path.abspath(__file__), "--measure", build]
        output = subprocess.run(command, env=env, stdout=subprocess.PIPE, text=True,
                                check=True).stdout
        results[screen] = json.loads(output.strip().splitlines()[-1])
    print("Launch of Vorlenta.scr /s to the renderer's first frame, median of %d (ms)" % RUNS)
    print("%-16s %12s %12s" % ("", *[s.rsplit("x", 1)[0] for s in SCREENS]))
    labels = {"floor": "do-nothing start", "one window": "one-window start",
              "minimal gl": "minimal WGL frame"}
    for key in ("wine start", "to run form", "capture", "save", "renderer start", "total",
                "floor", "one window", "minimal gl"):
        print("%-18s %10.1f %12.1f" % (labels.get(key, key), *[results[s][key] for s in SCREENS]))
    for screen in SCREENS:
        r = results[screen]
        budget = r["floor"] + r["capture"] + r["save"] + r["minimal gl"]
        print("%s: launch to run form / do-nothing start %.2f; total / budget %.2f "
              "(budget: do-nothing start + capture + save + minimal WGL frame = %.1f ms)"
              % (screen.rsplit("x", 1)[0], (r["wine start"] + r["to run form"]) / r["floor"],
                 r["total"] / budget, budget))
        print("%s: to run form / one-window start %.2f (both from process creation)"
              % (screen.rsplit("x", 1)[0], r["to run form"] / r["one window"]))
    return 0


if __name__ == "__main__":
    sys.exit(main())
