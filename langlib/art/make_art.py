#!/usr/bin/env python3
"""Draws the language library's art: the About box logo (bitmap 156) and icon 116.

Run from this folder; it rewrites logo.bmp and kurvo.ico. The pictures are made of simple
geometry so they come out the same every time.
"""
import math
import struct

# The 16 standard colours, in palette order.
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
    (0, 128, 128), (128, 128, 128), (192, 192, 192), (255, 0, 0), (0, 255, 0),
    (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, NAVY, GREY, SILVER, RED, BLUE, WHITE, TEAL = 0, 4, 7, 8, 9, 12, 15, 6

# A 5 x 7 pixel font, just the letters the logo needs.
FONT = {
    "S": ["01111", "10000", "10000", "01110", "00001", "00001", "11110"],
    "T": ["11111", "00100", "00100", "00100", "00100", "00100", "00100"],
    "R": ["11110", "10001", "10001", "11110", "10100", "10010", "10001"],
    "O": ["01110", "10001", "10001", "10001", "10001", "10001", "01110"],
    "K": ["10001", "10010", "10100", "11000", "10100", "10010", "10001"],
    "E": ["11111", "10000", "10000", "11110", "10000", "10000", "11111"],
    "W": ["10001", "10001", "10001", "10101", "10101", "10101", "01010"],
    "I": ["01110", "00100", "00100", "00100", "00100", "00100", "01110"],
}


def canvas(w, h, colour):
    return [[colour] * w for _ in range(h)]


def dot(img, x, y, colour, r=1.0):
    h, w = len(img), len(img[0])
    for yy in range(int(y - r) - 1, int(y + r) + 2):
        for xx in range(int(x - r) - 1, int(x + r) + 2):
            if 0 <= xx < w and 0 <= yy < h and (xx - x) ** 2 + (yy - y) ** 2 <= r * r:
                img[yy][xx] = colour


def stroke(img, points, colour, r):
    """Draws a thick polyline through `points`."""
    for (x0, y0), (x1, y1) in zip(points, points[1:]):
        n = int(max(abs(x1 - x0), abs(y1 - y0)) * 2) + 1
        for i in range(n + 1):
            t = i / n
            dot(img, x0 + (x1 - x0) * t, y0 + (y1 - y0) * t, colour, r)


def swoosh(cx, cy, size, turns=1.25, n=60):
    """A loop-shaped stroke like one drawn with the mouse."""
    pts = []
    for i in range(n + 1):
        t = i / n
        a = -math.pi / 2 + t * turns * 2 * math.pi
        rad = size * (0.35 + 0.65 * t)
        pts.append((cx + rad * math.cos(a) * 0.9, cy + rad * math.sin(a) * 0.7))
    return pts


def text(img, x, y, s, colour, scale):
    for ch in s:
        glyph = FONT[ch]
        for gy, row in enumerate(glyph):
            for gx, bit in enumerate(row):
                if bit == "1":
                    for sy in range(scale):
                        for sx in range(scale):
                            img[y + gy * scale + sy][x + gx * scale + sx] = colour
        x += 6 * scale


def logo():
    w, h = 208, 37
    img = canvas(w, h, WHITE)
    for y in range(h):  # a navy band with a teal edge along the bottom
        for x in range(w):
            img[y][x] = NAVY if y < h - 4 else TEAL
    pts = swoosh(20, 17, 13)
    stroke(img, pts, SILVER, 1.6)
    dot(img, pts[0][0], pts[0][1], RED, 2.5)
    text(img, 42, 8, "STROKEWISE", WHITE, 2)
    return img


def icon(size):
    img = canvas(size, size, None)  # None: transparent
    c = (size - 1) / 2
    for y in range(size):
        for x in range(size):
            if (x - c) ** 2 + (y - c) ** 2 <= (size / 2 - 0.5) ** 2:
                img[y][x] = WHITE
    s = size / 32
    pts = swoosh(c, c + 1 * s, 12 * s)
    stroke(img, pts, BLUE, max(0.8, 1.4 * s))
    dot(img, pts[0][0], pts[0][1], RED, max(1.0, 2.2 * s))
    ring = [(c + (size / 2 - 0.7) * math.cos(a / 40 * 2 * math.pi),
             c + (size / 2 - 0.7) * math.sin(a / 40 * 2 * math.pi)) for a in range(41)]
    stroke(img, ring, NAVY, 0.6)
    return img


def rows_4bpp(img, transparent=0):
    """Bottom-up rows of 4-bit indices, each padded to 4 bytes."""
    out = b""
    for row in reversed(img):
        idx = [transparent if p is None else p for p in row]
        if len(idx) % 2:
            idx.append(0)
        data = bytes((idx[i] << 4) | idx[i + 1] for i in range(0, len(idx), 2))
        out += data + b"\0" * (-len(data) % 4)
    return out


def mask_rows(img):
    out = b""
    for row in reversed(img):
        bits = 0
        data = b""
        for i, p in enumerate(row):
            bits = (bits << 1) | (1 if p is None else 0)
            if i % 8 == 7:
                data += bytes([bits])
                bits = 0
        if len(row) % 8:
            data += bytes([bits << (8 - len(row) % 8)])
        out += data + b"\0" * (-len(data) % 4)
    return out


def palette_bytes():
    return b"".join(bytes([b, g, r, 0]) for r, g, b in PALETTE)


def write_bmp(path, img):
    h, w = len(img), len(img[0])
    pixels = rows_4bpp(img)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 4, 0, len(pixels), 2835, 2835, 16, 0)
    offset = 14 + len(info) + 64
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    with open(path, "wb") as f:
        f.write(header + info + palette_bytes() + pixels)


def write_ico(path, images):
    entries, blobs = b"", b""
    offset = 6 + 16 * len(images)
    for img in images:
        size = len(img)
        xor, andm = rows_4bpp(img), mask_rows(img)
        info = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 4, 0, len(xor) + len(andm), 0, 0, 16, 0)
        blob = info + palette_bytes() + xor + andm
        entries += struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(blob), offset)
        blobs += blob
        offset += len(blob)
    with open(path, "wb") as f:
        f.write(struct.pack("<HHH", 0, 1, len(images)) + entries + blobs)


if __name__ == "__main__":
    write_bmp("logo.bmp", logo())
    write_ico("kurvo.ico", [icon(32), icon(16)])
