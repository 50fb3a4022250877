"""Lays out one dimensioned drawing: fits the section and its dimension tiers
into the picture, then draws section, axis, dimensions and centroid."""

import math
from dataclasses import dataclass, field

import geometry
from svg import ARROW_LENGTH, Label

G = "G"  # stands for the centroid's coordinate: the bending axis or the centre line

WHITE = "#ffffff"
SECTION_FILL = "#8ec8f0"
SECTION_EDGE = "#1d4f8c"
AXIS_COLOUR = "#b22222"
AXIS_DASH = "14,3,2,3"
CENTRE_DASH = "10,3,2,3"
DIM_COLOUR = "#1a1a1a"
CENTROID_COLOUR = "#1e9e3e"
CENTROID_TEXT = "#137a2c"

EDGE = 10          # px kept clear along the picture's border
FIRST_TIER = 20    # px from the section to the first tier of dimension lines
LABEL_GAP = 4      # px between a dimension line and its label
TIER_GAP = 11      # px between a label and the next tier
AXIS_OVERHANG = 14 # px the axis and centre lines reach beyond the section
EXT_GAP = 2        # px between an outline and the start of its extension line
EXT_OVERSHOOT = 4  # px an extension line reaches beyond its dimension line
ARROW_STUB = 9     # px of line beyond an arrow placed outside a short dimension


@dataclass
class Side:
    """A dimension outside the section: from a to b along one side, on a tier.

    a, b are x for "top"/"bottom" and y for "left"/"right" (or G). `feature`
    gives the perpendicular coordinate where each extension line starts; None
    takes the outermost point of the outline at that position."""
    a: object
    b: object
    label: str
    side: str
    tier: int = 0
    feature: tuple = (None, None)
    nudge: tuple = (0, 0)


@dataclass
class Inside:
    """A dimension drawn straight between two points of the outline (no extension lines)."""
    p: tuple
    q: tuple
    label: str
    place: str = "right"  # label beside the line's middle (left, right, above, below)
    nudge: tuple = (0, 0)  # or "beyond" the q end, along the line


@dataclass
class Slant:
    """An aligned dimension of the edge p-q, drawn `offset` px to the right of p->q."""
    p: tuple
    q: tuple
    label: str
    offset: float
    nudge: tuple = (0, 0)


@dataclass
class Radius:
    """A radius from p to q with one arrowhead at q; the label beside its middle."""
    p: tuple
    q: tuple
    label: str
    nudge: tuple = (0, 0)


@dataclass
class CentreLine:
    """A thin dash-dot line between two model points, overhanging both ends."""
    p: tuple
    q: tuple
    overhang: float = 6


@dataclass
class DashedOutline:
    contour: object


@dataclass
class Drawing:
    contours: list
    dims: list
    extras: list = field(default_factory=list)
    centre_line: bool = False      # vertical centre line through G
    centroid_label: tuple = (9, -9)  # px from G to the middle of the label "G"
    pad: tuple = (0, 0, 0, 0)      # extra px kept free: left, top, right, bottom


