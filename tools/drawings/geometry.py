"""Plane geometry of the sections: closed contours, their area and centroid.

Model coordinates have y pointing up. A section is a list of contours; a contour
marked as a hole is subtracted. Curved contours are integrated as fine polygons,
so every centroid the drawings show is computed from the outline that is drawn.
"""

import math
from dataclasses import dataclass

CURVE_STEPS = 1440  # polygon sides for one full turn of a curve


@dataclass(frozen=True)
class Polygon:
    points: tuple
    hole: bool = False

    def outline(self):
        return list(self.points)

    def path(self, to_px):
        head, *rest = [to_px(p) for p in self.points]
        return "M" + _xy(head) + "".join("L" + _xy(p) for p in rest) + "Z"


@dataclass(frozen=True)
class Ellipse:
    centre: tuple
    rx: float  # horizontal semi-axis
    ry: float  # vertical semi-axis
    hole: bool = False

    def outline(self):
        cx, cy = self.centre
        return [(cx + self.rx * math.cos(a), cy + self.ry * math.sin(a))
                for a in _angles(0.0, 2.0 * math.pi, closed=True)]

    def path(self, to_px):
        cx, cy = self.centre
        rx, ry = self.rx * _scale(to_px), self.ry * _scale(to_px)
        right, left = to_px((cx + self.rx, cy)), to_px((cx - self.rx, cy))
        arc = f"A{rx:.2f},{ry:.2f} 0 1,0 "
        return "M" + _xy(right) + arc + _xy(left) + arc + _xy(right) + "Z"


@dataclass(frozen=True)
class HalfDisc:
    """A half disc standing on its flat side; centre is the middle of that side."""
    centre: tuple
    r: float
    hole: bool = False

    def outline(self):
        cx, cy = self.centre
        return [(cx + self.r * math.cos(a), cy + self.r * math.sin(a))
                for a in _angles(0.0, math.pi, closed=False)]

    def path(self, to_px):
        cx, cy = self.centre
        r = self.r * _scale(to_px)
        right, left = to_px((cx + self.r, cy)), to_px((cx - self.r, cy))
        return "M" + _xy(right) + f"A{r:.2f},{r:.2f} 0 0,0 " + _xy(left) + "Z"


def rect(x, y, w, h, hole=False):
    return Polygon(((x, y), (x + w, y), (x + w, y + h), (x, y + h)), hole)


def regular_polygon(centre, r, sides, start_deg, hole=False):
    cx, cy = centre
    return Polygon(tuple((cx + r * math.cos(math.radians(start_deg + 360.0 * k / sides)),
                          cy + r * math.sin(math.radians(start_deg + 360.0 * k / sides)))
                         for k in range(sides)), hole)


def _angles(a0, a1, closed):
    steps = max(8, round(CURVE_STEPS * (a1 - a0) / (2.0 * math.pi)))
    last = steps if not closed else steps - 1
    return [a0 + (a1 - a0) * k / steps for k in range(last + 1)]


def _scale(to_px):
    (x0, _), (x1, _) = to_px((0.0, 0.0)), to_px((1.0, 0.0))
    return x1 - x0


def _xy(p):
    return f"{p[0]:.2f},{p[1]:.2f}"


def area_and_moment(points):
    """Signed area and first moments (Sx about y = 0, Sy about x = 0) of a polygon."""
    a = sx = sy = 0.0
    for (x0, y0), (x1, y1) in zip(points, points[1:] + points[:1]):
        c = x0 * y1 - x1 * y0
        a += c
        sy += (x0 + x1) * c
        sx += (y0 + y1) * c
    return a / 2.0, sx / 6.0, sy / 6.0


def centroid(contours):
    """Centroid (x, y) of the section: solid contours minus holes."""
    total = mx = my = 0.0
    for contour in contours:
        a, sx, sy = area_and_moment(contour.outline())
        sign = -1.0 if contour.hole else 1.0
        if a < 0:
            a, sx, sy = -a, -sx, -sy
        total += sign * a
        mx += sign * sy
        my += sign * sx
    return mx / total, my / total


def bounds(contours):
    pts = [p for c in contours if not c.hole for p in c.outline()]
    xs, ys = [p[0] for p in pts], [p[1] for p in pts]
    return min(xs), min(ys), max(xs), max(ys)


def extreme_x(contours, y, rightmost):
    """The outermost x of the solid outline at height y, or None when y misses it."""
    hits = []
    for contour in contours:
        if contour.hole:
            continue
        pts = contour.outline()
        for yy in (y - 1e-9, y + 1e-9):
            for (x0, y0), (x1, y1) in zip(pts, pts[1:] + pts[:1]):
                if (y0 - yy) * (y1 - yy) <= 0 and y0 != y1:
                    hits.append(x0 + (x1 - x0) * (yy - y0) / (y1 - y0))
    if not hits:
        return None
    return max(hits) if rightmost else min(hits)


def extreme_y(contours, x, topmost):
    """The outermost y of the solid outline at abscissa x, or None when x misses it."""
    swapped = [Polygon(tuple((py, px) for px, py in c.outline()), c.hole) for c in contours]
    return extreme_x(swapped, x, topmost)
