// The 76 formula pictures: each one is a resource QtSvg can draw at its natural size,
// inside its border, and matches the row of the formula table it was rendered from.

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QRegularExpression>
#include <QSvgRenderer>
#include <QTest>
#include <cmath>

#include "core/formula_pictures.h"
#include "tests/ui/formula/formula_table.h"
#include "tests/ui/support/test_setup.h"
#include "ui/common/pictures.h"
#include "ui/formula/formula_text.h"

using namespace velmora;
using namespace velmora::ui;
using namespace velmora::ui::testing;

namespace {

bool IsDark(QRgb pixel) { return qGray(pixel) < 128; }

QImage RenderOnWhite(QSvgRenderer& renderer, QSize size) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    return image;
}

// The rows and columns that hold dark pixels, as a rectangle.
QRect InkBounds(const QImage& image, const QRect& area) {
    QRect bounds;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (IsDark(image.pixel(x, y))) bounds |= QRect(x, y, 1, 1);
    return bounds;
}

int Count(const QString& text, const QString& what) { return text.count(what); }

// The powers in the order they are written: "h2³ − h1²" and "h_2^3-h_1^2" both give "32".
QString TextPowers(const QString& text) {
    QString powers;
    for (const QChar c : text) {
        if (c == QChar(0x00B2)) powers += QLatin1Char('2');
        if (c == QChar(0x00B3)) powers += QLatin1Char('3');
        if (c == QChar(0x2074)) powers += QLatin1Char('4');
    }
    return powers;
}

QString TexPowers(const QString& tex) {
    static const QRegularExpression power(QStringLiteral("\\^\\{?([0-9])"));
    QString powers;
    for (const QRegularExpressionMatch& m : power.globalMatch(tex)) powers += m.captured(1);
    return powers;
}

}  // namespace

class TestFormulaPictures : public QObject {
    Q_OBJECT

private:
    QList<FormulaRow> rows_;

private slots:
    void initTestCase() {
        PrepareUiTest();
        rows_ = ReadFormulaTable();
        QCOMPARE(rows_.size(), kFormulaPictureCount);
        for (int i = 0; i < rows_.size(); ++i) QCOMPARE(rows_[i].picture, i);
    }

    void picture_data() {
        QTest::addColumn<int>("picture");
        for (int i = 0; i < kFormulaPictureCount; ++i) QTest::addRow("%02d", i) << i;
    }

    // Parses, has its table size, draws black formula inside a closed border with clear space
    // all round, in type large enough to read.
    void picture() {
        QFETCH(int, picture);
        QFile file(FormulaPath(picture));
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(FormulaPath(picture)));
        const QByteArray svg = file.readAll();
        QCOMPARE(svg.count("<svg"), 1);  // QtSvg ignores nested <svg> elements
        QVERIFY(!svg.contains("<use") && !svg.contains("style="));

        QSvgRenderer renderer(svg);
        QVERIFY(renderer.isValid());
        const QSize size = FormulaSize(picture);
        QCOMPARE(renderer.defaultSize(), size);

        const QImage image = RenderOnWhite(renderer, size);
        const int w = size.width(), h = size.height();
        for (const QPoint p :
             {QPoint(0, 0), QPoint(w - 1, 0), QPoint(0, h - 1), QPoint(w - 1, h - 1), QPoint(w / 2, 0),
              QPoint(w / 2, h - 1), QPoint(0, h / 2), QPoint(w - 1, h / 2)})
            QVERIFY2(IsDark(image.pixel(p)),
                     qPrintable(QStringLiteral("border at %1,%2").arg(p.x()).arg(p.y())));

