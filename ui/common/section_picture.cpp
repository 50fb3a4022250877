#include "ui/common/section_picture.h"

#include <QFont>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <algorithm>
#include <array>
#include <cmath>

#include "core/section_model.h"
#include "ui/common/look.h"

namespace velmora::ui {
namespace {

const QColor kOutline(0x1a, 0x1a, 0x1a);
const QColor kMaterial(0xd8, 0xe2, 0xee);
const QColor kAxis(0x70, 0x70, 0x70);
const QColor kCentroid(0x1d, 0x4f, 0x8c);
const QColor kShearCentre(0xc0, 0x20, 0x20);

// Straight pieces per arc: far below a pixel's deviation at any size the
// window or the sheet gives the drawing.
constexpr int kArcPieces = 96;

section::Point Shifted(section::Point p, double dx, double dy) { return {p.x - dx, p.y - dy}; }

// The outline's points in order, each arc by its straight pieces.
std::vector<section::Point> Trace(const section::Outline& outline) {
    std::vector<section::Point> points;
    for (const section::Edge& edge : outline.edges) {
        if (!edge.arc) {
            points.push_back(edge.start);
            continue;
        }
        for (int i = 0; i < kArcPieces; ++i)
            points.push_back(edge.arc->at(edge.arc->t0 + (edge.arc->t1 - edge.arc->t0) * i / kArcPieces));
    }
    return points;
}

QPainterPath SectionPath(const SectionPicture& picture, const SectionPictureLayout& layout) {
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);  // holes run the other way round
    for (const section::Outline& outline : picture.geometry.outlines) {
        QPolygonF polygon;
        for (const section::Point& p : Trace(outline)) polygon << layout.map(p.x, p.y);
        path.addPolygon(polygon);
        path.closeSubpath();
    }
    return path;
}

// The value the colours are scaled to: the largest stress, or where it is
// unbounded the stress that 97 % of the section's area stays below (the
// graded elements at an inner corner are tiny), so that the map still shows
// where the stress gathers.
double ColourTop(const SectionPicture& picture) {
    if (picture.maxStress) return *picture.maxStress;
    const int n = picture.samplesPerSide;
    const auto perElement = static_cast<std::size_t>(n * n);
    std::vector<std::pair<double, double>> quads;  // |τ|, area
    for (std::size_t e = 0; n > 1 && e + perElement <= picture.samples.size(); e += perElement)
        for (int j = 0; j + 1 < n; ++j)
            for (int i = 0; i + 1 < n; ++i) {
                const auto& a = picture.samples[e + static_cast<std::size_t>(j * n + i)];
                const auto& b = picture.samples[e + static_cast<std::size_t>(j * n + i + 1)];
                const auto& c = picture.samples[e + static_cast<std::size_t>((j + 1) * n + i + 1)];
                const auto& d = picture.samples[e + static_cast<std::size_t>((j + 1) * n + i)];
                const double area = std::abs((c.x - a.x) * (d.y - b.y) - (d.x - b.x) * (c.y - a.y)) / 2;
                quads.push_back({(a.tau + b.tau + c.tau + d.tau) / 4, area});
            }
    if (quads.empty()) return 1;
    std::sort(quads.begin(), quads.end());
    double total = 0;
    for (const auto& q : quads) total += q.second;
    double below = 0;
    for (const auto& [tau, area] : quads) {
        below += area;
        if (below >= 0.97 * total) return tau > 0 ? tau : 1;
    }
    return quads.back().first > 0 ? quads.back().first : 1;
}

void PaintStressMap(QPainter& painter, const SectionPicture& picture, const SectionPictureLayout& layout,
                    const QPainterPath& section) {
    const int n = picture.samplesPerSide;
    if (n < 2) return;
    const auto perElement = static_cast<std::size_t>(n * n);
    const double top = ColourTop(picture);
    painter.save();
    painter.setClipPath(section, Qt::IntersectClip);
    painter.setPen(Qt::NoPen);
    for (std::size_t e = 0; e + perElement <= picture.samples.size(); e += perElement) {
        const auto at = [&](int i, int j) -> const analysis::TorsionField::Sample& {
            return picture.samples[e + static_cast<std::size_t>(j * n + i)];
        };
        for (int j = 0; j + 1 < n; ++j)
            for (int i = 0; i + 1 < n; ++i) {
                const std::array corners{&at(i, j), &at(i + 1, j), &at(i + 1, j + 1), &at(i, j + 1)};
                QPolygonF quad;
                double tau = 0;
                for (const auto* c : corners) {
                    quad << layout.map(c->x, c->y);
                    tau += c->tau / 4;
                }
                const QColor colour = StressColour(tau / top);
                // A hairline of the same colour closes the seams between quads.
                painter.setPen(QPen(colour, 0));
                painter.setBrush(colour);
                painter.drawPolygon(quad);
            }
    }
    painter.restore();
}

// The colour bar from low (left) to high (right): the caption above it, 0 and
// the largest value (or why there is none) under its ends.
void PaintLegend(QPainter& painter, const QRectF& bar, const SectionPicture& picture, const QFont& font) {
    QLinearGradient gradient(bar.topLeft(), bar.topRight());
    for (int i = 0; i <= 8; ++i) gradient.setColorAt(i / 8.0, StressColour(i / 8.0));
    painter.setPen(QPen(kOutline, 0));
    painter.setBrush(gradient);
    painter.drawRect(bar);
    painter.setFont(font);
    const QFontMetricsF metrics(font);
    painter.drawText(QRectF(bar.left(), bar.top() - metrics.height() * 1.1, bar.width(), metrics.height()),
                     Qt::AlignHCenter | Qt::AlignBottom, QStringLiteral("|τ|（T = 1）"));
    const QRectF under(bar.left(), bar.bottom() + metrics.height() * 0.1, bar.width(), metrics.height());
    painter.drawText(under, Qt::AlignLeft | Qt::AlignTop, QStringLiteral("0"));
    painter.drawText(under, Qt::AlignRight | Qt::AlignTop, picture.maxStressText);
}

// A marker: G as a circle with a cross and a dot, S as a filled diamond, each with its letter.
void PaintMarker(QPainter& painter, QPointF at, const QString& letter, const QColor& colour, double size,
                 bool diamond, QPointF labelOffset, const QFont& font) {
    painter.setPen(QPen(colour, size / 5));
    if (diamond) {
        painter.setBrush(colour);
        painter.drawPolygon(QPolygonF{at + QPointF(0, -size), at + QPointF(size, 0), at + QPointF(0, size),
                                      at + QPointF(-size, 0)});
    } else {
        painter.setBrush(Qt::white);
        painter.drawEllipse(at, size, size);
        painter.drawLine(at - QPointF(size, 0), at + QPointF(size, 0));
        painter.drawLine(at - QPointF(0, size), at + QPointF(0, size));
        painter.setPen(Qt::NoPen);
        painter.setBrush(colour);
        painter.drawEllipse(at, size / 2.5, size / 2.5);
        painter.setPen(colour);
    }
    painter.setFont(font);
    painter.drawText(at + labelOffset, letter);
}

}  // namespace

