"""Windows bitmap files for the tests and benchmarks to hand the programs."""

import struct
from typing import Callable, Tuple

Colour = Tuple[int, int, int]


def bitmap_bytes(width: int, height: int, colour_at: Callable[[int, int], Colour],
                 header_size: int = 40) -> bytes:
    """A bottom-up 24-bit Windows bitmap with its "BM" file header. colour_at(x, y) gives the
    colour with y = 0 at the top of the picture. HEADER_SIZE 108 or 124 writes the later
    information headers (the extra fields zero)."""
    stride = (width * 3 + 3) & ~3
    padding = bytes(stride - width * 3)
    rows = []
    for y in reversed(range(height)):
        rows.append(b"".join(bytes(reversed(colour_at(x, y))) for x in range(width)) + padding)
    pixels = b"".join(rows)
    info = struct.pack("<IiiHHIIiiII", header_size, width, height, 1, 24, 0, len(pixels),
                       2835, 2835, 0, 0)
    info += bytes(header_size - len(info))
    offset = 14 + len(info)
    file_header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    return file_header + info + pixels
