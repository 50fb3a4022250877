// The details window's torsion block as a user meets it: the five rows fill in
// after "計算中…", in the display unit; typing quickly never shows a value of a
// section no longer on the calculator; closing mid-solve is harmless; and the
// drawing puts G and S where the computation puts them.
#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>
#include <QTest>
#include <QThreadPool>
#include <cmath>
#include <numbers>
#include <variant>

#include "analysis/torsion.h"
#include "core/properties.h"
#include "core/section_model.h"
#include "tests/ui/calculator/calculator_harness.h"
#include "tests/ui/support/test_setup.h"
#include "ui/common/section_picture.h"
#include "ui/common/torsion_text.h"
#include "ui/details/details_window.h"
#include "ui/details/torsion_computation.h"
#include "ui/details/torsion_panel.h"

using namespace velmora;
using namespace velmora::ui;
using namespace velmora::ui::testing;

namespace {

constexpr int kRectangle = 0, kSemicircle = 13, kBox = 16, kChannel = 18, kLSection = 24;
constexpr int kSymbolColumn = 1, kValueColumn = 2, kUnitColumn = 3;

DetailsWindow* Open(Calculator& calc) {
    QTest::keyClick(calc.form->windowHandle(), Qt::Key_D, Qt::ControlModifier);
    DetailsWindow* details = calc.form->detailsWindow();
    if (details && !QTest::qWaitForWindowActive(details)) return nullptr;
    return details;
}

QTableWidget* Table(QWidget* details) {
    return details->findChild<QTableWidget*>(QStringLiteral("properties"));
}

int RowOf(QWidget* details, analysis::TorsionProperty property) {
    const QTableWidget* table = Table(details);
    const QString symbol = QString::fromUtf8(analysis::Info(property).symbol);
    for (int row = 0; row < table->rowCount(); ++row)
        if (table->item(row, kSymbolColumn)->text() == symbol) return row;
    return -1;
}

QString Value(QWidget* details, analysis::TorsionProperty property) {
    const int row = RowOf(details, property);
    return row < 0 ? QStringLiteral("(no row)") : Table(details)->item(row, kValueColumn)->text();
}

QString UnitShown(QWidget* details, analysis::TorsionProperty property) {
    const int row = RowOf(details, property);
    return row < 0 ? QStringLiteral("(no row)") : Table(details)->item(row, kUnitColumn)->text();
}

bool Computing(QWidget* details) {
    return Value(details, analysis::TorsionProperty::J) == QString::fromUtf8(kComputing);
}

// The rows once the computation has delivered them.
bool WaitForTorsion(QWidget* details) {
    return QTest::qWaitFor([&] { return !Computing(details); }, 20000);
}

// The computation itself, for the texts the calculator holds, in the window's unit.
analysis::TorsionResult Computed(int shape, const QStringList& texts) {
    InputTexts inputs;
    for (qsizetype i = 0; i < texts.size(); ++i) inputs[static_cast<std::size_t>(i)] = texts[i].toStdString();
    auto outcome = analysis::ComputeTorsion(static_cast<ShapeType>(shape), inputs);
    if (!std::holds_alternative<analysis::TorsionResult>(outcome)) qFatal("no section");
    return std::get<analysis::TorsionResult>(outcome);
}

QString Text(double value, double factor, int power) {
    return QString::fromStdString(PropertyText(ConvertLength(value, factor, power)));
}

// J of a b × h rectangle (b ≤ h) from its series.
double RectangleSeriesJ(double h, double b) {
    double sum = 0;
    for (int n = 1; n < 400; n += 2) sum += std::tanh(n * std::numbers::pi * h / (2 * b)) / std::pow(n, 5);
    return h * b * b * b / 3 * (1 - 192 * b / (std::pow(std::numbers::pi, 5) * h) * sum);
}

void ChooseDisplayUnit(QWidget* details, const QString& unit) {
    auto* list = details->findChild<QComboBox*>(QStringLiteral("displayUnit"));
    list->setFocus();
    const int target = list->findText(unit);
    QVERIFY(target >= 0);
    while (list->currentIndex() != target)
        QTest::keyClick(list, list->currentIndex() < target ? Qt::Key_Down : Qt::Key_Up);
}

SectionPictureView* View(QWidget* details) {
    return details->findChild<SectionPictureView*>(QStringLiteral("sectionPicture"));
}

QString NameShown(QWidget* details, analysis::TorsionProperty property) {
    const int row = RowOf(details, property);
    return row < 0 ? QStringLiteral("(no row)") : Table(details)->item(row, 0)->text();
}

QStringList FootnoteLines(QWidget* details) {
    const auto* notes = details->findChild<QLabel*>(QStringLiteral("footnotes"));
    return notes->isVisible() ? notes->text().split(QLatin1Char('\n')) : QStringList();
}

// The footnote of a value whose estimate exceeds its tolerance, the estimate
// written to two digits as a reader would.
QString UnsettledLine(int mark, double error, const QString& unit, double relative) {
    return QStringLiteral(
               "※%1 有限要素解が収束しきれていないため、この値は 7 桁目まで正しいとは限りません"
               "（推定誤差 ±%2 %3、相対 %4）")
        .arg(mark)
        .arg(QString::number(error, 'E', 1), unit, QString::number(relative, 'E', 1));
}

}  // namespace

