// The whole program through the real shell with a scripted platform: start-up,
// the hand-overs between the windows, the modal windows and every way out.
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

#include "core/module1.h"
#include "tests/ui/support/fake_platform.h"
#include "tests/ui/support/test_setup.h"
#include "tests/ui/support/user_input.h"
#include "ui/calculator/form2.h"
#include "ui/formula/form3.h"
#include "ui/selection/form1.h"
#include "ui/shell/form4.h"
#include "ui/shell/shell.h"

using namespace velmora;
using namespace velmora::ui;
using namespace velmora::ui::testing;

namespace {

const MessageRequest kChooseShape{QStringLiteral("計算する断面形状を選択して下さい"),
                                  QStringLiteral("利用ナビ"), MessageIcon::Information, MessageButtons::Ok};
const MessageRequest kConfirmExit{QStringLiteral("本当に終了しますか？"), QStringLiteral("利用ナビ"),
                                  MessageIcon::Question, MessageButtons::YesNo};

// The names of the selection and calculator windows that exist, once every
// window already let go of has been deleted.
QStringList MainWindows() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QStringList names;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (qobject_cast<Form1*>(window) || qobject_cast<Form2*>(window)) names.append(window->objectName());
    }
    return names;
}

template <typename T>
T* Child(const QWidget* window, const QString& name) {
    return window->findChild<T*>(name);
}

}  // namespace

class TestShell : public QObject {
    Q_OBJECT

    Module1 module;
    FakePlatform platform;
    std::unique_ptr<Shell> shell;

    Form1* selection() const { return qobject_cast<Form1*>(shell->mainWindow()); }
    Form2* calculator() const { return qobject_cast<Form2*>(shell->mainWindow()); }

    void clickPicture(int shape) {
        QTest::mouseClick(Child<QLabel>(selection(), QStringLiteral("Image1_%1").arg(shape)), Qt::LeftButton);
    }

    // Every input and result text of the calculator, to prove a visit left them alone.
    QStringList calculatorTexts() const {
        QStringList texts;
        for (QLineEdit* box : calculator()->findChildren<QLineEdit*>()) texts.append(box->text());
        for (const char* name : {"ansal", "ansil", "anszl", "anskl", "unal", "unil", "unzl", "unkl"})
            texts.append(Child<QLabel>(calculator(), name)->text());
        return texts;
    }

    void typeInto(const char* box, const QString& text) { Retype(Child<QLineEdit>(calculator(), box), text); }

    QStringList answers() const {
        QStringList texts;
        for (const char* name : {"ansal", "ansil", "anszl", "anskl"})
            texts.append(Child<QLabel>(calculator(), name)->text());
        return texts;
    }

private slots:
    void initTestCase() {
        velmora::ui::testing::PrepareUiTest();
        QApplication::setQuitOnLastWindowClosed(false);  // the fake platform decides when the program ends
    }

    void init() {
        module = Module1{};
        platform = FakePlatform{};
        shell = std::make_unique<Shell>(module, platform);
        shell->start();
        QVERIFY(QTest::qWaitForWindowExposed(shell->mainWindow()));
    }

    void cleanup() {
        shell.reset();
        QCOMPARE(MainWindows(), QStringList{});
    }

    void startShowsOnlyTheSelectionWindow() {
        QCOMPARE(MainWindows(), QStringList{"Form1"});
        QVERIFY(selection()->isVisible());
        QCOMPARE(module.SelectedShape, kNoShape);
        QCOMPARE(ShownChoice(selection()), QString());
        // Centred on 1920 x 1080: (28800 - 5520) / 2 = 11640, (16200 - 5325) / 2 = 5437.5 twips.
        QCOMPARE(selection()->pos(), QPoint(776, 363));
    }

    void windowsBiggerThanTheScreenHangOverItsEdges() {
        platform.screen = QRect(0, 0, 400, 300);
        shell = std::make_unique<Shell>(module, platform);
        shell->start();
        // (6000 - 5520) / 2 = 240, (4500 - 5325) / 2 = -412.5 twips
        QCOMPARE(selection()->pos(), QPoint(16, -28));
        clickPicture(3);
        QTest::mouseClick(Child<QPushButton>(selection(), "cmd1"), Qt::LeftButton);
        // (6000 - 9435) / 2 = -1717.5, (4500 - 8745) / 2 = -2122.5 twips
        QCOMPARE(calculator()->pos(), QPoint(-115, -142));
    }

