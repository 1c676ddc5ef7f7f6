#!/usr/bin/python3
"""Writes sample.dxf, the drawing the demo opens: two A3 sheets side by side in model space,
each an outer frame and an inner border (closed polylines), a title block with texts, and a
little content. Run: /usr/bin/python3 make_sample.py [OUT]
"""
import sys

import ezdxf


def add_sheet(msp, x0, title, number):
    w, h = 420.0, 297.0
    msp.add_lwpolyline([(x0, 0), (x0 + w, 0), (x0 + w, h), (x0, h)], close=True,
                       dxfattribs={"layer": "FRAME"})
    msp.add_lwpolyline([(x0 + 25, 5), (x0 + w - 5, 5), (x0 + w - 5, h - 5), (x0 + 25, h - 5)],
                       close=True, dxfattribs={"layer": "FRAME", "const_width": 0.7})
    tb = (x0 + w - 185, 5)
    msp.add_lwpolyline([tb, (tb[0] + 180, 5), (tb[0] + 180, 45), (tb[0], 45)], close=True,
                       dxfattribs={"layer": "FRAME"})
    msp.add_text(title, height=5, dxfattribs={"layer": "TEXT", "style": "HZ"}).set_placement((tb[0] + 10, 30))
    msp.add_text(number, height=3.5, dxfattribs={"layer": "TEXT"}).set_placement((tb[0] + 10, 15))
    msp.add_circle((x0 + 150, 150), 60, dxfattribs={"layer": "PART"})
    msp.add_line((x0 + 60, 150), (x0 + 240, 150), dxfattribs={"layer": "PART"})


def main(out):
    doc = ezdxf.new("R2013", setup=False)
    doc.header["$INSUNITS"] = 4
    doc.header["$DWGCODEPAGE"] = "ANSI_936"
    doc.styles.add("HZ", font="txt.shx").dxf.bigfont = "hztxt.shx"
    for name, color in (("FRAME", 7), ("TEXT", 3), ("PART", 1)):
        doc.layers.add(name, color=color)
    msp = doc.modelspace()
    add_sheet(msp, 0.0, "总平面图", "KV-001")
    add_sheet(msp, 500.0, "立面图", "KV-002")
    doc.saveas(out)


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "sample.dxf")
