#!/usr/bin/env python3
"""Measures the Linux program's Wayland shell as shipped, for a minute in a headless sway with
the pixman renderer and no input devices (tests/tools/wayland_session.py): its resident memory
every ten seconds and its growth, and over the first whole cycle of the animation the loop passes
a second, the length of phase A and of phase B, the spread of the intervals between swaps and its
CPU seconds per minute of show (its GL calls noted by BUILD/lib/gl_call_log.so preloaded).

    python3 bench/wayland_bench.py BUILD [SECONDS]

BUILD is a release build without sanitizers (docs/benchmarks.md); SECONDS defaults to 60."""

import os
import subprocess
import sys
import tempfile
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, os.path.join(ROOT, "tests", "tools"))
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from pace_bench import cpu_seconds, logged_calls, report, swaps_with_phases  # noqa: E402
from wayland_session import WaylandSession  # noqa: E402

SAMPLE_SECONDS = 10


def resident_kilobytes(pid: int) -> int:
    with open("/proc/%d/status" % pid) as status:
        return next(int(line.split()[1]) for line in status if line.startswith("VmRSS:"))


def main(argv) -> int:
    build = os.path.abspath(argv[1])
    seconds = float(argv[2]) if len(argv) > 2 else 60.0
    program = os.path.join(build, "bin", "vorlenta")
    with WaylandSession("sway", config=["output * bg #3a6ea5 solid_color"]) as session, \
            tempfile.NamedTemporaryFile(suffix=".calls") as calls:
        env = dict(session.env, VORLENTA_GL_CALL_LOG=calls.name,
                   LD_PRELOAD=os.path.join(build, "lib", "gl_call_log.so"))
        show = subprocess.Popen([program], env=env, stdin=subprocess.DEVNULL)
        started = time.monotonic()
        samples = []
        while time.monotonic() - started < seconds:
            time.sleep(SAMPLE_SECONDS)  # the sampling interval is the point, not a wait
            samples.append((time.monotonic() - started, resident_kilobytes(show.pid)))
        cpu, shown = cpu_seconds(show.pid), time.monotonic() - started
        show.terminate()
        show.wait(timeout=30)
        swaps = swaps_with_phases(logged_calls(calls.name))
    report("Linux program on a headless sway (Wayland), 1280x720: %s" % program, swaps, cpu, shown)
    print("  resident memory (MB) every %d s: %s" % (SAMPLE_SECONDS, " ".join(
        "%.1f" % (kb / 1024) for _, kb in samples)))
    (first_t, first), (last_t, last) = samples[0], samples[-1]
    print("  growth from %.0f s to %.0f s: %+.2f MB (%+.2f MB a minute)"
          % (first_t, last_t, (last - first) / 1024, (last - first) / 1024 * 60 / (last_t - first_t)))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
