// The details window as a user meets it: opened from the calculator by Ctrl+D
// and by its context menu, following every key typed in the calculator,
// converting to a display unit, copying its table, and going with Esc, with
// the calculator and at the hand-over to the selection window.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTableWidget>
#include <QTest>
#include <algorithm>
#include <memory>

#include "analysis/torsion.h"
#include "core/properties.h"
#include "tests/ui/calculator/calculator_harness.h"
#include "tests/ui/support/fake_platform.h"
#include "tests/ui/support/test_setup.h"
#include "tests/ui/support/user_input.h"
#include "ui/calculator/details_placement.h"
#include "ui/details/details_window.h"
#include "ui/selection/form1.h"
#include "ui/shell/shell.h"

using namespace velmora;
using namespace velmora::ui;
using namespace velmora::ui::testing;

namespace {

constexpr int kRectangle = 0, kTube = 12, kSemicircle = 13, kBox = 16, kLSection = 24;

// Columns of the table: name, symbol, value, unit.
constexpr int kSymbolColumn = 1, kValueColumn = 2, kUnitColumn = 3;

QString Symbol(Property property) { return QString::fromUtf8(Info(property).symbol); }

// Keys as the window system hands them to the calculator.
void PressOnCalculator(Calculator& calc, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(calc.form->windowHandle(), key, modifiers);
}

// Clicks the entry of the open menu with that text; false when there is none.
bool Pick(const QString& entry) {
    QMenu* menu = OpenMenu();
    if (!menu) return false;
    const QList<QAction*> actions = menu->actions();
    const auto action = std::ranges::find(actions, entry, &QAction::text);
    if (action == actions.end()) return false;
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(*action).center());
    return !OpenMenu();
}

void RightClick(QWidget* window, QWidget* on) {
    QTest::mouseClick(window->windowHandle(), Qt::RightButton, {}, on->mapTo(window, on->rect().center()));
}

// The open details window, shown (the keys stay with the calculator).
DetailsWindow* Details(Calculator& calc) {
    DetailsWindow* details = calc.form->detailsWindow();
    if (details && !QTest::qWaitForWindowExposed(details)) return nullptr;
    return details;
}

// A click on the details window's title, as a user gives it the keys.
bool Activate(QWidget* window) {
    window->activateWindow();
    return QTest::qWaitForWindowActive(window);
}

// Types into whatever window has the keys, as a keyboard does.
void TypeToFocus(const QString& keys) {
    for (const QChar c : keys) QTest::keyClick(QGuiApplication::focusWindow(), c.toLatin1());
}

DetailsWindow* OpenByKeys(Calculator& calc) {
    PressOnCalculator(calc, Qt::Key_D, Qt::ControlModifier);
    return Details(calc);
}

DetailsWindow* OpenByMenu(Calculator& calc) {
    RightClick(calc.form.get(), calc.get("Frame3"));
    if (!Pick(QStringLiteral("断面性能の詳細…"))) return nullptr;
    return Details(calc);
}

QTableWidget* Table(QWidget* details) {
    return details->findChild<QTableWidget*>(QStringLiteral("properties"));
}

QLabel* Label(QWidget* details, const char* name) { return details->findChild<QLabel*>(QLatin1String(name)); }

// "value unit" of the row with that symbol; "" when the row is not shown.
QString Row(QWidget* details, Property property) {
    const QTableWidget* table = Table(details);
    for (int row = 0; row < table->rowCount(); ++row)
        if (table->item(row, kSymbolColumn)->text() == Symbol(property))
            return (table->item(row, kValueColumn)->text() + QLatin1Char(' ') +
                    table->item(row, kUnitColumn)->text())
                .trimmed();
    return {};
}

QStringList Symbols(QWidget* details) {
    QStringList symbols;
    const QTableWidget* table = Table(details);
    for (int row = 0; row < table->rowCount(); ++row) symbols << table->item(row, kSymbolColumn)->text();
    return symbols;
}

// Chooses a display unit with the arrow keys, as a keyboard user does.
void ChooseDisplayUnit(QWidget* details, const QString& unit) {
    auto* list = details->findChild<QComboBox*>(QStringLiteral("displayUnit"));
    list->setFocus();
    const int target = list->findText(unit);
    QVERIFY(target >= 0);
    while (list->currentIndex() != target)
        QTest::keyClick(list, list->currentIndex() < target ? Qt::Key_Down : Qt::Key_Up);
}

