"""The one way the tests wait: for the condition they mean (a window, a pixel, a file, a
process), polled until it holds or a deadline passes. A wait that gives up says what it waited
for, so a failure on a loaded machine reads as what did not come, not as a wrong value later.

    from waits import wait_for
    window = wait_for(lambda: find_window("Kessamiron_VC"), 20, "the renderer's window")

Shell scripts wait through the same loop, for a command to succeed:

    python3 tests/tools/waits.py SECONDS WHAT COMMAND [ARG...]

exits 0 once COMMAND has succeeded, or 1 with the message once SECONDS have passed."""

import subprocess
import sys
import time
from typing import Callable, TypeVar

Value = TypeVar("Value")

# Short beside anything a test waits for, long enough that polling leaves the machine to the
# programs under test.
POLL_INTERVAL = 0.05


class WaitTimeout(AssertionError):
    """What a test waited for did not come before its deadline."""


def wait_for(condition: Callable[[], Value], timeout: float, what: str) -> Value:
    """The first truthy value CONDITION returns within TIMEOUT seconds; past them, WaitTimeout
    says what was waited for. CONDITION is asked at least once, and once more at the deadline."""
    deadline = time.monotonic() + timeout
    while True:
        value = condition()
        if value:
            return value
        left = deadline - time.monotonic()
        if left <= 0:
            raise WaitTimeout("gave up after %g s waiting for %s" % (timeout, what))
        time.sleep(min(POLL_INTERVAL, left))  # the poll interval, the one fixed sleep a wait has


def command_succeeds(command) -> bool:
    return subprocess.run(command, stdin=subprocess.DEVNULL).returncode == 0


def main(argv) -> int:
    if len(argv) < 4:
        print("usage: waits.py SECONDS WHAT COMMAND [ARG...]", file=sys.stderr)
        return 2
    try:
        wait_for(lambda: command_succeeds(argv[3:]), float(argv[1]), argv[2])
    except WaitTimeout as timeout:
        print("%s: %s" % (argv[3], timeout), file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
