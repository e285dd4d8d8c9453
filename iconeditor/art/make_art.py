#!/usr/bin/env python3
"""Makes the icon editor's pictures: fill patterns, box pictures, button and tool glyphs,
the two canvas cursors and the program icon. Run from anywhere; writes beside this script.
Every picture is drawn here from small character maps, so the art is ours and reproducible."""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))

def write_bmp(name, rows):
    """rows: list of lists of (r, g, b), top row first; writes a paletted BMP, 4-bit when the
    picture has at most 16 colours, else 8-bit (small in the program's resources)."""
    h = len(rows)
    w = len(rows[0])
    colours = sorted({c for row in rows for c in row})
    assert len(colours) <= 256, name
    bits = 4 if len(colours) <= 16 else 8
    index = {c: i for i, c in enumerate(colours)}
    stride = ((w * bits + 31) // 32) * 4
    data = bytearray()
    for row in reversed(rows):
        if bits == 8:
            line = bytearray(index[c] for c in row)
        else:
            line = bytearray(index[row[x]] << 4 | (index[row[x + 1]] if x + 1 < w else 0) for x in range(0, w, 2))
        line += b"\0" * (stride - len(line))
        data += line
    palette = b"".join(bytes((b, g, r, 0)) for (r, g, b) in colours)
    offset = 54 + len(palette)
    header = struct.pack("<2sIHHI", b"BM", offset + len(data), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, bits, 0, len(data), 2835, 2835, len(colours), 0)
    with open(os.path.join(HERE, name), "wb") as f:
        f.write(header + info + palette + data)

def from_map(lines, palette):
    return [[palette[ch] for ch in line] for line in lines]

BLACK, WHITE, GRAY, SILVER = (0, 0, 0), (255, 255, 255), (128, 128, 128), (192, 192, 192)
RED, GREEN, BLUE, YELLOW = (255, 0, 0), (0, 128, 0), (0, 0, 255), (255, 255, 0)
MAGENTA, NAVY, MAROON = (255, 0, 255), (0, 0, 128), (128, 0, 0)

# --- Fill patterns "P2" to "P8": 8 x 8, dark pixels form the pattern. ---
PATTERNS = {
    2: ["X.X.X.X.", ".X.X.X.X"] * 4,                        # fine checker
    3: ["X.......", ".X......", "..X.....", "...X....", "....X...", ".....X..", "......X.", ".......X"],
    4: [".......X", "......X.", ".....X..", "....X...", "...X....", "..X.....", ".X......", "X......."],
    5: ["X.......", "X.......", "X.......", "X.......", "X.......", "X.......", "X.......", "XXXXXXXX"],
    6: ["XXXXXXXX", "........"] * 4,                        # horizontal lines
    7: ["X...X...", "........", "..X...X.", "........"] * 2,  # dots
    8: ["X......X", ".X....X.", "..X..X..", "...XX...", "...XX...", "..X..X..", ".X....X.", "X......X"],
}
for n, m in PATTERNS.items():
    write_bmp("P%d.bmp" % n, from_map(m, {"X": BLACK, ".": WHITE}))

# --- The alert picture (56 x 48): a yellow warning sign on silver; top-left pixel is the
# transparent colour. ---
def alert_picture():
    w, h = 56, 48
    rows = [[SILVER] * w for _ in range(h)]
    cx = w // 2
    for y in range(4, 44):
        half = (y - 4) * 24 // 40
        for x in range(cx - half, cx + half + 1):
            edge = x in (cx - half, cx + half) or y == 43
            rows[y][x] = BLACK if edge else YELLOW
    for y in range(14, 33):
        for x in range(cx - 2, cx + 2):
            rows[y][x] = BLACK
    for y in range(36, 40):
        for x in range(cx - 2, cx + 2):
            rows[y][x] = BLACK
    return rows
write_bmp("alert.bmp", alert_picture())

# --- Button glyphs, 16 x 16; the bottom-left pixel is the transparent colour (magenta). ---
GLYPHS = {
    "ok": [
        "................", "................", "..............G.", ".............GG.",
        "............GGG.", "...........GGG..", "..G.......GGG...", "..GG.....GGG....",
        "..GGG...GGG.....", "...GGG.GGG......", "....GGGGG.......", ".....GGG........",
        "......G.........", "................", "................", "................"],
    "no": [
        "................", "................", "..RR.......RR...", "..RRR.....RRR...",
        "...RRR...RRR....", "....RRR.RRR.....", ".....RRRRR......", "......RRR.......",
        ".....RRRRR......", "....RRR.RRR.....", "...RRR...RRR....", "..RRR.....RRR...",
        "..RR.......RR...", "................", "................", "................"],
    "cancel": [
        "................", ".....RRRRRR.....", "...RRR....RRR...", "..RR.......RRR..",
        "..R.......RR.R..", ".RR......RR..RR.", ".R......RR....R.", ".R.....RR.....R.",
        ".R....RR......R.", ".R...RR.......R.", ".RR.RR.......RR.", "..RRR........R..",
        "..RR.......RR...", "...RRR....RRR...", ".....RRRRRR.....", "................"],
}
GLYPHS["yes"] = GLYPHS["ok"]
for name, m in GLYPHS.items():
    write_bmp("glyph_%s.bmp" % name, from_map(m, {".": MAGENTA, "G": GREEN, "R": RED}))

# --- Tool glyphs for the drawing tools, 16 x 16, transparent magenta. ---
TOOLS = {
    "pencil": [
        "................", "...........KK...", "..........KYYK..", ".........KYYYK..",
        "........KYYYK...", ".......KYYYK....", "......KYYYK.....", ".....KYYYK......",
        "....KYYYK.......", "...KYYYK........", "...KWYK.........", "..KWWK..........",
        "..KKK...........", "..K.............", "................", "................"],
    "rect": [
        "................", "................", ".KKKKKKKKKKKKKK.", ".K............K.",
        ".K............K.", ".K............K.", ".K............K.", ".K............K.",
        ".K............K.", ".K............K.", ".K............K.", ".K............K.",
        ".KKKKKKKKKKKKKK.", "................", "................", "................"],
    "fillrect": [
        "................", "................", ".KKKKKKKKKKKKKK.", ".KBBBBBBBBBBBBK.",
        ".KBBBBBBBBBBBBK.", ".KBBBBBBBBBBBBK.", ".KBBBBBBBBBBBBK.", ".KBBBBBBBBBBBBK.",
        ".KBBBBBBBBBBBBK.", ".KBBBBBBBBBBBBK.", ".KBBBBBBBBBBBBK.", ".KBBBBBBBBBBBBK.",
        ".KKKKKKKKKKKKKK.", "................", "................", "................"],
    "circle": [
        "................", ".....KKKKKK.....", "...KK......KK...", "..K..........K..",
        ".K............K.", ".K............K.", "K..............K", "K..............K",
        "K..............K", "K..............K", ".K............K.", ".K............K.",
        "..K..........K..", "...KK......KK...", ".....KKKKKK.....", "................"],
    "fillcircle": [
        "................", ".....KKKKKK.....", "...KKBBBBBBKK...", "..KBBBBBBBBBBK..",
        ".KBBBBBBBBBBBBK.", ".KBBBBBBBBBBBBK.", "KBBBBBBBBBBBBBBK", "KBBBBBBBBBBBBBBK",
        "KBBBBBBBBBBBBBBK", "KBBBBBBBBBBBBBBK", ".KBBBBBBBBBBBBK.", ".KBBBBBBBBBBBBK.",
        "..KBBBBBBBBBBK..", "...KKBBBBBBKK...", ".....KKKKKK.....", "................"],
    "line": [
        "................", "..............K.", ".............K..", "............K...",
        "...........K....", "..........K.....", ".........K......", "........K.......",
        ".......K........", "......K.........", ".....K..........", "....K...........",
        "...K............", "..K.............", ".K..............", "................"],
    "fill": [
        "................", "......K.........", ".....K.K........", "....K...K.......",
        "...K.....K......", "..K.......K.....", ".KBBBBBBBBBK....", "..KBBBBBBBK.B...",
        "...KBBBBBK..B...", "....KBBBK...BB..", ".....KBK....BB..", "......K.....BB..",
        "................", "................", "................", "................"],
    "pointer": [
        "................", ".KK.KK.KK.KK.KK.", ".K............K.", "................",
        ".K............K.", ".K............K.", "................", ".K............K.",
        ".K............K.", "................", ".K............K.", ".K............K.",
        "................", ".K............K.", ".KK.KK.KK.KK.KK.", "................"],
    "text": [
        "................", "................", "......KKK.......", "......KKK.......",
        ".....KK.KK......", ".....KK.KK......", "....KK...KK.....", "....KK...KK.....",
        "...KKKKKKKKK....", "...KK.....KK....", "..KK.......KK...", "..KK.......KK...",
        ".KKKK.....KKKK..", "................", "................", "................"],
}
for name, m in TOOLS.items():
    write_bmp("tool_%s.bmp" % name, from_map(m, {".": MAGENTA, "K": BLACK, "B": BLUE, "Y": YELLOW, "W": WHITE}))

# --- Decorative pictures: a hatched backdrop for the transparency button (20 x 25) and a
# small easel beside the zoom slider (32 x 32). ---
hatch = [[(BLACK if (x + y) % 4 == 0 else WHITE) for x in range(20)] for y in range(25)]
write_bmp("hatch.bmp", hatch)
easel = [[SILVER] * 32 for _ in range(32)]
for y in range(4, 22):
    for x in range(6, 26):
        easel[y][x] = BLACK if x in (6, 25) or y in (4, 21) else WHITE
for i, col in enumerate([RED, GREEN, BLUE, YELLOW]):
    for y in range(8 + i * 3, 10 + i * 3):
        for x in range(9 + i * 3, 15 + i * 3):
            easel[y][x] = col
for y in range(22, 31):
    easel[y][9 + (y - 22) // 3] = MAROON
    easel[y][22 - (y - 22) // 3] = MAROON
write_bmp("easel.bmp", easel)

# --- Cursors (32 x 32, monochrome .cur): "openhand" (hot spot in the palm) and "HoleCros"
# (a cross with an open centre, hot spot at the middle). Map: K black, W white, . clear. ---
def write_cur(name, lines, hot):
    and_rows, xor_rows = [], []
    for line in lines:
        a = x = 0
        for i, ch in enumerate(line):
            bit = 1 << (31 - i)
            if ch == ".":
                a |= bit
            elif ch == "W":
                x |= bit
        and_rows.append(a)
        xor_rows.append(x)
    xor = b"".join(struct.pack(">I", v) for v in reversed(xor_rows))
    andm = b"".join(struct.pack(">I", v) for v in reversed(and_rows))
    info = struct.pack("<IiiHHIIiiII", 40, 32, 64, 1, 1, 0, len(xor) + len(andm), 0, 0, 2, 0)
    colors = bytes((0, 0, 0, 0, 255, 255, 255, 0))
    image = info + colors + xor + andm
    header = struct.pack("<HHH", 0, 2, 1)
    entry = struct.pack("<BBBBHHII", 32, 32, 0, 0, hot[0], hot[1], len(image), 6 + 16)
    with open(os.path.join(HERE, name), "wb") as f:
        f.write(header + entry + image)

hand = [
    "........KK......................", "....KK.KWWKKK...................", "...KWWKKWWKWWK..................",
    "...KWWKKWWKWWK.K................", "....KWWKKWWKWWKWK...............", "....KWWKKWWKWWKWK...............",
    "..KK.KWWKWWKWWKWK...............", ".KWWKKWWWWWWWWKWK...............", ".KWWWKWWWWWWWWWWK...............",
    "..KWWWWWWWWWWWWWK...............", "...KWWWWWWWWWWWWK...............", "...KWWWWWWWWWWWK................",
    "....KWWWWWWWWWWK................", "....KWWWWWWWWWK.................", ".....KWWWWWWWWK.................",
    ".....KWWWWWWWWK.................",
] + ["." * 32] * 16
write_cur("openhand.cur", hand, (8, 8))
cross = []
for y in range(32):
    row = ["."] * 32
    if y == 15 or y == 16:
        for x in list(range(2, 12)) + list(range(20, 30)):
            row[x] = "K" if y == 15 else "W"
    if 2 <= y < 12 or 20 <= y < 30:
        row[15] = "K"
        row[16] = "W"
    cross.append("".join(row))
write_cur("HoleCros.cur", cross, (15, 15))

# --- Program icon (32 x 32, 16 colours): a small easel-coloured square pattern. ---
def write_icon(name):
    pal = [BLACK, MAROON, GREEN, (128, 128, 0), NAVY, (128, 0, 128), (0, 128, 128), GRAY,
           SILVER, RED, (0, 255, 0), YELLOW, BLUE, MAGENTA, (0, 255, 255), WHITE]
    pix = [[8 if 2 <= x < 30 and 2 <= y < 30 else 0 for x in range(32)] for y in range(32)]
    for y in range(5, 27):
        for x in range(5, 27):
            pix[y][x] = 15
    for i, c in enumerate([9, 10, 12, 11]):
        for y in range(8 + i * 4, 12 + i * 4):
            for x in range(8 + i * 3, 18 + i * 3):
                pix[y][x] = c
    xor = bytearray()
    for row in reversed(pix):
        for x in range(0, 32, 2):
            xor.append((row[x] << 4) | row[x + 1])
    andm = bytes(4 * 32)
    info = struct.pack("<IiiHHIIiiII", 40, 32, 64, 1, 4, 0, len(xor) + len(andm), 0, 0, 16, 0)
    colors = b"".join(bytes((b, g, r, 0)) for (r, g, b) in pal)
    image = info + colors + bytes(xor) + andm
    header = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", 32, 32, 16, 0, 1, 4, len(image), 22)
    with open(os.path.join(HERE, name), "wb") as f:
        f.write(header + entry + image)
write_icon("zwicon.ico")