// Sets a text in the calculator's unit field that is no unit, then selects.
void ChooseNoUnit(Calculator& calc) {
    auto* list = calc.get<QComboBox>("cmb1");
    list->setEditText(QStringLiteral("metres"));
    emit list->activated(list->currentIndex());
}

}  // namespace

class TestDetailsWindow : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { PrepareUiTest(); }
    void init() { QGuiApplication::clipboard()->setText(QStringLiteral("before")); }
    void cleanup() {
        if (QWidget* popup = QApplication::activePopupWidget()) popup->close();
    }

    // Both ways in, for several shapes: the shape's name, the dimensions as
    // typed, a table of every property; the principal axes only for the L.
    void opens_data() {
        QTest::addColumn<int>("shape");
        QTest::addColumn<QStringList>("dimensions");
        QTest::addColumn<bool>("byMenu");
        QTest::addColumn<QString>("dimensionText");
        const QStringList rectangle{"300", "150"}, box{"8", "10", "4", "6"}, angle{"10", "100", "70", "10"};
        const QString rectangleText = QStringLiteral("h = 300 mm　　b = 150 mm");
        const QString boxText = QStringLiteral("h1 = 8 mm　　h2 = 10 mm　　b1 = 4 mm　　b2 = 6 mm");
        const QString angleText = QStringLiteral("h1 = 10 mm　　h2 = 100 mm　　b1 = 70 mm　　b2 = 10 mm");
        QTest::newRow("rectangle, Ctrl+D") << kRectangle << rectangle << false << rectangleText;
        QTest::newRow("rectangle, menu") << kRectangle << rectangle << true << rectangleText;
        QTest::newRow("box, Ctrl+D") << kBox << box << false << boxText;
        QTest::newRow("box, menu") << kBox << box << true << boxText;
        QTest::newRow("L, Ctrl+D") << kLSection << angle << false << angleText;
        QTest::newRow("L, menu") << kLSection << angle << true << angleText;
    }

    void opens() {
        QFETCH(int, shape);
        QFETCH(QStringList, dimensions);
        QFETCH(bool, byMenu);
        QFETCH(QString, dimensionText);
        Calculator calc(shape);
        calc.enter(dimensions);
        QVERIFY(!calc.form->detailsWindow());
        DetailsWindow* details = byMenu ? OpenByMenu(calc) : OpenByKeys(calc);
        QVERIFY(details);
        QVERIFY(details->isVisible());
        QCOMPARE(details->windowTitle(), QStringLiteral("velmora: 断面性能の詳細"));
        QCOMPARE(Label(details, "shapeName")->text(), QString::fromUtf8(FindShape(shape)->japaneseName));
        QCOMPARE(Label(details, "dimensions")->text(), dimensionText);
        QVERIFY(!Label(details, "sectionError")->isVisible());

        QStringList expected;
        const bool angle = shape == kLSection;
        for (const PropertyInfo& info : AllProperties())
            if (angle || !info.principal) expected << QString::fromUtf8(info.symbol);
        for (const analysis::TorsionPropertyInfo& info : analysis::AllTorsionProperties())
            expected << QString::fromUtf8(info.symbol);
        QCOMPARE(Symbols(details), expected);
        QCOMPARE(expected.size(),
                 (angle ? kPropertyCount : kPropertyCount - 5) + analysis::kTorsionPropertyCount);

        // Beside the calculator, on its right where the screen has room.
        QVERIFY(details->frameGeometry().left() > calc.form->frameGeometry().right());
        QCOMPARE(details->frameGeometry().top(), calc.form->frameGeometry().top());

        // Asking again raises the same window.
        PressOnCalculator(calc, Qt::Key_D, Qt::ControlModifier);
        QCOMPARE(calc.form->detailsWindow(), details);
        QCOMPARE(calc.form->findChildren<DetailsWindow*>().size(), 1);
        QVERIFY(calc.platform.messages.isEmpty());
    }

    // Every key typed in the calculator shows at once; Ans is not needed.
    void followsEveryKey() {
        Calculator calc(kRectangle);
        DetailsWindow* details = OpenByKeys(calc);
        QVERIFY(details);
        calc.form->activateWindow();
        calc.retype("txt2", "150");
        calc.retype("txt1", "");
        const QStringList areas{"450 mm²", "4500 mm²", "45000 mm²"};
        for (int i = 0; i < 3; ++i) {
            QTest::keyClicks(calc.get("txt1"), QStringLiteral("300").mid(i, 1));
            QCOMPARE(Row(details, Property::A), areas[i]);
        }
        QCOMPARE(Row(details, Property::Ix), QStringLiteral("3.375E+08 mm⁴"));
        QCOMPARE(Row(details, Property::Iy), QStringLiteral("8.4375E+07 mm⁴"));
        QCOMPARE(Row(details, Property::Zpx), QStringLiteral("3375000 mm³"));
        QCOMPARE(Row(details, Property::fx), QStringLiteral("1.5"));
        QCOMPARE(calc.answers(), QStringList(4, "0"));  // the calculator itself waits for Ans

        // The unit list relabels, as in the calculator.
        QTest::keyClick(calc.get("cmb1"), Qt::Key_Up);
        QCOMPARE(calc.module.UnitSuffix, "cm");
        QCOMPARE(Row(details, Property::Ix), QStringLiteral("3.375E+08 cm⁴"));
        QCOMPARE(Label(details, "dimensions")->text(), QStringLiteral("h = 300 cm　　b = 150 cm"));
    }

    // The thin-wall option changes the calculator's second line, not the
    // exact section: ticking it refills the greyed boxes and leaves the values.
    void tickLeavesTheExactSection() {
        Calculator calc(kBox);
        calc.enter({"8", "10", "4", "6"});
        DetailsWindow* details = OpenByKeys(calc);
        QVERIFY(details);
        const QString area = Row(details, Property::A);
        QCOMPARE(area, QStringLiteral("28 mm²"));
        calc.tick("chk3");
        QCOMPARE(calc.text("txt7"), QStringLiteral("9"));
        QCOMPARE(Row(details, Property::A), area);
        calc.retype("txt2", "12");
        QCOMPARE(Row(details, Property::A), QStringLiteral("40 mm²"));  // 6 × 12 − 4 × 8
    }

    // Where the calculator's own figure differs from the exact one, a footnote
    // says so and marks the row; the rectangle has none.
    void footnoteWhereTheCalculatorDiffers() {
        Calculator calc(kSemicircle);
        calc.enter({"2"});
        DetailsWindow* details = OpenByKeys(calc);
        QVERIFY(details);
        QLabel* notes = Label(details, "footnotes");
        QVERIFY(notes->isVisible());
        QVERIFY2(notes->text().startsWith(QStringLiteral("※1 電卓の表示は ")), qPrintable(notes->text()));
        const QTableWidget* table = Table(details);
        int marked = 0;
        for (int row = 0; row < table->rowCount(); ++row)
            marked += table->item(row, 0)->text().endsWith("※1");
        QCOMPARE(marked, 1);
        // The second line's Z (the flat side's) has its footnote too, on the lower edge's row.
        QVERIFY2(notes->text().contains(QStringLiteral("※2 電卓の表示は Z（2 行目）= 2.0696 mm³（")),
                 qPrintable(notes->text()));
        bool lowerMarked = false;
        for (int row = 0; row < table->rowCount(); ++row)
            if (table->item(row, 0)->text() == QStringLiteral("断面係数（下縁） ※2")) lowerMarked = true;
        QVERIFY(lowerMarked);

        // k² = I ÷ A is a length²: its footnote writes mm² (the octagon's rounded 0.2256).
        calc.module.SelectedShape = 9;
        calc.reopen();
        calc.enter({"１０"});  // full-width, as an input method types it
        details = OpenByKeys(calc);
        QVERIFY(details);
        QVERIFY2(Label(details, "footnotes")->text().contains(QStringLiteral("k² = 22.56 mm²（")),
                 qPrintable(Label(details, "footnotes")->text()));

        calc.module.SelectedShape = kRectangle;
        calc.reopen();
        calc.enter({"300", "150"});
        details = OpenByKeys(calc);
        QVERIFY(details);
        QVERIFY(!Label(details, "footnotes")->isVisible());
        QVERIFY(Label(details, "polarNote")->isVisible());
        QVERIFY(Label(details, "polarNote")->text().contains(QStringLiteral("ねじり定数 J ではありません")));
    }

    // The circular tube's thin-wall line, as a user meets it: ticking '"t"を用いる'
    // adds footnotes that give the second line's figure, exactly as Ans then
    // shows it, and how far the approximation is from the exact value;
    // unticking takes them away.
    void thinWallLineFootnotes() {
        Calculator calc(kTube);
        calc.enter({"80", "100"});
        DetailsWindow* details = OpenByKeys(calc);
        QVERIFY(details);
        QLabel* notes = Label(details, "footnotes");
        QVERIFY(!notes->text().contains(QStringLiteral("2 行目")));

        calc.tick("chk1");
        calc.click("cmd1");
        const QStringList second = calc.secondLine();  // unal, unil, unzl, unkl
        QCOMPARE(second.size(), 4);
        const QString text = notes->text();
        // I = π(d2⁴ − d1⁴)/64 = 922500π; thin wall π·dm³·t/8 = 911250π, 1.2 % less.
        const QString iNote = QStringLiteral(
                                  "電卓の表示は I（2 行目）= %1 mm⁴（2 行目は肉厚を用いた薄肉近似のため、"
                                  "厳密な値より 1.2 % 小さくなります。）")
                                  .arg(second[1]);
        QVERIFY2(text.contains(iNote), qPrintable(text));
        // Z = I/50 = 18450π; thin wall π·dm²·t/4 = 20250π, 9.8 % more.
        QVERIFY2(
            text.contains(
                QStringLiteral("Z（2 行目）= %1 mm³（").arg(second[2]) +
                QStringLiteral("2 行目は肉厚を用いた薄肉近似のため、厳密な値より 9.8 % 大きくなります。")),
            qPrintable(text));
        // k² = I ÷ A, a length², against dm²/8 = 1012.5.
        QCOMPARE(second[3], QStringLiteral("1012.5"));
        QVERIFY2(text.contains(QStringLiteral("k²（2 行目）= 1012.5 mm²（")), qPrintable(text));

        // Each note's mark stands on the row of its quantity: Ix carries the thin-wall I's.
        const int iMark = text.left(text.indexOf(iNote)).count(QStringLiteral("※"));
        QVERIFY(iMark > 0);
        const QTableWidget* table = Table(details);
        QString ixName;
        for (int row = 0; row < table->rowCount(); ++row)
            if (table->item(row, kSymbolColumn)->text() == Symbol(Property::Ix))
                ixName = table->item(row, 0)->text();
        QVERIFY2(ixName.split(QLatin1Char(' ')).contains(QStringLiteral("※%1").arg(iMark)),
                 qPrintable(ixName));

        calc.tick("chk1");
        QVERIFY2(!notes->text().contains(QStringLiteral("2 行目")), qPrintable(notes->text()));
    }

    // Dimensions that form no section: no numbers, one line naming the fault;
    // a good value brings the table back.
    void noSectionNoNumbers_data() {
        QTest::addColumn<int>("shape");
        QTest::addColumn<QStringList>("dimensions");
        QTest::addColumn<QStringList>("named");  // words the line must contain
        QTest::newRow("inner higher than outer")
            << kBox << QStringList{"12", "10", "4", "6"} << QStringList{"h1", "h2"};
        QTest::newRow("not a number") << kBox << QStringList{"8", "1x", "4", "6"} << QStringList{"h2"};
        QTest::newRow("zero height, as opened") << kRectangle << QStringList{} << QStringList{"h"};
    }

    void noSectionNoNumbers() {
        QFETCH(int, shape);
        QFETCH(QStringList, dimensions);
        QFETCH(QStringList, named);
        Calculator calc(shape);
        calc.enter(dimensions);
        DetailsWindow* details = OpenByMenu(calc);
        QVERIFY(details);
        QLabel* line = Label(details, "sectionError");
        QVERIFY(line->isVisible());
        QVERIFY(!line->text().isEmpty() && !line->text().contains(QLatin1Char('\n')));
        for (const QString& word : named) QVERIFY2(line->text().contains(word), qPrintable(line->text()));
        QVERIFY(!Table(details)->isVisible());
        QCOMPARE(Table(details)->rowCount(), 0);
        QVERIFY(!Label(details, "footnotes")->isVisible());
        QCOMPARE(details->tableText(), line->text() + QLatin1Char('\n'));

        calc.enter(shape == kBox ? QStringList{"8", "10", "4", "6"} : QStringList{"3", "2"});
        QVERIFY(!line->isVisible());
        QVERIFY(Table(details)->isVisible());
        QCOMPARE(Row(details, Property::A),
                 shape == kBox ? QStringLiteral("28 mm²") : QStringLiteral("6 mm²"));
    }

    // mm typed, cm read: a Japanese steel table's units.
    void displayUnitConverts() {
        Calculator calc(kRectangle);
        calc.enter({"300", "150"});
        DetailsWindow* details = OpenByKeys(calc);
        QVERIFY(details);
        QCOMPARE(details->displayUnitSuffix(), "mm");
        ChooseDisplayUnit(details, QStringLiteral("cm"));
        QCOMPARE(details->displayUnitSuffix(), "cm");
        QCOMPARE(Row(details, Property::Ix), QStringLiteral("33750 cm⁴"));
        QCOMPARE(Row(details, Property::Iy), QStringLiteral("8437.5 cm⁴"));
        QCOMPARE(Row(details, Property::Zx_top), QStringLiteral("2250 cm³"));
        QCOMPARE(Row(details, Property::A), QStringLiteral("450 cm²"));
        QCOMPARE(Row(details, Property::ix), QStringLiteral("8.660254 cm"));
        QCOMPARE(Row(details, Property::fx), QStringLiteral("1.5"));
        // The dimensions stay as entered.
        QCOMPARE(Label(details, "dimensions")->text(), QStringLiteral("h = 300 mm　　b = 150 mm"));

        // Typing goes on in the chosen unit.
        calc.retype("txt1", "100");
        QCOMPARE(Row(details, Property::A), QStringLiteral("150 cm²"));
        ChooseDisplayUnit(details, QStringLiteral("m"));
        QCOMPARE(Row(details, Property::A), QStringLiteral("0.015 m²"));
        ChooseDisplayUnit(details, QStringLiteral("入力と同じ"));
        QCOMPARE(Row(details, Property::A), QStringLiteral("15000 mm²"));
        QCOMPARE(details->displayUnitSuffix(), "mm");
    }

    // The calculator's unit "none" converts to nothing: only "入力と同じ" is
    // offered, a line says why, and the choice returns with a real unit.
    void noUnitOffersNoConversion() {
        Calculator calc(kRectangle);
        calc.enter({"300", "150"});
        DetailsWindow* details = OpenByKeys(calc);
        QVERIFY(details);
        ChooseDisplayUnit(details, QStringLiteral("cm"));
        ChooseNoUnit(calc);
        QCOMPARE(calc.module.UnitSuffix, "none");

        auto* list = details->findChild<QComboBox*>(QStringLiteral("displayUnit"));
        QCOMPARE(list->currentText(), QStringLiteral("入力と同じ"));
        const auto* model = qobject_cast<QStandardItemModel*>(list->model());
        for (int row = 1; row < list->count(); ++row) QVERIFY(!model->item(row)->isEnabled());
        QVERIFY(Label(details, "unitNote")->isVisible());
        QCOMPARE(details->displayUnitSuffix(), "none");
        QVERIFY(Row(details, Property::Ix).startsWith(QStringLiteral("3.375E+08 ")));

        // Ans asks for a unit; OK sets mm, and the details follow.
        calc.platform.answer(MessageAnswer::Ok);
        calc.click("cmd1");
        QCOMPARE(calc.module.UnitSuffix, "mm");
        QCOMPARE(list->currentText(), QStringLiteral("cm"));
        QVERIFY(model->item(1)->isEnabled());
        QVERIFY(!Label(details, "unitNote")->isVisible());
        QCOMPARE(Row(details, Property::Ix), QStringLiteral("33750 cm⁴"));
    }

    // Ctrl+C and the menu put the whole table on the clipboard, one row a line.
    void copiesTheTable_data() {
        QTest::addColumn<bool>("byMenu");
        QTest::newRow("Ctrl+C") << false;
        QTest::newRow("menu") << true;
    }

    void copiesTheTable() {
        QFETCH(bool, byMenu);
        Calculator calc(kRectangle);
        calc.enter({"300", "150"});
        DetailsWindow* details = OpenByKeys(calc);
        QVERIFY(details);
        ChooseDisplayUnit(details, QStringLiteral("cm"));
        QVERIFY(Activate(details));
        Table(details)->setFocus();
        if (byMenu) {
            RightClick(details, Table(details)->viewport());
            QVERIFY(Pick(QStringLiteral("表をコピー")));
        } else {
            QTest::keyClick(details->windowHandle(), Qt::Key_C, Qt::ControlModifier);
        }
        const QStringList lines = QGuiApplication::clipboard()->text().split(QLatin1Char('\n'));
        // and the empty text after the last line
        QCOMPARE(lines.size(), kPropertyCount - 5 + analysis::kTorsionPropertyCount + 1);
        QCOMPARE(lines.first(), Symbol(Property::A) + QStringLiteral("\t450\tcm²"));
        QVERIFY(lines.contains(Symbol(Property::Ix) + QStringLiteral("\t33750\tcm⁴")));
        QVERIFY(lines.contains(Symbol(Property::fx) + QStringLiteral("\t1.5\t")));
        QCOMPARE(lines.last(), QString());
    }

    // By keys alone: Ctrl+D opens, a second Ctrl+D goes in, Tab between the
    // list and the table, Ctrl+D back to the calculator and in again, Esc out.
    void keyboardOnly() {
        Calculator calc(kRectangle);
        calc.enter({"300", "150"});
        DetailsWindow* details = OpenByKeys(calc);
        QVERIFY(details);
        QVERIFY(calc.form->isActiveWindow());
        PressOnCalculator(calc, Qt::Key_D, Qt::ControlModifier);
        QVERIFY(QTest::qWaitForWindowActive(details));
        QStringList stops;
        for (int i = 0; i < 3; ++i) {
            QTest::keyClick(details->windowHandle(), Qt::Key_Tab);
            stops << QApplication::focusWidget()->objectName();
        }
        std::ranges::sort(stops);
        QCOMPARE(stops, (QStringList{"displayUnit", "properties", "stressMap"}));

        QTest::keyClick(details->windowHandle(), Qt::Key_D, Qt::ControlModifier);
        QVERIFY(QTest::qWaitForWindowActive(calc.form.get()));
        QCOMPARE(calc.form->detailsWindow(), details);
        QCOMPARE(OpenByKeys(calc), details);
        QVERIFY(QTest::qWaitForWindowActive(details));

        QTest::keyClick(details->windowHandle(), Qt::Key_Escape);
        QTRY_VERIFY(!calc.form->detailsWindow());
        QVERIFY(calc.platform.messages.isEmpty());
        QCOMPARE(calc.platform.endCount, 0);
        QVERIFY(calc.form->isVisible());
    }

    // The details go when the calculator closes or is discarded.
    void goesWithTheCalculator() {
        Calculator calc(kRectangle);
        QPointer<DetailsWindow> details = OpenByKeys(calc);
        QVERIFY(details);
        calc.form->close();
        QVERIFY(!details || !details->isVisible());
        QTRY_VERIFY(!details);

        calc.reopen();
        details = OpenByKeys(calc);
        QVERIFY(details);
        calc.form.reset();
        QVERIFY(!details);
    }

    // Through the real shell: a double click on the drawing hands over to
    // the selection window, and the details close with the calculator.
    void goesAtTheHandOver() {
        QApplication::setQuitOnLastWindowClosed(false);
        Module1 module;
        module.SelectedShape = kLSection;
        FakePlatform platform;
        Shell shell(module, platform);
        shell.showCalculator();
        auto* calculator = qobject_cast<Form2*>(shell.mainWindow());
        QVERIFY(calculator && QTest::qWaitForWindowActive(calculator));
        QTest::keyClick(calculator->windowHandle(), Qt::Key_D, Qt::ControlModifier);
        QPointer<DetailsWindow> details = calculator->detailsWindow();
        QVERIFY(details && details->isVisible());

        QWidget* drawing = calculator->findChild<QWidget*>(QStringLiteral("img1"));
        QTest::mouseDClick(drawing, Qt::LeftButton, {}, drawing->rect().center());
        QVERIFY(qobject_cast<Form1*>(shell.mainWindow()));
        QVERIFY(!details || !details->isVisible());
        QTRY_VERIFY(!details);
        QCOMPARE(platform.endCount, 0);
    }

    // Where the calculator stands near the right edge, the details go left.
    void placedWhereTheScreenHasRoom() {
        Calculator calc(kRectangle);
        const QRect screen = calc.platform.screen;
        calc.form->move(screen.right() - calc.form->frameGeometry().width() - 10, 40);
        DetailsWindow* details = OpenByKeys(calc);
        QVERIFY(details);
        QVERIFY(details->frameGeometry().right() < calc.form->frameGeometry().left());
        QVERIFY(screen.contains(details->frameGeometry()));
    }

    // Opening the details leaves the keys where they were: typing goes on in
    // the calculator's box, by Ctrl+D and by the menu alike.
    void openingLeavesTheKeys_data() {
        QTest::addColumn<bool>("byMenu");
        QTest::newRow("Ctrl+D") << false;
        QTest::newRow("menu") << true;
    }

    void openingLeavesTheKeys() {
        QFETCH(bool, byMenu);
        Calculator calc(kRectangle);
        auto* box = calc.get<QLineEdit>("txt1");
        calc.retype("txt1", "3");
        QCOMPARE(calc.form->focusWidget(), box);
        DetailsWindow* details = byMenu ? OpenByMenu(calc) : OpenByKeys(calc);
        QVERIFY(details && details->isVisible());
        QTRY_VERIFY(calc.form->isActiveWindow());
        QVERIFY(!details->isActiveWindow());
        TypeToFocus(QStringLiteral("00"));
        QCOMPARE(box->text(), QStringLiteral("300"));
        QCOMPARE(Label(details, "dimensions")->text(), QStringLiteral("h = 300 mm　　b = 0 mm"));
    }

    // The calculator's Ctrl+S, Ctrl+P and Ctrl+D work in the details window too.
    void calculatorKeysInTheDetails_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("accept");  // the dialog's OK button
        QTest::newRow("Ctrl+S") << int(Qt::Key_S) << QStringLiteral("保存(&S)…");
        QTest::newRow("Ctrl+P") << int(Qt::Key_P) << QStringLiteral("プレビュー(&P)");
    }

    void calculatorKeysInTheDetails() {
        QFETCH(int, key);
        QFETCH(QString, accept);
        Calculator calc(kRectangle);
        calc.enter({"300", "150"});
        DetailsWindow* details = OpenByKeys(calc);
        QVERIFY(details && Activate(details));
        QString shownAccept;
        QWidget* owner = nullptr;
        const bool appeared = WhileModal(
            [&] { QTest::keyClick(details->windowHandle(), Qt::Key(key), Qt::ControlModifier); },
            [&](QWidget* dialog) {
                owner = dialog->parentWidget();
                if (auto* ok = dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok))
                    shownAccept = ok->text();
            });
        QVERIFY(appeared);
        QCOMPARE(shownAccept, accept);
        QCOMPARE(owner, calc.form.get());  // the sheet of the calculator beneath

        QVERIFY(Activate(details));
        QTest::keyClick(details->windowHandle(), Qt::Key_D, Qt::ControlModifier);
        QVERIFY(QTest::qWaitForWindowActive(calc.form.get()));
        QCOMPARE(calc.form->detailsWindow(), details);
    }

    // Texts that form no section: the title, the dimensions, the unit list and
    // the reason stand together at the top, not spread over the height.
    void compactWithoutSection() {
        Calculator calc(kBox);
        calc.enter({"12", "10", "4", "6"});
        DetailsWindow* details = OpenByKeys(calc);
        QVERIFY(details);
        QLabel* reason = Label(details, "sectionError");
        QVERIFY(reason->isVisible());
        const auto* list = details->findChild<QComboBox*>(QStringLiteral("displayUnit"));
        const int line = details->fontMetrics().height();
        QVERIFY(details->height() > 10 * line);  // the window keeps its height
        const int gapAbove = list->geometry().top() - Label(details, "dimensions")->geometry().bottom();
        const int gapBelow = reason->geometry().top() - list->geometry().bottom();
        QVERIFY2(gapAbove < 2 * line && gapBelow < 2 * line,
                 qPrintable(QStringLiteral("%1 %2").arg(gapAbove).arg(gapBelow)));
        QVERIFY(reason->geometry().bottom() < details->height() / 2);
    }

    // The details' units come in the calculator's order, after "入力と同じ".
    void unitsInTheCalculatorsOrder() {
        Calculator calc(kRectangle);
        DetailsWindow* details = OpenByKeys(calc);
        QVERIFY(details);
        const auto* ours = details->findChild<QComboBox*>(QStringLiteral("displayUnit"));
        const auto* theirs = calc.get<QComboBox>("cmb1");
        QStringList expected{QStringLiteral("入力と同じ")}, shown;
        for (int i = 0; i < theirs->count(); ++i)
            expected << theirs->itemText(i).section(QLatin1Char(' '), 0, 0);
        for (int i = 0; i < ours->count(); ++i) shown << ours->itemText(i);
        QCOMPARE(shown, expected);
        QCOMPARE(shown.mid(1, 3), (QStringList{"m", "cm", "mm"}));
    }

    // Beside where there is room; else the pair centred together; else over the drawing.
    void placeDetails_data() {
        QTest::addColumn<QRect>("calculator");
        QTest::addColumn<QRect>("screen");
        QTest::addColumn<QPoint>("movedTo");
        QTest::addColumn<QRect>("details");
        const QSize size(480, 600);
        const QRect drawing(130, 110, 465, 377);  // unused but in the last rows
        QTest::newRow("1920: right, unmoved") << QRect(648, 250, 623, 580) << QRect(0, 0, 1920, 1080)
                                              << QPoint(648, 250) << QRect(QPoint(1279, 250), size);
        QTest::newRow("1366: pair centred") << QRect(371, 94, 623, 580) << QRect(0, 0, 1366, 768)
                                            << QPoint(127, 94) << QRect(QPoint(758, 94), size);
        QTest::newRow("1280: pair centred") << QRect(328, 222, 623, 580) << QRect(0, 0, 1280, 1024)
                                            << QPoint(84, 222) << QRect(QPoint(715, 222), size);
        QTest::newRow("1111: pair exactly") << QRect(244, 0, 623, 580) << QRect(0, 0, 1111, 768)
                                            << QPoint(0, 0) << QRect(QPoint(631, 0), size);
        QTest::newRow("1024: over the drawing")
            << QRect(200, 94, 623, 580) << QRect(0, 0, 1024, 768) << QPoint(200, 94) << drawing;
    }

    void placeDetails() {
        QFETCH(QRect, calculator);
        QFETCH(QRect, screen);
        QFETCH(QPoint, movedTo);
        QFETCH(QRect, details);
        const PairPlacement place =
            PlaceDetails(calculator, QSize(480, 600), QRect(130, 110, 465, 377), screen);
        QCOMPARE(place.calculator, movedTo);
        QCOMPARE(place.details, details);
        QVERIFY(screen.contains(place.details));
        QVERIFY(screen.contains(QRect(place.calculator, calculator.size())));
    }

    void besidePosition_data() {
        QTest::addColumn<QRect>("anchor");
        QTest::addColumn<QPoint>("expected");
        const QRect screen(0, 0, 1920, 1080);
        // A window of 400 × 600 beside an anchor of 600 × 580, 8 px apart.
        QTest::newRow("room on the right") << QRect(100, 50, 600, 580) << QPoint(708, 50);
        QTest::newRow("right edge exactly") << QRect(912, 50, 600, 580) << QPoint(1520, 50);
        QTest::newRow("only the left") << QRect(1300, 50, 600, 580) << QPoint(892, 50);
        QTest::newRow("low anchor, kept on screen") << QRect(100, 700, 600, 580) << QPoint(708, 480);
        QTest::newRow("no room: the wider side") << QRect(200, 0, 1500, 580) << QPoint(1520, 0);
        QTest::newRow("no room, wider left") << QRect(300, 0, 1600, 580) << QPoint(0, 0);
        QTest::newRow("above the screen") << QRect(100, -30, 600, 580) << QPoint(708, 0);
    }

    void besidePosition() {
        QFETCH(QRect, anchor);
        QFETCH(QPoint, expected);
        QCOMPARE(BesidePosition(anchor, QSize(400, 600), QRect(0, 0, 1920, 1080)), expected);
    }
};

QTEST_MAIN(TestDetailsWindow)
#include "test_details_window.moc"
