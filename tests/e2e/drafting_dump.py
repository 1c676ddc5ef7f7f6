#!/usr/bin/python3
"""Prints what the drafting-tool sessions left in a drawing, as ezdxf reads it.

  drafting_dump.py colors DXF   one line per entity of model space and of every block:
                                "<layout> <type> <color> <true colour or ->" (MTEXT adds its text),
                                then "layer <name> <color> <true colour or -> <locked 0|1>"
  drafting_dump.py styles DXF   "style <name>|<font>|<big font>" per text style
"""
import sys

import ezdxf


def main():
    mode, path = sys.argv[1], sys.argv[2]
    doc = ezdxf.readfile(path)
    if mode == "colors":
        for block in doc.blocks:
            if block.name.lower().startswith("*paper_space"):
                continue
            for e in block:
                tc = e.dxf.get("true_color")
                line = f"{block.name} {e.dxftype()} {e.dxf.color} {tc if tc is not None else '-'}"
                if e.dxftype() == "MTEXT":
                    line += " " + e.text
                print(line)
        for layer in doc.layers:
            tc = layer.dxf.get("true_color")
            print(f"layer {layer.dxf.name} {layer.color} {tc if tc is not None else '-'} {int(layer.is_locked())}")
    elif mode == "styles":
        for style in doc.styles:
            print(f"style {style.dxf.name}|{style.dxf.font}|{style.dxf.get('bigfont', '')}")


if __name__ == "__main__":
    main()
