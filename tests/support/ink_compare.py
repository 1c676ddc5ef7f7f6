#!/usr/bin/python3
"""Compares the ink of a plot with the picture ezdxf's drawing add-on draws of the same window.

    /usr/bin/python3 ink_compare.py DRAWING.dxf PLOT.pdf --window=X0,Y0,X1,Y1
        [--layout NAME] [--page N] [--dpi 100] [--tolerance 2] [--linetypes on|off]
        [--threshold 192] [--diff DIFF.png] [--ezdxf DIR]

The plot shows the window (in the coordinates of model space, or of the layout NAME) fitted to
its page and centred, without margins. Both pictures are drawn on the same pixel grid: the page of
the PDF by pdftoppm, ezdxf's drawing of the window (matplotlib, every entity black on white,
lineweights in millimetres) placed where the plot puts the window. A pixel is ink where its
darkest channel is below the threshold. Prints one line:

    ink ezdxf_in_plot=F plot_in_ezdxf=F ezdxf_px=N plot_px=N

ezdxf_in_plot is the share of ezdxf's ink within the tolerance (pixels) of the plot's ink,
plot_in_ezdxf the other way round (1 when there is no ink to find). --diff writes a picture:
black where both have ink, red where only ezdxf has, blue where only the plot has.
--ezdxf takes ezdxf from DIR (a newer one, tests/support/newer_ezdxf.sh) instead of Debian's.
Exit status 0, or 2 when the inputs cannot be read.
"""
import argparse
import io
import subprocess
import sys

import numpy as np

MM_PER_INCH = 25.4
EDGE_MARGIN_PX = 4


def parse_window(text):
    values = [float(v) for v in text.split(",")]
    if len(values) != 4:
        raise argparse.ArgumentTypeError("the window is X0,Y0,X1,Y1")
    x0, y0, x1, y1 = values
    if not (x1 > x0 and y1 > y0):
        x0, x1, y0, y1 = min(x0, x1), max(x0, x1), min(y0, y1), max(y0, y1)
    if not (x1 > x0 and y1 > y0):
        raise argparse.ArgumentTypeError("the window is empty")
    return x0, y0, x1, y1


def page_size_mm(pdf, page):
    out = subprocess.run(["pdfinfo", "-f", str(page), "-l", str(page), pdf],
                         capture_output=True, text=True, check=True).stdout
    for line in out.splitlines():
        if line.startswith("Page") and "size:" in line:
            words = line.split("size:")[1].split()
            return float(words[0]) * MM_PER_INCH / 72.0, float(words[2]) * MM_PER_INCH / 72.0
    raise ValueError("pdfinfo gives no size for page %d" % page)


def read_pnm(data):
    """An RGB array from a binary PPM (P6) or PGM (P5)."""
    stream = io.BytesIO(data)
    fields = []
    while len(fields) < 4:
        line = stream.readline()
        if not line:
            raise ValueError("not a PNM picture")
        fields += line.split(b"#")[0].split()
    magic, width, height = fields[0], int(fields[1]), int(fields[2])
    channels = 3 if magic == b"P6" else 1
    pixels = np.frombuffer(stream.read(width * height * channels), dtype=np.uint8)
    pixels = pixels.reshape(height, width, channels)
    return np.repeat(pixels, 3, axis=2) if channels == 1 else pixels


def plot_picture(pdf, page, dpi):
    # Lines thinner than a pixel are drawn one pixel wide and crisp, as ezdxf's backend draws them.
    data = subprocess.run(["pdftoppm", "-r", str(dpi), "-aaVector", "no", "-thinlinemode", "solid", "-f", str(page), "-l", str(page), pdf],
                          capture_output=True, check=True).stdout
    return read_pnm(data)


def window_on_page(window, page_w, page_h):
    """The window fitted to the page and centred: its box in page millimetres."""
    x0, y0, x1, y1 = window
    scale = min(page_w / (x1 - x0), page_h / (y1 - y0))
    w, h = (x1 - x0) * scale, (y1 - y0) * scale
    return (page_w - w) / 2.0, (page_h - h) / 2.0, w, h


def black_frontend_class():
    """ezdxf's frontend drawing every entity in black, as the plot in black and white does."""
    from ezdxf.addons.drawing import Frontend

    class Black_Frontend(Frontend):
        def override_properties(self, entity, properties):
            properties.color = "#000000"

    return Black_Frontend


