#!/usr/bin/env python3
"""Measures the renderer beside a minimal WGL program on the same Wine, Mesa and X server and
prints the figures side by side:

  - frames per second at 1024 x 768 (the renderer's windowed fallback on the bare display,
    so both draw into the same size of window): the renderer's sphere phase (frames 1-400),
    its whole run, and the minimal program that only clears and swaps;
  - milliseconds from process creation to the first swapped frame, the renderer loading a
    1920 x 1080 snapshot, beside the minimal program.

The renderer is measured in its benchmark build (VorlentaBench.exe: timing hooks, swap
control left off so the figures show the drawing cost, not the refresh rate), and once more
with the shipped pacing (VorlentaBenchPaced.exe: swap control and at most 60 passes a second)
to show the pace the show keeps.
Wine's desktop process is kept running throughout, as Windows always has its desktop.

    tests/tools/wine-env --flavour FLAVOUR python3 bench/renderer_bench.py [BUILD]

BUILD is the build folder of the environment's flavour (default build/FLAVOUR); it must hold
bin/VorlentaBench.exe, bin/VorlentaBenchPaced.exe, bin/minimal_wgl.exe and
bin/window_probe.exe.
"""

import os
import statistics
import subprocess
import sys
import tempfile
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, os.path.join(ROOT, "tests", "e2e"))
sys.path.insert(0, os.path.join(ROOT, "tests", "tools"))

import e2e_support as e2e  # noqa: E402

RUN_SECONDS = 12  # covers the 400 frames of the sphere phase with room to spare
# A start under Wine varies by tens of milliseconds from one run to the next: enough starts,
# taken in turn with the baseline's, that a slow spell of the machine weighs on both alike.
STARTS = 9
SNAPSHOT = "c:\\r_vask\\Kessamiron.bmp"


def run_measured(command, stop) -> dict:
    """Runs COMMAND under Wine with stderr captured, calls STOP(process) and returns the
    key=value figures it printed."""
    with tempfile.TemporaryFile("w+") as errors:
        process = subprocess.Popen(["wine", *command], stdin=subprocess.DEVNULL,
                                   stdout=subprocess.DEVNULL, stderr=errors,
                                   start_new_session=True)
        stop(process)
        process.wait(timeout=60)
        errors.seek(0)
        return e2e.read_figures(errors)


def close_renderer_after(seconds: float):
    def stop(process):
        if e2e.wait_window("Kessamiron_VC", 30) is None:
            process.kill()
            raise RuntimeError("the renderer showed no window")
        time.sleep(seconds)  # the run that is measured
        e2e.close_window("Kessamiron_VC")
    return stop


def let_run(process):
    process.wait(timeout=120)


def measure_rates(snapshot: str, renderer: str, paced_renderer: str, minimal: str):
    """Frame rates of the renderer, unthrottled and as shipped, and of the minimal program."""
    e2e.write_file(snapshot, e2e.bitmap_bytes(1024, 768, lambda x, y: (x % 256, y % 256, 128)))
    rendering = run_measured([renderer], close_renderer_after(RUN_SECONDS))
    paced = run_measured([paced_renderer], close_renderer_after(RUN_SECONDS))
    baseline = run_measured([minimal, str(RUN_SECONDS)], let_run)
    return rendering, paced, baseline


def measure_starts(snapshot: str, renderer: str, minimal: str):
    """Times to the first frame, the renderer's and the minimal program's taken in turn."""
    e2e.write_file(snapshot, e2e.bitmap_bytes(1920, 1080, lambda x, y: (x % 256, y % 256, 64)))
    renderer_starts, minimal_starts = [], []
    for _ in range(STARTS):
        renderer_starts.append(
            run_measured([renderer], close_renderer_after(0.5))["first_swap_ms"])
        minimal_starts.append(run_measured([minimal, "0.5"], let_run)["first_swap_ms"])
    e2e.remove_file(snapshot)
    return renderer_starts, minimal_starts


def main() -> int:
    flavour = os.environ["VORLENTA_FLAVOUR"]
    build = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else os.path.join(ROOT, "build",
                                                                             flavour))
    print("Flavour: %s (%s)" % (flavour, build))
    bin_dir = os.path.join(build, "bin")
    renderer = os.path.join(bin_dir, "VorlentaBench.exe")
    paced_renderer = os.path.join(bin_dir, "VorlentaBenchPaced.exe")
    minimal = os.path.join(bin_dir, "minimal_wgl.exe")
    os.environ["VORLENTA_WINDOW_PROBE"] = os.path.join(bin_dir, "window_probe.exe")
    snapshot = e2e.windows_path_on_host(SNAPSHOT)

    with e2e.desktop_held():
        rendering, paced, baseline = measure_rates(snapshot, renderer, paced_renderer, minimal)
        renderer_starts, minimal_starts = measure_starts(snapshot, renderer, minimal)

    offered = "yes" if baseline.get("swap_control_offered") else "no"
    print("WGL_EXT_swap_control offered by this Wine + Mesa: %s" % offered)
    print("Frames per second at 1024x768 (unthrottled, %d s runs)" % RUN_SECONDS)
    print("  renderer, sphere phase (frames 1-400) %8.1f" % rendering["sphere_phase_fps"])
    print("  renderer, whole run (%5d frames)     %8.1f" % (rendering["frames"], rendering["fps"]))
    print("  minimal WGL program (clear + swap)    %8.1f" % baseline["fps"])
    print("  renderer as shipped (paced)           %8.1f  (sphere phase %.1f)"
          % (paced["fps"], paced["sphere_phase_fps"]))
    print("  ratio renderer (sphere) / minimal     %8.3f"
          % (rendering["sphere_phase_fps"] / baseline["fps"]))
    renderer_ms = statistics.median(renderer_starts)
    minimal_ms = statistics.median(minimal_starts)
    print("Process start to first swapped frame, median of %d (ms)" % STARTS)
    print("  renderer with a 1920x1080 snapshot    %8.1f  %s" % (renderer_ms, renderer_starts))
    print("  minimal WGL program                   %8.1f  %s" % (minimal_ms, minimal_starts))
    print("  ratio renderer / minimal              %8.2f" % (renderer_ms / minimal_ms))
    return 0


if __name__ == "__main__":
    sys.exit(main())
