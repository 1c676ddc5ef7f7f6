#!/usr/bin/env python3
"""Draws the module's icons, cursor and logo bitmap into res/ (standard library only).

Run from anywhere: python3 res/tools/draw_images.py
"""
import os
import struct
import zlib

RES = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


class Canvas:
    def __init__(self, size, fill=(0, 0, 0, 0)):
        self.size = size
        self.px = [list(fill) for _ in range(size * size)]

    def put(self, x, y, rgba):
        if 0 <= x < self.size and 0 <= y < self.size:
            self.px[y * self.size + x] = list(rgba)

    def rect(self, x0, y0, x1, y1, rgba):
        for y in range(int(y0), int(y1)):
            for x in range(int(x0), int(x1)):
                self.put(x, y, rgba)

    def disc(self, cx, cy, r, rgba):
        for y in range(self.size):
            for x in range(self.size):
                if (x + 0.5 - cx) ** 2 + (y + 0.5 - cy) ** 2 <= r * r:
                    self.put(x, y, rgba)

    def line(self, x0, y0, x1, y1, width, rgba):
        steps = int(max(abs(x1 - x0), abs(y1 - y0)) * 4) + 1
        for i in range(steps + 1):
            t = i / steps
            x, y = x0 + (x1 - x0) * t, y0 + (y1 - y0) * t
            self.disc(x, y, width / 2, rgba) if width > 2 else self.rect(x - width / 2, y - width / 2,
                                                                         x + width / 2, y + width / 2, rgba)

    def png(self):
        raw = b"".join(b"\x00" + bytes(v for p in self.px[y * self.size:(y + 1) * self.size] for v in p)
                       for y in range(self.size))

        def chunk(kind, data):
            body = kind + data
            return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

        header = struct.pack(">IIBBBBB", self.size, self.size, 8, 6, 0, 0, 0)
        return b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9)) + \
            chunk(b"IEND", b"")

    def bmp24(self, background):
        row = (self.size * 3 + 3) & ~3
        data = bytearray()
        for y in range(self.size - 1, -1, -1):
            line = bytearray()
            for x in range(self.size):
                r, g, b, a = self.px[y * self.size + x]
                k = a / 255.0
                line += bytes(int(c * k + bg * (1 - k) + 0.5) for c, bg in ((b, background[2]), (g, background[1]),
                                                                         (r, background[0])))
            data += line + b"\x00" * (row - len(line))
        info = struct.pack("<IiiHHIIiiII", 40, self.size, self.size, 1, 24, 0, len(data), 2835, 2835, 0, 0)
        return b"BM" + struct.pack("<IHHI", 14 + 40 + len(data), 0, 0, 54) + info + bytes(data)


def icon_file(canvases, cursor=False, hotspot=(0, 0)):
    images = [c.png() for c in canvases]
    out = struct.pack("<HHH", 0, 2 if cursor else 1, len(images))
    offset = 6 + 16 * len(images)
    for c, data in zip(canvases, images):
        s = c.size % 256
        a, b = hotspot if cursor else (1, 32)
        out += struct.pack("<BBBBHHII", s, s, 0, 0, a, b, len(data), offset)
        offset += len(data)
    return out + b"".join(images)


GREEN_DARK = (0, 120, 0, 255)
GREEN = (110, 170, 80, 255)
WHITE = (255, 255, 255, 255)
GREY = (90, 90, 90, 255)
RED = (210, 30, 30, 255)


def program_icon(size):
    """Icon 674: a stack of plotted sheets on a green tile."""
    u = size / 16.0
    c = Canvas(size)
    c.rect(0, 0, size, size, GREEN_DARK)
    c.rect(1 * u, 1 * u, size - 1 * u, size - 1 * u, GREEN)
    c.rect(5 * u, 2 * u, 14 * u, 12 * u, (230, 230, 230, 255))
    c.rect(3 * u, 4 * u, 12 * u, 14 * u, WHITE)
    for i in range(3):
        c.rect(4.5 * u, (6 + 2.3 * i) * u, 10.5 * u, (6 + 2.3 * i) * u + max(1, u), GREY)
    return c


def close_icon(size, hovered):
    """Icons 710 (idle) and 711 (hovered): a cross in a disc."""
    c = Canvas(size)
    c.disc(size / 2, size / 2, size / 2 - 0.5, RED if hovered else (60, 120, 40, 255))
    m = size * 0.3
    w = max(1.5, size / 8)
    c.line(m, m, size - m, size - m, w, WHITE)
    c.line(size - m, m, m, size - m, w, WHITE)
    return c


def hand_cursor():
    """Cursor 709: a pointing hand, fingertip at (12, 1)."""
    c = Canvas(32)
    black, white = (0, 0, 0, 255), WHITE
    outline = Canvas(32)
    shapes = [(11, 1, 14, 17), (14, 9, 17, 17), (17, 10, 20, 17), (20, 11, 23, 17), (7, 13, 11, 17),
              (8, 17, 23, 24), (10, 24, 21, 27)]
    for x0, y0, x1, y1 in shapes:
        outline.rect(x0 - 1, y0 - 1, x1 + 1, y1 + 1, black)
    for x0, y0, x1, y1 in shapes:
        outline.rect(x0, y0, x1, y1, white)
    c.px = outline.px
    return c


def logo():
    """Bitmap 695: the program's logo, 64 x 64, on the About box's green."""
    c = Canvas(64)
    c.rect(0, 0, 64, 64, (170, 210, 150, 255))
    c.disc(32, 32, 29, GREEN_DARK)
    c.disc(32, 32, 26, GREEN)
    for i, shade in enumerate((200, 225, 255)):
        x = 17 + i * 4
        y = 14 + i * 4
        c.rect(x, y, x + 24, y + 30, (shade, shade, shade, 255))
        c.rect(x, y, x + 24, y + 1, GREY)
    # "K" on the top sheet
    c.line(28, 29, 28, 45, 3, GREEN_DARK)
    c.line(29, 37, 37, 29, 3, GREEN_DARK)
    c.line(30, 36, 37, 45, 3, GREEN_DARK)
    return c


def write(name, data):
    with open(os.path.join(RES, name), "wb") as f:
        f.write(data)


def main():
    write("korvel.ico", icon_file([program_icon(s) for s in (16, 32, 48)]))
    write("close_idle.ico", icon_file([close_icon(s, False) for s in (16, 32, 64)]))
    write("close_hover.ico", icon_file([close_icon(s, True) for s in (16, 32, 64)]))
    write("hand.cur", icon_file([hand_cursor()], cursor=True, hotspot=(12, 1)))
    write("logo.bmp", logo().bmp24((170, 210, 150)))


if __name__ == "__main__":
    main()
