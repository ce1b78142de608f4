#!/usr/bin/env python3
"""Draws the coil sketch shown beside the entry fields and writes it as a 1-bit BMP.

Usage: make_sketch.py [output.bmp]   (default: sketch.bmp next to this script)

The drawing is made from the coil's geometry below, so the picture can be changed here
and regenerated; the generated sketch.bmp is kept in the repository for the build.
"""

import math
import os
import struct
import sys

WIDTH, HEIGHT = 148, 226
PIXELS_PER_METRE = 3780  # 96 dpi

# Coil geometry, in pixels of the sketch.
AXIS_X = 88            # the coil's vertical axis
RADIUS = 38            # half the coil's width as seen from the side
TILT = 5               # half-height of a turn's ellipse: the coil is seen slightly from above
TOP = 40               # centre line of the first turn
TURNS = 10
PITCH = 12             # one turn's rise
BOTTOM = TOP + TURNS * PITCH

HEIGHT_LINE_X = 22     # the vertical "Height" dimension line
DIAMETER_LINE_Y = 192  # the horizontal "Diameter" dimension line

# 5 x 7 glyphs for the two words of the sketch ('#' is ink).
GLYPHS = {
    "H": ["#...#", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"],
    "D": ["####.", "#...#", "#...#", "#...#", "#...#", "#...#", "####."],
    "a": [".....", ".....", ".###.", "....#", ".####", "#...#", ".####"],
    "e": [".....", ".....", ".###.", "#...#", "#####", "#....", ".###."],
    "g": [".....", ".####", "#...#", "#...#", ".####", "....#", ".###."],
    "h": ["#....", "#....", "#.##.", "##..#", "#...#", "#...#", "#...#"],
    "i": ["..#..", ".....", ".##..", "..#..", "..#..", "..#..", ".###."],
    "m": [".....", ".....", "##.#.", "#.#.#", "#.#.#", "#.#.#", "#.#.#"],
    "r": [".....", ".....", "#.##.", "##..#", "#....", "#....", "#...."],
    "t": [".#...", ".#...", "####.", ".#...", ".#...", ".#..#", "..##."],
}

ink = [[False] * WIDTH for _ in range(HEIGHT)]


def dot(x, y, size=1):
    for dy in range(size):
        for dx in range(size):
            px, py = int(round(x)) + dx, int(round(y)) + dy
            if 0 <= px < WIDTH and 0 <= py < HEIGHT:
                ink[py][px] = True


def line(x0, y0, x1, y1, size=1):
    steps = max(1, int(math.ceil(max(abs(x1 - x0), abs(y1 - y0)))))
    for i in range(steps + 1):
        t = i / steps
        dot(x0 + (x1 - x0) * t, y0 + (y1 - y0) * t, size)


def curve(points, size=1):
    for (x0, y0), (x1, y1) in zip(points, points[1:]):
        line(x0, y0, x1, y1, size)


def helix_point(angle):
    """A point of the winding; angle 0 is the right edge of the first turn, pi/2 its front."""
    x = AXIS_X + RADIUS * math.cos(angle)
    y = TOP + PITCH * angle / (2 * math.pi) + TILT * math.sin(angle)
    return x, y


def draw_winding():
    # Start and end at the left edge (angle pi) so both leads leave on the left.
    start, end = math.pi, math.pi + 2 * math.pi * TURNS
    samples = TURNS * 96
    previous = helix_point(start)
    for i in range(1, samples + 1):
        angle = start + (end - start) * i / samples
        point = helix_point(angle)
        if math.sin(angle) >= 0:  # the half nearer the viewer: solid and heavier
            line(*previous, *point, size=2)
        elif (i // 4) % 2 == 0:   # the far half: dashed
            line(*previous, *point)
        previous = point


def bezier(p0, p1, p2, p3, samples=40):
    points = []
    for i in range(samples + 1):
        t = i / samples
        u = 1 - t
        points.append((u**3 * p0[0] + 3 * u * u * t * p1[0] + 3 * u * t * t * p2[0] + t**3 * p3[0],
                       u**3 * p0[1] + 3 * u * u * t * p1[1] + 3 * u * t * t * p2[1] + t**3 * p3[1]))
    return points


def draw_leads():
    top_x, top_y = helix_point(math.pi)
    bottom_x, bottom_y = helix_point(math.pi + 2 * math.pi * TURNS)
    # A wire seen from the side: two parallel curves a wire's thickness apart.
    for offset in (-2, 2):
        curve(bezier((top_x, top_y + offset), (top_x - 14, top_y + offset),
                     (top_x - 16 - offset, top_y - 14), (top_x - 6 - offset, 4)))
        curve(bezier((bottom_x, bottom_y + offset), (bottom_x - 14, bottom_y + offset),
                     (bottom_x - 16 + offset, bottom_y + 14), (bottom_x - 6 + offset, 180)))


def arrowhead(x, y, dx, dy, length=8, spread=3):
    """A filled arrowhead with its tip at (x, y), pointing along (dx, dy)."""
    for i in range(length + 1):
        half = spread * i / length
        cx, cy = x - dx * i, y - dy * i
        line(cx - dy * half, cy - dx * half, cx + dy * half, cy + dx * half)


def draw_height_dimension():
    first, last = TOP, BOTTOM
    line(HEIGHT_LINE_X, first, HEIGHT_LINE_X, last)
    for y in (first, last):
        line(HEIGHT_LINE_X - 6, y, HEIGHT_LINE_X + 6, y)  # bar ends
    arrowhead(HEIGHT_LINE_X, first + 1, 0, -1)
    arrowhead(HEIGHT_LINE_X, last - 1, 0, 1)
    # Extension lines, dotted, from the first and last turn to the bars.
    for y in (first, last):
        for x in range(HEIGHT_LINE_X + 8, AXIS_X - RADIUS - 2, 3):
            dot(x, y)
    # The word, written upwards to the left of the line.
    word = "Height"
    length = len(word) * 6 - 1
    text_y = (first + last + length) // 2
    for index, letter in enumerate(word):
        for row, bits in enumerate(GLYPHS[letter]):
            for column, bit in enumerate(bits):
                if bit == "#":
                    dot(HEIGHT_LINE_X - 16 + row, text_y - index * 6 - column)


def draw_diameter_dimension():
    left, right = AXIS_X - RADIUS, AXIS_X + RADIUS
    line(left, DIAMETER_LINE_Y, right, DIAMETER_LINE_Y)
    for x in (left, right):
        line(x, DIAMETER_LINE_Y - 6, x, DIAMETER_LINE_Y + 6)  # bar ends
        for y in range(BOTTOM + TILT + 4, DIAMETER_LINE_Y - 7, 3):
            dot(x, y)  # dotted extension lines from the coil's sides
    arrowhead(left + 1, DIAMETER_LINE_Y, -1, 0)
    arrowhead(right - 1, DIAMETER_LINE_Y, 1, 0)
    word = "Diameter"
    text_x = AXIS_X - (len(word) * 6 - 1) // 2
    for index, letter in enumerate(word):
        for row, bits in enumerate(GLYPHS[letter]):
            for column, bit in enumerate(bits):
                if bit == "#":
                    dot(text_x + index * 6 + column, DIAMETER_LINE_Y + 10 + row)


def bmp_bytes():
    row_bytes = (WIDTH + 31) // 32 * 4
    pixels = bytearray()
    for y in reversed(range(HEIGHT)):  # bottom-up
        row = bytearray(row_bytes)
        for x in range(WIDTH):
            if not ink[y][x]:  # palette index 1 is white
                row[x // 8] |= 0x80 >> (x % 8)
        pixels += row
    palette = bytes([0, 0, 0, 0, 255, 255, 255, 0])  # index 0 black, index 1 white
    info = struct.pack("<IiiHHIIiiII", 40, WIDTH, HEIGHT, 1, 1, 0, len(pixels),
                       PIXELS_PER_METRE, PIXELS_PER_METRE, 2, 0)
    offset = 14 + len(info) + len(palette)
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    return header + info + palette + bytes(pixels)


def main():
    output = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        os.path.dirname(os.path.abspath(__file__)), "sketch.bmp")
    draw_winding()
    draw_leads()
    draw_height_dimension()
    draw_diameter_dimension()
    with open(output, "wb") as out:
        out.write(bmp_bytes())


if __name__ == "__main__":
    main()
