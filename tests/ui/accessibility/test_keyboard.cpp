// The program without a mouse, through the real shell: the selection grid in
// the tab order and its arrow keys, and the typical use from start-up to both
// lines of results, copied, by keys alone. Keys go to the window as the window system
// delivers them, so shortcuts and the focus chain act as they do for a user.
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <memory>

#include "core/module1.h"
#include "tests/ui/support/fake_platform.h"
#include "tests/ui/support/test_setup.h"
#include "tests/ui/support/user_input.h"
#include "ui/calculator/form2.h"
#include "ui/common/look.h"
#include "ui/selection/form1.h"
#include "ui/shell/shell.h"

using namespace velmora;
using namespace velmora::ui;
using velmora::ui::testing::FakePlatform;
using velmora::ui::testing::ShownChoice;

namespace {

constexpr ShapeType kBox = 16;

}  // namespace

class TestKeyboard : public QObject {
    Q_OBJECT

    Module1 module;
    FakePlatform platform;
    std::unique_ptr<Shell> shell;

    QWidget* window() const { return shell->mainWindow(); }
    Form1* selection() const { return qobject_cast<Form1*>(window()); }
    Form2* calculator() const { return qobject_cast<Form2*>(window()); }
    QGroupBox* grid() const { return selection()->findChild<QGroupBox*>(QStringLiteral("Frame1")); }

    template <typename T = QWidget>
    T* child(const char* name) const {
        return window()->findChild<T*>(QLatin1String(name));
    }
    QString focused() const {
        const QWidget* focus = QApplication::focusWidget();
        return focus ? focus->objectName() : QStringLiteral("(none)");
    }

    // One key, as the window system hands it to the active window.
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(window()->windowHandle(), key, modifiers);
    }
    void type(const QString& text) {
        for (const QChar c : text) QTest::keyClick(window()->windowHandle(), c.toLatin1());
    }
    // After a hand-over, the new window is the active one.
    bool settled() { return QTest::qWaitForWindowActive(window()); }

    QStringList texts(const QStringList& names) const {
        QStringList shown;
        for (const QString& name : names) {
            auto* widget = window()->findChild<QWidget*>(name);
            if (auto* label = qobject_cast<QLabel*>(widget)) shown << label->text();
            if (auto* box = qobject_cast<QLineEdit*>(widget)) shown << box->text();
        }
        return shown;
    }

