#!/usr/bin/env python3
"""Writes every shape picture of the program from the geometry table in shapes.py:

  assets/drawings/shape_NN.svg      the dimensioned drawing of shape NN
  assets/thumbnails/normal_NN.svg   its 40 x 31 picture on the dark ground
  assets/thumbnails/selected_NN.svg the same on white, for the chosen shape
  assets/icon/velmora.svg           the program icon

Usage: generate.py [--check] [--out DIR]   (DIR defaults to the repository's assets/)
--check writes nothing and fails when a file on disk differs from what would be written.
"""

import argparse
import sys
from pathlib import Path

sys.dont_write_bytecode = True  # keep the source tree free of __pycache__

import geometry  # noqa: E402  (after the line above on purpose)
from layout import SECTION_EDGE, SECTION_FILL, WHITE, Layout  # noqa: E402
from shapes import SHAPES  # noqa: E402
from svg import Svg  # noqa: E402

THUMBNAIL = (40, 31)
THUMBNAIL_ROOM = (34, 25)  # the section is fitted into this box, centred
DARK_GROUND = "#603820"
ICON_SIZE = 48


def drawing(shape):
    width, height = shape.size
    svg = Svg(width, height, shape.name)
    Layout(shape.build(), width, height).render(svg)
    return svg.document()


def thumbnail(shape, selected):
    contours = shape.build(**shape.thumbnail).contours
    x0, y0, x1, y1 = geometry.bounds(contours)
    scale = min(THUMBNAIL_ROOM[0] / (x1 - x0), THUMBNAIL_ROOM[1] / (y1 - y0))
    left = (THUMBNAIL[0] - scale * (x1 - x0)) / 2
    top = (THUMBNAIL[1] - scale * (y1 - y0)) / 2

    def to_px(p):
        return left + scale * (p[0] - x0), top + scale * (y1 - p[1])

    # Straight edges on pixel boundaries stay crisp at this size; an outline of one
    # pixel is crisp when it runs along pixel centres.
    grid = 0.5 if selected else 0.0

    def snapped(p):
        x, y = to_px(p)
        return round(x - grid) + grid, round(y - grid) + grid

    d = "".join(c.path(snapped if _rectilinear(c) else to_px) for c in contours)
    svg = Svg(*THUMBNAIL, shape.name)
    svg.rect(0, 0, *THUMBNAIL, WHITE if selected else DARK_GROUND)
    svg.path(d, fill=SECTION_FILL, stroke=SECTION_EDGE if selected else "none", width=1.0,
             ident="section")
    return svg.document()


def _rectilinear(contour):
    if not isinstance(contour, geometry.Polygon):
        return False
    pts = contour.points
    return all(a[0] == b[0] or a[1] == b[1] for a, b in zip(pts, pts[1:] + pts[:1]))


def icon():
    """An I-section with its centroid on the bending axis, on whole pixels at 16, 32 and 48."""
    svg = Svg(ICON_SIZE, ICON_SIZE, "velmora")
    svg.rect(0, 0, ICON_SIZE, ICON_SIZE, DARK_GROUND, rx=6)
    section = "M9,6H39V15H30V33H39V42H9V33H18V15H9Z"
    svg.path(section, fill=SECTION_FILL)
    svg.line((3, 24), (45, 24), "#ff5a46", 3)
    svg.circle((24, 24), 4.5, "#22b14c", stroke=WHITE, width=1.5)
    return svg.document()


def pictures():
    for shape in SHAPES:
        nn = f"{shape.index:02d}"
        yield f"drawings/shape_{nn}.svg", drawing(shape)
        yield f"thumbnails/normal_{nn}.svg", thumbnail(shape, selected=False)
        yield f"thumbnails/selected_{nn}.svg", thumbnail(shape, selected=True)
    yield "icon/velmora.svg", icon()


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--check", action="store_true", help="compare instead of writing")
    parser.add_argument("--out", type=Path, default=Path(__file__).resolve().parents[2] / "assets")
    args = parser.parse_args()
    stale = []
    for name, text in pictures():
        path = args.out / name
        if args.check:
            if not path.exists() or path.read_text(encoding="utf-8") != text:
                stale.append(name)
            continue
        path.parent.mkdir(parents=True, exist_ok=True)
        path.write_text(text, encoding="utf-8")
    if stale:
        print("out of date, run tools/drawings/generate.py:", *stale, sep="\n  ")
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
