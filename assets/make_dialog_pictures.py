#!/usr/bin/env python3
"""Draws the settings dialog's pictures:

    dialog.ico         the dialog's own icon, 32 x 32 and 16 x 16: a note on a dark blue tile
    option_off.bmp     the 12 x 12 option mark, not chosen
    option_on.bmp      the 12 x 12 option mark, chosen
    panel_strip.bmp    the 556 x 20 strip the settings panel is tiled with
    link.cur           the 32 x 32 pointing hand shown over the link, hot spot (12, 10)

The option marks are drawn straight onto the panel with no transparency, so their rounded
edges are blended into the panel's own grey rather than left see-through. The strip is laid
down in columns of strips stacked on one another, so it has to meet itself seamlessly from its
last row to its first; its sideways shading also comes round to where it started, so a panel
wider than one strip would not show a seam either.

Deterministic: the same script always gives the same bytes, so the committed pictures can be
checked against it.

    python3 assets/make_dialog_pictures.py [OUTPUT_FOLDER]
"""
import math
import os
import sys

import drawing
from drawing import RoundedRect, flat, rgb

# Each pixel is split into SUBSAMPLES x SUBSAMPLES points to find how much of it a shape
# covers. The points sit symmetrically inside the pixel, so mirrored shapes come out as exact
# mirror images.
SUBSAMPLES = 16


def blend(a, b, t):
    t = max(0.0, min(1.0, t))
    return tuple(x + (y - x) * t for x, y in zip(a, b))


def to_byte(value):
    # Rounds halves upwards rather than to even, so the result never hangs on float quirks
    # of one Python or another.
    return max(0, min(255, int(math.floor(value + 0.5))))


# The push buttons' colours, so the dialog's pictures read as one family with them.
DARK_BLUE = rgb("003C74")
FOCUS_LIGHT = rgb("CEE7FF")
FOCUS_DARK = rgb("6982EE")
HOVER_LIGHT = rgb("FCCA69")
PANEL_GREY = (224, 224, 224)
OPTION_GREEN = rgb("21A121")


# Shapes answer whether a point (in pixel-edge coordinates, y downwards) lies inside them.

class Disc:
    def __init__(self, cx, cy, radius):
        self.cx, self.cy, self.radius = cx, cy, radius

    def contains(self, px, py):
        return (px - self.cx) ** 2 + (py - self.cy) ** 2 <= self.radius ** 2


class Ellipse:
    """An ellipse turned by angle degrees (positive turns clockwise on screen)."""

    def __init__(self, cx, cy, rx, ry, angle):
        self.cx, self.cy, self.rx, self.ry = cx, cy, rx, ry
        self.cos = math.cos(math.radians(angle))
        self.sin = math.sin(math.radians(angle))

    def contains(self, px, py):
        dx, dy = px - self.cx, py - self.cy
        u = dx * self.cos + dy * self.sin
        v = -dx * self.sin + dy * self.cos
        return (u / self.rx) ** 2 + (v / self.ry) ** 2 <= 1.0


class Polygon:
    def __init__(self, points):
        self.points = points

    def contains(self, px, py):
        inside = False
        count = len(self.points)
        for i in range(count):
            x1, y1 = self.points[i]
            x2, y2 = self.points[(i + 1) % count]
            if (y1 > py) != (y2 > py):
                if px < x1 + (py - y1) * (x2 - x1) / (y2 - y1):
                    inside = not inside
        return inside


class Union:
    def __init__(self, *shapes):
        self.shapes = shapes

    def contains(self, px, py):
        return any(s.contains(px, py) for s in self.shapes)


class Shifted:
    def __init__(self, shape, dx, dy):
        self.shape, self.dx, self.dy = shape, dx, dy

    def contains(self, px, py):
        return self.shape.contains(px - self.dx, py - self.dy)


def coverage(shape, x, y):
    inside = 0
    for j in range(SUBSAMPLES):
        py = y + (j + 0.5) / SUBSAMPLES
        for i in range(SUBSAMPLES):
            if shape.contains(x + (i + 0.5) / SUBSAMPLES, py):
                inside += 1
    return inside / float(SUBSAMPLES * SUBSAMPLES)


