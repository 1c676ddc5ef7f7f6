#!/usr/bin/env python3
"""Draws the value dialogs' icons, the order picker's cursors and the nine order pictures
into res/ (standard library only).

Run from anywhere: python3 res/tools/draw_dialog_images.py
"""
import os
import struct

from draw_images import Canvas, icon_file, write

WHITE = (255, 255, 255, 255)


class Picture:
    """A width x height RGB picture written as a 24-bit BMP."""

    def __init__(self, width, height, fill):
        self.w, self.h = width, height
        self.px = [fill] * (width * height)

    def put(self, x, y, rgb):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.px[y * self.w + x] = rgb

    def rect(self, x0, y0, x1, y1, rgb):
        for y in range(int(y0), int(y1)):
            for x in range(int(x0), int(x1)):
                self.put(x, y, rgb)

    def line(self, x0, y0, x1, y1, width, rgb, dash=0):
        steps = int(max(abs(x1 - x0), abs(y1 - y0))) + 1
        for i in range(steps + 1):
            if dash and (i // dash) % 2:
                continue
            t = i / steps
            x, y = x0 + (x1 - x0) * t, y0 + (y1 - y0) * t
            self.rect(x - width // 2, y - width // 2, x - width // 2 + width, y - width // 2 + width, rgb)

    def bmp(self):
        row = (self.w * 3 + 3) & ~3
        data = bytearray()
        for y in range(self.h - 1, -1, -1):
            line = bytearray()
            for x in range(self.w):
                r, g, b = self.px[y * self.w + x]
                line += bytes((b, g, r))
            data += line + b"\x00" * (row - len(line))
        info = struct.pack("<IiiHHIIiiII", 40, self.w, self.h, 1, 24, 0, len(data), 2835, 2835, 0, 0)
        return b"BM" + struct.pack("<IHHI", 14 + 40 + len(data), 0, 0, 54) + info + bytes(data)


def check_icon(size, hovered):
    """Icons 295 (hovered) and 296 (idle) of OK: a tick."""
    c = Canvas(size)
    colour = (230, 40, 40, 255) if hovered else (0, 140, 0, 255)
    w = max(2, size / 7)
    c.line(size * 0.18, size * 0.55, size * 0.42, size * 0.8, w, colour)
    c.line(size * 0.42, size * 0.8, size * 0.85, size * 0.22, w, colour)
    return c


def cross_icon(size, hovered):
    """Icons 298 (hovered) and 297 (idle) of Cancel: a cross."""
    c = Canvas(size)
    colour = (230, 40, 40, 255) if hovered else (90, 90, 90, 255)
    w = max(2, size / 7)
    m = size * 0.22
    c.line(m, m, size - m, size - m, w, colour)
    c.line(size - m, m, m, size - m, w, colour)
    return c


def pen_icon(size, hovered):
    """Icons 667 (hovered) and 666 (idle) of the style-edit button: a pen."""
    c = Canvas(size)
    colour = (230, 40, 40, 255) if hovered else (40, 80, 160, 255)
    c.line(size * 0.2, size * 0.8, size * 0.8, size * 0.2, max(2, size / 6), colour)
    return c


def brush_icon(size, hovered):
    """Icons 758 (hovered) and 757 (idle) of the attribute brush's refresh button: a brush."""
    c = Canvas(size)
    handle = (230, 40, 40, 255) if hovered else (120, 70, 20, 255)
    bristles = (230, 40, 40, 255) if hovered else (40, 80, 160, 255)
    c.line(size * 0.8, size * 0.15, size * 0.5, size * 0.5, max(2, size / 8), handle)
    c.line(size * 0.5, size * 0.5, size * 0.2, size * 0.85, max(3, size / 4), bristles)
    return c


def arrow_cursor(forward):
    """Cursors 685 (forward) and 686 (back): a fat arrow, hot spot at its tip."""
    c = Canvas(32)
    black = (0, 0, 0, 255)
    for i in range(12):
        x = 20 - i if forward else 11 + i
        c.rect(x, 15 - i, x + 1, 16 + i, black if i in (0, 11) else WHITE)
        c.put(x, 15 - i, black)
        c.put(x, 15 + i, black)
    x0, x1 = (2, 10) if forward else (22, 30)
    c.rect(x0, 11, x1, 20, black)
    c.rect(x0 + 1, 12, x1 - 1, 19, WHITE)
    return c, ((21, 15) if forward else (10, 15))


CELLS = [(40 + 60 * col, 50 + 40 * row) for row in range(3) for col in range(3)]
PATHS = {
    1: [(0, 0), (2, 0), (0, 1), (2, 1), (0, 2), (2, 2)],
    2: [(2, 0), (0, 0), (2, 1), (0, 1), (2, 2), (0, 2)],
    3: [(0, 2), (2, 2), (0, 1), (2, 1), (0, 0), (2, 0)],
    4: [(2, 2), (0, 2), (2, 1), (0, 1), (2, 0), (0, 0)],
    5: [(0, 2), (0, 0), (1, 2), (1, 0), (2, 2), (2, 0)],
    6: [(2, 2), (2, 0), (1, 2), (1, 0), (0, 2), (0, 0)],
    7: [(0, 0), (0, 2), (1, 0), (1, 2), (2, 0), (2, 2)],
    8: [(2, 0), (2, 2), (1, 0), (1, 2), (0, 0), (0, 2)],
}


def order_picture(kind):
    """Bitmaps 747..754 (kinds 1..8) and 746 (kind 9): the order through a 3 x 3 grid of sheets."""
    p = Picture(220, 160, (0, 0, 0))
    for i in range(9):
        x0 = 4 + i * 212 // 9
        p.rect(x0 + 1, 2, 4 + (i + 1) * 212 // 9 - 1, 10, (230, 30, 30) if i + 1 == kind else (40, 90, 220))
    for cx, cy in CELLS:
        p.line(cx - 24, cy - 15, cx + 24, cy - 15, 1, (200, 200, 200), dash=3)
        p.line(cx - 24, cy + 15, cx + 24, cy + 15, 1, (200, 200, 200), dash=3)
        p.line(cx - 24, cy - 15, cx - 24, cy + 15, 1, (200, 200, 200), dash=3)
        p.line(cx + 24, cy - 15, cx + 24, cy + 15, 1, (200, 200, 200), dash=3)
    if kind == 9:
        # The selection order: three bars of a banner in place of the words.
        p.rect(30, 75, 190, 105, (230, 30, 30))
        p.rect(40, 85, 180, 95, (255, 255, 255))
        return p
    points = [(40 + 60 * c, 50 + 40 * r) for c, r in PATHS[kind]]
    for (x0, y0), (x1, y1) in zip(points, points[1:]):
        p.line(x0, y0, x1, y1, 3, (0, 200, 0))
    sx, sy = points[0]
    p.rect(sx - 3, sy - 10, sx + 3, sy + 10, (255, 220, 0))  # the walker
    ex, ey = points[-1]
    p.rect(ex, ey - 14, ex + 2, ey + 4, (255, 255, 255))     # the flag's pole
    p.rect(ex + 2, ey - 14, ex + 14, ey - 6, (230, 30, 30))
    return p


def main():
    write("ok_hover.ico", icon_file([check_icon(s, True) for s in (16, 32)]))
    write("ok_idle.ico", icon_file([check_icon(s, False) for s in (16, 32)]))
    write("cancel_hover.ico", icon_file([cross_icon(s, True) for s in (16, 32)]))
    write("cancel_idle.ico", icon_file([cross_icon(s, False) for s in (16, 32)]))
    write("edit_hover.ico", icon_file([pen_icon(s, True) for s in (16, 32)]))
    write("edit_idle.ico", icon_file([pen_icon(s, False) for s in (16, 32)]))
    write("brush_hover.ico", icon_file([brush_icon(s, True) for s in (16, 32)]))
    write("brush_idle.ico", icon_file([brush_icon(s, False) for s in (16, 32)]))
    for forward, name in ((True, "next.cur"), (False, "prev.cur")):
        canvas, hotspot = arrow_cursor(forward)
        write(name, icon_file([canvas], cursor=True, hotspot=hotspot))
    for kind in range(1, 10):
        write("order_%d.bmp" % kind, order_picture(kind).bmp())


if __name__ == "__main__":
    main()
