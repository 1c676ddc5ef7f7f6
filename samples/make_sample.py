#!/usr/bin/python3
"""Writes sample.dxf, the drawing the demo opens: three sheets in model space (two A3, one A2)
and one A3 sheet in the layout "布局1", each a frame block (outer edge, inner border) with a
title block in its corner whose texts are Chinese, and a little content. The layout's viewport
shows the first model-space sheet at half scale.
Run: /usr/bin/python3 make_sample.py [OUT]
"""
import sys

import ezdxf

PAPERS = {"A3": (420.0, 297.0), "A2": (594.0, 420.0)}


def rect(x0, y0, x1, y1):
    return [(x0, y0), (x1, y0), (x1, y1), (x0, y1)]


def add_title_block(doc):
    # 180 x 40 with a row of captions and a row of values; the values are attributes.
    title = doc.blocks.new("KV_图签")
    title.add_lwpolyline(rect(0, 0, 180, 40), close=True, dxfattribs={"layer": "FRAME"})
    title.add_line((0, 20), (180, 20), dxfattribs={"layer": "FRAME"})
    for x in (40, 130):
        title.add_line((x, 0), (x, 40), dxfattribs={"layer": "FRAME"})
    for x, caption in ((5, "图号"), (45, "图名"), (135, "比例")):
        title.add_text(caption, height=4, dxfattribs={"layer": "TEXT", "style": "HZ", "insert": (x, 28)})
    for x, tag in ((5, "图号"), (45, "图名"), (135, "比例")):
        title.add_attdef(tag, (x, 8), dxfattribs={"layer": "TEXT", "style": "HZ", "height": 5})


def add_frame_blocks(doc):
    for paper, (w, h) in PAPERS.items():
        frame = doc.blocks.new("KV_图框" + paper)
        frame.add_lwpolyline(rect(0, 0, w, h), close=True, dxfattribs={"layer": "FRAME"})
        frame.add_lwpolyline(rect(25, 5, w - 5, h - 5), close=True,
                             dxfattribs={"layer": "FRAME", "const_width": 0.7})


def add_sheet(space, paper, x0, y0, number, name, scale="1:1"):
    w, h = PAPERS[paper]
    space.add_blockref("KV_图框" + paper, (x0, y0))
    title = space.add_blockref("KV_图签", (x0 + w - 185, y0 + 5))
    title.add_auto_attribs({"图号": number, "图名": name, "比例": scale})
    return w, h


def add_part(space, cx, cy, r, label):
    space.add_circle((cx, cy), r, dxfattribs={"layer": "PART"})
    space.add_line((cx - 1.5 * r, cy), (cx + 1.5 * r, cy), dxfattribs={"layer": "CENTER"})
    space.add_line((cx, cy - 1.5 * r), (cx, cy + 1.5 * r), dxfattribs={"layer": "CENTER"})
    space.add_text(label, height=6, dxfattribs={"layer": "TEXT", "style": "HZ", "insert": (cx - r, cy + r + 10)})


def model_space(doc):
    msp = doc.modelspace()
    add_sheet(msp, "A3", 0, 0, "KV-001", "总平面图")
    add_part(msp, 150, 160, 60, "法兰盘")
    add_sheet(msp, "A3", 500, 0, "KV-002", "立面图")
    msp.add_lwpolyline(rect(560, 60, 820, 240), close=True, dxfattribs={"layer": "PART"})
    add_part(msp, 690, 150, 40, "端盖")
    add_sheet(msp, "A2", 1000, 0, "KV-003", "剖面图")
    add_part(msp, 1200, 230, 120, "壳体剖面")
    hatch = msp.add_hatch(color=8, dxfattribs={"layer": "PART"})
    hatch.paths.add_polyline_path(rect(1380, 120, 1500, 340), is_closed=True)


def layout_sheet(doc):
    layout = doc.layouts.new("布局1")
    add_sheet(layout, "A3", 0, 0, "KV-004", "详图", "1:2")
    # Half scale: the viewport's 200 x 140 window shows 400 x 280 of model space.
    viewport = layout.add_viewport(center=(140, 160), size=(200, 140), view_center_point=(210, 148.5),
                                   view_height=280)
    viewport.dxf.layer = "VPORT"
    layout.add_text("局部放大 1:2", height=5,
                    dxfattribs={"layer": "TEXT", "style": "HZ", "insert": (60, 240)})


def main(out):
    doc = ezdxf.new("R2013", setup=False)
    doc.header["$INSUNITS"] = 4
    doc.header["$DWGCODEPAGE"] = "ANSI_936"
    doc.styles.add("HZ", font="txt.shx").dxf.bigfont = "hztxt.shx"
    for name, color in (("FRAME", 7), ("TEXT", 3), ("PART", 1), ("CENTER", 4), ("VPORT", 8)):
        doc.layers.add(name, color=color)
    add_title_block(doc)
    add_frame_blocks(doc)
    model_space(doc)
    layout_sheet(doc)
    doc.saveas(out)


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "sample.dxf")
