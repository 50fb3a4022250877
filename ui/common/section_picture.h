// A drawing of a section in torsion, painted with QPainter so that it is
// vector on paper and crisp on any screen: its exact outline (holes and arcs
// included), the centroid G, the shear centre S with its offsets and, if asked
// for, the shear stress under a unit torque as a colour map with its legend.
// The details window and the calculation sheet both paint it.
#pragma once

#include <QColor>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <optional>
#include <span>
#include <vector>

#include "analysis/torsion.h"
#include "core/catalogue.h"
#include "core/section_geometry.h"

class QPainter;

namespace velmora::ui {

struct SectionPicture {
    section::Geometry geometry;  // centroidal axes, so that G is the origin
    // The shear centre from G, once the torsion values are known.
    std::optional<QPointF> shearCentre;
    QString offsets;  // "xs = −1.234 cm　ys = 0 cm", written under the drawing

    // The stress map: samples of |τ| under a unit torque, `samplesPerSide`²
    // of every element (see analysis::TorsionField::Samples).
    std::vector<analysis::TorsionField::Sample> samples;
    int samplesPerSide = 0;
    // The largest |τ| where it is finite; nothing where an inner corner makes
    // it unbounded.
    std::optional<double> maxStress;
    QString maxStressText;  // the legend's top: the largest value, or why there is none
};

// The picture of a section without its torsion values yet: the outline about
// the centroid. `dims` must form a real section.
SectionPicture MakeSectionPicture(ShapeType shape, std::span<const double> dims);

// How many samples per element side the stress map uses.
inline constexpr int kStressSamplesPerSide = 5;

// The legend's top where the stress is unbounded.
inline constexpr char kUnboundedStress[] = "入隅で無限大";

struct SectionPictureLayout {
    QRectF drawing;  // where the section itself is drawn
    QRectF legend;   // the colour bar, empty without the stress map
    double scale = 0;
    QPointF origin;  // where G lands
    QPointF map(double x, double y) const { return {origin.x() + scale * x, origin.y() - scale * y}; }
};

// Where each part goes in `target` (device independent; the font sizes used
// for the labels are `labelPixels` high).
SectionPictureLayout LayOutSectionPicture(const SectionPicture& picture, const QRectF& target, bool stressMap,
                                          double labelPixels);

// Paints the picture into `target`; `stressMap` adds the colour map and legend.
void PaintSectionPicture(QPainter& painter, const QRectF& target, const SectionPicture& picture,
                         bool stressMap, double labelPixels);

// The colour of a stress `t` from 0 (lowest) to 1 (highest).
QColor StressColour(double t);

}  // namespace velmora::ui
