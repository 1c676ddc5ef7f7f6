#!/usr/bin/python3
"""Prints what openpyxl reads from an .xlsx file, one "key=value" line each:
sheets, active, then per sheet (prefixed "<sheet>!"): merges, column widths, row heights
and for every cell with a value or a style: value (formula text for formulas), cached
(the stored result), number format, font bold/size/color, fill, alignment, borders."""
import sys

import openpyxl

path = sys.argv[1]
book = openpyxl.load_workbook(path)
cached = openpyxl.load_workbook(path, data_only=True)
out = []
out.append("sheets=" + "|".join(book.sheetnames))
out.append("active=" + book.active.title)


def color(c):
    if c is None or c.type != "rgb" or c.rgb is None:
        return ""
    return str(c.rgb)[-6:]


for ws in book.worksheets:
    p = ws.title + "!"
    out.append(p + "merges=" + "|".join(sorted(str(r) for r in ws.merged_cells.ranges)))
    for letter, dim in sorted(ws.column_dimensions.items()):
        if dim.width:
            for i in range(dim.min or 0, (dim.max or 0) + 1):
                out.append("%scol.%s.width=%s" % (p, openpyxl.utils.get_column_letter(i), dim.width))
    for number, dim in sorted(ws.row_dimensions.items()):
        if dim.height is not None:
            out.append("%srow.%d.height=%s" % (p, number, dim.height))
    values = cached[ws.title]
    for row in ws.iter_rows():
        for cell in row:
            k = p + cell.coordinate + "."
            if cell.value is not None:
                out.append(k + "value=" + str(cell.value))
                out.append(k + "cached=" + str(values[cell.coordinate].value))
            if not cell.has_style:
                continue
            out.append(k + "format=" + cell.number_format)
            out.append(k + "bold=" + str(bool(cell.font.b)))
            out.append(k + "size=" + str(cell.font.sz))
            out.append(k + "color=" + color(cell.font.color))
            if cell.fill.fill_type == "solid":
                out.append(k + "fill=" + color(cell.fill.fgColor))
            out.append(k + "halign=" + str(cell.alignment.horizontal))
            out.append(k + "valign=" + str(cell.alignment.vertical))
            for side in ("left", "top", "right", "bottom"):
                edge = getattr(cell.border, side)
                if edge is not None and edge.style:
                    out.append(k + side + "=" + edge.style + ":" + color(edge.color))
sys.stdout.write("\n".join(out) + "\n")