private slots:
    void initTestCase() {
        velmora::ui::testing::PrepareUiTest();
        QApplication::setQuitOnLastWindowClosed(false);
    }

    void init() {
        module = Module1{};
        platform = FakePlatform{};
        shell = std::make_unique<Shell>(module, platform);
        shell->start();
        QVERIFY(settled());
    }

    void cleanup() { shell.reset(); }

    // The grid is the first stop; Tab goes round the buttons and back to it.
    void gridIsInTheTabOrder() {
        QCOMPARE(focused(), QStringLiteral("Frame1"));
        QStringList stops;
        for (int i = 0; i < 4; ++i) {
            press(Qt::Key_Tab);
            stops << focused();
        }
        QCOMPARE(stops, (QStringList{"cmd1", "oc2", "oc3", "Frame1"}));
        press(Qt::Key_Tab, Qt::ShiftModifier);
        QCOMPARE(focused(), QStringLiteral("oc3"));
    }

    // A ring around the grid marks the focus once the keyboard is in use, and
    // goes with the focus. A mouse user sees the window as it always was.
    void focusOnTheGridIsShown() {
        const QRect frame = grid()->geometry();
        const auto ringShown = [&] {
            const QImage shot = selection()->grab().toImage();
            const QPointF beside(frame.left() - 1, frame.center().y());
            return shot.pixelColor((beside * shot.devicePixelRatio()).toPoint()) != WindowColour();
        };
        QCOMPARE(focused(), QStringLiteral("Frame1"));
        QVERIFY(!ringShown());
        QTest::mouseClick(child<QLabel>("Image1_8"), Qt::LeftButton);
        QVERIFY(!ringShown());

        press(Qt::Key_Left);
        QVERIFY(ringShown());
        press(Qt::Key_Tab);
        QVERIFY(!ringShown());
        press(Qt::Key_Tab, Qt::ShiftModifier);
        QCOMPARE(focused(), QStringLiteral("Frame1"));
        QVERIFY(ringShown());
        QCOMPARE(module.SelectedShape, ShapeType{7});
    }

    void arrowsMoveTheChoice_data() {
        QTest::addColumn<int>("start");  // a click on this shape first; 99 for none
        QTest::addColumn<QList<int>>("keys");
        QTest::addColumn<int>("expected");
        const int left = Qt::Key_Left, right = Qt::Key_Right, up = Qt::Key_Up, down = Qt::Key_Down;
        QTest::newRow("nothing chosen, right") << 99 << QList<int>{right} << 0;
        QTest::newRow("nothing chosen, up") << 99 << QList<int>{up} << 0;
        QTest::newRow("nothing chosen, down twice") << 99 << QList<int>{down, down} << 5;
        QTest::newRow("to the box section") << 99 << QList<int>{right, down, down, down, right} << 16;
        QTest::newRow("one step each way") << 12 << QList<int>{up, right, down, down, left, left} << 16;
        QTest::newRow("stops at the left edge") << 10 << QList<int>{left, left} << 10;
        QTest::newRow("stops at the right edge") << 3 << QList<int>{right, right, right} << 4;
        QTest::newRow("stops at the top") << 2 << QList<int>{up} << 2;
        QTest::newRow("stops at the bottom") << 21 << QList<int>{down} << 21;
        QTest::newRow("last row, last column") << 19 << QList<int>{down, right, down} << 24;
    }

    void arrowsMoveTheChoice() {
        QFETCH(int, start);
        QFETCH(QList<int>, keys);
        QFETCH(int, expected);
        if (start != kNoShape) {
            QTest::mouseClick(child<QLabel>(qPrintable(QStringLiteral("Image1_%1").arg(start))),
                              Qt::LeftButton);
            grid()->setFocus();
        }
        for (const int key : keys) press(static_cast<Qt::Key>(key));
        QCOMPARE(module.SelectedShape, ShapeType(expected));
        QCOMPARE(ShownChoice(selection()), expected == kNoShape ? QString() : QString::number(expected));
        QCOMPARE(focused(), QStringLiteral("Frame1"));
        QVERIFY(platform.messages.isEmpty());
    }

    // Enter presses the focused button; elsewhere, OK. The button Enter would
    // press is the one drawn as the default.
    void enterPressesTheFocusedButton_data() {
        QTest::addColumn<int>("tabs");
        QTest::addColumn<QString>("defaultButton");
        QTest::addColumn<int>("messages");
        QTest::addColumn<int>("ends");
        QTest::newRow("the grid") << 0 << "cmd1" << 1 << 0;
        QTest::newRow("OK") << 1 << "cmd1" << 1 << 0;
        QTest::newRow("Exit") << 3 << "oc3" << 0 << 1;
        QTest::newRow("round to the grid") << 4 << "cmd1" << 1 << 0;
    }

    void enterPressesTheFocusedButton() {
        QFETCH(int, tabs);
        QFETCH(QString, defaultButton);
        QFETCH(int, messages);
        QFETCH(int, ends);
        for (int i = 0; i < tabs; ++i) press(Qt::Key_Tab);
        QStringList defaults;
        for (QPushButton* button : selection()->findChildren<QPushButton*>())
            if (button->isDefault()) defaults << button->objectName();
        QCOMPARE(defaults, QStringList{defaultButton});
        press(Qt::Key_Return);
        QCOMPARE(platform.messages.size(), messages);
        QCOMPARE(platform.endCount, ends);
        QVERIFY(selection());
    }

    // The arrows belong to the grid: on a button they choose nothing.
    void arrowsElsewhereChooseNothing() {
        press(Qt::Key_Tab);
        QCOMPARE(focused(), QStringLiteral("cmd1"));
        for (const Qt::Key key : {Qt::Key_Right, Qt::Key_Down, Qt::Key_Left, Qt::Key_Up}) press(key);
        QCOMPARE(module.SelectedShape, kNoShape);
        QCOMPARE(ShownChoice(selection()), QString());
    }

    void spaceOnTheGridPressesOk() {
        press(Qt::Key_Space);  // nothing chosen: OK asks for a shape
        QCOMPARE(platform.messages.size(), 1);
        QCOMPARE(platform.messages.first().text, QStringLiteral("計算する断面形状を選択して下さい"));
        QVERIFY(selection());

        press(Qt::Key_Right);
        press(Qt::Key_Space);
        QVERIFY(calculator());
        QCOMPARE(module.SelectedShape, ShapeType{0});
        QCOMPARE(platform.messages.size(), 1);
    }

    // From start-up to both lines of results for the box section, by keys alone.
    void typicalUseByKeyboard() {
        QCOMPARE(focused(), QStringLiteral("Frame1"));
        for (const Qt::Key key : {Qt::Key_Right, Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, Qt::Key_Right})
            press(key);
        QCOMPARE(module.SelectedShape, kBox);
        press(Qt::Key_Return);
        QVERIFY(calculator());
        QVERIFY(settled());
        QCOMPARE(focused(), QStringLiteral("cmd1"));

        // Ans, the unit list, then the four dimensions; Tab selects the "0" it lands on.
        press(Qt::Key_Tab);
        press(Qt::Key_Tab);
        for (const auto& [box, text] :
             {std::pair{"txt1", "8"}, {"txt2", "10"}, {"txt3", "4"}, {"txt4", "6"}}) {
            QCOMPARE(focused(), QLatin1String(box));
            type(QLatin1String(text));
            press(Qt::Key_Tab);
        }
        QCOMPARE(texts({"txt1", "txt2", "txt3", "txt4"}), (QStringList{"8", "10", "4", "6"}));
        QCOMPARE(focused(), QStringLiteral("chk3"));  // past the greyed derived inputs

        press(Qt::Key_Return);
        const QStringList firstLine{"28", "329.3333", "65.86667", "11.7619"};
        QCOMPARE(texts({"ansal", "ansil", "anszl", "anskl"}), firstLine);

        press(Qt::Key_Space);
        QVERIFY(child<QCheckBox>("chk3")->isChecked());
        QCOMPARE(texts({"txt5", "txt6", "txt7"}), (QStringList{"2", "1", "9"}));
        QCOMPARE(texts({"ansal", "ansil", "anszl", "anskl"}), QStringList(4, "0"));

        press(Qt::Key_Return);
        QCOMPARE(texts({"ansal", "ansil", "anszl", "anskl"}), firstLine);
        for (const char* name : {"unal", "unil", "unzl", "unkl"}) QVERIFY(child(name)->isVisible());
        // This box has walls of 2 and 1 exactly, so its thin-wall figures equal
        // the exact ones: 2·6·1 + 8·2 = 28, 6/6 + 512·2/12 + 81·6/2 = 329.3333, …
        QCOMPARE(texts({"unal", "unil", "unzl", "unkl"}), firstLine);

        // And onto the clipboard, through the results' menu.
        press(Qt::Key_F10, Qt::ShiftModifier);
        QWidget* menu = QApplication::activePopupWidget();
        QVERIFY(menu);
        QTest::keyClick(menu, Qt::Key_Down);
        QTest::keyClick(menu, Qt::Key_Return);
        QCOMPARE(QGuiApplication::clipboard()->text(),
                 QStringLiteral("A\t28\tmm²\t28\tmm²\nI\t329.3333\tmm⁴\t329.3333\tmm⁴\n"
                                "Z\t65.86667\tmm³\t65.86667\tmm³\nk²\t11.7619\tmm²\t11.7619\tmm²\n"));
        QVERIFY(platform.messages.isEmpty());
        QCOMPARE(platform.endCount, 0);
    }
};

QTEST_MAIN(TestKeyboard)
#include "test_keyboard.moc"
