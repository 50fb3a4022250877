// Every edit clears the shown results; the "t" options fill their greyed inputs.
#include <QCheckBox>
#include <QLineEdit>
#include <QSignalSpy>

#include "core/messages.h"
#include "tests/ui/calculator/calculator_harness.h"

using namespace velmora;
using namespace velmora::ui;
using namespace velmora::ui::testing;

namespace {

QStringList Texts(const Calculator& calc, int from, int to) {
    QStringList texts;
    for (int slot = from; slot <= to; ++slot) texts << calc.text(QString("txt%1").arg(slot));
    return texts;
}

const MessageRequest kWallMessage{QString::fromUtf8(kWallNotConstantMessage), "利用ナビ",
                                  MessageIcon::Exclamation, MessageButtons::Ok};

}  // namespace

class TestForm2Editing : public QObject {
    Q_OBJECT

private slots:
    void everyKeystrokeClearsTheResults_data();
    void everyKeystrokeClearsTheResults();
    void anUndoneEditClearsToo();
    void tickingAndUntickingClear_data();
    void tickingAndUntickingClear();
    void boxSectionFillsWebFlangeAndMeanHeight();
    void keyboardTicksLikeAClick();
    void tubeCascadeEndsWithMeanDiameterAndWall();
    void hollowEllipseWarnsAtEachInconsistentKeystroke();
    void hollowEllipseIsQuietWhileUnticked();
    void unreadableTextWhileTickedGivesZeroAndNoMessage();
};

void TestForm2Editing::everyKeystrokeClearsTheResults_data() {
    QTest::addColumn<int>("shape");
    QTest::addColumn<QStringList>("inputs");
    QTest::addColumn<QString>("option");  // ticked before Ans, or ""
    QTest::addColumn<QString>("edited");
    QTest::addColumn<QString>("shown");  // second-line visibility after Ans

    // clang-format off
    QTest::newRow("rectangle h") << 0 << QStringList{"3", "2"} << "" << "txt1" << "----";
    QTest::newRow("triangle, unzl alone") << 6 << QStringList{"9", "6"} << "" << "txt2" << "--v-";
    QTest::newRow("box ticked, b2") << 16 << QStringList{"8", "10", "4", "6"} << "chk3" << "txt4" << "vvvv";
    QTest::newRow("tube ticked, d2") << 12 << QStringList{"80", "100"} << "chk1" << "txt2" << "vvvv";
    QTest::newRow("L-section b1") << 24 << QStringList{"10", "100", "90", "10"} << "" << "txt3" << "--v-";
    // clang-format on
}

void TestForm2Editing::everyKeystrokeClearsTheResults() {
    QFETCH(int, shape);
    QFETCH(QStringList, inputs);
    QFETCH(QString, option);
    QFETCH(QString, edited);
    QFETCH(QString, shown);

    Calculator calc(shape);
    calc.enter(inputs);
    if (!option.isEmpty()) calc.tick(option);
    QTest::keyClick(calc.get("cmb1"), Qt::Key_Up);  // cm, to see that the units stay
    calc.click("cmd1");
    QVERIFY(calc.platform.messages.isEmpty());
    QVERIFY(calc.answers() != QStringList(4, "0"));
    QCOMPARE(calc.secondLineShown(), shown);

    // One keystroke, and the results are gone; the second line stays where it was, empty.
    auto* box = calc.get<QLineEdit>(edited);
    box->setFocus();
    QTest::keyClick(box, Qt::Key_5);
    QCOMPARE(calc.answers(), QStringList(4, "0"));
    QCOMPARE(calc.secondLine(), QStringList(4, ""));
    QCOMPARE(calc.secondLineShown(), shown);
    QCOMPARE(calc.units(), QStringList(4, "cm"));

    // The next keystroke clears again after another Ans.
    calc.click("cmd1");
    QVERIFY(calc.answers() != QStringList(4, "0"));
    QTest::keyClick(box, Qt::Key_Backspace);
    QCOMPARE(calc.answers(), QStringList(4, "0"));
}

