"""Memory of the screen saver's settings dialog and of its push button over time, watched from
outside with ps: the dialog through a minute of hovering and clicking, the button through
fifty thousand painted faces. Prints figures; a flat line is what we want to see.

    tests/tools/wine-env --flavour win64 python3 bench/saver_memory_bench.py build/win64

(win32 and build/win32 where 32-bit programs run.)"""

import os
import subprocess
import sys
import tempfile
import time

TESTS = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests")
sys.path.insert(0, os.path.join(TESTS, "e2e"))
sys.path.insert(0, os.path.join(TESTS, "tools"))

import e2e_support as e2e  # noqa: E402
import saver_e2e as s  # noqa: E402
from saver_dialog_test import CMD_CAN, CMD_FILE, CMD_SET, OPTION_ROWS, PANEL, painted_dialog  # noqa: E402

COMMAND_HOST_TITLE = "Vorlenta command host"
COMMAND_HOST_IMAGE = "command_host.exe"


def use_build(build: str) -> None:
    programs = {"SAVER": "Vorlenta.scr", "COMMAND_HOST": "command_host.exe",
                "WINDOW_PROBE": "window_probe.exe"}
    for name, file in programs.items():
        os.environ["VORLENTA_" + name] = os.path.join(build, "bin", file)


def click(point, button: int = 1) -> None:
    subprocess.run(["xdotool", "mousemove", str(point[0]), str(point[1]), "click", str(button)],
                   check=True)


def dialog_minute() -> None:
    s.write_settings(1, 3)
    dialog = s.start_saver("/c")
    try:
        window = painted_dialog()

        def at(x, y):
            return window.client_x + x, window.client_y + y

        hover = [at(CMD_SET[0] + 30, CMD_SET[1] + 12), at(CMD_CAN[0] + 30, CMD_CAN[1] + 12),
                 at(200, 232)]
        # The last option chosen is kind 1, so that the file button stays disabled when clicked.
        options = [at(PANEL[0] + 44 + 8, PANEL[1] + OPTION_ROWS[kind] + 6) for kind in (0, 2, 1)]
        file_button = at(PANEL[0] + CMD_FILE[0] + 20, PANEL[1] + CMD_FILE[1] + 10)

        def work(seconds: float) -> None:
            deadline = time.monotonic() + seconds
            while time.monotonic() < deadline:
                for point in hover:
                    subprocess.run(["xdotool", "mousemove", *map(str, point)], check=True)
                    time.sleep(0.15)  # a hand's pace, which the figure is for
                for point in options:
                    click(point, button=1 if point != options[1] else 3)
                click(file_button)
                time.sleep(0.1)  # a hand's pace

        work(5)
        first = e2e.resident_kib(s.SAVER_IMAGE)
        work(60)
        if not dialog.running():
            print("settings dialog: it closed during the minute (a click went astray)")
            return
        last = e2e.resident_kib(s.SAVER_IMAGE)
        print("settings dialog, resident memory (KiB): %d after 5 s of hovering and clicking, "
              "%d after a further minute (%+d)" % (first, last, last - first))
    finally:
        dialog.kill()
        e2e.remove_file(s.settings_path())


def button_faces(count: int = 50000) -> None:
    handle, log = tempfile.mkstemp(prefix="vorlenta-churn-", suffix=".log")
    os.close(handle)
    host = e2e.start_program(e2e.program_path("COMMAND_HOST"), "Z:" + log, "--churn", str(count))
    samples = {}
    try:
        def sample_at_reports() -> bool:
            with open(log) as report:
                lines = [line.strip() for line in report]
            for line in lines:
                if line.startswith("churned ") and line not in samples:
                    samples[line] = e2e.resident_kib(COMMAND_HOST_IMAGE)
            return "churn done" in lines

        if not e2e.poll_until(sample_at_reports, 240):
            print("push button: the churn did not end")
            return
        first, last = samples["churned 10000"], samples["churned %d" % count]
        print("push button, resident memory (KiB): %d after 10000 faces, %d after %d (%+d)"
              % (first, last, count, last - first))
    finally:
        host.kill()
        os.remove(log)


def main() -> None:
    use_build(sys.argv[1] if len(sys.argv) > 1 else "build/win64")
    dialog_minute()
    button_faces()


if __name__ == "__main__":
    main()
