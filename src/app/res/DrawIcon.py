#!/usr/bin/env python3
"""Draws SORATN2.ico, the program's icon: a folder with two folders below it
on the branches of a tree, the structure the program copies. Sizes 16, 32
and 48 as bitmaps, 256 as PNG. Run it again after changing a shape:

    python3 src/app/res/DrawIcon.py
"""
import os
import struct
import zlib

# Rectangles in a 256 x 256 space, painted in order: (left, top, right,
# bottom) and a colour (red, green, blue).
EDGE = (150, 104, 20)
FRONT = (246, 196, 72)
TAB = (226, 168, 44)
LINE = (70, 88, 112)


def folder(left, top, right, bottom, edge):
    tab_right = left + (right - left) * 0.42
    tab_height = (bottom - top) * 0.2
    return [
        ((left, top, tab_right, top + tab_height * 2), EDGE),
        ((left + edge, top + edge, tab_right - edge, top + tab_height * 2), TAB),
        ((left, top + tab_height, right, bottom), EDGE),
        ((left + edge, top + tab_height + edge, right - edge, bottom - edge), FRONT),
    ]


SHAPES = (
    [((46, 110, 66, 222), LINE),
     ((46, 150, 124, 168), LINE),
     ((46, 204, 124, 222), LINE)]
    + folder(10, 14, 150, 118, 9)
    + folder(112, 124, 246, 186, 8)
    + folder(112, 188, 246, 250, 8)
)

SAMPLES = 8  # per pixel and direction


def render(size):
    """Rows of (r, g, b, a) pixels, top row first."""
    scale = 256.0 / size
    rows = []
    for y in range(size):
        row = []
        for x in range(size):
            totals = [0.0, 0.0, 0.0]
            covered = 0
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    px = (x + (sx + 0.5) / SAMPLES) * scale
                    py = (y + (sy + 0.5) / SAMPLES) * scale
                    colour = None
                    for (left, top, right, bottom), fill in SHAPES:
                        if left <= px < right and top <= py < bottom:
                            colour = fill
                    if colour is not None:
                        covered += 1
                        for i in range(3):
                            totals[i] += colour[i]
            if covered:
                row.append(tuple(round(t / covered) for t in totals) + (round(255 * covered / SAMPLES**2),))
            else:
                row.append((0, 0, 0, 0))
        rows.append(row)
    return rows


def png(rows):
    size = len(rows)
    raw = b"".join(b"\x00" + bytes(v for pixel in row for v in pixel) for row in rows)

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))

    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def dib(rows):
    size = len(rows)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = b"".join(bytes((b, g, r, a)) for row in reversed(rows) for r, g, b, a in row)
    mask_row = ((size + 31) // 32) * 4
    mask = b""
    for row in reversed(rows):
        line = bytearray(mask_row)
        for x, pixel in enumerate(row):
            if pixel[3] == 0:
                line[x // 8] |= 0x80 >> (x % 8)
        mask += bytes(line)
    return header + pixels + mask


def main():
    images = [(size, dib(render(size))) for size in (16, 32, 48)] + [(256, png(render(256)))]
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    data = b""
    for size, image in images:
        directory += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(image), offset + len(data))
        data += image
    target = os.path.join(os.path.dirname(os.path.abspath(__file__)), "SORATN2.ico")
    with open(target, "wb") as file:
        file.write(directory + data)


if __name__ == "__main__":
    main()