SectionPicture MakeSectionPicture(ShapeType shape, std::span<const double> dims) {
    SectionPicture picture;
    picture.geometry = section::SectionGeometry(shape, dims);
    const section::Basic basic = section::Compute(shape, dims);
    const double dx = basic.centroidX, dy = basic.centroidY;
    for (section::Outline& outline : picture.geometry.outlines)
        for (section::Edge& edge : outline.edges) {
            edge.start = Shifted(edge.start, dx, dy);
            if (edge.arc) edge.arc->centre = Shifted(edge.arc->centre, dx, dy);
        }
    return picture;
}

QColor StressColour(double t) {
    // Dark blue through teal and yellow to red: low to high.
    static constexpr std::array<std::array<double, 3>, 5> kStops{{
        {0x2c, 0x3e, 0x9c},
        {0x1f, 0x9e, 0xb4},
        {0x7c, 0xc8, 0x5a},
        {0xf6, 0xd1, 0x2e},
        {0xd7, 0x30, 0x27},
    }};
    t = std::clamp(std::isfinite(t) ? t : 1.0, 0.0, 1.0) * (kStops.size() - 1);
    const auto i = std::min(static_cast<std::size_t>(t), kStops.size() - 2);
    const double f = t - double(i);
    const auto mix = [&](std::size_t c) {
        return static_cast<int>(std::lround(kStops[i][c] * (1 - f) + kStops[i + 1][c] * f));
    };
    return {mix(0), mix(1), mix(2)};
}

