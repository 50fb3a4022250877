// The calculator's context menu as a way to what double clicks do: back to
// the shape selection, and the formula of each result; the drawing's tooltip
// tells of the double click.
#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QTest>
#include <algorithm>

#include "tests/ui/calculator/calculator_harness.h"
#include "tests/ui/support/test_setup.h"
#include "tests/ui/support/user_input.h"
#include "ui/common/twips.h"

using namespace velmora;
using namespace velmora::ui;
using namespace velmora::ui::testing;

namespace {

QAction* Entry(QMenu* menu, const QString& text) {
    const QList<QAction*> actions = menu->actions();
    const auto found = std::ranges::find(actions, text, &QAction::text);
    return found == actions.end() ? nullptr : *found;
}

// A right click on the drawing, as the window system delivers it.
QMenu* RightClickOnTheDrawing(Calculator& calc) {
    QWidget* drawing = calc.get("img1");
    QTest::mouseClick(calc.form->windowHandle(), Qt::RightButton, {},
                      drawing->mapTo(calc.form.get(), drawing->rect().center()));
    return OpenMenu();
}

}  // namespace

class TestContextMenu : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { PrepareUiTest(); }
    void cleanup() {
        if (QWidget* popup = QApplication::activePopupWidget()) popup->close();
    }

    // "断面形状の選択に戻る" asks for the selection window exactly as the
    // double click on the drawing does, and nothing else.
    void backToTheSelection() {
        Calculator byMenu(16);
        QMenu* menu = RightClickOnTheDrawing(byMenu);
        QVERIFY(menu);
        QAction* back = Entry(menu, QStringLiteral("断面形状の選択に戻る"));
        QVERIFY(back);
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(back).center());
        QVERIFY(!OpenMenu());

        Calculator byDoubleClick(16);
        byDoubleClick.doubleClickOn("img1");
        for (const Calculator* calc : {&byMenu, &byDoubleClick}) {
            QCOMPARE(calc->navigator.selectionRequests, 1);
            QCOMPARE(calc->navigator.calculatorRequests, 0);
            QVERIFY(calc->navigator.formulaOwners.isEmpty());
            QVERIFY(calc->platform.messages.isEmpty());
            QCOMPARE(calc->platform.endCount, 0);
        }
    }

    // The drawing's tooltip names the shape and the double click.
    void drawingTooltip_data() {
        QTest::addColumn<int>("shape");
        QTest::addColumn<QString>("name");
        QTest::newRow("rectangle") << 0 << QStringLiteral("長方形");
        QTest::newRow("L-section") << 24 << QString::fromUtf8(FindShape(24)->japaneseName);
    }

    void drawingTooltip() {
        QFETCH(int, shape);
        QFETCH(QString, name);
        Calculator calc(shape);
        const QString tip = HoverTip(calc.get("img1"));
        QCOMPARE(tip, name + QStringLiteral("\nダブルクリックで断面形状の選択に戻ります"));
        QCOMPARE(calc.get("img1")->accessibleName(), name);
    }

    // "公式を表示" holds the four results; each opens the formula viewer for
    // its kind, as the double click on its frame does. By keys: the menu from
    // Shift+F10, the arrows, Return.
    void formulasFromTheMenu_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("frame");
        QTest::addColumn<QString>("kind");
        QTest::newRow("A") << 0 << "Frame2"
                           << "a";
        QTest::newRow("I") << 1 << "Frame3"
                           << "i";
        QTest::newRow("Z") << 2 << "Frame4"
                           << "z";
        QTest::newRow("k") << 3 << "Frame5"
                           << "k";
    }

    void formulasFromTheMenu() {
        QFETCH(int, row);
        QFETCH(QString, frame);
        QFETCH(QString, kind);
        Calculator calc(16);
        calc.get("cmd1")->setFocus();
        QTest::keyClick(calc.form->windowHandle(), Qt::Key_F10, Qt::ShiftModifier);
        QMenu* menu = OpenMenu();
        QVERIFY(menu);
        QAction* formulas = Entry(menu, QStringLiteral("公式を表示"));
        QVERIFY(formulas && formulas->menu());
        QStringList names;
        for (const QAction* action : formulas->menu()->actions()) names << action->text();
        QCOMPARE(names,
                 (QStringList{"断面積(A)", "断面二次モーメント(I)", "断面係数(Z)", "断面二次半径(k)"}));

        menu->setActiveAction(formulas);
        QTest::keyClick(menu, Qt::Key_Right);
        QMenu* submenu = formulas->menu();
        QTRY_VERIFY(submenu->isVisible());
        for (int i = 0; i < row; ++i) QTest::keyClick(submenu, Qt::Key_Down);
        QTest::keyClick(submenu, Qt::Key_Return);
        QCOMPARE(calc.navigator.formulaOwners, QList<QWidget*>{calc.form.get()});
        QCOMPARE(QString::fromStdString(calc.module.FormulaKind), kind);

        Calculator byDoubleClick(16);
        byDoubleClick.doubleClickAt(ToTwips(byDoubleClick.get(frame)->x() + 20),
                                    ToTwips(byDoubleClick.get(frame)->y() + 4));
        QCOMPARE(QString::fromStdString(byDoubleClick.module.FormulaKind), kind);
        QCOMPARE(byDoubleClick.navigator.formulaOwners.size(), 1);
    }
};

QTEST_MAIN(TestContextMenu)
#include "test_context_menu.moc"
