#!/usr/bin/env python3
"""Draws the two stock glyphs shipped beside Korvi8.exe, 32x32 24-bit BMPs on an olive
background (the bottom-left colour, which glyph drawing leaves out):
  CONTROL.BMP   a control panel: a grey window with three sliders and a title bar
  EXPLORER.BMP  the file explorer: an open yellow folder with a page in it
Usage: make-stock-glyphs.py OUTPUT_FOLDER"""
import os
import struct
import sys

W = H = 32
# Colours as (R, G, B).
OLIVE = (128, 128, 0)
BLACK, DARK, GREY, LIGHT, WHITE = (0, 0, 0), (64, 64, 64), (160, 160, 160), (212, 208, 200), (255, 255, 255)
NAVY, BLUE, RED, GREEN = (0, 0, 128), (40, 90, 200), (200, 30, 30), (30, 150, 50)
YELLOW, AMBER, BROWN = (250, 215, 80), (225, 170, 40), (140, 95, 20)


def canvas():
    return [[OLIVE] * W for _ in range(H)]  # px[y][x], y = 0 at the top


def rect(px, x0, y0, x1, y1, colour):
    for y in range(y0, y1 + 1):
        for x in range(x0, x1 + 1):
            px[y][x] = colour


def frame(px, x0, y0, x1, y1, colour):
    for x in range(x0, x1 + 1):
        px[y0][x] = px[y1][x] = colour
    for y in range(y0, y1 + 1):
        px[y][x0] = px[y][x1] = colour


def control():
    px = canvas()
    rect(px, 2, 3, 29, 28, LIGHT)          # the window
    rect(px, 3, 4, 28, 8, NAVY)            # title bar
    rect(px, 25, 5, 27, 7, LIGHT)          # its close box
    frame(px, 2, 3, 29, 28, BLACK)
    for x in range(3, 29):
        px[27][x] = GREY                   # lower shadow inside the frame
    for i, (knob, colour) in enumerate(((14, RED), (20, GREEN), (17, BLUE))):
        cx = 8 + i * 8
        rect(px, cx, 11, cx + 1, 25, DARK)     # slider track
        rect(px, cx - 2, knob, cx + 3, knob + 2, colour)
        frame(px, cx - 2, knob, cx + 3, knob + 2, BLACK)
    return px


def explorer():
    px = canvas()
    rect(px, 3, 7, 13, 10, AMBER)          # the folder's tab
    rect(px, 3, 10, 28, 27, AMBER)         # its back
    rect(px, 8, 5, 24, 20, WHITE)          # a page standing in it
    frame(px, 8, 5, 24, 20, DARK)
    for y in (8, 11, 14, 17):
        rect(px, 11, y, 21, y, BLUE)       # lines of text
    for y in range(14, 28):                # the front flap, slanting open
        slant = (27 - y) // 3
        for x in range(2 + slant, 30 - slant // 2):
            px[y][x] = YELLOW
        px[y][2 + slant] = BROWN
        px[y][29 - slant // 2] = BROWN
    rect(px, 2, 27, 29, 27, BROWN)
    rect(px, 2, 14, 29, 14, BROWN)
    return px


def write_bmp(path, px):
    rows = b"".join(bytes(v for (r, g, b) in px[y] for v in (b, g, r)) for y in reversed(range(H)))
    header = struct.pack("<2sIHHI", b"BM", 14 + 40 + len(rows), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, W, H, 1, 24, 0, len(rows), 2835, 2835, 0, 0)
    with open(path, "wb") as f:
        f.write(header + info + rows)


if __name__ == "__main__":
    out = sys.argv[1] if len(sys.argv) > 1 else "."
    os.makedirs(out, exist_ok=True)
    write_bmp(os.path.join(out, "CONTROL.BMP"), control())
    write_bmp(os.path.join(out, "EXPLORER.BMP"), explorer())
