#!/usr/bin/env python3
"""Draws IUNKNOWN.bmp, the 32x32 fallback glyph: a page with a folded corner and a
question mark, on an olive background (the bottom-left colour, which glyph drawing
treats as transparent). Writes a bottom-up 24-bit BMP."""
import struct
import sys

W = H = 32
OLIVE, WHITE, EDGE, FOLD, BLUE = (0, 128, 128), (255, 255, 255), (64, 64, 64), (192, 192, 192), (200, 40, 0)
px = [[OLIVE] * W for _ in range(H)]  # px[y][x], y = 0 at the top; colours as (B, G, R)

left, right, top, bottom, fold = 6, 25, 2, 29, 6
for y in range(top, bottom + 1):
    for x in range(left, right + 1):
        if x - left + (bottom - y) < 0:
            continue
        if x > right - fold + (y - top):  # cut corner
            continue
        edge = x in (left, right) or y in (top, bottom) or x == right - fold + (y - top)
        px[y][x] = EDGE if edge else WHITE
for i in range(fold):  # the folded-over flap
    for x in range(right - fold, right - fold + i + 1):
        px[top + i][x] = FOLD if x < right - fold + i else EDGE
    px[top + fold][right - fold + i] = EDGE
for x in range(right - fold, right + 1):
    px[top + fold][x] = EDGE

QUESTION = [
    "..XXXX..",
    ".XXXXXX.",
    "XX....XX",
    "......XX",
    ".....XX.",
    "....XX..",
    "...XX...",
    "...XX...",
    "........",
    "...XX...",
    "...XX...",
]
ox, oy = 12, 11
for dy, row in enumerate(QUESTION):
    for dx, c in enumerate(row):
        if c == "X":
            px[oy + dy][ox + dx] = BLUE

rows = b"".join(bytes(v for p in px[y] for v in p) for y in reversed(range(H)))  # 96 bytes: no padding
header = struct.pack("<2sIHHI", b"BM", 14 + 40 + len(rows), 0, 0, 54)
info = struct.pack("<IiiHHIIiiII", 40, W, H, 1, 24, 0, len(rows), 2835, 2835, 0, 0)
with open(sys.argv[1] if len(sys.argv) > 1 else "IUNKNOWN.bmp", "wb") as f:
    f.write(header + info + rows)
