#!/usr/bin/python3
"""Prints what a title-block insertion left in a saved drawing's model space, as ezdxf
reads it: the box and count of the LINE entities, then each TEXT with its insertion point
(the alignment point when aligned), height and rotation.

Run: /usr/bin/python3 tk_frame_dump.py DRAWING
"""
import sys

import ezdxf

doc = ezdxf.readfile(sys.argv[1])
msp = doc.modelspace()
lines = msp.query("LINE")
xs = [p[0] for line in lines for p in (line.dxf.start, line.dxf.end)]
ys = [p[1] for line in lines for p in (line.dxf.start, line.dxf.end)]
if lines:
    print("lines %d %.3f %.3f %.3f %.3f" % (len(lines), min(xs), min(ys), max(xs), max(ys)))
for text in msp.query("TEXT"):
    aligned = text.dxf.halign != 0 or text.dxf.valign != 0
    point = text.dxf.align_point if aligned else text.dxf.insert
    print("text %s %.3f %.3f %.3f %.1f" % (text.dxf.text, point[0], point[1], text.dxf.height, text.dxf.rotation))
