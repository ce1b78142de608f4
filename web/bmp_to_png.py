#!/usr/bin/python3
"""Converts the coil sketch, an uncompressed 1-bit BMP, into a 1-bit PNG for the page.

White becomes transparent, as the dialog shows the sketch on its own background colour.

Usage: web/bmp_to_png.py SKETCH.bmp SKETCH.png
"""

import struct
import sys
import zlib


def read_bmp(path):
    with open(path, "rb") as source:
        data = source.read()
    if data[:2] != b"BM":
        sys.exit(f"{path}: not a BMP file")
    pixels_at = struct.unpack_from("<I", data, 10)[0]
    width, height, _, bits, compression = struct.unpack_from("<iiHHI", data, 18)
    if bits != 1 or compression != 0:
        sys.exit(f"{path}: not an uncompressed 1-bit BMP")
    header_size = struct.unpack_from("<I", data, 14)[0]
    palette = [data[14 + header_size + 4 * i: 14 + header_size + 4 * i + 3] for i in range(2)]
    # Index 1 white and 0 black is the PNG's own grey order; otherwise the bits are inverted.
    invert = sum(palette[0]) > sum(palette[1])
    stride = (width + 31) // 32 * 4
    used = (width + 7) // 8
    rows = []
    for y in range(abs(height)):
        stored = y if height < 0 else abs(height) - 1 - y  # BMP rows are stored bottom-up
        row = data[pixels_at + stored * stride: pixels_at + stored * stride + used]
        rows.append(bytes(b ^ 0xFF for b in row) if invert else row)
    return width, abs(height), rows


def write_png(path, width, height, rows):
    def chunk(kind, body):
        return (struct.pack(">I", len(body)) + kind + body +
                struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF))

    header = struct.pack(">IIBBBBB", width, height, 1, 0, 0, 0, 0)  # 1-bit greyscale
    # White is transparent, so that the sketch lies on the dialog's colour as in the program.
    transparent_white = struct.pack(">H", 1)
    raw = b"".join(b"\x00" + row for row in rows)
    with open(path, "wb") as out:
        out.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"tRNS", transparent_white) +
                  chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__.strip().splitlines()[-1])
    write_png(sys.argv[2], *read_bmp(sys.argv[1]))


if __name__ == "__main__":
    main()
