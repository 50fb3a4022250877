// "結果をコピー" in the calculator's context menu, opened by the mouse and by
// the keyboard, puts exactly the texts on show on the clipboard, and leaves
// every other way of using the frames as it was.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QGroupBox>
#include <QMenu>
#include <QTest>
#include <algorithm>

#include "tests/ui/calculator/calculator_harness.h"
#include "tests/ui/support/test_setup.h"
#include "tests/ui/support/user_input.h"

using namespace velmora;
using namespace velmora::ui;
using namespace velmora::ui::testing;

namespace {

const QString kBoxFirstLine =
    QStringLiteral("A\t28\tmm²\nI\t329.3333\tmm⁴\nZ\t65.86667\tmm³\nk²\t11.7619\tmm²\n");

void CloseMenu() {
    if (QWidget* popup = QApplication::activePopupWidget()) popup->close();
}

// Picks "結果をコピー" from the open menu with the mouse; false when no menu
// is open or it has no such entry.
bool PickCopy() {
    QMenu* menu = OpenMenu();
    if (!menu) return false;
    const QList<QAction*> actions = menu->actions();
    const auto copy = std::ranges::find(actions, QStringLiteral("結果をコピー"), &QAction::text);
    if (copy == actions.end()) return false;
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(*copy).center());
    return !OpenMenu();
}

QString Clipboard() { return QGuiApplication::clipboard()->text(); }

// The box section 8 × 10 outside, 4 × 6 inside, computed.
void ComputeBox(Calculator& calc, bool thinWall) {
    for (const auto& [box, keys] : {std::pair{"txt1", "8"}, {"txt2", "10"}, {"txt3", "4"}, {"txt4", "6"}})
        calc.retype(box, keys);
    if (thinWall) calc.tick("chk3");
    calc.click("cmd1");
}

}  // namespace

class TestResultCopy : public QObject {
    Q_OBJECT

    // A right click as the window system delivers it, at a point of a control.
    static void rightClick(Calculator& calc, const QString& name, QPoint at = {-1, -1}) {
        QWidget* widget = calc.get(name);
        if (at == QPoint(-1, -1)) at = widget->rect().center();
        QTest::mouseClick(calc.form->windowHandle(), Qt::RightButton, {}, widget->mapTo(calc.form.get(), at));
    }

private slots:
    void initTestCase() { PrepareUiTest(); }
    void init() { QGuiApplication::clipboard()->setText(QStringLiteral("before")); }
    void cleanup() { CloseMenu(); }