void TestForm2Editing::anUndoneEditClearsToo() {
    Calculator calc(0);
    calc.enter({"3", "2"});
    calc.click("cmd1");
    auto* box = calc.get<QLineEdit>("txt1");
    box->setFocus();
    QTest::keyClick(box, Qt::Key_End);
    QTest::keyClick(box, Qt::Key_5);
    QTest::keyClick(box, Qt::Key_Backspace);
    QCOMPARE(box->text(), "3");
    QCOMPARE(calc.answers(), QStringList(4, "0"));

    // Undo is an edit like any other.
    calc.click("cmd1");
    QCOMPARE(calc.answers(), (QStringList{"6", "4.5", "3", "0.75"}));
    box->setFocus();
    QTest::keyClick(box, Qt::Key_Z, Qt::ControlModifier);
    QVERIFY(box->text() != "3");
    QCOMPARE(calc.answers(), QStringList(4, "0"));
}

void TestForm2Editing::tickingAndUntickingClear_data() {
    QTest::addColumn<int>("shape");
    QTest::addColumn<QStringList>("inputs");
    QTest::addColumn<QString>("option");

    QTest::newRow("tube") << 12 << QStringList{"80", "100"} << "chk1";
    QTest::newRow("hollow ellipse") << 15 << QStringList{"90", "100", "40", "50"} << "chk2";
    QTest::newRow("box") << 16 << QStringList{"8", "10", "4", "6"} << "chk3";
    QTest::newRow("I-section") << 17 << QStringList{"8", "10", "4", "6"} << "chk3";
    QTest::newRow("channel") << 18 << QStringList{"8", "10", "4", "6"} << "chk3";
}

void TestForm2Editing::tickingAndUntickingClear() {
    QFETCH(int, shape);
    QFETCH(QStringList, inputs);
    QFETCH(QString, option);

    Calculator calc(shape);
    calc.enter(inputs);
    calc.click("cmd1");
    QVERIFY(calc.answers() != QStringList(4, "0"));
    calc.tick(option);
    QCOMPARE(calc.get<QCheckBox>(option)->checkState(), Qt::Checked);
    QCOMPARE(calc.answers(), QStringList(4, "0"));

    calc.click("cmd1");
    QCOMPARE(calc.secondLineShown(), "vvvv");
    QVERIFY(!calc.secondLine().contains(""));
    calc.tick(option);
    QCOMPARE(calc.get<QCheckBox>(option)->checkState(), Qt::Unchecked);
    QCOMPARE(calc.answers(), QStringList(4, "0"));
    QCOMPARE(calc.secondLine(), QStringList(4, ""));
    QCOMPARE(calc.secondLineShown(), "vvvv");
    QVERIFY(calc.platform.messages.isEmpty());
}

void TestForm2Editing::boxSectionFillsWebFlangeAndMeanHeight() {
    Calculator calc(16);
    calc.enter({"8", "10", "4", "6"});
    QCOMPARE(Texts(calc, 5, 7), (QStringList{"0", "0", "0"}));  // unticked: nothing derived
    calc.tick("chk3");
    QCOMPARE(Texts(calc, 5, 7), (QStringList{"2", "1", "9"}));
    calc.retype("txt2", "12");  // refreshed while ticked
    QCOMPARE(Texts(calc, 5, 7), (QStringList{"2", "2", "10"}));
    calc.tick("chk3");
    QCOMPARE(Texts(calc, 5, 7), (QStringList{"0", "0", "0"}));
    QCOMPARE(Texts(calc, 1, 4), (QStringList{"8", "12", "4", "6"}));
}

void TestForm2Editing::keyboardTicksLikeAClick() {
    Calculator calc(16);
    calc.enter({"8", "10", "4", "6"});
    calc.click("cmd1");
    auto* box = calc.get<QCheckBox>("chk3");
    box->setFocus();
    QTest::keyClick(box, Qt::Key_Space);
    QCOMPARE(box->checkState(), Qt::Checked);
    QCOMPARE(Texts(calc, 5, 7), (QStringList{"2", "1", "9"}));
    QCOMPARE(calc.answers(), QStringList(4, "0"));
}

