"""The geometry table: one row per catalogue shape, in catalogue order, with the
drawing's size in twips as the catalogue gives it and the section it shows."""

from dataclasses import dataclass, field

import built_up_sections as built
import solid_sections as solid


@dataclass(frozen=True)
class Shape:
    index: int
    name: str
    twips: tuple  # drawing width, height
    build: object  # (**proportions) -> layout.Drawing
    thumbnail: dict = field(default_factory=dict)  # bolder walls for the 40 x 31 pictures

    @property
    def size(self):
        """The drawing's natural size in pixels (15 twips to the pixel)."""
        return self.twips[0] // 15, self.twips[1] // 15


SHAPES = [
    Shape(0, "Rectangle", (5025, 4290), solid.rectangle),
    Shape(1, "Rectangle pair", (5055, 4290), solid.rectangle_pair),
    Shape(2, "Square", (5175, 4515), solid.square),
    Shape(3, "Hollow square", (6030, 4995), solid.hollow_square),
    Shape(4, "Diagonal square", (5025, 4155), solid.diagonal_square),
    Shape(5, "Hollow diagonal square", (5040, 4530), solid.hollow_diagonal_square),
    Shape(6, "Isosceles triangle", (5145, 4515), solid.triangle),
    Shape(7, "Hexagon on corners", (5010, 4515), solid.hexagon_on_corners),
    Shape(8, "Hexagon on sides", (5010, 3855), solid.hexagon_on_sides),
    Shape(9, "Regular octagon", (5250, 3855), solid.octagon),
    Shape(10, "Trapezoid", (5145, 5100), solid.trapezoid),
    Shape(11, "Circle", (5010, 4515), solid.circle),
    Shape(12, "Circular tube", (5130, 5070), solid.circular_tube, {"d1": 0.62}),
    Shape(13, "Semicircle", (5760, 3855), solid.semicircle),
    Shape(14, "Ellipse", (5010, 4515), solid.ellipse),
    Shape(15, "Hollow ellipse", (5385, 5115), solid.hollow_ellipse, {"t": 0.26}),
    Shape(16, "Box section", (5415, 5370), built.box, {"t2": 0.22, "t1": 0.36}),
    Shape(17, "I-section", (5415, 4995), built.i_section, {"t2": 0.2, "t1": 0.2}),
    Shape(18, "Channel section", (5415, 5370), built.channel, {"t2": 0.2, "t1": 0.2}),
    Shape(19, "H-shape", (5415, 4620), built.h_shape),
    Shape(20, "Cross", (5295, 4620), built.cross),
    Shape(21, "Side T", (5175, 4515), built.side_t),
    Shape(22, "U-section", (6510, 4995), built.u_section),
    Shape(23, "T-section", (6510, 4635), built.t_section),
    Shape(24, "L-section", (5775, 4695), built.l_section),
]
