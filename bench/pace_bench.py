#!/usr/bin/env python3
"""Measures the show's pace, as shipped, over a whole cycle of the animation: the loop passes a
second, how long phase A (the sphere) and phase B (the burst) last, the spread of the intervals
between two buffer swaps, and the CPU seconds the program spends per minute of show.

    tests/tools/wine-env --flavour FLAVOUR python3 bench/pace_bench.py windows [BUILD]
    python3 bench/pace_bench.py linux BUILD

windows: BUILD/bin/Vorlenta.dll (default build/FLAVOUR) in its windowed fallback on the bare
Xvfb of wine-env, where no swap waits for a display. Wine's relay trace, with timestamps, of its
calls of SwapBuffers and glRotatef tells when each pass swapped and which phase it drew.
linux: BUILD/bin/vorlenta -window on a private Xvfb, at its default -delay, with
BUILD/lib/gl_call_log.so preloaded to note the same two calls. BUILD is a release build without
sanitizers (docs/benchmarks.md).

A pass that called glRotatef drew the sphere; a pass that swapped without it drew the burst.
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

from bitmaps import bitmap_bytes  # noqa: E402
from waits import wait_for  # noqa: E402

CYCLE_PASSES = 800
PICTURE = bitmap_bytes(1024, 768, lambda x, y: (x % 256, y % 256, 128))


def cpu_seconds(pid: int) -> float:
    """The user and system time of the process PID and all its threads so far."""
    with open("/proc/%d/stat" % pid) as handle:
        fields = handle.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")


def swaps_with_phases(calls):
    """(seconds, "A" or "B") for each swap of CALLS, a list of (seconds, "R" or "S")."""
    swaps, rotated = [], False
    for seconds, kind in calls:
        if kind == "R":
            rotated = True
        else:
            swaps.append((seconds, "A" if rotated else "B"))
            rotated = False
    return swaps


def whole_cycle(swaps):
    """The times of the swaps that start phase A, phase B and the next phase A, once the calls
    hold a whole cycle; else None. Swaps before the first sphere (a window shown black while the
    scene is set up) belong to no phase."""
    drawn = [index for index, (_, phase) in enumerate(swaps) if phase == "A"]
    swaps = swaps[drawn[0]:] if drawn else []
    starts = [swaps[0][0]] if swaps else []
    for (_, before), (seconds, phase) in zip(swaps, swaps[1:]):
        if phase != before:
            starts.append(seconds)
    return starts[:3] if len(starts) >= 3 else None


def report(name: str, swaps, cpu: float, shown: float) -> None:
    a, b, next_a = whole_cycle(swaps)
    in_cycle = [seconds for seconds, _ in swaps if a <= seconds <= next_a]
    gaps = sorted((later - earlier) * 1000 for earlier, later in zip(in_cycle, in_cycle[1:]))
    print(name)
    print("  loop passes a second        %7.1f" % ((len(in_cycle) - 1) / (next_a - a)))
    print("  phase A, phase B (s)        %7.2f %7.2f" % (b - a, next_a - b))
    print("  CPU seconds a minute of show %6.1f" % (cpu / shown * 60))
    print("  swap intervals (ms)          min %.1f  median %.1f  95%% %.1f  max %.1f"
          % (gaps[0], statistics.median(gaps), gaps[int(len(gaps) * 0.95)], gaps[-1]))


def measure(start, read_calls, pid_of, stop, deadline: float = 120):
    """Starts the program, waits for its first swap and then for a whole cycle, and returns its
    swaps with their phases, its CPU seconds and the seconds shown in between."""
    start()
    wait_for(lambda: swaps_with_phases(read_calls()), 60, "the first swap")
    pid = pid_of()
    cpu_before, shown_from = cpu_seconds(pid), time.monotonic()
    try:
        wait_for(lambda: whole_cycle(swaps_with_phases(read_calls())), deadline, "a whole cycle")
        cpu, shown = cpu_seconds(pid) - cpu_before, time.monotonic() - shown_from
    finally:
        stop()
    return swaps_with_phases(read_calls()), cpu, shown


def relay_trace_calls(path: str):
    """(seconds, kind) of the relayed calls in Wine's trace at PATH
    ("12.345:0118:011c:Call gdi32.SwapBuffers(...)")."""
    calls = []
    with open(path, errors="replace") as handle:
        for line in handle:
            if ":Call " not in line:
                continue
            kind = "S" if "gdi32.SwapBuffers" in line else "R" if "glRotatef" in line else None
            if kind:
                calls.append((float(line.split(":", 1)[0]), kind))
    return calls


def measure_windows(build: str) -> None:
    import e2e_support as e2e  # noqa: E402  (needs the wine-env environment)

    flavour = os.environ["VORLENTA_FLAVOUR"]
    build = os.path.abspath(build or os.path.join(ROOT, "build", flavour))
    renderer = os.path.join(build, "bin", "Vorlenta.dll")
    os.environ.setdefault("VORLENTA_WINDOW_PROBE", os.path.join(build, "bin", "window_probe.exe"))
    debug_key = "HKCU\\Software\\Wine\\Debug"
    subprocess.run(["wine", "reg", "add", debug_key, "/v", "RelayInclude", "/d",
                    "gdi32.SwapBuffers;opengl32.glRotatef", "/f"], stdin=subprocess.DEVNULL,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=True)
    snapshot = e2e.windows_path_on_host("C:\\r_vask\\Kessamiron.bmp")
    e2e.write_file(snapshot, PICTURE)
    with tempfile.NamedTemporaryFile("w+", suffix=".trace") as trace:
        env = dict(os.environ, WINEDEBUG="+timestamp,+relay")
        processes = []

        def start():
            processes.append(subprocess.Popen(["wine", renderer], stdin=subprocess.DEVNULL,
                                              stdout=subprocess.DEVNULL, stderr=trace, env=env,
                                              start_new_session=True))

        def stop():
            e2e.close_window("Kessamiron_VC")
            processes[0].wait(timeout=30)

        swaps, cpu, shown = measure(start, lambda: relay_trace_calls(trace.name),
                                    lambda: e2e.wine_processes("Vorlenta.dll")[0], stop)
    e2e.remove_file(snapshot)
    report("%s under Wine, 1024x768 window on Xvfb (no vsync): %s" % (flavour, renderer), swaps,
           cpu, shown)


def logged_calls(path: str):
    with open(path) as handle:
        return [(float(line[2:]), line[0]) for line in handle if line[1:2] == " "]


def measure_linux(build: str) -> None:
    from x_display import start_xvfb  # noqa: E402

    build = os.path.abspath(build)
    program = os.path.join(build, "bin", "vorlenta")
    server, display = start_xvfb()
    with tempfile.NamedTemporaryFile(suffix=".calls") as calls:
        env = dict(os.environ, DISPLAY=display, VORLENTA_GL_CALL_LOG=calls.name,
                   LD_PRELOAD=os.path.join(build, "lib", "gl_call_log.so"))
        env.pop("XSCREENSAVER_WINDOW", None)
        processes = []

        def start():
            processes.append(subprocess.Popen([program, "-window"], env=env,
                                              stdin=subprocess.DEVNULL))

        def stop():
            processes[0].terminate()
            processes[0].wait(timeout=30)

        try:
            swaps, cpu, shown = measure(start, lambda: logged_calls(calls.name),
                                        lambda: processes[0].pid, stop)
        finally:
            server.terminate()
            server.wait(timeout=10)
    report("Linux program, -window 1024x768 on Xvfb + llvmpipe: %s" % program, swaps, cpu, shown)


def main(argv) -> int:
    if len(argv) < 2 or argv[1] not in ("windows", "linux"):
        print(__doc__)
        return 2
    build = argv[2] if len(argv) > 2 else ""
    (measure_windows if argv[1] == "windows" else measure_linux)(build)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
