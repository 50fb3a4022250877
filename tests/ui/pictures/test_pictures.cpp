// The compiled-in pictures: every drawing, thumbnail and the icon parses and
// renders at its natural size, each drawing names exactly the dimensions of its
// catalogue entry, and each drawing's centroid G sits where its section puts it.

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPolygonF>
#include <QRegularExpression>
#include <QSet>
#include <QSvgRenderer>
#include <QXmlStreamReader>
#include <QtTest>
#include <cmath>
#include <numbers>

#include "core/catalogue.h"
#include "tests/ui/support/test_setup.h"
#include "ui/common/pictures.h"
#include "ui/common/text.h"

namespace {

using namespace velmora;

// Names drawn but not entered, beyond the entered and derived captions (the derived
// ones bring dm and t of shape 12, t of 15, and t1, t2 and the barred h of 16 to 18).
QStringList ExtraNames(int shape) {
    switch (shape) {
        case 6:
        case 10:
        case 13: return {"e1", "e2"};
        case 22:
        case 23:
        case 24: return {"b3", "h3", "e1", "e2"};
        default: return {};
    }
}

// "~h" is typed for h with a bar; the drawings show the barred letter itself.
QString DrawnName(std::string_view caption) {
    const QString text = ui::ToQString(caption);
    return text == QStringLiteral("~h") ? QStringLiteral("h\u0304") : text;
}

QSet<QString> ExpectedNames(int shape) {
    const ShapeEntry* entry = FindShape(shape);
    QSet<QString> names{QStringLiteral("G")};
    for (const InputSlot& slot : entry->entered) names.insert(DrawnName(slot.caption));
    for (const InputSlot& slot : entry->derived) names.insert(DrawnName(slot.caption));
    for (const QString& name : ExtraNames(shape)) names.insert(name);
    return names;
}

// The text of every <text> element, child spans included ("h<tspan>1</tspan>" reads "h1").
QStringList SvgLabels(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    QXmlStreamReader xml(&file);
    QStringList labels;
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == QLatin1String("text"))
            labels.append(xml.readElementText(QXmlStreamReader::IncludeChildElements));
    }
    return xml.hasError() ? QStringList{} : labels;
}

// A dimension halved on the drawing ("b1/2", one of two equal parts) still names b1.
QString NameOf(const QString& label) {
    return label.endsWith(QStringLiteral("/2")) ? label.chopped(2) : label;
}

// The section's light blue, #8ec8f0, give or take the blending of its edges.
bool IsSectionBlue(QRgb c) {
    return std::abs(qRed(c) - 0x8e) <= 10 && std::abs(qGreen(c) - 0xc8) <= 10 &&
           std::abs(qBlue(c) - 0xf0) <= 10;
}

bool IsDarkBrown(QRgb c) { return qRed(c) < 128 && qRed(c) > qGreen(c) && qGreen(c) > qBlue(c); }

int CountPixels(const QImage& image, bool (*match)(QRgb)) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) n += match(image.pixel(x, y));
    return n;
}

bool HasSeveralColours(const QImage& image) {
    const QRgb first = image.pixel(0, 0);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != first) return true;
    return false;
}

// Renders at the logical size and ratio, as the windows do, and checks it is a picture.
QImage CheckedRender(const QString& path, QSize size, qreal ratio) {
    const QImage image = ui::RenderSvg(path, size, ratio).toImage().convertToFormat(QImage::Format_ARGB32);
    if (image.size() != size * ratio || !HasSeveralColours(image)) return {};
    return image;
}

// The centre of area of what an element covers, from its rendering at 4x.
QPointF CoverageCentroid(QSvgRenderer& renderer, const QString& id) {
    constexpr qreal kScale = 4;
    const QRectF bounds = renderer.boundsOnElement(id);
    QImage image((renderer.defaultSize() * kScale), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    renderer.render(&painter, id, QRectF(bounds.topLeft() * kScale, bounds.size() * kScale));
    painter.end();
    double sum = 0, sx = 0, sy = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const double w = qAlpha(image.pixel(x, y));
            sum += w;
            sx += w * (x + 0.5);
            sy += w * (y + 0.5);
        }
    }
    return sum > 0 ? QPointF(sx / sum, sy / sum) / kScale : QPointF();
}

