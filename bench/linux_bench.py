#!/usr/bin/env python3
"""Measures the native Linux program beside the Windows renderer under Wine and beside a
minimal native GLX program, all on the same Xvfb and Mesa, and prints the figures side by side:

  - frames per second at 1024 x 768 (-window for the native programs, the renderer's windowed
    fallback under Wine): the sphere phase (frames 1-400) and the whole run;
  - milliseconds from process start to the first swapped frame, native program beside the
    minimal GLX program.

    tests/tools/wine-env --flavour FLAVOUR python3 bench/linux_bench.py NATIVE_BUILD [WIN_BUILD]

NATIVE_BUILD holds bin/vorlenta_bench and bin/minimal_glx (a release build without
sanitizers gives the fair figure); WIN_BUILD (default build/FLAVOUR) holds
bin/VorlentaBench.exe and bin/window_probe.exe.
"""

import os
import signal
import statistics
import subprocess
import sys
import tempfile
import time

ROOT = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, ROOT)
sys.path.insert(0, os.path.join(os.path.dirname(ROOT), "tests", "e2e"))
sys.path.insert(0, os.path.join(os.path.dirname(ROOT), "tests", "tools"))

import e2e_support as e2e  # noqa: E402
from renderer_bench import RUN_SECONDS, STARTS, SNAPSHOT, close_renderer_after, run_measured  # noqa: E402


def run_native(command, seconds: float) -> dict:
    """Runs a native program for SECONDS, ends it as XScreenSaver would (SIGTERM) and returns
    the key=value figures it printed on stderr."""
    environment = dict(os.environ, VORLENTA_BENCH_LAUNCHED_NS=str(time.monotonic_ns()))
    with tempfile.TemporaryFile("w+") as errors:
        process = subprocess.Popen(command, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                                   stderr=errors, env=environment)
        try:
            process.wait(timeout=seconds)
        except subprocess.TimeoutExpired:
            process.send_signal(signal.SIGTERM)
            process.wait(timeout=30)
        errors.seek(0)
        return e2e.read_figures(errors)


def main() -> int:
    flavour = os.environ["VORLENTA_FLAVOUR"]
    native_bin = os.path.join(os.path.abspath(sys.argv[1]), "bin")
    windows = os.path.abspath(sys.argv[2] if len(sys.argv) > 2 else
                              os.path.join(os.path.dirname(ROOT), "build", flavour))
    windows_bin = os.path.join(windows, "bin")
    # Unthrottled, as the renderer under Wine and the minimal program run here; its own pace is
    # what linux_pacing_bench.py measures.
    native = [os.path.join(native_bin, "vorlenta_bench"), "-window", "-delay", "0"]
    minimal = os.path.join(native_bin, "minimal_glx")
    os.environ["VORLENTA_WINDOW_PROBE"] = os.path.join(windows_bin, "window_probe.exe")
    print("Native build: %s; Windows renderer: %s (%s)" % (native_bin, windows_bin, flavour))

    native_run = run_native(native, RUN_SECONDS)
    minimal_run = run_native([minimal, str(RUN_SECONDS)], RUN_SECONDS + 30)
    snapshot = e2e.windows_path_on_host(SNAPSHOT)
    e2e.write_file(snapshot, e2e.bitmap_bytes(1024, 768, lambda x, y: (x % 256, y % 256, 128)))
    wine_run = run_measured([os.path.join(windows_bin, "VorlentaBench.exe")],
                            close_renderer_after(RUN_SECONDS))
    e2e.remove_file(snapshot)
    native_starts, minimal_starts = [], []
    for _ in range(STARTS):
        native_starts.append(run_native(native, 1.0)["first_swap_ms"])
        minimal_starts.append(run_native([minimal, "0.5"], 30)["first_swap_ms"])

    offered = "yes" if native_run.get("swap_control_offered") else "no"
    print("GLX swap control offered by this Mesa: %s (left off in these runs)" % offered)
    print("Frames per second at 1024x768 (unthrottled, %d s runs)" % RUN_SECONDS)
    print("  native, sphere phase (frames 1-400)      %8.1f" % native_run["sphere_phase_fps"])
    print("  native, whole run (%5d frames)          %8.1f" % (native_run["frames"],
                                                              native_run["fps"]))
    print("  Windows renderer under Wine, sphere phase %7.1f" % wine_run["sphere_phase_fps"])
    print("  Windows renderer under Wine, whole run   %8.1f" % wine_run["fps"])
    print("  minimal GLX program (clear + swap)       %8.1f" % minimal_run["fps"])
    print("  ratio native / Wine (sphere phase)       %8.3f"
          % (native_run["sphere_phase_fps"] / wine_run["sphere_phase_fps"]))
    print("  ratio native (sphere) / minimal GLX      %8.3f"
          % (native_run["sphere_phase_fps"] / minimal_run["fps"]))
    native_ms = statistics.median(native_starts)
    minimal_ms = statistics.median(minimal_starts)
    print("Process start to first swapped frame, median of %d (ms)" % STARTS)
    print("  native, grabbing the whole screen      %8.1f  %s" % (native_ms, native_starts))
    print("  minimal GLX program                      %8.1f  %s" % (minimal_ms, minimal_starts))
    print("  ratio native / minimal                   %8.2f" % (native_ms / minimal_ms))
    return 0


if __name__ == "__main__":
    sys.exit(main())
