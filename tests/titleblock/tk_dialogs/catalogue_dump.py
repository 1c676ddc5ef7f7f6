"""Prints the TEXTs and LINEs of a DXF file's model space as ezdxf reads them, one a line:
TEXT|text|x|y|layer|halign|valign|height and LINE|x1|y1|x2|y2|layer."""
import sys

import ezdxf

doc = ezdxf.readfile(sys.argv[1])
for e in doc.modelspace():
    if e.dxftype() == "TEXT":
        p = e.dxf.align_point if e.dxf.halign or e.dxf.valign else e.dxf.insert
        print("TEXT|%s|%.3f|%.3f|%s|%d|%d|%.3f|%s" % (e.dxf.text, p[0], p[1], e.dxf.layer, e.dxf.halign,
                                                    e.dxf.valign, e.dxf.height, e.dxf.style))
    elif e.dxftype() == "LINE":
        print("LINE|%.3f|%.3f|%.3f|%.3f|%s" % (e.dxf.start[0], e.dxf.start[1], e.dxf.end[0], e.dxf.end[1],
                                              e.dxf.layer))
