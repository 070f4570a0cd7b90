"""Draws picture.bmp, the desktop the reference frames are made from: a blue desktop with a row
of icons, two windows with title bars and lines of "text", and a task bar. Every part is small
and sharp-edged, so that a texture read from the wrong place or a sphere turned one degree too
far moves many pixels by far more than rounding does.

    python3 tests/frames/make_picture.py tests/frames/picture.bmp"""

import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tools"))
from bitmaps import bitmap_bytes  # noqa: E402

WIDTH, HEIGHT = 320, 240
DESKTOP = (30, 110, 190)
TASK_BAR = (200, 200, 200)
WINDOWS = ((24, 30, 170, 120, (0, 0, 128)), (120, 100, 180, 110, (128, 0, 64)))


def in_box(x, y, left, top, width, height):
    return left <= x < left + width and top <= y < top + height


def window_colour(x, y, left, top, width, height, title):
    if y - top < 12:
        return (255, 255, 255) if (x - left) % 9 < 5 and 3 < y - top < 9 and x - left < 60 \
            else title
    row, column = (y - top - 12) // 6, x - left
    if (y - top - 12) % 6 < 3 and 4 < column < width - 4 - (row * 13) % 40:
        return ((row * 37) % 160, (row * 71 + column) % 200, 40) if column % 7 < 5 \
            else (250, 250, 245)
    return (250, 250, 245)


def colour_at(x, y):
    if y >= HEIGHT - 16:
        return (255, 220, 0) if x < 40 and y < HEIGHT - 3 else TASK_BAR
    for left, top, width, height, title in reversed(WINDOWS):
        if in_box(x, y, left, top, width, height):
            return window_colour(x, y, left, top, width, height, title)
    if x < 20 and y % 40 < 20:
        return ((y * 5) % 256, 255 - (y * 3) % 256, (x * 12) % 256)
    checker = ((x // 16) + (y // 16)) % 2
    return tuple(c + 12 * checker for c in DESKTOP)


if __name__ == "__main__":
    with open(sys.argv[1], "wb") as handle:
        handle.write(bitmap_bytes(WIDTH, HEIGHT, colour_at))
