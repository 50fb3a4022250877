"""Drawings of the solid and hollow sections (shapes 0 to 15), in model units
with y up and plausible proportions of each kind of section."""

import math

from geometry import Ellipse, HalfDisc, Polygon, rect, regular_polygon
from layout import G, DashedOutline, Drawing, Inside, Radius, Side, Slant


def rectangle():
    return Drawing([rect(0, 0, 1.0, 1.25)],
                   [Side(0, 1.0, "b", "bottom"), Side(0, 1.25, "h", "right")])


def rectangle_pair(b=1.2, h1=0.6, h2=1.3):
    t = (h2 - h1) / 2
    return Drawing([rect(0, 0, b, t), rect(0, t + h1, b, t)],
                   [Side(0, b, "b", "bottom"),
                    Side(t, t + h1, "h1", "right"), Side(0, h2, "h2", "right", tier=1)])


def square():
    return Drawing([rect(0, 0, 1, 1)], [Side(0, 1, "h", "bottom"), Side(0, 1, "h", "right")])


def hollow_square(h1=0.6):
    w = (1 - h1) / 2
    return Drawing([rect(0, 0, 1, 1), rect(w, w, h1, h1, hole=True)],
                   [Side(0, 1, "h2", "bottom"), Side(0, 1, "h2", "right"),
                    Inside((w, 0.5 + h1 / 4), (w + h1, 0.5 + h1 / 4), "h1", "above")])


def diamond(d, hole=False):
    return Polygon(((d, 0), (0, d), (-d, 0), (0, -d)), hole)


def diagonal_square():
    d = 1 / math.sqrt(2)
    return Drawing([diamond(d)], [Slant((d, 0), (0, d), "h", 22)], pad=(0, 12, 12, 0))


def hollow_diagonal_square(h1=0.62):
    d2, d1 = 1 / math.sqrt(2), h1 / math.sqrt(2)
    return Drawing([diamond(d2), diamond(d1, hole=True)],
                   [Slant((d2, 0), (0, d2), "h2", 22), Slant((0, d1), (-d1, 0), "h1", -12, nudge=(5, -5))],
                   centroid_label=(10, 11), pad=(0, 12, 12, 0))


def triangle(b=1.2, h=1.05):
    return Drawing([Polygon(((-b / 2, 0), (b / 2, 0), (0, h)))],
                   [Side(-b / 2, b / 2, "b", "bottom"), Side(0, h, "h", "right", tier=1),
                    Side(0, G, "e2", "right"), Side(G, h, "e1", "right")])


def hexagon_on_corners():
    return Drawing([regular_polygon((0, 0), 1, 6, 0)], [Side(-0.5, 0.5, "b", "top")])


def hexagon_on_sides():
    return Drawing([regular_polygon((0, 0), 1, 6, 30)], [Side(-0.5, 0.5, "b", "right")])


def octagon():
    corner = (math.cos(math.radians(67.5)), math.sin(math.radians(67.5)))
    return Drawing([regular_polygon((0, 0), 1, 8, 22.5)], [Radius((G, G), corner, "r", (10, 3))],
                   centroid_label=(-10, 11))


def trapezoid(h=1.25, b=0.6, b1=0.8):
    x = b / 2 + b1 / 2
    return Drawing([Polygon(((-x, 0), (x, 0), (b / 2, h), (-b / 2, h)))],
                   [Side(-b / 2, b / 2, "b", "top"),
                    Side(-x, -b / 2, "b1/2", "bottom", feature=(None, h)),
                    Side(b / 2, x, "b1/2", "bottom", feature=(h, None)),
                    Side(0, h, "h", "left"),
                    Side(0, G, "e2", "right"), Side(G, h, "e1", "right")])


def circle():
    return Drawing([Ellipse((0, 0), 0.5, 0.5)], [Side(-0.5, 0.5, "d", "bottom", feature=(0, 0))],
                   centre_line=True)


def circular_tube(d1=0.7, d2=1.0):
    r1, r2, rm = d1 / 2, d2 / 2, (d1 + d2) / 4
    c, s = math.cos(math.radians(135)), math.sin(math.radians(135))
    return Drawing([Ellipse((0, 0), r2, r2), Ellipse((0, 0), r1, r1, hole=True)],
                   [Side(-r2, r2, "d2", "bottom", feature=(0, 0)),
                    Side(-r1, r1, "d1", "top", feature=(0, 0)),
                    Side(-rm, rm, "dm", "right", feature=(0, 0)),
                    Inside((r1 * c, r1 * s), (r2 * c, r2 * s), "t", "beyond")],
                   extras=[DashedOutline(Ellipse((0, 0), rm, rm))], centre_line=True)


def semicircle():
    return Drawing([HalfDisc((0, 0), 1)],
                   [Side(G, 1, "r", "bottom"),
                    Side(0, G, "e2", "right"), Side(G, 1, "e1", "right")],
                   centre_line=True)


def ellipse(a=0.75, b=1.1):
    return Drawing([Ellipse((0, 0), b, a)],
                   [Side(G, b, "b", "bottom", feature=(None, 0)),
                    Side(G, a, "a", "right", feature=(None, 0))],
                   centre_line=True)


def hollow_ellipse(a2=0.75, b2=1.05, t=0.2):
    a1, b1 = a2 - t, b2 - t
    return Drawing([Ellipse((0, 0), b2, a2), Ellipse((0, 0), b1, a1, hole=True)],
                   [Side(G, a1, "a1", "right", feature=(None, 0)),
                    Side(G, a2, "a2", "right", tier=1, feature=(None, 0)),
                    Side(G, b1, "b1", "bottom", feature=(None, 0)),
                    Side(G, b2, "b2", "bottom", tier=1, feature=(None, 0)),
                    Inside((0, a1), (0, a2), "t", "left", nudge=(-2, -20))],
                   centre_line=True)
