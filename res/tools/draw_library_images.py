#!/usr/bin/env python3
"""Draws the button icons of the title-block dialogs into res/ (standard library only):
the frame insertion settings, the title-block library, its definition dialog and its
catalogue page. Each icon has an idle look and a hovered one (red strokes).

Run from anywhere: python3 res/tools/draw_library_images.py
"""
from draw_images import Canvas, icon_file, write

WHITE = (255, 255, 255, 255)
PAPER_EDGE = (90, 90, 90, 255)
BLUE = (40, 80, 160, 255)
GREEN = (0, 140, 0, 255)
HOVER = (230, 40, 40, 255)
STAMP = (150, 40, 40, 255)


def accent(hovered, idle):
    return HOVER if hovered else idle


def sheet(c, x0, y0, x1, y1, edge=PAPER_EDGE):
    """A white sheet with a one-pixel edge."""
    c.rect(x0, y0, x1, y1, edge)
    c.rect(x0 + 1, y0 + 1, x1 - 1, y1 - 1, WHITE)


def plus(c, cx, cy, arm, width, colour):
    c.rect(cx - arm, cy - width / 2, cx + arm, cy + width / 2, colour)
    c.rect(cx - width / 2, cy - arm, cx + width / 2, cy + arm, colour)


def add_frame_icon(size, hovered):
    """Icons 634 (hovered) and 633 (idle) of the add-frame buttons: a frame with its title
    block, and a plus."""
    s = size / 16.0
    c = Canvas(size)
    sheet(c, 0, 2 * s, 13 * s, 12 * s)
    c.rect(1.5 * s, 3.5 * s, 11.5 * s, 10.5 * s, PAPER_EDGE)
    c.rect(2.5 * s, 4.5 * s, 10.5 * s, 9.5 * s, WHITE)
    c.rect(7 * s, 8 * s, 11.5 * s, 10.5 * s, BLUE)
    plus(c, 12 * s, 12 * s, 3.5 * s, max(2, 2 * s), accent(hovered, GREEN))
    return c


def tray_arrow_icon(size, hovered, into):
    """Icons 761/762 (import: an arrow into a tray) and 763/764 (export: out of it), idle/hovered."""
    s = size / 16.0
    c = Canvas(size)
    colour = accent(hovered, BLUE)
    c.rect(1 * s, 10 * s, 15 * s, 15 * s, PAPER_EDGE)
    c.rect(2 * s, 10 * s, 14 * s, 14 * s, WHITE)
    w = max(2, 2 * s)
    head = int(4 * s)
    if into:
        c.rect(8 * s - w / 2, 1 * s, 8 * s + w / 2, 8 * s, colour)
        tip, step = 12 * s, -1
    else:
        c.rect(8 * s - w / 2, 5 * s, 8 * s + w / 2, 12 * s, colour)
        tip, step = 1 * s, 1
    for i in range(head + 1):
        y = tip + step * i
        c.rect(8 * s - i, y, 8 * s + i, y + 1, colour)
    return c


def pick_range_icon(size, hovered):
    """Icons 766 (hovered) and 765 (idle) of the range buttons: a dashed window and the
    cross-hair that picks its corner."""
    s = size / 16.0
    c = Canvas(size)
    colour = accent(hovered, BLUE)
    dash = max(1, int(2 * s))
    for x in range(int(1 * s), int(12 * s), 2 * dash):
        c.rect(x, 2 * s, x + dash, 2 * s + max(1, s), colour)
        c.rect(x, 11 * s, x + dash, 11 * s + max(1, s), colour)
    for y in range(int(2 * s), int(12 * s), 2 * dash):
        c.rect(1 * s, y, 1 * s + max(1, s), y + dash, colour)
        c.rect(11 * s, y, 11 * s + max(1, s), y + dash, colour)
    c.rect(11 * s, 7 * s, 12 * s, 16 * s, PAPER_EDGE)
    c.rect(7 * s, 11 * s, 16 * s, 12 * s, PAPER_EDGE)
    return c