class TestDetailsTorsion : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { PrepareUiTest(); }
    void cleanupTestCase() { WaitForTorsionSolves(); }

    // Four sections, in cm: each row as the computation gives it, by the
    // seven-digit rule, with its power; and what each section is known for.
    void rows_data() {
        QTest::addColumn<int>("shape");
        QTest::addColumn<QStringList>("texts");
        QTest::newRow("channel") << kChannel << QStringList{"180", "200", "72", "80"};
        QTest::newRow("L") << kLSection << QStringList{"10", "100", "70", "10"};
        QTest::newRow("rectangle") << kRectangle << QStringList{"300", "150"};
        QTest::newRow("box") << kBox << QStringList{"160", "200", "80", "120"};
    }

    void rows() {
        QFETCH(int, shape);
        QFETCH(QStringList, texts);
        Calculator calc(shape);
        calc.enter(texts);
        DetailsWindow* details = Open(calc);
        QVERIFY(details);
        ChooseDisplayUnit(details, QStringLiteral("cm"));
        QVERIFY(WaitForTorsion(details));
        const double cm = 0.1;
        const analysis::TorsionResult result = Computed(shape, texts);
        using P = analysis::TorsionProperty;
        QCOMPARE(Value(details, P::J), Text(result.J, cm, 4));
        QCOMPARE(UnitShown(details, P::J), QStringLiteral("cm⁴"));
        QCOMPARE(Value(details, P::xs), Text(result.xs, cm, 1));
        QCOMPARE(Value(details, P::ys), Text(result.ys, cm, 1));
        QCOMPARE(UnitShown(details, P::xs), QStringLiteral("cm"));
        QCOMPARE(Value(details, P::Iw), Text(result.Iw, cm, 6));
        QCOMPARE(UnitShown(details, P::Iw), QStringLiteral("cm⁶"));
        auto* reason = details->findChild<QLabel*>(QStringLiteral("torsionNote"));

        if (shape == kChannel) {
            // Left of the web, outside the section, near the thin-wall value
            // e = 3·b²·tf ÷ (6·b·tf + h·tw) from the web's centre line.
            const double tf = 10, tw = 8, b = 80 - tw / 2, h = 200 - tf;
            const double e = 3 * b * b * tf / (6 * b * tf + h * tw);
            const double cx = section::Compute(kChannel, std::vector<double>{180, 200, 72, 80}).centroidX;
            const double thinWall = tw / 2 - e - cx;
            const double shown = Value(details, P::xs).toDouble() / cm;
            QVERIFY2(shown < -cx, "the shear centre lies left of the web");
            QVERIFY2(std::abs(shown - thinWall) < 0.05 * std::abs(thinWall),
                     qPrintable(Value(details, P::xs)));
            QCOMPARE(Value(details, P::ys), QStringLiteral("0"));
        }
        if (shape == kLSection) {
            // Near where the legs' centre lines cross (5, 5 from the outer
            // corner), well inside the corner square of the 10 thick legs.
            const section::Basic basic = section::Compute(kLSection, std::vector<double>{10, 100, 70, 10});
            const double xs = Value(details, P::xs).toDouble() / cm,
                         ys = Value(details, P::ys).toDouble() / cm;
            QVERIFY2(std::abs(xs - (5 - basic.centroidX)) < 2.5, qPrintable(Value(details, P::xs)));
            QVERIFY2(std::abs(ys - (5 - basic.centroidY)) < 2.5, qPrintable(Value(details, P::ys)));
        }
        if (shape == kRectangle) {
            const double series = RectangleSeriesJ(300, 150) * 1e-4;  // cm⁴
            QVERIFY2(
                std::abs(Value(details, P::J).toDouble() / series - 1) < 1e-6,
                qPrintable(Value(details, P::J) + QStringLiteral(" vs ") + QString::number(series, 'g', 10)));
        }
        if (FindShape(shape)->reentrantCorners) {  // the box and the L
            QVERIFY(!result.Zt);
            QCOMPARE(Value(details, P::Zt), QString());
            QCOMPARE(UnitShown(details, P::Zt), QString());
            QVERIFY(reason->isVisible());
            QCOMPARE(reason->text(), QString::fromUtf8(analysis::kNoZtReason));
        } else {
            QVERIFY(result.Zt);
            QCOMPARE(Value(details, P::Zt), Text(*result.Zt, cm, 3));
            QCOMPARE(UnitShown(details, P::Zt), QStringLiteral("cm³"));
            QVERIFY(!reason->isVisible());
        }

        // Another unit only converts: no "計算中…" in between.
        ChooseDisplayUnit(details, QStringLiteral("mm"));
        QVERIFY(!Computing(details));
        QCOMPARE(Value(details, P::J), Text(result.J, 1, 4));
        QCOMPARE(UnitShown(details, P::Iw), QStringLiteral("mm⁶"));
    }

    // A long number typed quickly while solves run: every value the J row
    // ever shows is the J of the section the calculator had on show then,
    // and the last is that of the last section.
    void fastTypingShowsOnlyTheLastSection() {
        Calculator calc(kRectangle);
        calc.enter({"300", "150"});
        DetailsWindow* details = Open(calc);
        QVERIFY(details);
        QVERIFY(WaitForTorsion(details));
        QTableWidget* table = Table(details);
        auto* b = calc.get<QLineEdit>(QStringLiteral("txt2"));
        QList<QPair<QString, QString>> seen;  // (b as typed, J shown)
        const QModelIndex jCell =
            table->model()->index(RowOf(details, analysis::TorsionProperty::J), kValueColumn);
        connect(table->model(), &QAbstractItemModel::dataChanged, this,
                [&](const QModelIndex& from, const QModelIndex& to) {
                    if (jCell.row() < from.row() || jCell.row() > to.row() ||
                        jCell.column() < from.column() || jCell.column() > to.column())
                        return;
                    const QString j = Value(details, analysis::TorsionProperty::J);
                    if (j != QString::fromUtf8(kComputing) && j != QStringLiteral("(no row)"))
                        seen.append({b->text(), j});
                });
        b->setFocus();
        QTest::keyClick(b, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(b, QStringLiteral("123.4567"));
        QVERIFY(Computing(details));  // the keys did not wait for a solve
        QVERIFY(WaitForTorsion(details));
        QVERIFY(!seen.isEmpty());
        for (const auto& [typed, j] : seen) QCOMPARE(j, Text(Computed(kRectangle, {"300", typed}).J, 1, 4));
        QCOMPARE(seen.last().first, QStringLiteral("123.4567"));
        QCOMPARE(Value(details, analysis::TorsionProperty::J),
                 Text(Computed(kRectangle, {"300", "123.4567"}).J, 1, 4));
    }

    // The window, then the calculator, closed while a solve runs: no crash,
    // no late update (the sanitizer build sees no leak or use after free).
    void closingMidSolve() {
        {
            Calculator calc(kChannel);
            calc.enter({"180", "200", "72", "80"});
            DetailsWindow* details = Open(calc);
            QVERIFY(details);
            QVERIFY(Computing(details));
            // A second Ctrl+D moves the keys into the window; Esc there closes it.
            QTest::keyClick(calc.form->windowHandle(), Qt::Key_D, Qt::ControlModifier);
            QTRY_VERIFY(details->isActiveWindow());
            QTest::keyClick(details->windowHandle(), Qt::Key_Escape);
            QTRY_VERIFY(!calc.form->detailsWindow());
            calc.retype(QStringLiteral("txt3"), QStringLiteral("70"));
            WaitForTorsionSolves();
            QTest::qWait(20);  // the finished signals, queued, go nowhere
            // Open again: the new window computes afresh.
            details = Open(calc);
            QVERIFY(details);
            QVERIFY(WaitForTorsion(details));
            QCOMPARE(Value(details, analysis::TorsionProperty::J),
                     Text(Computed(kChannel, {"180", "200", "70", "80"}).J, 1, 4));
            calc.retype(QStringLiteral("txt3"), QStringLiteral("76"));
            QVERIFY(Computing(details));
        }  // the calculator, and its window, go while the solve runs
        WaitForTorsionSolves();
        QTest::qWait(20);
    }

    // G at the centroid and S at the computed shear centre, as drawn; the
    // stress map switched on and off by its check box; the description.
    void pictureShowsGAndS() {
        const QStringList texts{"180", "200", "72", "80"};
        Calculator calc(kChannel);
        calc.enter(texts);
        DetailsWindow* details = Open(calc);
        QVERIFY(details);
        QVERIFY(WaitForTorsion(details));
        SectionPictureView* view = View(details);
        QVERIFY(view && view->isVisible());
        const analysis::TorsionResult result = Computed(kChannel, texts);

        // Where the drawing's layout puts the computed points.
        const SectionPictureLayout layout =
            LayOutSectionPicture(view->picture(), QRectF(view->rect()), false, view->labelPixels());
        const QImage image = view->grab().toImage();
        const auto colourAt = [&](QPointF p) {
            return image.pixelColor((p * image.devicePixelRatio()).toPoint());
        };
        const QPointF g = layout.map(0, 0), s = layout.map(result.xs, result.ys);
        QVERIFY2(QLineF(g, s).length() > 20, "G and S far apart on a channel");
        QCOMPARE(colourAt(g), QColor(0x1d, 0x4f, 0x8c));  // G's cross
        QCOMPARE(colourAt(s), QColor(0xc0, 0x20, 0x20));  // S's diamond
        // S left of the web: left of every point of the section.
        QVERIFY(s.x() < layout.drawing.left() + 1);

        const QString description = view->accessibleDescription();
        QVERIFY2(description.contains(QStringLiteral("図心 G")), qPrintable(description));
        QVERIFY2(description.contains(QStringLiteral("せん断中心 S")), qPrintable(description));
        QVERIFY(description.contains(Text(result.xs, 1, 1) + QStringLiteral(" mm")));

        auto* box = details->findChild<QCheckBox*>(QStringLiteral("stressMap"));
        QVERIFY(box && !box->isChecked());
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));
        QVERIFY(box->isChecked());
        const QImage withMap = view->grab().toImage();
        QVERIFY(withMap != image);
        // Colours of the map inside the section: more than a few of them.
        QSet<QRgb> colours;
        for (int y = 0; y < withMap.height(); y += 3)
            for (int x = 0; x < withMap.width(); x += 3) colours.insert(withMap.pixel(x, y));
        QVERIFY(colours.size() > 30);
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));
        QCOMPARE(view->grab().toImage(), image);
    }

    // A converged rectangle has no torsion note. Asked for a tolerance no
    // solution reaches, the next section typed gets a footnote on each value
    // whose estimate is above it (J, Zt), never on the shear centre fixed at
    // 0 by symmetry; a unit converts the estimate; the note under the table
    // stops vouching for every digit. The semicircle's notes follow the
    // calculator's two.
    void unsettledValuesAreNoted() {
        Calculator calc(kRectangle);
        calc.enter({"300", "150"});
        DetailsWindow* details = Open(calc);
        QVERIFY(details && WaitForTorsion(details));
        using P = analysis::TorsionProperty;
        auto* polar = details->findChild<QLabel*>(QStringLiteral("polarNote"));
        QVERIFY(FootnoteLines(details).isEmpty());
        QCOMPARE(NameShown(details, P::J), QStringLiteral("ねじり定数"));
        QVERIFY(polar->text().endsWith(QStringLiteral("表示した桁はすべて誤差評価で確かめています。")));

        auto* computation = details->findChild<TorsionComputation*>(QStringLiteral("torsionComputation"));
        QVERIFY(computation);
        computation->setTolerance(1e-15);
        calc.retype(QStringLiteral("txt2"), QStringLiteral("120"));
        QVERIFY(Computing(details) && WaitForTorsion(details));
        analysis::TorsionOptions unreachable;
        unreachable.tolerance = 1e-15;
        const analysis::TorsionResult r =
            analysis::ComputeTorsion(kRectangle, std::vector<double>{300, 120}, unreachable);
        QVERIFY(!r.converged && r.Zt && r.errorJ > 1e-15 * r.J && r.errorZt > 1e-15 * *r.Zt);
        const QStringList lines = FootnoteLines(details);
        QVERIFY(!lines.isEmpty());
        QCOMPARE(NameShown(details, P::J), QStringLiteral("ねじり定数 ※1"));
        QCOMPARE(lines.first(), UnsettledLine(1, r.errorJ, QStringLiteral("mm⁴"), r.errorJ / r.J));
        QCOMPARE(NameShown(details, P::xs), QString::fromUtf8(analysis::Info(P::xs).japaneseName));
        QCOMPARE(NameShown(details, P::Zt), QStringLiteral("ねじり断面係数 ※%1").arg(lines.size()));
        QCOMPARE(lines.last(), UnsettledLine(static_cast<int>(lines.size()), r.errorZt, QStringLiteral("mm³"),
                                             r.errorZt / *r.Zt));
        QCOMPARE(Value(details, P::J), Text(r.J, 1, 4));  // still by the seven-digit rule
        QVERIFY(polar->text().endsWith(
            QStringLiteral("表示した桁は、注記した値を除き、すべて誤差評価で確かめています。")));
        ChooseDisplayUnit(details, QStringLiteral("cm"));
        QCOMPARE(FootnoteLines(details).first(),
                 UnsettledLine(1, r.errorJ * 1e-4, QStringLiteral("cm⁴"), r.errorJ / r.J));

        calc.module.SelectedShape = kSemicircle;
        Calculator semicircle(kSemicircle);
        semicircle.enter({"5"});
        details = Open(semicircle);
        QVERIFY(details);
        details->findChild<TorsionComputation*>(QStringLiteral("torsionComputation"))->setTolerance(1e-15);
        semicircle.retype(QStringLiteral("txt1"), QStringLiteral("2"));
        QVERIFY(WaitForTorsion(details));
        const QStringList notes = FootnoteLines(details);
        QVERIFY2(notes.size() >= 3 && notes[1].startsWith(QStringLiteral("※2 電卓の表示は ")),
                 qPrintable(notes.join('|')));
        QVERIFY2(notes[2].startsWith(QStringLiteral("※3 有限要素解が")), qPrintable(notes[2]));
        QVERIFY(NameShown(details, P::Zt).endsWith(QStringLiteral(" ※%1").arg(notes.size())));
    }

    // The legend's top: the largest stress where it is finite, else why not.
    void legendTop() {
        Calculator calc(kBox);
        calc.enter({"160", "200", "80", "120"});
        DetailsWindow* details = Open(calc);
        QVERIFY(details);
        QVERIFY(WaitForTorsion(details));
        QCOMPARE(View(details)->picture().maxStressText, QString::fromUtf8(kUnboundedStress));
        calc.module.SelectedShape = kRectangle;
        Calculator rectangle(kRectangle);
        rectangle.enter({"300", "150"});
        details = Open(rectangle);
        QVERIFY(details);
        QVERIFY(WaitForTorsion(details));
        const analysis::TorsionResult result = Computed(kRectangle, {"300", "150"});
        QVERIFY(result.maxStressUnitTorque);
        QCOMPARE(View(details)->picture().maxStressText,
                 QStringLiteral("最大 %1 mm⁻³").arg(Text(*result.maxStressUnitTorque, 1, 0)));
    }
};

QTEST_MAIN(TestDetailsTorsion)
#include "test_details_torsion.moc"
