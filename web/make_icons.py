#!/usr/bin/python3
"""Draws the page's app icon, a coil wound on a cream form on the title bar's blue, as PNGs.

Usage: web/make_icons.py SIZE:FILE.png...
"""

import struct
import sys
import zlib

NAVY = (10, 36, 106)
CREAM = (255, 245, 210)
COPPER = (184, 115, 51)
TURNS = 6
FIRST_TURN = 0.22  # the first turn's middle, at the form's axis
PITCH = 0.112
SLANT = 0.3  # how much a turn drops across the whole square
WIRE = 0.056
SAMPLES = 3  # per pixel and axis, for smooth edges


def colour_at(x, y):
    """The colour at (x, y) of the unit square, y down."""
    # The turns: slanted bands across the form, a little wider than it; the two leads go out
    # level from the ends of the first and the last turn.
    for turn in range(TURNS):
        centre = FIRST_TURN + turn * PITCH + (x - 0.5) * SLANT
        if 0.25 <= x <= 0.75 and abs(y - centre) < WIRE / 2:
            return COPPER
    first_end = FIRST_TURN - 0.25 * SLANT
    last_end = FIRST_TURN + (TURNS - 1) * PITCH + 0.25 * SLANT
    if (0.1 <= x <= 0.25 and abs(y - first_end) < WIRE / 2) or \
       (0.75 <= x <= 0.9 and abs(y - last_end) < WIRE / 2):
        return COPPER
    if 0.3 <= x <= 0.7 and 0.1 <= y <= 0.9:
        return CREAM
    return NAVY


def draw(size):
    rows = []
    for py in range(size):
        row = bytearray([0])  # filter: none
        for px in range(size):
            total = [0, 0, 0]
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    rgb = colour_at((px + (sx + 0.5) / SAMPLES) / size, (py + (sy + 0.5) / SAMPLES) / size)
                    for i in range(3):
                        total[i] += rgb[i]
            row += bytes(round(t / SAMPLES ** 2) for t in total)
        rows.append(bytes(row))
    return b"".join(rows)


def write_png(path, size, raw):
    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))

    header = struct.pack(">IIBBBBB", size, size, 8, 2, 0, 0, 0)  # 8-bit RGB
    with open(path, "wb") as out:
        out.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
                  chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def main():
    if len(sys.argv) < 2:
        sys.exit(__doc__.strip().splitlines()[-1])
    for request in sys.argv[1:]:
        size, path = request.split(":", 1)
        write_png(path, int(size), draw(int(size)))


if __name__ == "__main__":
    main()
