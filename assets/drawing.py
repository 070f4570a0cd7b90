"""What the picture scripts share: colours written as hex, the rounded rectangle their shapes
are made of, and the files Windows reads them from (24-bit bitmaps, 32-bit icons and cursors).

Every writer takes its rows bottom first, as the files store them: bitmaps as blue, green,
red bytes per pixel, icons and cursors as blue, green, red, alpha."""
import struct

# The pictures' resolution as bitmaps record it: 96 dots per inch.
PIXELS_PER_METRE = 3780


def rgb(text):
    value = int(text, 16)
    return (value >> 16) & 0xFF, (value >> 8) & 0xFF, value & 0xFF


def flat(colour):
    return lambda x, y: colour


class RoundedRect:
    """A rectangle in pixel-edge coordinates (left, top inclusive edges; right, bottom the far
    edges) whose corners are quarter circles of the given radius."""

    def __init__(self, left, top, right, bottom, radius):
        self.left, self.top, self.right, self.bottom = left, top, right, bottom
        self.radius = radius

    def contains(self, px, py):
        if not (self.left <= px <= self.right and self.top <= py <= self.bottom):
            return False
        r = self.radius
        cx = min(max(px, self.left + r), self.right - r)
        cy = min(max(py, self.top + r), self.bottom - r)
        return (px - cx) ** 2 + (py - cy) ** 2 <= r * r


def bmp_bytes(width, height, rows):
    """A 24-bit Windows bitmap with its file header, from ROWS of blue, green, red bytes."""
    stride = (width * 3 + 3) & ~3
    pixels = b"".join(bytes(row) + b"\0" * (stride - len(row)) for row in rows)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels),
                       PIXELS_PER_METRE, PIXELS_PER_METRE, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(pixels), 0, 0, 14 + len(info))
    return header + info + pixels


def icon_image(width, height, rows):
    """One icon or cursor image from ROWS of (blue, green, red, alpha) pixels: a 32-bit
    bitmap of double height, then the AND mask. The mask is set only where the picture is
    fully clear, so that a system that ignores alpha still shows every pixel with any colour."""
    xor = bytearray()
    mask = bytearray()
    mask_stride = ((width + 31) // 32) * 4
    for row in rows:
        bits = bytearray(mask_stride)
        for x, pixel in enumerate(row):
            xor += bytes(pixel)
            if pixel[3] == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    info = struct.pack("<IiiHHIIiiII", 40, width, height * 2, 1, 32, 0, len(xor) + len(mask),
                       0, 0, 0, 0)
    return info + bytes(xor) + bytes(mask)


def ico_bytes(images):
    """An icon file of IMAGES, each (width, height, rows) as icon_image takes them."""
    return directory_bytes(1, [(width, height, 1, 32, rows) for width, height, rows in images])


def cur_bytes(width, height, rows, hot_x, hot_y):
    # A cursor's directory entry holds its hot spot where an icon's holds planes and depth.
    return directory_bytes(2, [(width, height, hot_x, hot_y, rows)])


def directory_bytes(kind, entries):
    images = [icon_image(width, height, rows) for width, height, _, _, rows in entries]
    out = struct.pack("<HHH", 0, kind, len(images))
    offset = 6 + 16 * len(images)
    for (width, height, field1, field2, _), image in zip(entries, images):
        out += struct.pack("<BBBBHHII", width % 256, height % 256, 0, 0, field1, field2,
                           len(image), offset)
        offset += len(image)
    return out + b"".join(images)