    // Anywhere on a frame: its caption, its border, its labels.
    void rightClickOnAFrameCopies_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QPoint>("at");
        QTest::newRow("caption of Frame2") << "Frame2" << QPoint(20, 4);
        QTest::newRow("inside Frame5") << "Frame5" << QPoint(4, 50);
        QTest::newRow("the value of I") << "ansil" << QPoint(-1, -1);
        QTest::newRow("the unit of Z") << "zunil" << QPoint(-1, -1);
    }

    void rightClickOnAFrameCopies() {
        QFETCH(QString, control);
        QFETCH(QPoint, at);
        Calculator calc(16);
        ComputeBox(calc, false);
        rightClick(calc, control, at);
        QVERIFY(PickCopy());
        QCOMPARE(Clipboard(), kBoxFirstLine);
    }

    // The thin-wall line follows each value with its own unit.
    void secondLinesFollowTheFirst() {
        Calculator calc(16);
        ComputeBox(calc, true);
        QCOMPARE(calc.secondLineShown(), QStringLiteral("vvvv"));
        rightClick(calc, "Frame3");
        QVERIFY(PickCopy());
        const QStringList s = calc.secondLine();
        QCOMPARE(Clipboard(), QStringLiteral("A\t28\tmm²\t%1\tmm²\nI\t329.3333\tmm⁴\t%2\tmm⁴\n"
                                             "Z\t65.86667\tmm³\t%3\tmm³\nk²\t11.7619\tmm²\t%4\tmm²\n")
                                  .arg(s[0], s[1], s[2], s[3]));
    }

    // A second modulus shows under Z alone, and only Z's line carries it.
    void secondModulusAloneOnTheZLine() {
        Calculator calc(13);  // semicircle, r = 2
        calc.retype("txt1", "2");
        calc.click("cmd1");
        QCOMPARE(calc.secondLineShown(), QStringLiteral("--v-"));
        rightClick(calc, "Frame4");
        QVERIFY(PickCopy());
        const QStringList lines = Clipboard().split(QLatin1Char('\n'));
        QCOMPARE(lines.size(), 5);
        QCOMPARE(lines[0].count(QLatin1Char('\t')), 2);
        QCOMPARE(lines[2], QStringLiteral("Z\t%1\tmm³\t%2\tmm³").arg(calc.text("anszl"), calc.text("unzl")));
        QVERIFY(calc.text("anszl") != calc.text("unzl"));
        QCOMPARE(lines[4], QString());
    }

    // What is on show: another unit relabels.
    void copiesWhatIsShown() {
        Calculator calc(16);
        ComputeBox(calc, false);
        QTest::keyClick(calc.get("cmb1"), Qt::Key_Up);  // cm
        rightClick(calc, "Frame2");
        QVERIFY(PickCopy());
        QCOMPARE(Clipboard(), QString(kBoxFirstLine).replace(QStringLiteral("mm"), QStringLiteral("cm")));
    }

    // While the results are cleared (at opening, after every edit) there is
    // nothing to copy: the entry is greyed and a click on it does nothing;
    // Ans brings it back.
    void greyedWhileCleared() {
        Calculator calc(16);
        const auto copyEntry = [] {
            const QList<QAction*> actions = OpenMenu()->actions();
            return *std::ranges::find(actions, QStringLiteral("結果をコピー"), &QAction::text);
        };
        rightClick(calc, "Frame2");
        QVERIFY(OpenMenu());
        QVERIFY(!copyEntry()->isEnabled());
        QVERIFY(!PickCopy());
        CloseMenu();
        QCOMPARE(Clipboard(), QStringLiteral("before"));

        ComputeBox(calc, false);
        rightClick(calc, "Frame2");
        QVERIFY(copyEntry()->isEnabled());
        QVERIFY(PickCopy());
        QCOMPARE(Clipboard(), kBoxFirstLine);

        QGuiApplication::clipboard()->setText(QStringLiteral("before"));
        calc.retype("txt2", "12");
        rightClick(calc, "Frame2");
        QVERIFY(!copyEntry()->isEnabled());
        QVERIFY(!PickCopy());
        CloseMenu();
        QCOMPARE(Clipboard(), QStringLiteral("before"));
    }

    // Copying changes nothing in the window.
    void copyLeavesTheWindowAlone() {
        Calculator calc(16);
        ComputeBox(calc, true);
        const QStringList before = calc.answers() + calc.secondLine() + calc.units();
        rightClick(calc, "Frame2");
        QVERIFY(PickCopy());
        QCOMPARE(calc.answers() + calc.secondLine() + calc.units(), before);
        QVERIFY(calc.platform.messages.isEmpty());
        QVERIFY(calc.navigator.formulaOwners.isEmpty());
    }

    // Shift+F10 wherever the focus is, outside the text boxes.
    void shiftF10OpensTheMenu_data() {
        QTest::addColumn<QString>("focus");
        for (const char* name : {"cmd1", "chk3", "oc2", "oc3"}) QTest::newRow(name) << name;
    }

    void shiftF10OpensTheMenu() {
        QFETCH(QString, focus);
        Calculator calc(16);
        ComputeBox(calc, false);
        calc.get(focus)->setFocus();
        QTest::keyClick(calc.form->windowHandle(), Qt::Key_F10, Qt::ShiftModifier);
        QMenu* menu = OpenMenu();
        QVERIFY(menu);
        QTest::keyClick(menu, Qt::Key_Down);
        QTest::keyClick(menu, Qt::Key_Return);
        QCOMPARE(Clipboard(), kBoxFirstLine);
        QCOMPARE(calc.text("txt2"), QStringLiteral("10"));
    }

    // The Menu key asks the focused control; a button passes it on to the window.
    void menuKeyOnAButtonOpensTheMenu() {
        Calculator calc(16);
        ComputeBox(calc, false);
        QWidget* ans = calc.get("cmd1");
        QContextMenuEvent request(QContextMenuEvent::Keyboard, ans->rect().center(),
                                  ans->mapToGlobal(ans->rect().center()));
        QApplication::sendEvent(ans, &request);
        QVERIFY(PickCopy());
        QCOMPARE(Clipboard(), kBoxFirstLine);
    }

    // In a text box, Shift+F10 and the Menu key open its own edit menu, as a
    // right click there does; the results menu stays shut.
    void textBoxesKeepTheirEditMenu_data() {
        QTest::addColumn<QString>("focus");
        QTest::addColumn<bool>("menuKey");  // else Shift+F10
        QTest::newRow("txt2, Shift+F10") << "txt2" << false;
        QTest::newRow("txt1, Menu key") << "txt1" << true;
        QTest::newRow("unit list, Shift+F10") << "cmb1" << false;
    }

    void textBoxesKeepTheirEditMenu() {
        QFETCH(QString, focus);
        QFETCH(bool, menuKey);
        Calculator calc(16);
        ComputeBox(calc, false);
        QWidget* box = calc.get(focus);
        box->setFocus();
        if (menuKey) {
            QContextMenuEvent request(QContextMenuEvent::Keyboard, box->rect().center(),
                                      box->mapToGlobal(box->rect().center()));
            QApplication::sendEvent(box, &request);
        } else {
            QTest::keyClick(calc.form->windowHandle(), Qt::Key_F10, Qt::ShiftModifier);
        }
        QMenu* menu = OpenMenu();
        QVERIFY(menu);
        QStringList entries;
        for (const QAction* action : menu->actions()) entries << action->text();
        QVERIFY2(menu->objectName() == QStringLiteral("qt_edit_menu"),
                 qPrintable(menu->objectName() + ": " + entries.join(' ')));
        QVERIFY(!entries.contains(QStringLiteral("結果をコピー")));
        CloseMenu();
        QCOMPARE(Clipboard(), QStringLiteral("before"));
        QCOMPARE(calc.answers(), (QStringList{"28", "329.3333", "65.86667", "11.7619"}));
    }

    // The menu opens anywhere on the window outside the text boxes, which
    // keep their own edit menus.
    void rightClickOutsideTheTextBoxes_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<bool>("ours");
        QTest::newRow("drawing") << "img1" << true;
        QTest::newRow("Ans") << "cmd1" << true;
        QTest::newRow("caption of a slot") << "lbl2" << true;
        QTest::newRow("Info") << "oc2" << true;
        QTest::newRow("text box") << "txt1" << false;
    }

    void rightClickOutsideTheTextBoxes() {
        QFETCH(QString, control);
        QFETCH(bool, ours);
        Calculator calc(16);
        ComputeBox(calc, false);
        rightClick(calc, control);
        QVERIFY(OpenMenu());
        QCOMPARE(PickCopy(), ours);
        QCOMPARE(Clipboard(), ours ? kBoxFirstLine : QStringLiteral("before"));
    }

    void rightClickOnTheBareWindow() {
        Calculator calc(16);
        ComputeBox(calc, false);
        QTest::mouseClick(calc.form->windowHandle(), Qt::RightButton, {}, QPoint(calc.form->width() - 3, 3));
        QVERIFY(PickCopy());
        QCOMPARE(Clipboard(), kBoxFirstLine);
    }

    // The menu lists its entries, and the result frames' tooltip names them
    // with their shortcuts.
    void entriesAndTooltip() {
        Calculator calc(16);
        rightClick(calc, "Frame2");
        QMenu* menu = OpenMenu();
        QVERIFY(menu);
        QStringList entries;
        for (const QAction* action : menu->actions()) entries << action->text();
        QCOMPARE(entries, (QStringList{"結果をコピー", "公式を表示", "断面性能の詳細…", "計算書を印刷…",
                                       "計算書をPDFで保存…", "断面形状の選択に戻る"}));
        for (const char* frame : {"Frame2", "Frame3", "Frame4", "Frame5"}) {
            const QString tip = calc.get(frame)->toolTip();
            QVERIFY2(tip.contains(QStringLiteral("断面性能の詳細…  Ctrl+D")), qPrintable(tip));
            QVERIFY(tip.contains(QStringLiteral("結果をコピー")));
        }
    }

    // The right button never opens the formula viewer; the left one still does.
    void doubleClicksAreUnchanged() {
        Calculator calc(16);
        const QPoint caption = calc.get("Frame3")->mapTo(calc.form.get(), QPoint(20, 4));
        QTest::mouseDClick(calc.form->windowHandle(), Qt::RightButton, {}, caption);
        CloseMenu();
        QVERIFY(calc.navigator.formulaOwners.isEmpty());
        QTest::mouseDClick(calc.form->windowHandle(), Qt::LeftButton, {}, caption);
        QCOMPARE(calc.navigator.formulaOwners, QList<QWidget*>{calc.form.get()});
        QCOMPARE(calc.module.FormulaKind, std::string("i"));
        QCOMPARE(Clipboard(), QStringLiteral("before"));
    }
};

QTEST_MAIN(TestResultCopy)
#include "test_result_copy.moc"
