"""Drawings of the sections built from rectangles (shapes 16 to 24), in model
units with y up. Names follow the inputs: h1, h2 heights, b1, b2 widths."""

from geometry import Polygon, rect
from layout import G, CentreLine, Drawing, Inside, Side

BAR_H = "h\u0304"  # h with a bar: the distance between the flange centre lines


def _flange_heights(h2, t2, width, h1_feature=None):
    """h1 between the flanges, h̄ between their centre lines, h2 overall."""
    dims = [Side(t2, h2 - t2, "h1", "right", feature=(h1_feature, h1_feature)),
            Side(t2 / 2, h2 - t2 / 2, BAR_H, "right", tier=1),
            Side(0, h2, "h2", "left", tier=1)]
    extras = [CentreLine((0, t2 / 2), (width, t2 / 2), 0),
              CentreLine((0, h2 - t2 / 2), (width, h2 - t2 / 2), 0)]
    return dims, extras


def box(b2=1.0, h2=1.3, t2=0.16, t1=0.24):
    w, b1, h1 = t1 / 2, b2 - t1, h2 - 2 * t2
    dims, extras = _flange_heights(h2, t2, b2, h1_feature=w + b1)
    dims += [Side(0, b2, "b2", "bottom"),
             Side(w, w + b1, "b1", "top", feature=(t2 + h1, t2 + h1)),
             Side(t2 + h1, h2, "t2", "left", feature=(w, None)),
             Inside((0, 0.4 * h2), (w, 0.4 * h2), "t1/2", "right")]
    return Drawing([rect(0, 0, b2, h2), rect(w, t2, b1, h1, hole=True)], dims, extras)


def i_section(b2=1.0, h2=1.2, t2=0.14, t1=0.12):
    half = (b2 - t1) / 2
    web = (half, half + t1)
    outline = Polygon(((0, 0), (b2, 0), (b2, t2), (web[1], t2), (web[1], h2 - t2), (b2, h2 - t2),
                       (b2, h2), (0, h2), (0, h2 - t2), (web[0], h2 - t2), (web[0], t2), (0, t2)))
    dims, extras = _flange_heights(h2, t2, b2)
    dims += [Side(0, b2, "b2", "top"),
             Side(0, web[0], "b1/2", "bottom", feature=(None, t2)),
             Side(web[1], b2, "b1/2", "bottom", feature=(t2, None)),
             Side(h2 - t2, h2, "t2", "left"),
             Inside((web[0], 0.3 * h2), (web[1], 0.3 * h2), "t1", "right")]
    return Drawing([outline], dims, extras, centroid_label=(18, -9))


def channel(b2=0.75, h2=1.2, t2=0.14, t1=0.14):
    outline = Polygon(((0, 0), (b2, 0), (b2, t2), (t1, t2), (t1, h2 - t2), (b2, h2 - t2),
                       (b2, h2), (0, h2)))
    dims, extras = _flange_heights(h2, t2, b2)
    tip = b2 - 0.1
    dims += [Side(0, b2, "b2", "top"),
             Side(t1, b2, "b1", "bottom", feature=(t2, None)),
             Inside((tip, h2 - t2), (tip, h2), "t2", "below"),
             Inside((0, 0.3 * h2), (t1, 0.3 * h2), "t1", "right")]
    return Drawing([outline], dims, extras)


def h_shape(b1=0.6, b2=0.44, h1=0.24, h2=1.1):
    u, y0, y1 = b2 / 2, (h2 - h1) / 2, (h2 + h1) / 2
    x1, x2 = u + b1, b2 + b1
    outline = Polygon(((0, 0), (u, 0), (u, y0), (x1, y0), (x1, 0), (x2, 0), (x2, h2), (x1, h2),
                       (x1, y1), (u, y1), (u, h2), (0, h2)))
    return Drawing([outline],
                   [Side(0, u, "b2/2", "bottom"), Side(u, x1, "b1", "bottom"),
                    Side(x1, x2, "b2/2", "bottom"),
                    Side(y0, y1, "h1", "left", feature=(u, u)), Side(0, h2, "h2", "right")])


def cross(b1=0.72, b2=0.34, h1=0.3, h2=1.1):
    a, y0, y1 = b1 / 2, (h2 - h1) / 2, (h2 + h1) / 2
    x2, x3 = a + b2, b1 + b2
    outline = Polygon(((a, 0), (x2, 0), (x2, y0), (x3, y0), (x3, y1), (x2, y1), (x2, h2), (a, h2),
                       (a, y1), (0, y1), (0, y0), (a, y0)))
    return Drawing([outline],
                   [Side(a, x2, "b2", "top"),
                    Side(0, a, "b1/2", "bottom"), Side(x2, x3, "b1/2", "bottom"),
                    Side(0, h2, "h2", "left"), Side(y0, y1, "h1", "right")])


def side_t(b1=0.66, b2=0.34, h1=0.3, h2=1.1):
    y0, y1 = (h2 - h1) / 2, (h2 + h1) / 2
    outline = Polygon(((0, 0), (b2, 0), (b2, y0), (b2 + b1, y0), (b2 + b1, y1), (b2, y1),
                       (b2, h2), (0, h2)))
    return Drawing([outline],
                   [Side(0, b2, "b2", "top"), Side(b2, b2 + b1, "b1", "bottom"),
                    Side(0, h2, "h2", "left"), Side(y0, y1, "h1", "right")])


def _centroid_heights(side, h1, h2, h1_feature=None, far=None):
    """h1 and h3 (top of the bottom part to the axis) on one side, e2, e1 and h2
    on the other."""
    return [Side(0, h1, "h1", side, feature=(None, h1_feature)),
            Side(h1, G, "h3", side, feature=(h1_feature, None)),
            Side(0, G, "e2", far), Side(G, h2, "e1", far), Side(0, h2, "h2", far, tier=1)]


def u_section(b1=0.8, b2=0.4, h1=0.22, h2=1.0):
    u, b3 = b2 / 2, b1 + b2
    outline = Polygon(((0, 0), (b3, 0), (b3, h2), (u + b1, h2), (u + b1, h1), (u, h1), (u, h2),
                       (0, h2)))
    return Drawing([outline],
                   [Side(0, u, "b2/2", "top"), Side(u, u + b1, "b1", "top"),
                    Side(u + b1, b3, "b2/2", "top"), Side(0, b3, "b3", "bottom")]
                   + _centroid_heights("left", h1, h2, h1_feature=u, far="right"))


def t_section(b1=0.9, b2=0.3, h1=0.2, h2=1.0):
    a, b3 = b1 / 2, b1 + b2
    outline = Polygon(((0, 0), (b3, 0), (b3, h1), (a + b2, h1), (a + b2, h2), (a, h2), (a, h1),
                       (0, h1)))
    return Drawing([outline],
                   [Side(a, a + b2, "b2", "top"),
                    Side(0, a, "b1/2", "bottom", feature=(None, h1)),
                    Side(a + b2, b3, "b1/2", "bottom", feature=(h1, None)),
                    Side(0, b3, "b3", "bottom", tier=1)]
                   + _centroid_heights("left", h1, h2, far="right"))


def l_section(b1=0.78, b2=0.22, h1=0.2, h2=1.1):
    b3 = b1 + b2
    outline = Polygon(((0, 0), (b3, 0), (b3, h1), (b2, h1), (b2, h2), (0, h2)))
    return Drawing([outline],
                   [Side(0, b2, "b2", "top"),
                    Side(b2, b3, "b1", "bottom", feature=(h1, None)),
                    Side(0, b3, "b3", "bottom", tier=1)]
                   + _centroid_heights("right", h1, h2, far="left"))
