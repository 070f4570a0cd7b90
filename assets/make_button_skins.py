#!/usr/bin/env python3
"""Draws the push button's skin pictures, one for each look of the button, each 64 x 25:

    button_normal.bmp      resting
    button_highlight.bmp   under the pointer, with or without the focus
    button_selected.bmp    holding the focus
    button_pressed.bmp     held down
    button_disable.bmp     disabled

The button only ever shows a 4-pixel frame of a picture: the four 4 x 4 corners as they are,
the top and bottom strips stretched sideways and the side strips stretched up and down. So the
rounding is kept inside the corners, every row of a top or bottom strip is one colour, and the
middle of each picture is filled only so that it looks like a button when opened on its own.

Deterministic: the same script always gives the same bytes, so the committed pictures can be
checked against it.

    python3 assets/make_button_skins.py [OUTPUT_FOLDER]
"""
import os
import sys

from drawing import RoundedRect, bmp_bytes, flat, rgb

WIDTH = 64
HEIGHT = 25
MID_ROW = HEIGHT // 2

# Each pixel is split into SUBSAMPLES x SUBSAMPLES points to find how much of it a rounded
# edge covers. The points sit symmetrically inside the pixel, so left and right corners come
# out as exact mirror images.
SUBSAMPLES = 16


def blend(a, b, t):
    t = max(0.0, min(1.0, t))
    return tuple(int(round(x + (y - x) * t)) for x, y in zip(a, b))


def shade(top_row, top_colour, bottom_row, bottom_colour, row):
    return blend(top_colour, bottom_colour, (row - top_row) / float(bottom_row - top_row))


FACE = rgb("ECE9D8")  # the dialog face the buttons sit on
DARK_BLUE = rgb("003C74")
HALO_TOP = rgb("E0DCC9")
HALO_BOTTOM = rgb("F8F7F0")


class Layer:
    """A shape and what colour it paints at each pixel. Colours are taken per pixel, not per
    sample point, so a fully covered pixel gets its colour exactly."""

    def __init__(self, shape, colour_at):
        self.shape = shape
        self.colour_at = colour_at


def vertical(top_row, top_colour, bottom_row, bottom_colour):
    return lambda x, y: shade(top_row, top_colour, bottom_row, bottom_colour, y)


class Ring:
    """The 2-pixel band just inside the border that gives a look its colour. Each side holds
    two colours, the first next to the border. The sides shade from the top colours through
    their own mid-height colours to the bottom colours, and meet the top and bottom on the
    corner diagonals so that no seam shows."""

    def __init__(self, top, bottom, left, right, first=2):
        self.top, self.bottom, self.left, self.right = top, bottom, left, right
        self.first = first
        self.last_row = HEIGHT - 1 - first
        self.last_column = WIDTH - 1 - first

    def side(self, mids, depth, y):
        top_row = self.first + depth
        bottom_row = self.last_row - depth
        if y <= MID_ROW:
            return shade(top_row, self.top[depth], MID_ROW, mids[depth], y)
        return shade(MID_ROW, mids[depth], bottom_row, self.bottom[depth], y)

    def __call__(self, x, y):
        depths = {
            "top": y - self.first,
            "bottom": self.last_row - y,
            "left": x - self.first,
            "right": self.last_column - x,
        }
        nearest = min(depths.values())
        depth = max(0, min(1, nearest))
        # On a corner diagonal top (or bottom) and side agree, so either may answer.
        if depths["top"] == nearest:
            return self.top[depth]
        if depths["bottom"] == nearest:
            return self.bottom[depth]
        if depths["left"] == nearest:
            return self.side(self.left, depth, y)
        return self.side(self.right, depth, y)


