// The details window on a real X screen: opened by Ctrl+D with the keys in a
// text box of the calculator, it covers none of the calculator's controls and
// the typing goes on in that box. Run under Xvfb at several screen sizes.
#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QScreen>
#include <QTest>

#include "tests/ui/calculator/calculator_harness.h"
#include "tests/ui/support/test_setup.h"
#include "ui/details/details_window.h"

using namespace velmora;
using namespace velmora::ui;
using namespace velmora::ui::testing;

namespace {

QRect OnScreen(const QWidget* widget) { return QRect(widget->mapToGlobal(QPoint(0, 0)), widget->size()); }

// What a user of the calculator works with: every shown text box, list, button
// and check box, and the four result frames.
QList<QWidget*> Controls(const QWidget* calculator) {
    QList<QWidget*> controls;
    for (QWidget* widget : calculator->findChildren<QWidget*>()) {
        if (!widget->isVisible() || widget->window() != calculator) continue;  // not the details' own
        const bool control = qobject_cast<QLineEdit*>(widget) || qobject_cast<QComboBox*>(widget) ||
                             qobject_cast<QAbstractButton*>(widget) ||
                             (qobject_cast<QGroupBox*>(widget) && widget->objectName() != "Frame1");
        if (control && widget->parentWidget() != nullptr && !qobject_cast<QComboBox*>(widget->parentWidget()))
            controls << widget;
    }
    return controls;
}

}  // namespace

class TestDetailsPlacement : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        PrepareUiTest();
        if (QGuiApplication::platformName() != QLatin1String("xcb"))
            QSKIP("the placement is tried on an X screen (VELMORA_TEST_PLATFORM=xcb under Xvfb)");
    }

    void coversNoControlAndTypingGoesOn_data() {
        QTest::addColumn<int>("shape");
        QTest::newRow("rectangle") << 0;
        QTest::newRow("L-section") << 24;
    }

    void coversNoControlAndTypingGoesOn() {
        QFETCH(int, shape);
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        Calculator calc(shape);
        calc.platform.screen = screen;
        calc.reopen();  // centred on this screen
        Form2* form = calc.form.get();
        const QPoint centred = form->frameGeometry().topLeft();

        auto* box = calc.get<QLineEdit>("txt1");
        QTest::mouseClick(box, Qt::LeftButton);
        calc.retype("txt1", "3");
        QTest::keyClick(QGuiApplication::focusWindow(), Qt::Key_D, Qt::ControlModifier);
        DetailsWindow* details = form->detailsWindow();
        QVERIFY(details && QTest::qWaitForWindowExposed(details));
        QTest::qWait(100);  // the X server's answers to the moves

        const QRect shown = details->frameGeometry();
        QVERIFY2(screen.contains(shown), qPrintable(QStringLiteral("%1,%2 %3×%4")
                                                        .arg(shown.x())
                                                        .arg(shown.y())
                                                        .arg(shown.width())
                                                        .arg(shown.height())));
        QVERIFY(screen.contains(form->frameGeometry()));
        const QList<QWidget*> controls = Controls(form);
        QVERIFY(controls.size() >= 10);  // 2+ boxes, the list, Ans, Info, Exit, 4 frames
        for (const QWidget* control : controls)
            QVERIFY2(!OnScreen(control).intersects(shown), qPrintable(control->objectName()));

        const int pair = form->frameGeometry().width() + 8 + shown.width();
        if (pair <= screen.width()) {
            // Side by side, and centred together where the calculator had to move.
            QVERIFY(shown.left() > form->frameGeometry().right());
            if (form->frameGeometry().topLeft() != centred) {
                const int leftMargin = form->frameGeometry().left() - screen.left();
                const int rightMargin = screen.right() - shown.right();
                QVERIFY2(qAbs(leftMargin - rightMargin) <= 1,
                         qPrintable(QStringLiteral("%1 %2").arg(leftMargin).arg(rightMargin)));
            }
        } else {
            QVERIFY(OnScreen(calc.get("Frame1")).contains(shown));
        }

        // The keys stayed in the box.
        QTRY_VERIFY(form->isActiveWindow());
        QCOMPARE(QGuiApplication::focusWindow(), form->windowHandle());
        for (const char key : {'0', '0'}) QTest::keyClick(QGuiApplication::focusWindow(), key);
        QCOMPARE(box->text(), QStringLiteral("300"));
    }
};

QTEST_MAIN(TestDetailsPlacement)
#include "test_details_placement.moc"
