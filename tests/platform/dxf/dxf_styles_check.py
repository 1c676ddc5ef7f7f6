"""Lists the dimension styles and table styles of a drawing as ezdxf reads them, one a line."""
import sys

import ezdxf


def value(v):
    if isinstance(v, float):
        return f"{v:.6g}"
    if isinstance(v, tuple) or hasattr(v, "x"):
        return ",".join(f"{c:.6g}" for c in v)
    return str(v)


def name_of(doc, handle):
    try:
        return doc.entitydb[handle].dxf.name
    except (KeyError, AttributeError):
        return "?"


doc = ezdxf.readfile(sys.argv[1])
for style in doc.dimstyles:
    values = []
    for key, v in sorted(style.dxfattribs().items()):
        if key in ("handle", "owner"):
            continue
        if key.endswith("_handle"):
            v = name_of(doc, v)
        values.append(f"{key}={value(v)}")
    print(f"dimstyle {style.dxf.name} " + " ".join(values))
styles = doc.rootdict.get("ACAD_TABLESTYLE")
for name, style in (styles.items() if styles is not None else []):
    tags = [t for t in style.xtags.get_subclass("AcDbTableStyle") if t.code != 100]
    if tags and tags[0].code == 280:  # the version, which older files leave out
        tags = tags[1:]
    # Cell data type and format: older files leave out the defaults.
    tags = [t for t in tags if (t.code, value(t.value)) not in ((90, "512"), (91, "0"), (1, ""))]
    print(f"tablestyle {name} " + " ".join(f"{t.code}={value(t.value)}" for t in tags))