void TestForm2Editing::tubeCascadeEndsWithMeanDiameterAndWall() {
    Calculator calc(12);
    calc.enter({"80", "100"});
    QSignalSpy dmChanges(calc.get<QLineEdit>("txt3"), &QLineEdit::textChanged);
    QSignalSpy tChanges(calc.get<QLineEdit>("txt4"), &QLineEdit::textChanged);
    calc.tick("chk1");
    QCOMPARE(Texts(calc, 3, 4), (QStringList{"90", "10"}));
    // The nested handlers rewrite the same texts, which is no change: one change each.
    QCOMPARE(dmChanges.count(), 1);
    QCOMPARE(tChanges.count(), 1);

    // Every keystroke of d2 refreshes them: "1", then "12", "120".
    auto* d2 = calc.get<QLineEdit>("txt2");
    d2->setFocus();
    QTest::keyClick(d2, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(d2, Qt::Key_1);
    QCOMPARE(Texts(calc, 3, 4), (QStringList{"40.5", "-39.5"}));
    QTest::keyClicks(d2, "20");
    QCOMPARE(Texts(calc, 3, 4), (QStringList{"100", "20"}));

    calc.enter({"10", "15.5"});
    QCOMPARE(Texts(calc, 3, 4), (QStringList{"12.75", "2.75"}));
    calc.tick("chk1");
    QCOMPARE(Texts(calc, 3, 4), (QStringList{"0", "0"}));
    QCOMPARE(calc.answers(), QStringList(4, "0"));
    QVERIFY(calc.platform.messages.isEmpty());
}

void TestForm2Editing::hollowEllipseWarnsAtEachInconsistentKeystroke() {
    Calculator calc(15);
    calc.enter({"100", "110", "200", "210"});
    calc.tick("chk2");
    QCOMPARE(calc.text("txt5"), "10");
    QVERIFY(calc.platform.messages.isEmpty());

    // b2 typed again digit by digit: "2" and "21" give walls that differ, "210" does not.
    auto* b2 = calc.get<QLineEdit>("txt4");
    b2->setFocus();
    QTest::keyClick(b2, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(b2, Qt::Key_2);
    QCOMPARE(calc.platform.messages, QList<MessageRequest>{kWallMessage});
    QCOMPARE(calc.text("txt5"), "0");
    QTest::keyClick(b2, Qt::Key_1);
    QCOMPARE(calc.platform.messages.size(), 2);
    QTest::keyClick(b2, Qt::Key_0);
    QCOMPARE(calc.platform.messages.size(), 2);
    QCOMPARE(calc.text("txt5"), "10");
    QTest::keyClick(b2, Qt::Key_0);  // "2100"
    QCOMPARE(calc.platform.messages, QList<MessageRequest>(3, kWallMessage));
    QCOMPARE(calc.text("txt5"), "0");
    QCOMPARE(calc.platform.messageParents.last(), calc.form.get());

    // The message comes from the tick as well, and the results are cleared either way.
    calc.tick("chk2");
    calc.click("cmd1");
    calc.tick("chk2");
    QCOMPARE(calc.platform.messages.size(), 4);
    QCOMPARE(calc.answers(), QStringList(4, "0"));
}

void TestForm2Editing::hollowEllipseIsQuietWhileUnticked() {
    Calculator calc(15);
    calc.enter({"100", "110", "200", "2"});
    QVERIFY(calc.platform.messages.isEmpty());
    QCOMPARE(calc.text("txt5"), "0");
}

void TestForm2Editing::unreadableTextWhileTickedGivesZeroAndNoMessage() {
    Calculator calc(16);
    calc.enter({"8", "10", "4", "6"});
    calc.tick("chk3");
    calc.retype("txt2", "");  // emptied while retyping
    QCOMPARE(Texts(calc, 5, 7), (QStringList{"0", "0", "0"}));
    calc.retype("txt2", "-");
    QCOMPARE(Texts(calc, 5, 7), (QStringList{"0", "0", "0"}));
    calc.retype("txt2", "10");
    QCOMPARE(Texts(calc, 5, 7), (QStringList{"2", "1", "9"}));

    Calculator ellipse(15);
    ellipse.enter({"100", "110", "200", "210"});
    ellipse.tick("chk2");
    ellipse.retype("txt3", "x");
    QCOMPARE(ellipse.text("txt5"), "0");
    QVERIFY(calc.platform.messages.isEmpty());
    QVERIFY(ellipse.platform.messages.isEmpty());
}

QTEST_MAIN(TestForm2Editing)
#include "test_form2_editing.moc"
