#!/usr/bin/env python3
"""Draws the greyed set of the nine order pictures (order_grey_1..9.bmp) from the coloured
set in res/ (standard library only): each pixel's luminance, lightened towards white.

Run from anywhere: python3 res/tools/draw_grey_orders.py
"""
import os
import struct

RES = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


def grey_copy(source, target):
    with open(source, "rb") as f:
        data = bytearray(f.read())
    offset = struct.unpack_from("<I", data, 10)[0]
    width, height = struct.unpack_from("<ii", data, 18)
    bits = struct.unpack_from("<H", data, 28)[0]
    assert bits == 24, "24-bit pictures only"
    stride = (width * 3 + 3) & ~3
    for row in range(abs(height)):
        base = offset + row * stride
        for x in range(width):
            b, g, r = data[base + 3 * x: base + 3 * x + 3]
            y = (299 * r + 587 * g + 114 * b) // 1000
            v = 128 + y // 2
            data[base + 3 * x: base + 3 * x + 3] = bytes((v, v, v))
    with open(target, "wb") as f:
        f.write(data)


for n in range(1, 10):
    grey_copy(os.path.join(RES, "order_%d.bmp" % n), os.path.join(RES, "order_grey_%d.bmp" % n))