class Layout:
    def __init__(self, drawing, width, height):
        self.d = drawing
        self.width, self.height = width, height
        self.g = geometry.centroid(drawing.contours)
        self.box = geometry.bounds(drawing.contours)
        self.tiers = {s: self._tier_distances(s) for s in ("left", "top", "right", "bottom")}
        self._fit()

    # -- fitting ---------------------------------------------------------------

    def _tier_distances(self, side):
        extents = {}
        for dim in self.d.dims:
            if isinstance(dim, Side) and dim.side == side:
                label = Label(dim.label)
                size = label.width() if side in ("left", "right") else label.height()
                extents[dim.tier] = max(extents.get(dim.tier, 0), size)
        distances, at = [], FIRST_TIER
        for tier in range(max(extents, default=-1) + 1):
            distances.append((at, extents.get(tier, 0)))
            at += extents.get(tier, 0) + LABEL_GAP + TIER_GAP
        return distances

    def _margin(self, side, pad):
        tiers = self.tiers[side]
        used = tiers[-1][0] + LABEL_GAP + tiers[-1][1] if tiers else 0
        return max(AXIS_OVERHANG + 4, used) + pad

    def _fit(self):
        ml, mt, mr, mb = (self._margin(s, p) for s, p in
                          zip(("left", "top", "right", "bottom"), self.d.pad))
        x0, y0, x1, y1 = self.box
        sx = (self.width - 2 * EDGE - ml - mr) / (x1 - x0)
        sy = (self.height - 2 * EDGE - mt - mb) / (y1 - y0)
        self.scale = min(sx, sy)
        self.left = (self.width - (ml + mr + self.scale * (x1 - x0))) / 2 + ml
        self.top = (self.height - (mt + mb + self.scale * (y1 - y0))) / 2 + mt

    def px(self, p):
        x, y = self._resolve(p)
        return (self.left + self.scale * (x - self.box[0]),
                self.top + self.scale * (self.box[3] - y))

    def _resolve(self, p):
        x, y = p
        return (self.g[0] if x == G else x, self.g[1] if y == G else y)

    # -- drawing ---------------------------------------------------------------

    def render(self, svg):
        """Paints back to front: section, centre lines and axis, extension lines,
        dimension lines with their names, and the centroid on top."""
        svg.rect(0, 0, self.width, self.height, WHITE)
        paths = "".join(c.path(self.px) for c in self.d.contours)
        svg.path(paths, fill=SECTION_FILL, ident="section")
        svg.path(paths, stroke=SECTION_EDGE, width=1.5)
        dims = self._plan_dimensions()
        for extra in self.d.extras:
            self._extra(svg, extra)
        self._axes(svg)
        for start, end in _longest_of_overlapping(self.extensions):
            _extension(svg, start, end)
        for draw in dims:
            draw(svg)
        gx, gy = self.px((G, G))
        svg.circle((gx, gy), 3.5, CENTROID_COLOUR, ident="centroid", stroke=WHITE, width=0.8)
        dx, dy = self.d.centroid_label
        svg.label("G", (gx + dx, gy + dy), CENTROID_TEXT)

    def _plan_dimensions(self):
        """Places every dimension; collects the extension lines and how far the axis
        and the centre line must reach to serve as extension lines themselves.
        Returns one painter per dimension."""
        self.axis_reach = {"left": 0.0, "right": 0.0, "top": 0.0, "bottom": 0.0}
        self.extensions = []
        return [self._dimension(dim) for dim in self.d.dims]

    def _extra(self, svg, extra):
        if isinstance(extra, CentreLine):
            p, q = self.px(extra.p), self.px(extra.q)
            u = _unit(p, q)
            o = extra.overhang
            svg.line((p[0] - u[0] * o, p[1] - u[1] * o), (q[0] + u[0] * o, q[1] + u[1] * o),
                     DIM_COLOUR, 0.7, CENTRE_DASH)
        elif isinstance(extra, DashedOutline):
            svg.path(extra.contour.path(self.px), stroke=DIM_COLOUR, width=0.8, dash="5,3")

    def _axes(self, svg):
        x0, y0 = self.px((self.box[0], self.box[3]))
        x1, y1 = self.px((self.box[2], self.box[1]))
        gx, gy = self.px((G, G))
        left = min(x0 - AXIS_OVERHANG, x0 - self.axis_reach["left"])
        right = max(x1 + AXIS_OVERHANG, x1 + self.axis_reach["right"])
        svg.line((left, gy), (right, gy), AXIS_COLOUR, 1.0, AXIS_DASH, ident="axis")
        if self.d.centre_line or self.axis_reach["top"] or self.axis_reach["bottom"]:
            top = min(y0 - AXIS_OVERHANG, y0 - self.axis_reach["top"])
            bottom = max(y1 + AXIS_OVERHANG, y1 + self.axis_reach["bottom"])
            svg.line((gx, top), (gx, bottom), DIM_COLOUR, 0.7, CENTRE_DASH)

    def _dimension(self, dim):
        if isinstance(dim, Side):
            return self._side(dim)
        if isinstance(dim, Inside):
            return self._inside(dim)
        if isinstance(dim, Slant):
            return self._slant(dim)
        return self._radius(dim)

    def _side(self, dim):
        vertical = dim.side in ("left", "right")
        outward = {"left": (-1, 0), "right": (1, 0), "top": (0, -1), "bottom": (0, 1)}[dim.side]
        distance, _ = self.tiers[dim.side][dim.tier]
        edge = self._edge_px(dim.side)
        line_at = edge + distance * (outward[0] + outward[1])
        ends = []
        for coord, feature in zip((dim.a, dim.b), dim.feature):
            if coord == G:
                self.axis_reach[dim.side] = max(self.axis_reach[dim.side], distance + EXT_OVERSHOOT)
            model = (G, coord) if vertical else (coord, G)
            along = self.px(model)[1 if vertical else 0]
            end = (line_at, along) if vertical else (along, line_at)
            ends.append(end)
            if coord != G:
                self.extensions.append((self._feature_px(dim, coord, feature), end))
        label = Label(dim.label)
        mid = ((ends[0][0] + ends[1][0]) / 2, (ends[0][1] + ends[1][1]) / 2)
        reach = LABEL_GAP + label.extent_along(*outward)
        centre = (mid[0] + outward[0] * reach + dim.nudge[0], mid[1] + outward[1] * reach + dim.nudge[1])

        def draw(svg):
            _dimension_line(svg, ends[0], ends[1])
            svg.label(dim.label, centre, DIM_COLOUR)
        return draw

    def _edge_px(self, side):
        x0, y0 = self.px((self.box[0], self.box[3]))
        x1, y1 = self.px((self.box[2], self.box[1]))
        return {"left": x0, "right": x1, "top": y0, "bottom": y1}[side]

    def _feature_px(self, dim, coord, feature):
        contours = self.d.contours
        if dim.side in ("left", "right"):
            x = feature if feature is not None else geometry.extreme_x(contours, coord, dim.side == "right")
            if x is None:
                x = self.box[2] if dim.side == "right" else self.box[0]
            return self.px((x, coord))
        y = feature if feature is not None else geometry.extreme_y(contours, coord, dim.side == "top")
        if y is None:
            y = self.box[3] if dim.side == "top" else self.box[1]
        return self.px((coord, y))

    def _inside(self, dim):
        p, q = self.px(dim.p), self.px(dim.q)
        outward = _unit(p, q) if dim.place == "beyond" else \
            {"left": (-1, 0), "right": (1, 0), "above": (0, -1), "below": (0, 1)}[dim.place]
        return self._plain(p, q, dim.label, outward, dim.nudge)

    def _slant(self, dim):
        p, q = self.px(dim.p), self.px(dim.q)
        u = _unit(p, q)
        n = (-u[1], u[0])  # to the right of p->q on screen (y down)
        a = (p[0] + n[0] * dim.offset, p[1] + n[1] * dim.offset)
        b = (q[0] + n[0] * dim.offset, q[1] + n[1] * dim.offset)
        side = 1 if dim.offset >= 0 else -1
        self.extensions += [(p, a), (q, b)]
        return self._plain(a, b, dim.label, (n[0] * side, n[1] * side), dim.nudge)

    def _plain(self, a, b, text, outward, nudge):
        label = Label(text)
        reach = LABEL_GAP + label.extent_along(*outward)
        u = _unit(a, b)
        if abs(u[0] * outward[0] + u[1] * outward[1]) > 0.7:  # past the end of the line
            reach += math.dist(a, b) / 2
            if _arrows_outside(a, b):
                reach += ARROW_LENGTH + ARROW_STUB
        centre = ((a[0] + b[0]) / 2 + outward[0] * reach + nudge[0],
                  (a[1] + b[1]) / 2 + outward[1] * reach + nudge[1])

        def draw(svg):
            _dimension_line(svg, a, b)
            svg.label(text, centre, DIM_COLOUR)
        return draw

    def _radius(self, dim):
        p, q = self.px(dim.p), self.px(dim.q)
        u = _unit(p, q)
        centre = ((p[0] + q[0]) / 2 + dim.nudge[0], (p[1] + q[1]) / 2 + dim.nudge[1])

        def draw(svg):
            svg.line(p, q, DIM_COLOUR, 0.8)
            svg.arrowhead(q, u, DIM_COLOUR)
            svg.label(dim.label, centre, DIM_COLOUR)
        return draw


