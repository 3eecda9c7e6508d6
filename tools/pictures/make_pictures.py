#!/usr/bin/env python3
"""Draws the program's own pictures into resources/: the logo (32 x 32, magenta as the
transparent colour) and the application icon (16, 32 and 48 pixels with alpha). Run it again
after changing the art; the outputs are committed. (The skin engine's fall-back bitmaps are
drawn by tools/skingen at build time.)"""

import math
import os
import struct

OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "resources")
MAGENTA = (255, 0, 255)


def lerp(a, b, t):
    return tuple(int(round(x + (y - x) * t)) for x, y in zip(a, b))


def badge_coverage(x, y, size):
    """Coverage (0..1) of a rounded square badge at pixel centre (x, y), 4x4 supersampled."""
    inset = size * 2 / 32
    radius = size * 7 / 32
    hits = 0
    for sy in range(4):
        for sx in range(4):
            px = x + (sx + 0.5) / 4
            py = y + (sy + 0.5) / 4
            lo, hi = inset, size - inset
            cx = min(max(px, lo + radius), hi - radius)
            cy = min(max(py, lo + radius), hi - radius)
            if lo <= px <= hi and lo <= py <= hi and (px - cx) ** 2 + (py - cy) ** 2 <= radius ** 2:
                hits += 1
    return hits / 16


def disc(px, py, cx, cy, r):
    hits = 0
    for sy in range(4):
        for sx in range(4):
            x = px + (sx + 0.5) / 4
            y = py + (sy + 0.5) / 4
            if (x - cx) ** 2 + (y - cy) ** 2 <= r * r:
                hits += 1
    return hits / 16


def flame(px, py, size):
    """A small flame (the wick's light) in the badge's upper right."""
    s = size / 32
    cx, cy, r = 22.5 * s, 12.5 * s, 3.2 * s
    hits = 0
    for sy in range(4):
        for sx in range(4):
            x = px + (sx + 0.5) / 4
            y = py + (sy + 0.5) / 4
            # A disc with a pointed top: inside when below the centre's circle or inside the tip.
            if (x - cx) ** 2 + (y - cy) ** 2 <= r * r:
                hits += 1
            elif y < cy and abs(x - cx) <= (y - (cy - 2.4 * r)) / 2.4:
                hits += 1
    return hits / 16


def logo_pixels(size):
    """RGBA rows, top first."""
    top, bottom = (59, 130, 246), (29, 64, 175)
    trail = [(8.5, 24.0, 2.1), (13.0, 20.5, 2.1), (17.5, 17.0, 2.1)]
    rows = []
    for y in range(size):
        row = []
        base = lerp(top, bottom, y / (size - 1))
        for x in range(size):
            a = badge_coverage(x, y, size)
            colour = base
            # A lighter band along the top edge, as light falls on the badge.
            if y < size * 5 / 32:
                colour = lerp(colour, (255, 255, 255), 0.12)
            d = max(disc(x, y, cx * size / 32, cy * size / 32, r * size / 32) for cx, cy, r in trail)
            colour = lerp(colour, (255, 255, 255), d)
            f = flame(x, y, size)
            colour = lerp(colour, (251, 191, 36), f)
            row.append(colour + (int(round(a * 255)),))
        rows.append(row)
    return rows


def bmp24(width, height, pixel):
    stride = (width * 3 + 3) & ~3
    data = bytearray()
    for y in range(height - 1, -1, -1):
        line = bytearray()
        for x in range(width):
            r, g, b = pixel(x, y)
            line += bytes((b, g, r))
        line += b"\0" * (stride - len(line))
        data += line
    header = struct.pack("<2sIHHI", b"BM", 54 + len(data), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    return header + info + bytes(data)


def icon_image(size):
    rows = logo_pixels(size)
    xor = bytearray()
    for y in range(size - 1, -1, -1):
        for r, g, b, a in rows[y]:
            xor += bytes((b, g, r, a))
    mask_stride = ((size + 31) // 32) * 4
    mask = bytearray(mask_stride * size)
    for y in range(size - 1, -1, -1):
        for x in range(size):
            if rows[y][x][3] == 0:
                mask[(size - 1 - y) * mask_stride + x // 8] |= 0x80 >> (x % 8)
    info = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
    return info + bytes(xor) + bytes(mask)


def ico(sizes):
    images = [icon_image(s) for s in sizes]
    out = bytearray(struct.pack("<HHH", 0, 1, len(sizes)))
    offset = 6 + 16 * len(sizes)
    for s, img in zip(sizes, images):
        out += struct.pack("<BBBBHHII", s % 256, s % 256, 0, 0, 1, 32, len(img), offset)
        offset += len(img)
    for img in images:
        out += img
    return bytes(out)


def main():
    rows = logo_pixels(32)
    logo = bmp24(32, 32, lambda x, y: rows[y][x][:3] if rows[y][x][3] >= 128 else MAGENTA)
    files = {
        "logo.bmp": logo,
        "trailwick.ico": ico([16, 32, 48]),
    }
    for name, data in files.items():
        with open(os.path.join(OUT, name), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main()