class Canvas:
    """Straight (not premultiplied) colour with alpha, painted with shapes from the bottom
    up. A picture that starts opaque stays opaque, so the same canvas serves the bitmaps and
    the icons."""

    def __init__(self, width, height, background=(0, 0, 0), alpha=1.0):
        self.width = width
        self.height = height
        self.pixels = [[(background, alpha) for _ in range(width)] for _ in range(height)]

    def set(self, x, y, colour, alpha=1.0):
        self.pixels[y][x] = (colour, alpha)

    def paint(self, shape, colour_at, opacity=1.0):
        for y in range(self.height):
            for x in range(self.width):
                cover = coverage(shape, x, y) * opacity
                if cover > 0.0:
                    self.over(x, y, colour_at(x, y), cover)

    def over(self, x, y, colour, alpha):
        below, below_alpha = self.pixels[y][x]
        out_alpha = alpha + below_alpha * (1.0 - alpha)
        if out_alpha <= 0.0:
            return
        mixed = tuple((c * alpha + b * below_alpha * (1.0 - alpha)) / out_alpha
                      for c, b in zip(colour, below))
        self.pixels[y][x] = (mixed, out_alpha)

    def rows_bottom_up(self):
        """Each row as (B, G, R, A) bytes per pixel, bottom row first, as bitmaps store
        them. A fully clear pixel is written black so that the mask alone decides it."""
        for y in reversed(range(self.height)):
            row = []
            for colour, alpha in self.pixels[y]:
                a = to_byte(alpha * 255.0)
                if a == 0:
                    row.append((0, 0, 0, 0))
                else:
                    r, g, b = (to_byte(c) for c in colour)
                    row.append((b, g, r, a))
            yield row


def vertical(top_y, top_colour, bottom_y, bottom_colour):
    return lambda x, y: blend(top_colour, bottom_colour,
                              (y + 0.5 - top_y) / float(bottom_y - top_y))


def diagonal(start, start_colour, end, end_colour):
    """Shades along the line from start to end (both points), lighting one corner."""
    (sx, sy), (ex, ey) = start, end
    length2 = (ex - sx) ** 2 + (ey - sy) ** 2

    def colour_at(x, y):
        t = ((x + 0.5 - sx) * (ex - sx) + (y + 0.5 - sy) * (ey - sy)) / length2
        return blend(start_colour, end_colour, t)
    return colour_at


# Files.

def bmp_bytes(canvas):
    rows = (b"".join(bytes(pixel[:3]) for pixel in row) for row in canvas.rows_bottom_up())
    return drawing.bmp_bytes(canvas.width, canvas.height, rows)


def ico_bytes(canvases):
    return drawing.ico_bytes([(c.width, c.height, c.rows_bottom_up()) for c in canvases])


def cur_bytes(canvas, hot_x, hot_y):
    return drawing.cur_bytes(canvas.width, canvas.height, canvas.rows_bottom_up(), hot_x, hot_y)


# The dialog's icon: the program icon's blue, gathered into a tile like the buttons' dark blue
# border, with a note on it since the dialog is mostly about the music. A few bright flecks
# from the burst keep it recognisably the same program.

class Note:
    """An eighth note in one icon's own pixels. Each size is laid out by hand rather than
    scaled, so that the stem lands on whole pixels and the flag stays thick enough to read."""

    def __init__(self, stem, head, flag):
        left, top, right, bottom = stem
        self.stem = Polygon([(left, top), (right, top), (right, bottom), (left, bottom)])
        self.head = Ellipse(*head)
        self.flag = Polygon(flag)

    def shape(self, dx=0.0, dy=0.0):
        return Union(*(Shifted(piece, dx, dy) for piece in (self.stem, self.head, self.flag)))


NOTES = {
    32: Note(stem=(16, 7, 18, 23), head=(13.2, 23.0, 4.9, 3.4, -22),
             flag=[(18, 7), (20.5, 9.5), (23.5, 12), (25, 15.5), (24.2, 19.5), (23.0, 19.2),
                   (23.4, 16.2), (22, 13.8), (18, 12.2)]),
    16: Note(stem=(8, 3, 9, 11.5), head=(6.6, 11.4, 2.6, 1.85, -22),
             flag=[(9, 3), (10.6, 4.6), (12.2, 6.4), (12.6, 8.4), (12.1, 10.2), (11.3, 10.0),
                   (11.4, 8.4), (10.6, 7.0), (9, 6.2)]),
}