def _unit(p, q):
    dx, dy = q[0] - p[0], q[1] - p[1]
    n = math.hypot(dx, dy)
    return dx / n, dy / n


def _longest_of_overlapping(extensions):
    """Two dimensions measured from the same point share one extension line."""
    longest = {}
    for start, end in extensions:
        u = _unit(start, end) if math.dist(start, end) > 0 else (0.0, 0.0)
        key = (round(start[0], 1), round(start[1], 1), round(u[0], 2), round(u[1], 2))
        if key not in longest or math.dist(start, end) > math.dist(*longest[key]):
            longest[key] = (start, end)
    return list(longest.values())


def _extension(svg, start, end):
    if math.dist(start, end) < EXT_GAP + 1:
        return
    u = _unit(start, end)
    svg.line((start[0] + u[0] * EXT_GAP, start[1] + u[1] * EXT_GAP),
             (end[0] + u[0] * EXT_OVERSHOOT, end[1] + u[1] * EXT_OVERSHOOT), DIM_COLOUR, 0.6)


def _arrows_outside(a, b):
    return math.dist(a, b) < 2 * ARROW_LENGTH + 6


def _dimension_line(svg, a, b):
    """Arrowheads touch a and b: inside the line when it is long enough, else outside."""
    u = _unit(a, b)
    if not _arrows_outside(a, b):
        svg.line(a, b, DIM_COLOUR, 0.8)
        svg.arrowhead(a, (-u[0], -u[1]), DIM_COLOUR)
        svg.arrowhead(b, u, DIM_COLOUR)
    else:
        reach = ARROW_LENGTH + ARROW_STUB
        svg.line((a[0] - u[0] * reach, a[1] - u[1] * reach),
                 (b[0] + u[0] * reach, b[1] + u[1] * reach), DIM_COLOUR, 0.8)
        svg.arrowhead(a, u, DIM_COLOUR)
        svg.arrowhead(b, (-u[0], -u[1]), DIM_COLOUR)