SectionPictureLayout LayOutSectionPicture(const SectionPicture& picture, const QRectF& target, bool stressMap,
                                          double labelPixels) {
    SectionPictureLayout layout;
    // Room for the axis letters and the marks around, the offsets below and,
    // with the stress map, the colour bar under the drawing with its texts.
    QRectF area =
        target.adjusted(labelPixels * 1.5, labelPixels * 1.8, -labelPixels * 1.5, -labelPixels * 2.6);
    if (stressMap) {
        const double barHeight = labelPixels * 0.8;
        const double barTop = area.bottom() - labelPixels * 1.3 - barHeight;
        layout.legend = QRectF(area.left(), barTop, area.width(), barHeight);
        area.setBottom(barTop - labelPixels * 2.4);
    }
    double x0 = 0, x1 = 0, y0 = 0, y1 = 0;  // G is always in the picture
    const auto widen = [&](double x, double y) {
        x0 = std::min(x0, x), x1 = std::max(x1, x), y0 = std::min(y0, y), y1 = std::max(y1, y);
    };
    for (const section::Outline& outline : picture.geometry.outlines)
        for (const section::Point& p : Trace(outline)) widen(p.x, p.y);
    if (picture.shearCentre) widen(picture.shearCentre->x(), picture.shearCentre->y());
    const double width = std::max(x1 - x0, 1e-300), height = std::max(y1 - y0, 1e-300);
    layout.scale = std::max(0.0, std::min(area.width() / width, area.height() / height));
    const QPointF middle = area.center();
    layout.origin =
        QPointF(middle.x() - layout.scale * (x0 + x1) / 2, middle.y() + layout.scale * (y0 + y1) / 2);
    layout.drawing = QRectF(layout.map(x0, y1), layout.map(x1, y0));
    return layout;
}

void PaintSectionPicture(QPainter& painter, const QRectF& target, const SectionPicture& picture,
                         bool stressMap, double labelPixels) {
    const bool withMap = stressMap && !picture.samples.empty();
    const SectionPictureLayout layout = LayOutSectionPicture(picture, target, withMap, labelPixels);
    if (layout.scale <= 0) return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    QFont font = GothicFont(9);
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(labelPixels))));
    const QPainterPath section = SectionPath(picture, layout);

    painter.fillPath(section, kMaterial);
    if (withMap) PaintStressMap(painter, picture, layout, section);
    painter.setPen(QPen(kOutline, labelPixels / 8));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(section);

    // The centroidal axes x and y, dash-dotted, a little beyond the section.
    const double reach = labelPixels * 0.8;
    painter.setPen(QPen(kAxis, labelPixels / 14, Qt::DashDotLine));
    painter.drawLine(QPointF(layout.drawing.left() - reach, layout.origin.y()),
                     QPointF(layout.drawing.right() + reach, layout.origin.y()));
    painter.drawLine(QPointF(layout.origin.x(), layout.drawing.top() - reach),
                     QPointF(layout.origin.x(), layout.drawing.bottom() + reach));
    painter.setFont(font);
    painter.setPen(kAxis);
    painter.drawText(QPointF(layout.drawing.right() + reach * 1.2, layout.origin.y() + labelPixels * 0.35),
                     QStringLiteral("x"));
    painter.drawText(QPointF(layout.origin.x() + labelPixels * 0.3, layout.drawing.top() - reach),
                     QStringLiteral("y"));

    const double marker = labelPixels * 0.45;
    PaintMarker(painter, layout.origin, QStringLiteral("G"), kCentroid, marker, false,
                QPointF(marker * 1.3, -marker * 1.3), font);
    if (picture.shearCentre) {
        const QPointF s = layout.map(picture.shearCentre->x(), picture.shearCentre->y());
        // S on G (a symmetric section): its letter goes below, G's stays above.
        const bool onG = QLineF(s, layout.origin).length() < marker * 2;
        PaintMarker(painter, s, QStringLiteral("S"), kShearCentre, marker * 0.8, true,
                    onG ? QPointF(marker * 1.3, marker * 1.3 + labelPixels * 0.8)
                        : QPointF(-labelPixels * 0.3, -marker * 1.6),
                    font);
    }
    painter.setPen(kOutline);
    painter.setFont(font);
    const QFontMetricsF metrics(font);
    if (!picture.offsets.isEmpty())
        painter.drawText(
            QRectF(target.left(), target.bottom() - labelPixels * 2.2, target.width(), labelPixels * 2),
            Qt::AlignHCenter | Qt::AlignVCenter, picture.offsets);
    if (withMap) PaintLegend(painter, layout.legend, picture, font);
    painter.restore();
}

}  // namespace velmora::ui
