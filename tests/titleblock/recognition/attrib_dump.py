#!/usr/bin/python3
"""Prints every attribute of the model-space inserts of a DXF file, one a line:
tag|single-line text|plain text of its multiline text ("-" for a single-line attribute);
then every model-space multiline text: MTEXT|its plain text.

Run: /usr/bin/python3 attrib_dump.py DRAWING.dxf
"""
import sys

import ezdxf


def main():
    doc = ezdxf.readfile(sys.argv[1])
    for insert in doc.modelspace().query("INSERT"):
        for attrib in insert.attribs:
            mtext = attrib.plain_mtext() if attrib.has_embedded_mtext_entity else "-"
            print("%s|%s|%s" % (attrib.dxf.tag, attrib.dxf.text, mtext.replace("\n", "\\n")))
    for mtext in doc.modelspace().query("MTEXT"):
        print("MTEXT|%s" % mtext.plain_text().replace("\n", "\\n"))


if __name__ == "__main__":
    main()