        const QRect inside(3, 3, w - 6, h - 6);
        const QRect ink = InkBounds(image, inside);
        QVERIFY(ink.isValid());
        QVERIFY2(inside.adjusted(2, 2, -2, -2).contains(ink), "the formula runs into the border");
        QVERIFY2(ink.height() >= 16, qPrintable(QStringLiteral("only %1 px tall").arg(ink.height())));
        QCOMPARE(FormulaPixmap(picture, 2.0).size(), size * 2);
    }

    // The committed pictures were rendered from the table as it stands: title and source agree.
    void picturesMatchTheTable() {
        for (const FormulaRow& row : std::as_const(rows_)) {
            QFile file(FormulaPath(row.picture));
            QVERIFY(file.open(QIODevice::ReadOnly));
            const QString svg = QString::fromUtf8(file.readAll());
            QString source = row.tex;
            source.replace(QLatin1Char('&'), QLatin1String("&amp;"))
                .replace(QLatin1Char('<'), QLatin1String("&lt;"));
            QVERIFY2(
                svg.contains(QLatin1String("<desc>") + source + QLatin1String("</desc>")),
                qPrintable(
                    QStringLiteral("picture %1 is stale: run tools/formulas/regenerate").arg(row.picture)));
            QCOMPARE(FormulaText(row.picture), row.text.simplified());
        }
    }

    // Every shape and kind of the table's rows leads the viewer to that row's picture, and every
    // shape has all four kinds.
    void tableRowsAreTheViewersPictures() {
        QSet<QPair<int, QString>> covered;
        for (const FormulaRow& row : std::as_const(rows_)) {
            for (const int shape : row.shapes) {
                QCOMPARE(FormulaPictureIndex(shape, row.kind.toStdString()), row.picture);
                covered.insert({shape, row.kind});
            }
        }
        QCOMPARE(covered.size(), 25 * 4);
    }

    // The bracketed values and rounded coefficients, recomputed from their exact expressions.
    void roundedValues_data() {
        QTest::addColumn<int>("picture");
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("decimals");
        const double pi = 3.14159265358979, r2 = std::sqrt(2.0), r3 = std::sqrt(3.0);
        const double octagonI = (1 + 2 * r2) / 6, octagonA = 2 * r2;
        const double semiI = pi / 8 - 8 / (9 * pi), semiE2 = 4 / (3 * pi);
        QTest::newRow("rectangle k") << 2 << "(k=%1h)" << std::sqrt(1.0 / 12) << 3;
        QTest::newRow("triangle k") << 26 << "(k=%1h)" << std::sqrt(1.0 / 18) << 3;
        QTest::newRow("hexagon A") << 28 << "(A=%1b^2)" << 3 * r3 / 2 << 2;
        QTest::newRow("hexagon I") << 29 << "(I=%1b^4)" << 5 * r3 / 16 << 4;
        QTest::newRow("hexagon k") << 30 << "(k=%1b)" << std::sqrt(5.0 / 24) << 3;
        QTest::newRow("hexagon on sides A") << 32 << "(A=%1b^2)" << 3 * r3 / 2 << 2;
        QTest::newRow("hexagon on sides I") << 33 << "(I=%1b^4)" << 5 * r3 / 16 << 4;
        QTest::newRow("hexagon on sides k") << 34 << "(k=%1b)" << std::sqrt(5.0 / 24) << 3;
        QTest::newRow("octagon A") << 36 << "%1\\,r^2" << octagonA << 4;
        QTest::newRow("octagon I") << 37 << "(I=%1r^4)" << octagonI << 4;
        QTest::newRow("octagon k²") << 38 << "%1\\,r^2" << octagonI / octagonA << 4;
        QTest::newRow("octagon k") << 38 << "(k=%1r)" << std::sqrt(octagonI / octagonA) << 3;
        QTest::newRow("octagon Z") << 39 << "%1\\,r^3" << octagonI / std::cos(pi / 8) << 4;
        QTest::newRow("semicircle I") << 53 << "(=%1r^4)" << semiI << 4;
        QTest::newRow("semicircle k²") << 54 << "(=%1r^2)" << (9 * pi * pi - 64) / (36 * pi * pi) << 4;
        // The calculator's semicircle moduli are the rounded I over the rounded distances
        // (0.1098 / 0.5756, 0.1098 / 0.4244), one unit in the fourth place above I ÷ e.
        QTest::newRow("semicircle Z1") << 55 << "Z_1 &= %1\\,r^3" << 0.1098 / 0.5756 << 4;
        QTest::newRow("semicircle e1") << 55 << "e_1 &= %1\\,r" << 1 - semiE2 << 4;
        QTest::newRow("semicircle Z2") << 55 << "Z_2 &= %1\\,r^3" << 0.1098 / 0.4244 << 4;
        QTest::newRow("semicircle e2") << 55 << "e_2 &= %1\\,r" << semiE2 << 4;
    }

    void roundedValues() {
        QFETCH(int, picture);
        QFETCH(QString, pattern);
        QFETCH(double, value);
        QFETCH(int, decimals);
        const QString expected = pattern.arg(value, 0, 'f', decimals);
        QVERIFY2(rows_[picture].tex.contains(expected),
                 qPrintable(rows_[picture].tex + " lacks " + expected));
    }

    // The table's plain text and its TeX are the same formula: the same subscripted names,
    // powers, roots, π, approximations and barred h.
    void textAndTexAgree() {
        static const QRegularExpression textName(QStringLiteral("([a-zA-Z])([0-9m])(?![0-9])"));
        static const QRegularExpression texName(QStringLiteral("([a-zA-Z])_\\{?([0-9m])"));
        const auto names = [](const QString& s, const QRegularExpression& re) {
            QStringList found;
            for (const QRegularExpressionMatch& m : re.globalMatch(s)) found << m.captured(1) + m.captured(2);
            found.sort();
            return found;
        };
        for (const FormulaRow& row : std::as_const(rows_)) {
            const QByteArray where = QByteArray::number(row.picture);
            QVERIFY2(names(row.text, textName) == names(row.tex, texName), where);
            QVERIFY2(TextPowers(row.text) == TexPowers(row.tex), where);
            QVERIFY2(!row.tex.contains(QRegularExpression(QStringLiteral("\\^[^0-9{]"))), where);
            QVERIFY2(Count(row.text, QStringLiteral("√")) == Count(row.tex, QStringLiteral("\\sqrt")), where);
            QVERIFY2(Count(row.text, QStringLiteral("π")) == Count(row.tex, QStringLiteral("\\pi")), where);
            QVERIFY2(
                Count(row.text, QStringLiteral("≒")) == Count(row.tex, QStringLiteral("\\fallingdotseq")),
                where);
            QVERIFY2(Count(row.text, QStringLiteral("h\u0304")) == Count(row.tex, QStringLiteral("\\bar{h}")),
                     where);
        }
    }

    // The semicircle's k² note reads 0.0699 (698.7 for r = 100), not 0.0697.
    void semicircleNoteIsMended() {
        QVERIFY(rows_[54].tex.contains(QLatin1String("0.0699")));
        QVERIFY(!rows_[54].tex.contains(QLatin1String("0.0697")));
        QVERIFY(FormulaText(54).contains(QLatin1String("0.0699")));
    }

    // With VELMORA_FORMULA_SHEET=/path/sheet.png set, draws all pictures numbered on one sheet.
    void contactSheet() {
        const QString path = qEnvironmentVariable("VELMORA_FORMULA_SHEET");
        if (path.isEmpty()) QSKIP("VELMORA_FORMULA_SHEET is not set");
        const int columns = 4, cellWidth = 540, cellHeight = 175;
        const int sheetRows = (kFormulaPictureCount + columns - 1) / columns;
        QImage sheet(columns * cellWidth, sheetRows * cellHeight, QImage::Format_RGB32);
        sheet.fill(QColor(255, 224, 192));
        QPainter painter(&sheet);
        for (int i = 0; i < kFormulaPictureCount; ++i) {
            const QPoint cell((i % columns) * cellWidth + 10, (i / columns) * cellHeight + 4);
            painter.drawText(cell + QPoint(0, 14), QStringLiteral("%1  %2").arg(i).arg(FormulaText(i)));
            painter.drawPixmap(cell + QPoint(0, 20), FormulaPixmap(i, 1.0));
        }
        painter.end();
        QVERIFY(sheet.save(path));
    }
};

QTEST_MAIN(TestFormulaPictures)
#include "test_formula_pictures.moc"