def stamp_icon(size, hovered):
    """Icons 768 (hovered) and 767 (idle) of the stamp-range buttons: a round seal."""
    s = size / 16.0
    c = Canvas(size)
    colour = accent(hovered, STAMP)
    c.disc(8 * s, 8 * s, 7.5 * s, colour)
    c.disc(8 * s, 8 * s, 6 * s, WHITE)
    c.disc(8 * s, 8 * s, 5 * s, colour)
    c.disc(8 * s, 8 * s, 2.5 * s, WHITE)
    return c


def paper_icon(size, hovered):
    """Icons 770 (hovered) and 769 (idle) of the paper button: a sheet with a turned corner
    and its size arrows."""
    s = size / 16.0
    c = Canvas(size)
    sheet(c, 3 * s, 1 * s, 13 * s, 15 * s)
    for i in range(int(3 * s)):
        c.rect(13 * s - 3 * s + i, 1 * s, 13 * s, 1 * s + i + 1, (0, 0, 0, 0))
    colour = accent(hovered, BLUE)
    c.rect(5 * s, 12 * s, 11 * s, 12 * s + max(1, s), colour)
    c.rect(5 * s, 5 * s, 5 * s + max(1, s), 12 * s, colour)
    return c


def copy_icon(size, hovered):
    """Icons 772 (hovered) and 771 (idle) of the copy button: two sheets, one over the other."""
    s = size / 16.0
    c = Canvas(size)
    sheet(c, 1 * s, 1 * s, 10 * s, 11 * s)
    sheet(c, 6 * s, 5 * s, 15 * s, 15 * s, accent(hovered, BLUE))
    for k in range(3):
        y = (8 + 2 * k) * s
        c.rect(8 * s, y, 13 * s, y + max(1, s), PAPER_EDGE)
    return c


def pick_text_icon(size, hovered):
    """Icons 774 (hovered) and 773 (idle) of the text-settings button: a letter "A" under a
    pick box."""
    s = size / 16.0
    c = Canvas(size)
    colour = accent(hovered, BLUE)
    w = max(1.5, 1.6 * s)
    c.line(2 * s, 14 * s, 6 * s, 3 * s, w, colour)
    c.line(6 * s, 3 * s, 10 * s, 14 * s, w, colour)
    c.line(3.8 * s, 10 * s, 8.2 * s, 10 * s, w, colour)
    c.rect(11 * s, 1 * s, 16 * s, 6 * s, PAPER_EDGE)
    c.rect(12 * s, 2 * s, 15 * s, 5 * s, (0, 0, 0, 0))
    return c


def table_icon(size, hovered, add):
    """Icons 776/775 (add a column: a table and a plus) and 778/777 (delete one: a cross)."""
    s = size / 16.0
    c = Canvas(size)
    sheet(c, 0, 1 * s, 12 * s, 13 * s)
    for k in (4, 8):
        c.rect(k * s, 1 * s, k * s + max(1, s / 2), 13 * s, PAPER_EDGE)
    for k in (5, 9):
        c.rect(0, k * s, 12 * s, k * s + max(1, s / 2), PAPER_EDGE)
    w = max(2, 2 * s)
    if add:
        plus(c, 12 * s, 12 * s, 3.5 * s, w, accent(hovered, GREEN))
    else:
        colour = accent(hovered, (200, 120, 0, 255))
        c.line(9 * s, 9 * s, 15 * s, 15 * s, w, colour)
        c.line(15 * s, 9 * s, 9 * s, 15 * s, w, colour)
    return c


def pair(name, draw):
    """Writes name_idle.ico and name_hover.ico (16, 32 and, for tall buttons, 64 pixels)."""
    for look, hovered in (("idle", False), ("hover", True)):
        write("%s_%s.ico" % (name, look), icon_file([draw(size, hovered) for size in (16, 32, 64)]))


def main():
    pair("add_frame", add_frame_icon)
    pair("import", lambda size, hovered: tray_arrow_icon(size, hovered, True))
    pair("export", lambda size, hovered: tray_arrow_icon(size, hovered, False))
    pair("pick_range", pick_range_icon)
    pair("pick_stamp", stamp_icon)
    pair("paper", paper_icon)
    pair("copy", copy_icon)
    pair("pick_text", pick_text_icon)
    pair("add_column", lambda size, hovered: table_icon(size, hovered, True))
    pair("delete_column", lambda size, hovered: table_icon(size, hovered, False))


if __name__ == "__main__":
    main()