    // From the empty selection to the formula of I for the box section, and back.
    void typicalUse() {
        QTest::mouseClick(Child<QPushButton>(selection(), "cmd1"), Qt::LeftButton);
        QCOMPARE(platform.messages, QList<MessageRequest>{kChooseShape});
        QCOMPARE(MainWindows(), QStringList{"Form1"});

        clickPicture(7);
        clickPicture(12);
        QCOMPARE(ShownChoice(selection()), QStringLiteral("12"));
        QCOMPARE(module.SelectedShape, ShapeType{12});

        // The double click on the chosen picture goes to the calculator for shape 12.
        QTest::mouseDClick(Child<QLabel>(selection(), "Image2_12"), Qt::LeftButton);
        QCOMPARE(MainWindows(), QStringList{"Form2"});
        QVERIFY(calculator()->isVisible());
        QCOMPARE(module.SelectedShape, ShapeType{12});
        // (28800 - 9435) / 2 = 9682.5, (16200 - 8745) / 2 = 3727.5 twips
        QCOMPARE(calculator()->pos(), QPoint(646, 249));

        // The drawing leads back to a selection window with nothing chosen.
        QLabel* drawing = Child<QLabel>(calculator(), "img1");
        QTest::mouseDClick(drawing, Qt::LeftButton, {}, drawing->rect().center());
        QCOMPARE(MainWindows(), QStringList{"Form1"});
        QCOMPARE(module.SelectedShape, kNoShape);
        QCOMPARE(ShownChoice(selection()), QString());
        QTest::mouseClick(Child<QPushButton>(selection(), "cmd1"), Qt::LeftButton);
        QCOMPARE(platform.messages, (QList<MessageRequest>{kChooseShape, kChooseShape}));

        clickPicture(16);
        QTest::mouseClick(Child<QPushButton>(selection(), "cmd1"), Qt::LeftButton);
        QCOMPARE(MainWindows(), QStringList{"Form2"});
        QCOMPARE(Child<QLabel>(calculator(), "lbl1")->text(), QStringLiteral("h1"));

        typeInto("txt1", "8");
        typeInto("txt2", "10");
        typeInto("txt3", "4");
        typeInto("txt4", "6");
        QTest::mouseClick(Child<QPushButton>(calculator(), "cmd1"), Qt::LeftButton);
        QCOMPARE(answers(), (QStringList{"28", "329.3333", "65.86667", "11.7619"}));

        QTest::mouseClick(Child<QCheckBox>(calculator(), "chk3"), Qt::LeftButton);
        QCOMPARE(Child<QLineEdit>(calculator(), "txt5")->text(), QStringLiteral("2"));
        QCOMPARE(Child<QLineEdit>(calculator(), "txt6")->text(), QStringLiteral("1"));
        QCOMPARE(Child<QLineEdit>(calculator(), "txt7")->text(), QStringLiteral("9"));
        QTest::mouseClick(Child<QPushButton>(calculator(), "cmd1"), Qt::LeftButton);
        QCOMPARE(answers(), (QStringList{"28", "329.3333", "65.86667", "11.7619"}));
        QVERIFY(!Child<QLabel>(calculator(), "unil")->text().isEmpty());

        // The formula of I, over the calculator; a double click on it closes it.
        const QStringList before = calculatorTexts();
        auto* frame = Child<QGroupBox>(calculator(), "Frame3");
        const bool viewed = WhileModal<Form3>(
            [&] {
                QTest::mouseDClick(frame, Qt::LeftButton, {},
                                   QPoint(frame->width() - 4, frame->height() - 4));
            },
            [&](Form3* viewer) {
                QCOMPARE(viewer->parentWidget(), calculator());
                QCOMPARE(viewer->windowTitle(), QStringLiteral("velmora: 公式：断面二次モーメント(I)"));
                QLabel* formula = Child<QLabel>(viewer, "Image1");
                QTest::mouseDClick(formula, Qt::LeftButton, {}, QPoint(2, 2));
                QVERIFY(!viewer->isVisible());
            });
        QVERIFY(viewed);
        QCOMPARE(module.FormulaKind, std::string("i"));
        QCOMPARE(calculatorTexts(), before);
        QCOMPARE(MainWindows(), QStringList{"Form2"});
        QCOMPARE(platform.messages.size(), 2);
        QCOMPARE(platform.endCount, 0);
    }

    // Index 0 is a shape like any other.
    void shapeZeroOpensTheCalculator() {
        clickPicture(0);
        QTest::keyClick(selection(), Qt::Key_Return);
        QCOMPARE(MainWindows(), QStringList{"Form2"});
        QCOMPARE(module.SelectedShape, ShapeType{0});
        QVERIFY(platform.messages.isEmpty());
    }