def draw_dialog_icon(size):
    s = size / 32.0
    canvas = Canvas(size, size, alpha=0.0)
    # At 16 pixels the tile fills the whole image: half a pixel of margin would only leave
    # a grey, half-clear rim.
    margin = 1 if size >= 32 else 0
    tile = RoundedRect(margin, margin, size - margin, size - margin, 6 * s)
    canvas.paint(tile, flat(DARK_BLUE))
    # A lighter inner face, lit from the top like the program icon's sphere.
    face = RoundedRect(margin + 1, margin + 1, size - margin - 1, size - margin - 1, 6 * s - 1)
    canvas.paint(face, vertical(margin + 1, (58, 120, 220), size - margin - 1, rgb("0A4C8E")))
    if size >= 32:
        # A soft gloss on the upper half; at 16 pixels it only muddies the note.
        gloss = RoundedRect(3, 3, 29, 15, 4)
        canvas.paint(gloss, vertical(3, (255, 255, 255), 15, (170, 210, 255)), opacity=0.22)
    note = NOTES[size]
    # A faint shadow lifts the note off the tile.
    canvas.paint(note.shape(0.8 * s, 0.8 * s), flat(rgb("002850")), opacity=0.6)
    canvas.paint(note.shape(), flat((255, 255, 255)))
    flecks = [((6, 7), rgb("FFDC78")), ((9, 4), rgb("78D2FF")), ((26, 25), rgb("FFAA5A"))]
    if size >= 32:
        for (x, y), colour in flecks:
            canvas.paint(RoundedRect(x, y, x + 2, y + 2, 0.6), flat(colour))
    else:
        for (x, y), colour in flecks[:2]:
            canvas.set(x // 2, y // 2, colour)
    return canvas


# The option marks.

OPTION_SIZE = 12


def draw_option(chosen):
    c = OPTION_SIZE / 2.0
    canvas = Canvas(OPTION_SIZE, OPTION_SIZE, background=PANEL_GREY)
    canvas.paint(Disc(c, c, 5.95), flat(DARK_BLUE))
    # Slightly shaded inside, darker at the top left, like the buttons' face turned inward.
    canvas.paint(Disc(c, c, 4.85), diagonal((2, 2), rgb("E6E5DC"), (9, 9), (255, 255, 255)))
    if chosen:
        canvas.paint(Disc(c, c, 2.6), diagonal((4, 4), rgb("5CD45C"), (8, 8), rgb("1A8A1A")))
    return canvas


# The panel strip.

STRIP_WIDTH = 556
STRIP_HEIGHT = 20


def draw_strip():
    """Fine horizontal lines on every other row, so a whole number of them fills the strip's
    height and it meets itself top to bottom, over a wide soft sheen that brightens the left
    of the panel, where the option rows sit, and falls off gently to the right. The lines
    swing only three levels and the sheen a few more, so the panel stays the plain light grey
    black text needs."""
    canvas = Canvas(STRIP_WIDTH, STRIP_HEIGHT, background=PANEL_GREY)
    for x in range(STRIP_WIDTH):
        # One whole cosine over the strip's width: it returns to its start at the far edge.
        sheen = 3.0 * math.cos(2.0 * math.pi * (x + 0.5 - 120) / STRIP_WIDTH)
        for y in range(STRIP_HEIGHT):
            line = 1.5 if y % 2 == 0 else -1.5
            level = 224.0 + sheen + line
            # A breath of blue in the lighter rows, towards the dialog's bluish background.
            canvas.set(x, y, (level, level, level + (1.0 if y % 2 == 0 else 0.0)))
    return canvas


# The link cursor: a pointing hand drawn pixel by pixel, since a cursor has to be sharp at its
# own size. "X" is the black outline, "o" the white fill, "." see-through. The top of the
# index finger is the hot spot.

HAND_TOP = 10
HAND = [
    "...........XXX..................",  # 10: fingertip, hot spot at x 12
    "..........XoooX.................",
    "..........XoooX.................",
    "..........XoooX.................",
    "..........XoooX.................",
    "..........XoooXXXX..............",  # 15
    "..........XoooXoooXXXX..........",
    "..........XoooXoooXoooXXX.......",
    "..........XoooXoooXoooXooX......",
    "..XXX.....XoooXoooXoooXooX......",
    ".XoooX....XooooooooooooooX......",  # 20
    ".XooooX...XooooooooooooooX......",
    "..XooooX..XooooooooooooooX......",
    "...XooooX.XooooooooooooooX......",
    "....XooooXoooooooooooooooX......",
    ".....XoooooooooooooooooooX......",  # 25
    "......XooooooooooooooooooX......",
    ".......XoooooooooooooooooX......",
    "........XoooooooooooooooX.......",
    ".........XoooooooooooooX........",
    ".........XoooooooooooooX........",  # 30
    ".........XXXXXXXXXXXXXXX........",
]
HOT_SPOT = (12, 10)


def draw_hand():
    canvas = Canvas(32, 32, alpha=0.0)
    for row, text in enumerate(HAND):
        assert len(text) == 32, row
        for x, mark in enumerate(text):
            if mark == "X":
                canvas.set(x, HAND_TOP + row, (0, 0, 0))
            elif mark == "o":
                canvas.set(x, HAND_TOP + row, (255, 255, 255))
    hot_x, hot_y = HOT_SPOT
    # The hot spot must be the very top of the outline, or links would react off the finger.
    assert HAND[hot_y - HAND_TOP][hot_x] == "X" and hot_y == HAND_TOP
    return canvas


def main():
    out_dir = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__))
    outputs = [
        ("dialog.ico", lambda: ico_bytes([draw_dialog_icon(32), draw_dialog_icon(16)])),
        ("option_off.bmp", lambda: bmp_bytes(draw_option(False))),
        ("option_on.bmp", lambda: bmp_bytes(draw_option(True))),
        ("panel_strip.bmp", lambda: bmp_bytes(draw_strip())),
        ("link.cur", lambda: cur_bytes(draw_hand(), *HOT_SPOT)),
    ]
    for name, make in outputs:
        with open(os.path.join(out_dir, name), "wb") as f:
            f.write(make())


if __name__ == "__main__":
    main()
