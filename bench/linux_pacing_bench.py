#!/usr/bin/env python3
"""Measures, in one run, what the Linux program's pacing and frame rendering cost:

  - `-window` for 10 s at its default pace beside `-window -delay 0` for the same 10 s, on a
    private Xvfb with Mesa's llvmpipe: frames, frames per second and the CPU seconds the process
    used (its own and its rendering threads');
  - the peak memory of `--frame 0` and `--frame 4000` (GNU time's maximum resident set).

    python3 bench/linux_pacing_bench.py BUILD [SECONDS]

BUILD holds bin/vorlenta_bench (the program with timing hooks) and bin/vorlenta; a release
build without sanitizers gives the fair figures (see the README's Benchmarks)."""

import os
import re
import signal
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests",
                                "tools"))

from bitmaps import bitmap_bytes  # noqa: E402
from x_display import start_xvfb  # noqa: E402


def run_for(command, seconds: float, env: dict) -> dict:
    """Runs COMMAND for SECONDS, ends it with SIGTERM as XScreenSaver does, and returns the
    figures it printed with its CPU seconds."""
    with tempfile.TemporaryFile("w+") as errors:
        process = subprocess.Popen(command, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                                   stderr=errors, env=env)
        time.sleep(seconds)  # the run that is measured
        process.send_signal(signal.SIGTERM)
        _, _, usage = os.wait4(process.pid, 0)
        errors.seek(0)
        figures = dict(line.strip().split("=", 1) for line in errors if "=" in line)
    figures = {key: float(value) for key, value in figures.items()}
    figures["cpu_seconds"] = usage.ru_utime + usage.ru_stime
    return figures


def picture(path: str) -> None:
    with open(path, "wb") as handle:
        handle.write(bitmap_bytes(64, 48, lambda x, y: (230, 120, 30)))


def peak_kilobytes(program: str, frame: int, folder: str) -> int:
    source = os.path.join(folder, "picture.bmp")
    result = subprocess.run(["/usr/bin/time", "-v", program, "--frame", str(frame), "--picture",
                             source, "--out", os.path.join(folder, "frame.png")],
                            stderr=subprocess.PIPE, text=True, check=True)
    return int(re.search(r"Maximum resident set size \(kbytes\): (\d+)", result.stderr).group(1))


def main() -> int:
    build_bin = os.path.join(os.path.abspath(sys.argv[1]), "bin")
    seconds = float(sys.argv[2]) if len(sys.argv) > 2 else 10.0
    server, display = start_xvfb()
    try:
        env = dict(os.environ, DISPLAY=display)
        env.pop("XSCREENSAVER_WINDOW", None)
        bench = os.path.join(build_bin, "vorlenta_bench")
        paced = run_for([bench, "-window"], seconds, env)
        unthrottled = run_for([bench, "-window", "-delay", "0"], seconds, env)
    finally:
        server.terminate()
        server.wait(timeout=10)
    with tempfile.TemporaryDirectory() as folder:
        picture(os.path.join(folder, "picture.bmp"))
        program = os.path.join(build_bin, "vorlenta")
        memory = {frame: peak_kilobytes(program, frame, folder) for frame in (0, 4000)}

    print("vorlenta -window for %.0f s on Xvfb + llvmpipe, 1024x768 (%s)" % (seconds, build_bin))
    print("                        frames   frames/s   CPU s")
    for name, run in (("default pace", paced), ("-delay 0", unthrottled)):
        print("  %-18s %9.0f %10.1f %7.2f" % (name, run["frames"], run["fps"],
                                              run["cpu_seconds"]))
    print("  sphere phase (frames 1-401), default pace: %.1f frames/s" % paced["sphere_phase_fps"])
    print("  CPU seconds, default pace / -delay 0: %.2f" %
          (paced["cpu_seconds"] / unthrottled["cpu_seconds"]))
    print("Peak memory of --frame N (maximum resident set, /usr/bin/time -v)")
    for frame, kilobytes in memory.items():
        print("  --frame %-5d %8.1f MB" % (frame, kilobytes / 1024))
    print("  ratio N=4000 / N=0: %.2f" % (memory[4000] / memory[0]))
    return 0


if __name__ == "__main__":
    sys.exit(main())
