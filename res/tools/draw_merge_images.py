#!/usr/bin/env python3
"""Draws the three merge-mode pictures of the multi-drawing dialog into res/ (standard
library only): several drawings merged into one PDF each, into one PDF, or not merged.

Run from anywhere: python3 res/tools/draw_merge_images.py
"""
import os
import struct

RES = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
W, H = 212, 80
WHITE, GREY, BLUE, RED = (255, 255, 255), (160, 160, 160), (40, 90, 200), (200, 40, 40)


def blank():
    return [[WHITE] * W for _ in range(H)]


def box(px, x0, y0, x1, y1, colour):
    for x in range(x0, x1 + 1):
        px[y0][x] = px[y1][x] = colour
    for y in range(y0, y1 + 1):
        px[y][x0] = px[y][x1] = colour


def arrow(px, x0, x1, y):
    for x in range(x0, x1 + 1):
        px[y][x] = RED
    for d in range(1, 5):
        px[y - d][x1 - d] = px[y + d][x1 - d] = RED


def drawings(px):
    for i in range(3):
        box(px, 8, 6 + i * 24, 40, 24 + i * 24, GREY)


def save(name, px):
    row = W * 3 + (-W * 3) % 4
    data = bytearray()
    for y in range(H - 1, -1, -1):
        line = bytearray()
        for r, g, b in px[y]:
            line += bytes((b, g, r))
        data += line + bytes(row - len(line))
    header = struct.pack('<2sIHHI', b'BM', 54 + len(data), 0, 0, 54)
    info = struct.pack('<IiiHHIIiiII', 40, W, H, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    with open(os.path.join(RES, name), 'wb') as f:
        f.write(header + info + data)


many = blank()
drawings(many)
for i in range(3):
    arrow(many, 48, 140, 15 + i * 24)
    box(many, 150, 6 + i * 24, 178, 24 + i * 24, BLUE)
save('merge_many.bmp', many)

one = blank()
drawings(one)
for i in range(3):
    arrow(one, 48, 140, 15 + i * 24)
box(one, 150, 6, 190, 72, BLUE)
save('merge_one.bmp', one)

none = blank()
drawings(none)
save('merge_none.bmp', none)