class Picture:
    def __init__(self, background, layers):
        self.background = background
        self.layers = layers  # bottom first

    def pixel(self, x, y):
        counts = [0] * len(self.layers)
        uncovered = 0
        for j in range(SUBSAMPLES):
            py = y + (j + 0.5) / SUBSAMPLES
            for i in range(SUBSAMPLES):
                px = x + (i + 0.5) / SUBSAMPLES
                for index in reversed(range(len(self.layers))):
                    if self.layers[index].shape.contains(px, py):
                        counts[index] += 1
                        break
                else:
                    uncovered += 1
        total = SUBSAMPLES * SUBSAMPLES
        sums = [c * uncovered for c in self.background]
        for layer, count in zip(self.layers, counts):
            if count:
                colour = layer.colour_at(x, y)
                sums = [s + c * count for s, c in zip(sums, colour)]
        return tuple((2 * s + total) // (2 * total) for s in sums)

    def rows_bottom_up_bgr(self):
        for y in reversed(range(HEIGHT)):
            row = bytearray()
            for x in range(WIDTH):
                r, g, b = self.pixel(x, y)
                row += bytes((b, g, r))
            yield row


# All the rounded shapes share the corner centres (4, 4), (60, 4), (4, 21) and (60, 21), so the
# halo, border and ring stay evenly thick round the bend and no curve reaches past a corner.
def inset(pixels, radius):
    return RoundedRect(pixels, pixels, WIDTH - pixels, HEIGHT - pixels, radius)


def raised(ring):
    """Normal, highlighted and selected: a light halo, the dark blue border, the look's ring
    and a pale face in the middle."""
    face = vertical(4, rgb("FCFCFA"), HEIGHT - 5, FACE)
    return Picture(FACE, [
        Layer(inset(0, 4), vertical(0, HALO_TOP, HEIGHT - 1, HALO_BOTTOM)),
        Layer(inset(1, 3), flat(DARK_BLUE)),
        Layer(inset(2, 2), ring),
        Layer(inset(4, 0), face),
    ])


def normal():
    return raised(Ring(top=(rgb("F3F3EE"), rgb("F3F3EE")),
                       bottom=(rgb("D6D0C5"), rgb("E2DFD6")),
                       left=(rgb("F4F4F0"), rgb("F4F4F0")),
                       right=(rgb("E8E5DF"), rgb("EEEDE7"))))


def highlight():
    sides = (rgb("FCCA69"), rgb("FBCA6A"))
    return raised(Ring(top=(rgb("FFF0CF"), rgb("FDD889")),
                       bottom=(rgb("E59700"), rgb("F8B330")),
                       left=sides, right=sides))


def selected():
    sides = (rgb("A9C5EF"), rgb("A9C5EF"))
    return raised(Ring(top=(rgb("CEE7FF"), rgb("CEE7FF")),
                       bottom=(rgb("6982EE"), rgb("6982EE")),
                       left=sides, right=sides))


def pressed():
    """Held down: the button sinks in by a pixel all round and its shading turns over, dark at
    the top and light at the bottom. The corners are rounded a little tighter than the raised
    looks so that the curves still end inside the 4 x 4 corners."""
    return Picture(FACE, [
        Layer(inset(1, 3), vertical(1, HALO_TOP, HEIGHT - 2, HALO_BOTTOM)),
        Layer(inset(2, 2), flat(DARK_BLUE)),
        Layer(inset(3, 1), vertical(3, rgb("D1CCC1"), HEIGHT - 4, rgb("F2F1EE"))),
    ])


def disable():
    return Picture(FACE, [
        Layer(inset(1, 3), flat(rgb("C9C7BA"))),
        Layer(inset(2, 2), flat(rgb("F5F4EA"))),
    ])


PICTURES = [
    ("button_normal.bmp", normal),
    ("button_highlight.bmp", highlight),
    ("button_selected.bmp", selected),
    ("button_pressed.bmp", pressed),
    ("button_disable.bmp", disable),
]


def main():
    out_dir = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__))
    for name, draw in PICTURES:
        with open(os.path.join(out_dir, name), "wb") as f:
            f.write(bmp_bytes(WIDTH, HEIGHT, draw().rows_bottom_up_bgr()))


if __name__ == "__main__":
    main()
