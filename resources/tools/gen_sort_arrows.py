#!/usr/bin/env python3
"""Regenerate the 9x5 header sort arrows in ../image/treeView/headerSort/.

Each row of the triangle is two pixels narrower than the one before it, so the
arrow stays crisp at its native size without any antialiasing.
"""
import os
import struct
import zlib

WIDTH, HEIGHT = 9, 5
COLOUR = (0xE3, 0xE5, 0xE8)


def png(rows):
    def chunk(tag, data):
        body = tag + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    raw = b"".join(b"\x00" + bytes(row) for row in rows)  # filter type 0 per scanline
    header = struct.pack(">IIBBBBB", WIDTH, HEIGHT, 8, 6, 0, 0, 0)  # 8-bit RGBA
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def triangle(pointing_down):
    rows = []
    for y in range(HEIGHT):
        inset = y if pointing_down else HEIGHT - 1 - y
        row = []
        for x in range(WIDTH):
            alpha = 255 if inset <= x < WIDTH - inset else 0
            row += [*COLOUR, alpha]
        rows.append(row)
    return rows


if __name__ == "__main__":
    out = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "image", "treeView", "headerSort")
    for name, down in (("up2down.png", True), ("down2up.png", False)):
        with open(os.path.join(out, name), "wb") as f:
            f.write(png(triangle(down)))
