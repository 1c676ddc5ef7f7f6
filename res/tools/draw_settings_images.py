#!/usr/bin/env python3
"""Draws the shortcut dialog's clear icons and the plot settings dialog's pictures into res/
(standard library only).

Run from anywhere: python3 res/tools/draw_settings_images.py
"""
from draw_dialog_images import Picture
from draw_images import Canvas, icon_file, write

BLACK = (0, 0, 0)
WHITE = (255, 255, 255)
RED = (220, 30, 30)
GREY = (150, 150, 150)


def clear_icon(size, hovered):
    """Icons 632 (hovered) and 631 (idle) of the clear button: lines of text struck out."""
    c = Canvas(size)
    text = (90, 90, 90, 255)
    for i in range(3):
        y = size * (0.3 + 0.2 * i)
        c.rect(size * 0.15, y, size * 0.85, y + max(1, size / 16), text)
    colour = (230, 40, 40, 255) if hovered else (200, 120, 0, 255)
    c.line(size * 0.2, size * 0.85, size * 0.85, size * 0.15, max(2, size / 8), colour)
    return c


def line_picture(overlay):
    """Bitmaps 722 (lines drawn over each other) and 723 (lines merged): two strokes."""
    p = Picture(60, 40, WHITE)
    if overlay:
        p.line(6, 14, 54, 14, 3, BLACK)
        p.line(6, 26, 54, 26, 3, BLACK)
        p.line(30, 6, 30, 34, 3, RED)
    else:
        p.line(6, 20, 54, 20, 5, BLACK)
    return p


def page_picture(landscape, top_right):
    """Bitmaps 742..745: the turned page, its former top edge marked red on the right (a turn
    by 90 degrees) or on the left (a turn by 270 degrees)."""
    p = Picture(48, 48, (236, 236, 236))
    w, h = (40, 28) if landscape else (28, 40)
    x0, y0 = (48 - w) // 2, (48 - h) // 2
    p.rect(x0, y0, x0 + w, y0 + h, WHITE)
    for x0_, y0_, x1_, y1_ in ((x0, y0, x0 + w, y0 + 1), (x0, y0 + h - 1, x0 + w, y0 + h),
                               (x0, y0, x0 + 1, y0 + h), (x0 + w - 1, y0, x0 + w, y0 + h)):
        p.rect(x0_, y0_, x1_, y1_, GREY)
    bar = x0 + w - 6 if top_right else x0 + 2
    p.rect(bar, y0 + 3, bar + 4, y0 + h - 3, RED)
    for k in range(3):
        y = y0 + 6 + k * (h - 12) // 2
        p.rect(x0 + (4 if top_right else 9), y, x0 + w - (9 if top_right else 4), y + 2, BLACK)
    return p


def main():
    write("clear_hover.ico", icon_file([clear_icon(s, True) for s in (16, 32)]))
    write("clear_idle.ico", icon_file([clear_icon(s, False) for s in (16, 32)]))
    write("line_overlay.bmp", line_picture(True).bmp())
    write("line_merge.bmp", line_picture(False).bmp())
    # Landscape pages (all pages turned to landscape): 743 by 90, 744 by 270;
    # portrait pages: 745 by 90, 742 by 270.
    write("turn_land_90.bmp", page_picture(True, True).bmp())
    write("turn_land_270.bmp", page_picture(True, False).bmp())
    write("turn_port_90.bmp", page_picture(False, True).bmp())
    write("turn_port_270.bmp", page_picture(False, False).bmp())


if __name__ == "__main__":
    main()
