"""Pictures judged against the reference frames kept in tests/frames/: equal within the
tolerance written beside them (tests/frames/tolerance.txt), and where they are not, a
difference image left in the build folder.

    check_frame(png, reference, difference)  raises FrameMismatch, which says by how much

    python3 tests/tools/frames.py PNG REFERENCE   prints how far PNG lies from REFERENCE"""

import os
import subprocess
import sys
from dataclasses import dataclass
from typing import Dict, Tuple

FRAMES = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "frames")


class FrameMismatch(AssertionError):
    """A frame lies further from its reference than the tolerance allows."""


@dataclass
class Tolerance:
    levels: int  # a channel may differ by this much anywhere
    share: float  # the share of pixels that may differ by more than that


@dataclass
class Difference:
    width: int
    height: int
    widest: int  # the largest difference of one channel
    beyond: int  # pixels with a channel further apart than the tolerance's levels
    unequal: int  # pixels that differ at all

    def __str__(self) -> str:
        pixels = self.width * self.height
        return "%d of %d pixels differ, %d (%.3f %%) by more than the tolerance, the most by %d" \
            % (self.unequal, pixels, self.beyond, 100.0 * self.beyond / pixels, self.widest)


def read_tolerance(path: str = os.path.join(FRAMES, "tolerance.txt")) -> Tolerance:
    values: Dict[str, str] = {}
    with open(path) as handle:
        for line in handle:
            key, equals, value = line.partition("#")[0].partition("=")
            if equals:
                values[key.strip()] = value.strip()
    return Tolerance(int(values["levels"]), float(values["share"]))


def rgb_pixels(png: str) -> Tuple[int, int, bytes]:
    """A picture file's size and its pixels as 8-bit red, green, blue, top row first."""
    size = subprocess.run(["identify", "-format", "%w %h", png], stdout=subprocess.PIPE,
                          text=True, check=True).stdout.split()
    pixels = subprocess.run(["convert", png, "-depth", "8", "rgb:-"], stdout=subprocess.PIPE,
                            check=True).stdout
    return int(size[0]), int(size[1]), pixels


def measure(png: str, reference: str, levels: int) -> Tuple[Difference, bytes]:
    """How far PNG lies from REFERENCE, and a picture of where: black where they agree, grey
    where they differ within LEVELS, red beyond."""
    width, height, ours = rgb_pixels(png)
    ref_width, ref_height, theirs = rgb_pixels(reference)
    if (width, height) != (ref_width, ref_height):
        raise FrameMismatch("%s is %d x %d, its reference %d x %d"
                            % (png, width, height, ref_width, ref_height))
    apart = [abs(a - b) for a, b in zip(ours, theirs)]
    shown = bytearray(len(apart))
    widest = beyond = unequal = 0
    for i in range(0, len(apart), 3):
        most = max(apart[i], apart[i + 1], apart[i + 2])
        if most:
            unequal += 1
            widest = max(widest, most)
            shown[i:i + 3] = b"\xff\x00\x00" if most > levels else b"\x80\x80\x80"
            beyond += most > levels
    return Difference(width, height, widest, beyond, unequal), bytes(shown)


def write_rgb_png(path: str, width: int, height: int, pixels: bytes) -> None:
    os.makedirs(os.path.dirname(path), exist_ok=True)
    subprocess.run(["convert", "-size", "%dx%d" % (width, height), "-depth", "8", "rgb:-", path],
                   input=pixels, check=True)


def check_frame(png: str, reference: str, difference_png: str) -> Difference:
    """The difference of PNG from REFERENCE when it is within the tolerance; otherwise the
    difference image is written to DIFFERENCE_PNG and FrameMismatch says how far apart they are."""
    tolerance = read_tolerance()
    difference, shown = measure(png, reference, tolerance.levels)
    if difference.beyond > tolerance.share * difference.width * difference.height:
        write_rgb_png(difference_png, difference.width, difference.height, shown)
        raise FrameMismatch("%s against %s: %s; where: %s"
                            % (png, reference, difference, difference_png))
    return difference


if __name__ == "__main__":
    print(measure(sys.argv[1], sys.argv[2], read_tolerance().levels)[0])
