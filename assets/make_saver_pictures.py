#!/usr/bin/env python3
"""Draws the screen saver's pictures: the preview still (a burst of small bright fragments
flying outward on black, 152 x 112) and the program icon (32 x 32 and 16 x 16).

Deterministic: the same script always gives the same bytes, so the committed pictures can be
checked against it.

    python3 assets/make_saver_pictures.py [OUTPUT_FOLDER]
"""
import math
import os
import sys

import drawing


class Lcg:
    """A small fixed random sequence, so the pictures never change between runs."""

    def __init__(self, seed):
        self.state = seed

    def next(self):
        self.state = (self.state * 1103515245 + 12345) & 0x7FFFFFFF
        return self.state / 0x7FFFFFFF


class Canvas:
    def __init__(self, width, height):
        self.width = width
        self.height = height
        self.pixels = [[(0.0, 0.0, 0.0) for _ in range(width)] for _ in range(height)]

    def add(self, x, y, colour, weight=1.0):
        if 0 <= x < self.width and 0 <= y < self.height:
            r, g, b = self.pixels[y][x]
            self.pixels[y][x] = (r + colour[0] * weight, g + colour[1] * weight,
                                 b + colour[2] * weight)

    def rows_bottom_up_bgr(self):
        for y in reversed(range(self.height)):
            row = bytearray()
            for r, g, b in self.pixels[y]:
                row += bytes((clamp(b), clamp(g), clamp(r)))
            yield row

    def rows_bottom_up_opaque_bgra(self):
        for row in self.rows_bottom_up_bgr():
            yield [tuple(row[i:i + 3]) + (255,) for i in range(0, len(row), 3)]


def clamp(value):
    return max(0, min(255, int(round(value))))


# Colours of a desktop torn apart: window blues, title-bar teal, paper white, warm highlights.
PALETTE = [(90, 150, 255), (120, 210, 255), (255, 255, 255), (255, 220, 120),
           (200, 240, 255), (255, 170, 90), (150, 255, 210)]


def draw_burst(canvas, seed, fragments, glow_radius):
    rnd = Lcg(seed)
    cx, cy = canvas.width / 2.0, canvas.height / 2.0
    reach = math.hypot(cx, cy)
    # A soft glow where the sphere burst.
    for y in range(canvas.height):
        for x in range(canvas.width):
            d = math.hypot(x - cx, y - cy) / glow_radius
            canvas.add(x, y, (120, 140, 255), 0.55 * math.exp(-d * d))
    for _ in range(fragments):
        angle = rnd.next() * 2.0 * math.pi
        distance = (rnd.next() ** 0.7) * reach * 0.95
        colour = PALETTE[int(rnd.next() * len(PALETTE)) % len(PALETTE)]
        size = 1 + int(rnd.next() * 3 * min(1.0, canvas.width / 150.0))
        fx = cx + math.cos(angle) * distance
        fy = cy + math.sin(angle) * distance * 0.85
        brightness = 0.55 + 0.45 * rnd.next()
        # A faint trail back towards the centre shows the outward flight.
        trail = int(distance * 0.18)
        for step in range(1, trail):
            t = step / max(trail, 1)
            canvas.add(int(fx - math.cos(angle) * step), int(fy - math.sin(angle) * step * 0.85),
                       colour, 0.35 * brightness * (1.0 - t))
        for dy in range(size):
            for dx in range(size):
                canvas.add(int(fx) + dx, int(fy) + dy, colour, brightness)


def draw_icon(size):
    canvas = Canvas(size, size)
    c = size / 2.0
    radius = size * 0.30
    for y in range(size):
        for x in range(size):
            d = math.hypot(x + 0.5 - c, y + 0.5 - c)
            if d <= radius:
                # A lit sphere: brighter towards the upper left.
                shade = 0.45 + 0.55 * max(0.0, 1.0 - math.hypot(x - c * 0.7, y - c * 0.7) / radius / 1.6)
                canvas.add(x, y, (70, 140, 255), shade)
    draw_burst(canvas, seed=7 + size, fragments=size, glow_radius=size * 0.3)
    return canvas


def main():
    out_dir = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__))
    still = Canvas(152, 112)
    draw_burst(still, seed=20261207, fragments=260, glow_radius=26.0)
    with open(os.path.join(out_dir, "preview_still.bmp"), "wb") as f:
        f.write(drawing.bmp_bytes(still.width, still.height, still.rows_bottom_up_bgr()))
    with open(os.path.join(out_dir, "vorlenta.ico"), "wb") as f:
        icons = [draw_icon(32), draw_icon(16)]
        f.write(drawing.ico_bytes([(icon.width, icon.height, icon.rows_bottom_up_opaque_bgra())
                                   for icon in icons]))


if __name__ == "__main__":
    main()