    void informationStandsOverEitherWindow() {
        Form1* form1 = selection();
        QVERIFY(
            WhileModal<Form4>([&] { QTest::mouseClick(Child<QPushButton>(form1, "oc2"), Qt::LeftButton); },
                              [&](Form4* info) {
                                  QCOMPARE(info->parentWidget(), form1);
                                  QVERIFY(info->close());
                              }));
        QCOMPARE(MainWindows(), QStringList{"Form1"});
        QCOMPARE(selection(), form1);

        clickPicture(16);
        QTest::mouseClick(Child<QPushButton>(selection(), "cmd1"), Qt::LeftButton);
        typeInto("txt1", "8");
        typeInto("txt2", "10");
        typeInto("txt3", "4");
        typeInto("txt4", "6");
        QTest::mouseClick(Child<QPushButton>(calculator(), "cmd1"), Qt::LeftButton);
        const QStringList before = calculatorTexts();
        QVERIFY(WhileModal<Form4>(
            [&] { QTest::mouseClick(Child<QPushButton>(calculator(), "oc2"), Qt::LeftButton); },
            [&](Form4* info) {
                QCOMPARE(info->parentWidget(), calculator());
                QTest::mouseClick(Child<QLabel>(info, "Label8"), Qt::LeftButton);
                QVERIFY(info->isVisible());
            }));
        QCOMPARE(calculatorTexts(), before);
        QCOMPARE(platform.urls, QList<QUrl>{QUrl("https://velmora.example/")});
        QCOMPARE(module.SelectedShape, ShapeType{16});
        QCOMPARE(platform.endCount, 0);
    }

    void backgroundDoubleClickAsksFirst_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<bool>("yes");
        for (const char* window : {"Form1", "Form2", "Form4"}) {
            QTest::addRow("%s, No", window) << window << false;
            QTest::addRow("%s, Yes", window) << window << true;
        }
    }

    void backgroundDoubleClickAsksFirst() {
        QFETCH(QString, window);
        QFETCH(bool, yes);
        if (window != "Form1") {
            clickPicture(9);
            QTest::mouseClick(Child<QPushButton>(selection(), "cmd1"), Qt::LeftButton);
        }
        const QString mainWindow = window == "Form1" ? "Form1" : "Form2";
        if (yes) platform.answer(MessageAnswer::Yes);

        const auto askOn = [](QWidget* target) {
            QTest::mouseDClick(target, Qt::LeftButton, {}, EmptySpot(target));
        };
        if (window == "Form4") {
            QVERIFY(WhileModal<Form4>(
                [&] { QTest::mouseClick(Child<QPushButton>(calculator(), "oc2"), Qt::LeftButton); },
                [&](Form4* info) {
                    askOn(info);
                    QCOMPARE(platform.messageParents.value(0), info);
                }));
        } else {
            askOn(shell->mainWindow());
        }

        QCOMPARE(platform.messages, QList<MessageRequest>{kConfirmExit});
        QCOMPARE(platform.endCount, yes ? 1 : 0);
        QCOMPARE(MainWindows(), QStringList{mainWindow});  // No leaves everything as it was
        if (window != "Form1") QCOMPARE(module.SelectedShape, ShapeType{9});
    }

    void closeButtons() {
        // The information window returns to the window beneath.
        QVERIFY(WhileModal<Form4>(
            [&] { QTest::mouseClick(Child<QPushButton>(selection(), "oc2"), Qt::LeftButton); },
            [&](Form4* info) { QVERIFY(info->close()); }));
        QCOMPARE(platform.endCount, 0);
        QCOMPARE(MainWindows(), QStringList{"Form1"});

        // The calculator's ends the program and leaves no selection window behind.
        clickPicture(5);
        QTest::mouseClick(Child<QPushButton>(selection(), "cmd1"), Qt::LeftButton);
        QVERIFY(calculator()->close());
        QCOMPARE(platform.endCount, 1);
        QCOMPARE(MainWindows(), QStringList{});
        QVERIFY(platform.messages.isEmpty());
    }

    void closingTheSelectionWindowEnds() {
        QVERIFY(selection()->close());
        QCOMPARE(platform.endCount, 1);
        QCOMPARE(MainWindows(), QStringList{});
    }
};

QTEST_MAIN(TestShell)
#include "test_shell.moc"
