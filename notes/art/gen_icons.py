#!/usr/bin/env python3
"""Draws Quillnote's icons (32x32, 16 colours, with transparency mask) into this folder.

Run it again after changing the drawing; its outputs are committed beside it.
"""
import os
import struct

PALETTE = [
    (0x00, 0x00, 0x00), (0x80, 0x00, 0x00), (0x00, 0x80, 0x00), (0x80, 0x80, 0x00),
    (0x00, 0x00, 0x80), (0x80, 0x00, 0x80), (0x00, 0x80, 0x80), (0xC0, 0xC0, 0xC0),
    (0x80, 0x80, 0x80), (0xFF, 0x00, 0x00), (0x00, 0xFF, 0x00), (0xFF, 0xFF, 0x00),
    (0x00, 0x00, 0xFF), (0xFF, 0x00, 0xFF), (0x00, 0xFF, 0xFF), (0xFF, 0xFF, 0xFF),
]
BLACK, GREY, SILVER, WHITE = 0, 8, 7, 15
NONE = None  # transparent

# (light, dark) palette indexes of each note colour
COLOURS = {"": (11, 3), "V": (10, 2), "B": (12, 4), "R": (9, 1)}


def blank():
    return [[NONE] * 32 for _ in range(32)]


def sheet(img, light, dark, lines):
    """A note sheet with a folded top-right corner, optionally written on."""
    left, top, right, bottom, fold = 4, 3, 27, 28, 7
    for y in range(top, bottom + 1):
        for x in range(left, right + 1):
            if x - (right - fold) > y - top:  # cut corner
                continue
            edge = x in (left, right) or y in (top, bottom) or x - (right - fold) == y - top
            img[y][x] = BLACK if edge else light
    for i in range(1, fold):  # the folded flap
        for x in range(right - fold, right - fold + i):
            img[top + i][x + 1] = dark if x + 1 < right - fold + i else BLACK
    for x in range(right - fold, right + 1):
        img[top + fold][x] = BLACK
    for y in range(bottom + 1, bottom + 3):  # shadow
        for x in range(left + 2, right + 3):
            img[y][x] = GREY
    for y in range(top + 2, bottom + 1):
        for x in (right + 1, right + 2):
            img[y][x] = GREY
    if lines:
        for y in (12, 16, 20, 24):
            for x in range(8, 24 if y != 24 else 17):
                img[y][x] = dark


def quill(img):
    """A feather pen lying across the sheet, nib at the bottom left."""
    for i in range(20):
        x, y = 8 + i, 26 - i
        img[y][x] = BLACK  # shaft
        if i > 5:
            for w in range(1, 4 if i < 17 else 2):
                img[y - w][x] = WHITE if w < 3 else SILVER
                img[y][x + w] = WHITE if w < 3 else SILVER
    img[27][7] = BLACK
    img[28][6] = BLACK


def write_ico(path, img):
    xor = bytearray()
    mask = bytearray()
    for y in range(31, -1, -1):
        row = img[y]
        for x in range(0, 32, 2):
            a = row[x] if row[x] is not None else 0
            b = row[x + 1] if row[x + 1] is not None else 0
            xor.append((a << 4) | b)
        bits = 0
        for x in range(32):
            bits = (bits << 1) | (1 if row[x] is None else 0)
        mask += struct.pack(">I", bits)
    pal = b"".join(struct.pack("BBBB", b, g, r, 0) for (r, g, b) in PALETTE)
    header = struct.pack("<IiiHHIIiiII", 40, 32, 64, 1, 4, 0, len(xor) + len(mask), 0, 0, 16, 0)
    body = header + pal + bytes(xor) + bytes(mask)
    directory = struct.pack("<HHH", 0, 1, 1) + struct.pack("<BBBBHHII", 32, 32, 16, 0, 1, 4,
                                                             len(body), 22)
    with open(path, "wb") as f:
        f.write(directory + body)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    for suffix, (light, dark) in COLOURS.items():
        for name, lines in (("Vide", False), ("MyIcon", True)):
            img = blank()
            sheet(img, light, dark, lines)
            write_ico(os.path.join(here, f"{name}{suffix}.ico"), img)
    img = blank()
    sheet(img, 11, 3, True)
    quill(img)
    write_ico(os.path.join(here, "AboutIcon.ico"), img)


if __name__ == "__main__":
    main()
