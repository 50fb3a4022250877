"""A small SVG Tiny 1.2 writer for the drawings, thumbnails and icon.

Only what QtSvg renders reliably is used: presentation attributes, paths,
lines, circles and plain <text> with <tspan> for smaller subscripts. Arrowheads
are filled triangles (markers are not rendered by QtSvg).
"""

import math

FONT_FAMILY = "DejaVu Serif"
LABEL_SIZE = 16      # px, the letter of a dimension name
SUBSCRIPT_SIZE = 11  # px, digits and index letters after it
LABEL_ASCENT = 12    # px, height of a letter such as h or b above the baseline
ARROW_LENGTH = 8
ARROW_WIDTH = 5

# Advance widths in em of DejaVu Serif Italic (letters) and Book (digits, "/").
_ADVANCE = {"a": 0.60, "b": 0.64, "d": 0.64, "e": 0.59, "h": 0.64, "m": 0.95,
            "r": 0.48, "t": 0.40, "G": 0.80, "/": 0.34}
_DIGIT_ADVANCE = 0.64
COMBINING_MACRON = "\u0304"


def _esc(text):
    return text.replace("&", "&amp;").replace("<", "&lt;").replace(">", "&gt;")


class Label:
    """A dimension name such as "h", "b1", "dm", "b1/2" or "h̄": an italic letter,
    then a smaller index, then an optional "/2" in full size."""

    def __init__(self, text):
        self.text = text
        body, _, half = text.partition("/")
        split = 2 if body[1:2] == COMBINING_MACRON else 1
        self.letter, self.index = body[:split], body[split:]
        self.tail = "/" + half if half else ""

    def width(self):
        w = _ADVANCE.get(self.letter[0], 0.64) * LABEL_SIZE
        w += sum(_ADVANCE.get(c, _DIGIT_ADVANCE) for c in self.index) * SUBSCRIPT_SIZE
        w += sum(_ADVANCE.get(c, _DIGIT_ADVANCE) for c in self.tail) * LABEL_SIZE
        return w

    def height(self):
        return LABEL_ASCENT

    def extent_along(self, nx, ny):
        """Half the label's extent in the unit direction (nx, ny)."""
        return abs(nx) * self.width() / 2 + abs(ny) * self.height() / 2

    def svg(self, cx, cy, colour):
        """The label centred on (cx, cy)."""
        parts = [_esc(self.letter)]
        if self.index:
            style = "normal" if self.index.isdigit() else "italic"
            parts.append(f'<tspan font-size="{SUBSCRIPT_SIZE}" font-style="{style}">'
                         f"{_esc(self.index)}</tspan>")
        if self.tail:
            parts.append(f'<tspan font-style="normal">{_esc(self.tail)}</tspan>')
        baseline = cy + self.height() / 2
        return (f'<text x="{cx:.1f}" y="{baseline:.1f}" font-family="{FONT_FAMILY}" '
                f'font-size="{LABEL_SIZE}" font-style="italic" fill="{colour}" '
                f'text-anchor="middle">{"".join(parts)}</text>')


class Svg:
    def __init__(self, width, height, title):
        self.width, self.height = width, height
        self.title = title
        self.items = []

    def add(self, element):
        self.items.append(element)

    def rect(self, x, y, w, h, fill, rx=0):
        corner = f' rx="{rx}" ry="{rx}"' if rx else ""
        self.add(f'<rect x="{x}" y="{y}" width="{w}" height="{h}"{corner} fill="{fill}"/>')

    def path(self, d, fill="none", stroke="none", width=1.0, ident=None, dash=None):
        attrs = f' id="{ident}"' if ident else ""
        attrs += f' d="{d}" fill="{fill}"'
        if fill != "none":
            attrs += ' fill-rule="evenodd"'
        if stroke != "none":
            attrs += f' stroke="{stroke}" stroke-width="{width}" stroke-linejoin="miter"'
        if dash:
            attrs += f' stroke-dasharray="{dash}"'
        self.add(f"<path{attrs}/>")

    def line(self, p, q, stroke, width, dash=None, ident=None):
        attrs = f' id="{ident}"' if ident else ""
        attrs += (f' x1="{p[0]:.2f}" y1="{p[1]:.2f}" x2="{q[0]:.2f}" y2="{q[1]:.2f}"'
                  f' stroke="{stroke}" stroke-width="{width}"')
        if dash:
            attrs += f' stroke-dasharray="{dash}"'
        self.add(f"<line{attrs}/>")

    def circle(self, c, r, fill, ident=None, stroke="none", width=1.0):
        attrs = f' id="{ident}"' if ident else ""
        attrs += f' cx="{c[0]:.2f}" cy="{c[1]:.2f}" r="{r}" fill="{fill}"'
        if stroke != "none":
            attrs += f' stroke="{stroke}" stroke-width="{width}"'
        self.add(f"<circle{attrs}/>")

    def arrowhead(self, tip, towards_tip, colour):
        """A filled arrowhead whose point touches `tip`, pointing along `towards_tip`."""
        dx, dy = towards_tip
        n = math.hypot(dx, dy)
        dx, dy = dx / n, dy / n
        bx, by = tip[0] - dx * ARROW_LENGTH, tip[1] - dy * ARROW_LENGTH
        hx, hy = -dy * ARROW_WIDTH / 2, dx * ARROW_WIDTH / 2
        d = (f"M{tip[0]:.2f},{tip[1]:.2f}L{bx + hx:.2f},{by + hy:.2f}"
             f"L{bx - hx:.2f},{by - hy:.2f}Z")
        self.add(f'<path d="{d}" fill="{colour}"/>')

    def label(self, text, centre, colour):
        self.add(Label(text).svg(centre[0], centre[1], colour))

    def document(self):
        head = (f'<?xml version="1.0" encoding="UTF-8"?>\n'
                f'<svg xmlns="http://www.w3.org/2000/svg" version="1.2" baseProfile="tiny" '
                f'width="{self.width}" height="{self.height}" '
                f'viewBox="0 0 {self.width} {self.height}">\n'
                f"<title>{_esc(self.title)}</title>\n")
        return head + "\n".join(self.items) + "\n</svg>\n"