def ezdxf_picture(dxf, layout_name, window, box, page_h_mm, shape, dpi, linetypes, font=""):
    import logging
    import matplotlib
    matplotlib.use("Agg")
    import matplotlib.pyplot as plt
    import ezdxf
    logging.getLogger("matplotlib.font_manager").setLevel(logging.ERROR)
    # Crisp lines, as the plot is rasterised: faint antialiased dots would not count as ink.
    matplotlib.rcParams["lines.antialiased"] = False
    matplotlib.rcParams["patch.antialiased"] = False
    from ezdxf.addons.drawing import RenderContext
    from ezdxf.addons.drawing.config import Configuration, LinePolicy
    from ezdxf.addons.drawing.matplotlib import MatplotlibBackend

    from ezdxf import recover
    try:
        doc = ezdxf.readfile(dxf)
    except ezdxf.DXFStructureError:
        doc, _ = recover.readfile(dxf)
    if font:
        # Every text style in the plot's one font: what is compared is where texts stand.
        for style in doc.styles:
            style.dxf.font = font
    layout = doc.modelspace() if not layout_name else doc.layouts.get(layout_name)
    rows, cols = shape[0], shape[1]
    fig = plt.figure(figsize=(cols / dpi, rows / dpi), dpi=dpi)
    # The window's box in pixels from the page's top left, as pdftoppm maps the page.
    # The axes reach a few pixels beyond the window on every side: matplotlib clips at the axes,
    # and a line lying on the window's edge (a sheet border, the extents' frame) is plotted whole.
    px = dpi / MM_PER_INCH
    bx, by, bw, bh = box
    margin = EDGE_MARGIN_PX
    left, top = bx * px - margin, (page_h_mm - by - bh) * px - margin
    width, height = bw * px + 2 * margin, bh * px + 2 * margin
    ax = fig.add_axes([left / cols, 1.0 - (top + height) / rows, width / cols, height / rows])
    ctx = RenderContext(doc)
    ctx.set_current_layout(layout)
    ctx.current_layout_properties.set_colors("#ffffff")
    # The backend takes lineweights in millimetres for points: scaled, lines are as wide as plotted.
    config = Configuration.defaults().with_changes(
        line_policy=LinePolicy.ACCURATE if linetypes else LinePolicy.SOLID,
        lineweight_scaling=72.0 / MM_PER_INCH)
    frontend = black_frontend_class()(ctx, MatplotlibBackend(ax, adjust_figure=False), config=config)
    frontend.draw_layout(layout, finalize=True, layout_properties=ctx.current_layout_properties)
    x0, y0, x1, y1 = window
    units_per_px = (x1 - x0) / (bw * px)
    ax.set_aspect("auto")
    ax.set_xlim(x0 - margin * units_per_px, x1 + margin * units_per_px)
    ax.set_ylim(y0 - margin * units_per_px, y1 + margin * units_per_px)
    fig.patch.set_facecolor("white")
    ax.set_facecolor("white")
    fig.canvas.draw()
    picture = np.asarray(fig.canvas.buffer_rgba())[:, :, :3].copy()
    plt.close(fig)
    return picture


def dilate(mask, radius):
    out = mask.copy()
    rows, cols = mask.shape
    for dy in range(-radius, radius + 1):
        for dx in range(-radius, radius + 1):
            if (dx or dy) and dx * dx + dy * dy <= radius * radius:
                out[max(dy, 0):rows + min(dy, 0), max(dx, 0):cols + min(dx, 0)] |= \
                    mask[max(-dy, 0):rows + min(-dy, 0), max(-dx, 0):cols + min(-dx, 0)]
    return out


def share_found(ink, near):
    total = int(ink.sum())
    return (float((ink & near).sum()) / total if total else 1.0), total


def main(argv):
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("dxf")
    parser.add_argument("pdf")
    parser.add_argument("--window", type=parse_window, required=True)
    parser.add_argument("--layout", default="", help="a paper-space layout (default: model space)")
    parser.add_argument("--page", type=int, default=1)
    parser.add_argument("--dpi", type=int, default=100)
    parser.add_argument("--tolerance", type=int, default=2, help="pixels")
    parser.add_argument("--linetypes", choices=["on", "off"], default="on",
                        help="whether ezdxf draws linetype patterns")
    parser.add_argument("--threshold", type=int, default=192,
                        help="a pixel is ink where its darkest channel is below this")
    parser.add_argument("--font", default="",
                        help="draw every text style in this font file (default: the styles' own)")
    parser.add_argument("--diff", help="write the difference picture here (PNG)")
    parser.add_argument("--ezdxf", default="", help="the folder to import ezdxf from")
    args = parser.parse_args(argv)
    if args.ezdxf:
        sys.path.insert(0, args.ezdxf)

    try:
        page_w, page_h = page_size_mm(args.pdf, args.page)
        plot = plot_picture(args.pdf, args.page, args.dpi)
        box = window_on_page(args.window, page_w, page_h)
        drawn = ezdxf_picture(args.dxf, args.layout, args.window, box, page_h, plot.shape, args.dpi,
                              args.linetypes == "on", args.font)
    except (OSError, ValueError, subprocess.CalledProcessError) as error:
        print("ink_compare: %s" % error, file=sys.stderr)
        return 2
    rows = min(plot.shape[0], drawn.shape[0])
    cols = min(plot.shape[1], drawn.shape[1])
    plot_ink = plot[:rows, :cols].min(axis=2) < args.threshold
    ezdxf_ink = drawn[:rows, :cols].min(axis=2) < args.threshold
    # Only the window counts (the plot's stamp and what lies off the window are left out).
    px = args.dpi / MM_PER_INCH
    bx, by, bw, bh = box
    c0, c1 = max(int(bx * px) - args.tolerance, 0), int((bx + bw) * px + 1) + args.tolerance
    r0, r1 = max(int((page_h - by - bh) * px) - args.tolerance, 0), int((page_h - by) * px + 1) + args.tolerance
    inside = np.zeros((rows, cols), dtype=bool)
    inside[r0:r1, c0:c1] = True
    plot_ink &= inside
    ezdxf_ink &= inside

    ezdxf_in_plot, ezdxf_px = share_found(ezdxf_ink, dilate(plot_ink, args.tolerance))
    plot_in_ezdxf, plot_px = share_found(plot_ink, dilate(ezdxf_ink, args.tolerance))
    print("ink ezdxf_in_plot=%.4f plot_in_ezdxf=%.4f ezdxf_px=%d plot_px=%d"
          % (ezdxf_in_plot, plot_in_ezdxf, ezdxf_px, plot_px))
    if args.diff:
        import matplotlib
        matplotlib.use("Agg")
        import matplotlib.pyplot as plt
        picture = np.full((rows, cols, 3), 255, dtype=np.uint8)
        picture[ezdxf_ink & ~plot_ink] = (230, 0, 0)
        picture[plot_ink & ~ezdxf_ink] = (0, 0, 230)
        picture[plot_ink & ezdxf_ink] = (0, 0, 0)
        plt.imsave(args.diff, picture)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