// The vertices of a section drawn as one straight-edged path ("M x,y L x,y ... Z").
QPolygonF SectionPolygon(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    QXmlStreamReader xml(&file);
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement &&
            xml.attributes().value("id") == QLatin1String("section")) {
            QPolygonF polygon;
            static const QRegularExpression point(QStringLiteral("(-?[0-9.]+),(-?[0-9.]+)"));
            for (const auto& m : point.globalMatch(xml.attributes().value("d").toString()))
                polygon.append(QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()));
            return polygon;
        }
    }
    return {};
}

double Area(const QPolygonF& p) {
    double twice = 0;
    for (qsizetype i = 0; i < p.size(); ++i) {
        const QPointF& a = p[i];
        const QPointF& b = p[(i + 1) % p.size()];
        twice += a.x() * b.y() - b.x() * a.y();
    }
    return std::abs(twice) / 2;
}

QString Sorted(const QSet<QString>& names) {
    QStringList list(names.begin(), names.end());
    list.sort();
    return list.join(QLatin1Char(' '));
}

void AddShapeRows() {
    QTest::addColumn<int>("shape");
    for (int i = 0; i < kShapeCount; ++i) QTest::addRow("shape %02d", i) << i;
}

}  // namespace

class PicturesTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { ui::testing::PrepareUiTest(); }

    void drawingRendersAtItsCatalogueSize_data() { AddShapeRows(); }
    void drawingRendersAtItsCatalogueSize() {
        QFETCH(int, shape);
        const ShapeEntry* entry = FindShape(shape);
        QCOMPARE(entry->drawingWidthTwips % 15, 0);
        QCOMPARE(entry->drawingHeightTwips % 15, 0);
        const QSize natural(entry->drawingWidthTwips / 15, entry->drawingHeightTwips / 15);
        QSvgRenderer renderer(ui::DrawingPath(shape));
        QVERIFY(renderer.isValid());
        QCOMPARE(renderer.defaultSize(), natural);
        QCOMPARE(ui::DrawingSize(shape), natural);
        for (qreal ratio : {1.0, 2.0}) {
            const QImage image = CheckedRender(ui::DrawingPath(shape), natural, ratio);
            QVERIFY2(!image.isNull(), qPrintable(QStringLiteral("ratio %1").arg(ratio)));
            QVERIFY(CountPixels(image, IsSectionBlue) > image.width() * image.height() / 30);
        }
    }

    void drawingNamesTheCatalogueDimensions_data() { AddShapeRows(); }
    void drawingNamesTheCatalogueDimensions() {
        QFETCH(int, shape);
        const QStringList labels = SvgLabels(ui::DrawingPath(shape));
        QVERIFY(!labels.isEmpty());
        QSet<QString> drawn;
        for (const QString& label : labels) drawn.insert(NameOf(label));
        const QSet<QString> expected = ExpectedNames(shape);
        QVERIFY2(drawn == expected,
                 qPrintable(QStringLiteral("drawn: %1; expected: %2").arg(Sorted(drawn), Sorted(expected))));
    }

    void centroidAndAxisLieOnTheSection_data() { AddShapeRows(); }
    void centroidAndAxisLieOnTheSection() {
        QFETCH(int, shape);
        QSvgRenderer renderer(ui::DrawingPath(shape));
        for (const char* id : {"section", "centroid", "axis"}) QVERIFY(renderer.elementExists(id));
        const QPointF g = renderer.boundsOnElement("centroid").center();
        const QPointF area = CoverageCentroid(renderer, "section");
        QVERIFY2(std::abs(g.x() - area.x()) < 0.5 && std::abs(g.y() - area.y()) < 0.5,
                 qPrintable(QStringLiteral("G drawn at (%1, %2), section centroid (%3, %4)")
                                .arg(g.x())
                                .arg(g.y())
                                .arg(area.x())
                                .arg(area.y())));
        const QRectF axis = renderer.boundsOnElement("axis");
        QVERIFY(std::abs(axis.center().y() - g.y()) < 0.01);
        QVERIFY(axis.width() > renderer.boundsOnElement("section").width());
    }

    void centroidsOfAsymmetricSectionsFollowTheirClosedForms() {
        // Isosceles triangle: G a third of the height above the base.
        QSvgRenderer triangle(ui::DrawingPath(6));
        QRectF box = triangle.boundsOnElement("section");
        const double gy = triangle.boundsOnElement("centroid").center().y();
        QVERIFY(std::abs(gy - (box.bottom() - box.height() / 3)) < 0.05);

        // Semicircle standing on its flat side: G 4r / 3π above it, r its height and half its width.
        QSvgRenderer half(ui::DrawingPath(13));
        box = half.boundsOnElement("section");
        QVERIFY(std::abs(box.width() - 2 * box.height()) < 0.05);
        const double e2 = 4 * box.height() / (3 * std::numbers::pi);
        QVERIFY(std::abs(half.boundsOnElement("centroid").center().y() - (box.bottom() - e2)) < 0.05);

        // U, T and L: a full-height part b2 × h2 and a bottom part b1 × h1;
        // e2 = (h1²·b1 + h2²·b2) / (2·(b2·h2 + b1·h1)) above the bottom edge.
        for (int shape : {22, 23, 24}) {
            const QPolygonF outline = SectionPolygon(ui::DrawingPath(shape));
            QVERIFY(outline.size() >= 6);
            const QRectF bounds = outline.boundingRect();
            double top = bounds.bottom();  // the top of the bottom part: the one level in between
            for (const QPointF& p : outline)
                if (p.y() > bounds.top() + 0.01 && p.y() < bounds.bottom() - 0.01) top = p.y();
            const double h2 = bounds.height(), h1 = bounds.bottom() - top, b3 = bounds.width();
            const double b1 = (b3 * h2 - Area(outline)) / (h2 - h1), b2 = b3 - b1;
            const double closed = (h1 * h1 * b1 + h2 * h2 * b2) / (2 * (b2 * h2 + b1 * h1));
            QSvgRenderer renderer(ui::DrawingPath(shape));
            const double drawn = bounds.bottom() - renderer.boundsOnElement("centroid").center().y();
            QVERIFY2(std::abs(drawn - closed) < 0.05,
                     qPrintable(QStringLiteral("shape %1: e2 drawn %2, closed form %3")
                                    .arg(shape)
                                    .arg(drawn)
                                    .arg(closed)));
            QVERIFY(closed > h1);  // the drawing shows h3 = e2 - h1 above the bottom part
        }
    }

    void thumbnailsShowTheSectionOnTheirGround_data() {
        QTest::addColumn<int>("shape");
        QTest::addColumn<bool>("selected");
        for (int i = 0; i < kShapeCount; ++i) {
            QTest::addRow("normal %02d", i) << i << false;
            QTest::addRow("selected %02d", i) << i << true;
        }
    }
    void thumbnailsShowTheSectionOnTheirGround() {
        QFETCH(int, shape);
        QFETCH(bool, selected);
        const QString path = ui::ThumbnailPath(shape, selected);
        QSvgRenderer renderer(path);
        QVERIFY(renderer.isValid());
        QCOMPARE(renderer.defaultSize(), ui::kThumbnailSize);
        for (qreal ratio : {1.0, 2.0}) {
            const QImage image = CheckedRender(path, ui::kThumbnailSize, ratio);
            QVERIFY(!image.isNull());
            for (QPoint corner : {QPoint(0, 0), QPoint(image.width() - 1, image.height() - 1)}) {
                const QRgb ground = image.pixel(corner);
                QVERIFY2(selected ? ground == qRgb(255, 255, 255) : IsDarkBrown(ground),
                         qPrintable(QColor(ground).name()));
            }
            // The section shows in its light blue.
            QVERIFY(CountPixels(image, IsSectionBlue) > image.width() * image.height() / 30);
        }
    }

    void iconIsLegibleAtEverySize() {
        QSvgRenderer renderer(ui::IconPath());
        QVERIFY(renderer.isValid());
        for (int size : {16, 32, 48}) {
            const QImage image = CheckedRender(ui::IconPath(), QSize(size, size), 1.0);
            QVERIFY(!image.isNull());
            QVERIFY(CountPixels(image, IsSectionBlue) > size * size / 8);
            QVERIFY(!ui::ProgramIcon().pixmap(size, size).isNull());
        }
    }
};

QTEST_MAIN(PicturesTest)
#include "test_pictures.moc"
