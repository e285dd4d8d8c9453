#!/usr/bin/env python3
"""Draws the file list's 28 entry icons (16 x 14 each) side by side into one 4-bit picture,
entry_icons.bmp (448 x 14), in this folder: icon n starts at x = 16 * (n - 1).

The background is maroon (red 128), the colour the list leaves out when it draws them.
Run again after a change: python3 make_filelist_art.py
"""
import os
import struct

W, H = 16, 14
BACK = (128, 0, 0)
BLACK, WHITE, GRAY, SILVER = (0, 0, 0), (255, 255, 255), (128, 128, 128), (192, 192, 192)
YELLOW, OLIVE, BLUE, NAVY = (255, 255, 0), (128, 128, 0), (0, 0, 255), (0, 0, 128)
GREEN, TEAL, RED, PURPLE, LIME, AQUA = (0, 128, 0), (0, 128, 128), (255, 0, 0), (128, 0, 128), (0, 255, 0), (0, 255, 255)


def blank():
    return [[BACK] * W for _ in range(H)]


def rect(p, l, t, r, b, c):
    for y in range(t, b):
        for x in range(l, r):
            p[y][x] = c


def frame(p, l, t, r, b, c):
    for x in range(l, r):
        p[t][x] = c
        p[b - 1][x] = c
    for y in range(t, b):
        p[y][l] = c
        p[y][r - 1] = c


def drive(light, mark):
    p = blank()
    rect(p, 1, 4, 15, 11, SILVER)
    frame(p, 1, 4, 15, 11, BLACK)
    rect(p, 3, 7, 9, 8, mark)
    rect(p, 11, 7, 13, 9, light)
    return p


def folder(body):
    p = blank()
    rect(p, 1, 2, 7, 4, body)
    rect(p, 1, 3, 15, 12, body)
    frame(p, 1, 3, 15, 12, BLACK)
    return p


def page(band, mark=None):
    p = blank()
    rect(p, 3, 0, 13, 14, WHITE)
    frame(p, 3, 0, 13, 14, BLACK)
    for y in (3, 6, 9):
        rect(p, 5, y, 11, y + 1, band)
    if mark:
        rect(p, 8, 9, 12, 13, mark)
    return p


def arrow(up):
    p = blank()
    for i in range(5):
        y = 2 + i if up else 11 - i
        rect(p, 7 - i, y, 9 + i, y + 1, YELLOW)
    rect(p, 6, 5 if up else 2, 10, 12 if up else 9, YELLOW)
    return p


def backslash():
    p = blank()
    for i in range(12):
        rect(p, 3 + i * 10 // 12, 1 + i, 5 + i * 10 // 12, 2 + i, NAVY)
    return p


def program(body):
    p = blank()
    rect(p, 1, 2, 15, 12, body)
    frame(p, 1, 2, 15, 12, BLACK)
    rect(p, 2, 3, 14, 5, NAVY)
    return p


ICONS = {
    1: drive(GREEN, GRAY),      # removable
    2: drive(LIME, NAVY),       # fixed
    3: drive(AQUA, TEAL),       # remote
    4: drive(RED, PURPLE),      # CD-ROM
    5: drive(YELLOW, OLIVE),    # RAM drive
    6: backslash(),             # root
    7: arrow(True),             # parent
    8: folder(YELLOW),          # directory
    9: page(SILVER),            # new entry, unknown files
    10: program(SILVER),        # programs
    11: page(PURPLE, AQUA),     # drawings
    12: page(OLIVE, BLACK),     # archives
    13: page(RED, YELLOW),      # charts
    14: page(GREEN, GREEN),     # spreadsheets
    15: page(NAVY, RED),        # publications
    16: page(TEAL, TEAL),       # databases
    17: page(GRAY, GRAY),       # backups
    18: page(BLUE, LIME),       # pictures
    19: page(BLACK),            # texts
    20: page(SILVER, GRAY),     # hidden file
    21: page(PURPLE, PURPLE),   # sounds
    22: page(YELLOW, BLUE),     # help
    23: page(RED, BLACK),       # system files
    24: page(NAVY, NAVY),       # fonts
    25: page(GREEN, RED),       # films
    26: page(TEAL, YELLOW),     # sources
    27: folder(SILVER),         # hidden directory
    28: program(GRAY),          # hidden program
}


# The sixteen standard colours, in palette order: every icon is drawn with them, so the files
# are 4-bit (small resources in the program).
PALETTE = [BLACK, BACK, GREEN, OLIVE, NAVY, PURPLE, TEAL, GRAY, SILVER, RED, LIME, YELLOW, BLUE, (255, 0, 255),
           AQUA, WHITE]


def write_bmp(path, pixels):
    w, h = len(pixels[0]), len(pixels)
    row = ((w * 4 + 31) // 32) * 4
    data = bytearray()
    for y in range(h - 1, -1, -1):
        line = bytearray()
        for x in range(0, w, 2):
            hi = PALETTE.index(pixels[y][x])
            lo = PALETTE.index(pixels[y][x + 1]) if x + 1 < w else 0
            line.append(hi << 4 | lo)
        data += line + b"\0" * (row - len(line))
    colours = b"".join(bytes((b, g, r, 0)) for r, g, b in PALETTE)
    offset = 14 + 40 + len(colours)
    header = struct.pack("<2sIHHI", b"BM", offset + len(data), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 4, 0, len(data), 2835, 2835, 16, 16)
    with open(path, "wb") as f:
        f.write(header + info + colours + data)


if __name__ == "__main__":
    here = os.path.dirname(os.path.abspath(__file__))
    # One picture for all: one resource costs less than 28 (headers, palettes, directory).
    strip = [sum((ICONS[n][y] for n in sorted(ICONS)), []) for y in range(H)]
    write_bmp(os.path.join(here, "entry_icons.bmp"), strip)
