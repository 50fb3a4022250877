// Ans, the unit list, Enter, the buttons and the double clicks of the calculator.
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include "core/messages.h"
#include "tests/ui/calculator/calculator_harness.h"
#include "ui/common/twips.h"

using namespace velmora;
using namespace velmora::ui;
using namespace velmora::ui::testing;

namespace {

const QString kTitle = QStringLiteral("利用ナビ");
const QString kInputError = QStringLiteral("入力に誤りがあります");
const QString kMm = QStringLiteral("mm (ミリメートル)");
const QStringList kNoSecondLine(4, "");

// Opens the unit list and walks to `text` with the arrow keys, then Return.
void SelectUnit(Calculator& calc, const QString& text) {
    auto* list = calc.get<QComboBox>("cmb1");
    list->showPopup();
    QAbstractItemView* view = list->view();
    QTRY_VERIFY(view->isVisible());
    const int target = list->findText(text);
    QVERIFY(target >= 0);
    while (view->currentIndex().row() != target)
        QTest::keyClick(view, view->currentIndex().row() < target ? Qt::Key_Down : Qt::Key_Up);
    QTest::keyClick(view, Qt::Key_Return);
    QTRY_VERIFY(!view->isVisible());
}

// Every real selection brings the item's own text into the field, so a text
// that matches no unit can reach the selection handler only this way.
void SelectWithFieldText(Calculator& calc, const QString& text) {
    auto* list = calc.get<QComboBox>("cmb1");
    list->setEditText(text);
    emit list->activated(list->currentIndex());
}

}  // namespace

class TestForm2Actions : public QObject {
    Q_OBJECT

private slots:
    void boxSectionWalkThrough();
    void ansShowsLinesAndMessagesInOrder_data();
    void ansShowsLinesAndMessagesInOrder();
    void thinWallFailureLeavesTheNewFirstLine();
    void unitMessageCancelComputesNothing();
    void unitMessageOkSetsMillimetresAndComputes();
    void selectingAUnitRelabelsOnly_data();
    void selectingAUnitRelabelsOnly();
    void returnInTheOpenUnitListOnlyPicks_data();
    void returnInTheOpenUnitListOnlyPicks();
    void unitSelectedWithTheMouseAndArrowKeys();
    void unitListShowsTheStartOfTheUnit();
    void typingIntoTheUnitListChangesNothing();
    void numbersUseTheLocalesDecimalSeparator();
    void fullWidthNumbersReadAsTyped();
    void enterRunsAnsFromAnywhere_data();
    void enterRunsAnsFromAnywhere();
    void enterPressesTheFocusedButton_data();
    void enterPressesTheFocusedButton();
    void exitEndsAtOnceAndInfoOpensTheInformation();
    void doubleClicks_data();
    void doubleClicks();
    void shownSecondLineLabelTakesItsOwnDoubleClick();
    void backgroundYesEndsTheProgram();
};

void TestForm2Actions::boxSectionWalkThrough() {
    Calculator calc(16);
    calc.enter({"8", "10", "4", "6"});
    calc.click("cmd1");
    QCOMPARE(calc.answers(), (QStringList{"28", "329.3333", "65.86667", "11.7619"}));
    QCOMPARE(calc.units(), QStringList(4, "mm"));
    QCOMPARE(calc.secondLineShown(), "----");

    calc.tick("chk3");
    QCOMPARE((QStringList{calc.text("txt5"), calc.text("txt6"), calc.text("txt7")}),
             (QStringList{"2", "1", "9"}));
    QCOMPARE(calc.answers(), QStringList(4, "0"));

    calc.click("cmd1");
    QCOMPARE(calc.answers(), (QStringList{"28", "329.3333", "65.86667", "11.7619"}));
    QCOMPARE(calc.secondLine(), (QStringList{"28", "329.3333", "65.86667", "11.7619"}));
    QCOMPARE(calc.secondLineShown(), "vvvv");
    QVERIFY(calc.platform.messages.isEmpty());

    calc.doubleClickAt(3720 + 200, 6000 + 800);  // Frame3, below and left of its labels
    QCOMPARE(calc.module.FormulaKind, "i");
    QCOMPARE(calc.navigator.formulaOwners, QList<QWidget*>{calc.form.get()});
}

void TestForm2Actions::ansShowsLinesAndMessagesInOrder_data() {
    QTest::addColumn<int>("shape");
    QTest::addColumn<QStringList>("inputs");  // typed into txt1, txt2, …; none: the opening "0"s
    QTest::addColumn<QString>("option");
    QTest::addColumn<QStringList>("answers");
    QTest::addColumn<QStringList>("secondLine");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QStringList>("messages");

    const QStringList zeros(4, "0");
    QTest::newRow("rectangle") << 0 << QStringList{"3", "2"} << "" << QStringList{"6", "4.5", "3", "0.75"}
                               << kNoSecondLine << "----" << QStringList{};
    QTest::newRow("negative width") << 0 << QStringList{"3", "-2"} << ""
                                    << QStringList{"-6", "-4.5", "-3", "0.75"} << kNoSecondLine << "----"
                                    << QStringList{};
    QTest::newRow("rectangle at opening")
        << 0 << QStringList{} << "" << zeros << kNoSecondLine << "----" << QStringList{};
    QTest::newRow("rectangle pair at opening: 0 ÷ 0")
        << 1 << QStringList{} << "" << zeros << kNoSecondLine << "----" << QStringList{kInputError};
    QTest::newRow("empty input") << 0 << QStringList{"", "2"} << "" << zeros << kNoSecondLine << "----"
                                 << QStringList{kInputError};
    QTest::newRow("below the single range: 0")
        << 16 << QStringList{"8", "10", "1e-50", "6"} << "" << QStringList{"60", "500", "100", "8.333333"}
        << kNoSecondLine << "----" << QStringList{};
    QTest::newRow("area overflows") << 0 << QStringList{"1E+20", "1E+20"} << "" << zeros << kNoSecondLine
                                    << "----" << QStringList{kInputError};
    QTest::newRow("triangle: unzl alone")
        << 6 << QStringList{"9", "6"} << "" << QStringList{"27", "121.5", "20.25", "4.5"}
        << QStringList{"", "", "40.5", ""} << "--v-" << QStringList{};
    QTest::newRow("semicircle: unzl alone")
        << 13 << QStringList{"100"} << "" << QStringList{"15707.96", "1.09757E+07", "190800", "698.7345"}
        << QStringList{"", "", "258700", ""} << "--v-" << QStringList{};
    QTest::newRow("U-section: unzl alone") << 22 << QStringList{"10", "100", "90", "10"} << ""
                                           << QStringList{"1900", "1800044", "25240.47", "947.3915"}
                                           << QStringList{"", "", "62753.82", ""} << "--v-" << QStringList{};
    QTest::newRow("tube, unticked: first line only")
        << 12 << QStringList{"80", "100"} << "" << QStringList{"2827.433", "2898119", "57962.38", "1025"}
        << kNoSecondLine << "----" << QStringList{};
    QTest::newRow("tube, ticked: both lines")
        << 12 << QStringList{"80", "100"} << "chk1" << QStringList{"2827.433", "2898119", "57962.38", "1025"}
        << QStringList{"2827.433", "2862776", "63617.25", "1012.5"} << "vvvv" << QStringList{};
    QTest::newRow("tube, t = dm: first line, then the t<<dm message")
        << 12 << QStringList{"0", "100"} << "chk1" << QStringList{"7853.981", "4908738", "98174.77", "625"}
        << kNoSecondLine << "----" << QStringList{"条件 t<<dm が成立しません"};
    QTest::newRow("hollow ellipse, ticked")
        << 15 << QStringList{"90", "100", "40", "50"} << "chk2"
        << QStringList{"4398.229", "1.63677E+07", "163677", "3721.428"}
        << QStringList{"4398.229", "1.963495E+07", "196349.5", "4166.667"} << "vvvv" << QStringList{};
    QTest::newRow("box, 0 ÷ 0 in k²") << 16 << QStringList{"2", "2", "3", "3"} << "" << zeros << kNoSecondLine
                                      << "----" << QStringList{kInputError};
}

void TestForm2Actions::ansShowsLinesAndMessagesInOrder() {
    QFETCH(int, shape);
    QFETCH(QStringList, inputs);
    QFETCH(QString, option);
    QFETCH(QStringList, answers);
    QFETCH(QStringList, secondLine);
    QFETCH(QString, shown);
    QFETCH(QStringList, messages);

    Calculator calc(shape);
    calc.enter(inputs);
    if (!option.isEmpty()) calc.tick(option);
    calc.click("cmd1");
    QCOMPARE(calc.answers(), answers);
    QCOMPARE(calc.secondLine(), secondLine);
    QCOMPARE(calc.secondLineShown(), shown);
    QCOMPARE(calc.messageTexts(), messages);
    for (const MessageRequest& request : calc.platform.messages) {
        QCOMPARE(request.title, kTitle);
        QCOMPARE(request.icon, MessageIcon::Exclamation);
        QCOMPARE(request.buttons, MessageButtons::Ok);
    }
}

void TestForm2Actions::thinWallFailureLeavesTheNewFirstLine() {
    Calculator calc(15);
    calc.enter({"90", "100", "40", "50"});
    calc.tick("chk2");
    calc.click("cmd1");
    QCOMPARE(calc.secondLineShown(), "vvvv");

    // A wall the check accepts (t = −3 both ways) whose k² divides by b2 + a2 = 0.
    calc.tick("chk2");
    calc.enter({"1", "-2", "5", "2"});
    calc.tick("chk2");
    QCOMPARE(calc.text("txt5"), "-3");
    QVERIFY(calc.platform.messages.isEmpty());
    calc.click("cmd1");
    QCOMPARE(calc.answers(), (QStringList{"-28.27433", "-16.49336", "8.24668", "0.5833333"}));
    QCOMPARE(calc.messageTexts(), QStringList{kInputError});
    QCOMPARE(calc.secondLine(), kNoSecondLine);
    QCOMPARE(calc.secondLineShown(), "vvvv");
    QCOMPARE(calc.module.values.resA2, -3 * 3.14159265358979f * 3);  // stored before the failing step
}

void TestForm2Actions::unitMessageCancelComputesNothing() {
    Calculator calc(0);
    SelectWithFieldText(calc, "metres");
    QCOMPARE(calc.module.UnitSuffix, "none");
    QCOMPARE(calc.units(), QStringList(4, "none"));
    calc.enter({"3", "2"});

    calc.platform.answer(MessageAnswer::Cancel);
    calc.click("cmd1");
    const MessageRequest prompt{
        "単位が選択されていません。\r\r「OK」を選択すると単位を \"mm\" に設定します。", kTitle,
        MessageIcon::Exclamation, MessageButtons::OkCancel};
    QCOMPARE(calc.platform.messages, QList<MessageRequest>{prompt});
    QCOMPARE(calc.answers(), QStringList(4, "0"));
    QCOMPARE(calc.module.values, SectionValues{});
    QCOMPARE(calc.units(), QStringList(4, "none"));
    QCOMPARE(calc.text("cmb1"), "metres");
}

void TestForm2Actions::unitMessageOkSetsMillimetresAndComputes() {
    Calculator calc(0);
    QTest::keyClick(calc.get("cmb1"), Qt::Key_Up);  // cm, so that the list visibly changes back
    SelectWithFieldText(calc, "cm(センチメートル)");
    QCOMPARE(calc.units(), QStringList(4, "none"));
    calc.enter({"3", "2"});

    calc.platform.answer(MessageAnswer::Ok);
    calc.click("cmd1");
    QCOMPARE(calc.platform.messages.size(), 1);
    QCOMPARE(calc.text("cmb1"), kMm);
    QCOMPARE(calc.get<QComboBox>("cmb1")->currentIndex(), 2);
    QCOMPARE(calc.module.UnitSuffix, "mm");
    QCOMPARE(calc.units(), QStringList(4, "mm"));
    QCOMPARE(calc.answers(), (QStringList{"6", "4.5", "3", "0.75"}));
}

void TestForm2Actions::selectingAUnitRelabelsOnly_data() {
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("suffix");
    // clang-format off
    QTest::newRow("m, two blanks") << "m  (メートル)" << "m";
    QTest::newRow("cm") << "cm (センチメートル)" << "cm";
    QTest::newRow("mm") << "mm (ミリメートル)" << "mm";
    QTest::newRow("shaku") << "尺 (しゃく)" << "尺";
    QTest::newRow("sun") << "寸 (すん)" << "寸";
    QTest::newRow("bu") << "分 (ぶ)" << "分";
    QTest::newRow("in") << "in (インチ)" << "in";
    QTest::newRow("ft") << "ft (フィート)" << "ft";
    // clang-format on
}

void TestForm2Actions::selectingAUnitRelabelsOnly() {
    QFETCH(QString, item);
    QFETCH(QString, suffix);
    Calculator calc(6);
    calc.enter({"9", "6"});
    calc.click("cmd1");
    const QStringList answers = calc.answers();
    const SectionValues values = calc.module.values;

    SelectUnit(calc, item);
    QCOMPARE(calc.module.UnitSuffix, suffix.toStdString());
    QCOMPARE(calc.units(), QStringList(4, suffix));
    QCOMPARE(calc.answers(), answers);
    QCOMPARE(calc.text("unzl"), "40.5");
    QCOMPARE(calc.module.values, values);
    QCOMPARE((QStringList{calc.text("Label5"), calc.text("Label6"), calc.text("Label7")}),
             (QStringList{"2", "4", "3"}));
    QVERIFY(calc.platform.messages.isEmpty());
}

void TestForm2Actions::returnInTheOpenUnitListOnlyPicks_data() {
    QTest::addColumn<Qt::Key>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::newRow("Return") << Qt::Key_Return << Qt::KeyboardModifiers();
    QTest::newRow("keypad Enter") << Qt::Key_Enter << Qt::KeyboardModifiers(Qt::KeypadModifier);
}

// The key that picks an item in the open list is not also the window's Enter:
// with an input half typed, Ans would report an input error.
void TestForm2Actions::returnInTheOpenUnitListOnlyPicks() {
    QFETCH(Qt::Key, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    Calculator calc(0);
    calc.retype("txt1", "");
    auto* list = calc.get<QComboBox>("cmb1");
    list->showPopup();
    QAbstractItemView* view = list->view();
    QTRY_VERIFY(view->isVisible());
    QTest::keyClick(view, Qt::Key_Up);  // from mm to cm
    QTest::keyClick(view, key, modifiers);
    QTRY_VERIFY(!view->isVisible());
    QCOMPARE(calc.units(), QStringList(4, "cm"));
    QCOMPARE(calc.platform.messages, QList<MessageRequest>{});
    QCOMPARE(calc.answers(), QStringList(4, "0"));
}

void TestForm2Actions::unitSelectedWithTheMouseAndArrowKeys() {
    Calculator calc(0);
    auto* list = calc.get<QComboBox>("cmb1");
    list->showPopup();
    QAbstractItemView* view = list->view();
    QTRY_VERIFY(view->isVisible());
    QTest::qWait(QApplication::doubleClickInterval() + 50);  // a release right after opening is ignored
    const QModelIndex feet = view->model()->index(7, 0);
    view->scrollTo(feet);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(feet).center());
    QTRY_COMPARE(calc.units(), QStringList(4, "ft"));

    list->setFocus();
    QTest::keyClick(list, Qt::Key_Up);
    QCOMPARE(calc.module.UnitSuffix, "in");
    QCOMPARE(calc.units(), QStringList(4, "in"));
}

// The list's field is narrower than "cm (センチメートル)": it shows the start,
// the unit itself, at opening and after each choice.
void TestForm2Actions::unitListShowsTheStartOfTheUnit() {
    Calculator calc(0);
    auto* list = calc.get<QComboBox>("cmb1");
    QLineEdit* field = list->lineEdit();
    QCOMPARE(field->text(), kMm);
    QCOMPARE(field->cursorPosition(), 0);
    for (const QString& unit : {QStringLiteral("cm (センチメートル)"), QStringLiteral("ft (フィート)"),
                                QStringLiteral("m  (メートル)"), kMm}) {
        SelectUnit(calc, unit);
        QCOMPARE(field->text(), unit);
        if (unit.startsWith(QStringLiteral("cm")))  // with the field's own 2 px each side, it does not fit
            QVERIFY(field->fontMetrics().horizontalAdvance(unit) + 4 > field->contentsRect().width());
        // The field scrolls to keep its cursor in sight: at 0, the text shows from its start.
        QCOMPARE(field->cursorPosition(), 0);
        QVERIFY(!field->hasSelectedText());
    }
    QCOMPARE(list->geometry(), TwipsRect(7200, 240, 2055, 300));  // the list keeps its place and size
}

void TestForm2Actions::typingIntoTheUnitListChangesNothing() {
    Calculator calc(0);
    calc.enter({"3", "2"});
    calc.click("cmd1");
    auto* list = calc.get<QComboBox>("cmb1");
    list->setFocus();
    QTest::keyClick(list, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(list, "cm");
    QVERIFY(list->currentText().startsWith("cm"));
    QCOMPARE(calc.module.UnitSuffix, "mm");
    QCOMPARE(calc.units(), QStringList(4, "mm"));
    QCOMPARE(calc.answers(), (QStringList{"6", "4.5", "3", "0.75"}));

    // Return in the field is the window's Enter: Ans, not a selection.
    calc.retype("txt1", "4");
    QCOMPARE(calc.units(), QStringList(4, "mm"));  // leaving the field selects nothing either
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Return);
    QCOMPARE(calc.answers(), (QStringList{"8", "10.66667", "5.333333", "1.333333"}));
    QCOMPARE(calc.units(), QStringList(4, "mm"));
}

void TestForm2Actions::numbersUseTheLocalesDecimalSeparator() {
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    Calculator calc(16);
    calc.enter({"1,5", "2", "0,5", "1"});
    calc.tick("chk3");
    QCOMPARE(calc.text("txt6"), "0,25");
    calc.click("cmd1");
    QLocale::setDefault(before);
    QCOMPARE(calc.answers(), (QStringList{"1,25", "0,5260417", "0,5260417", "0,4208333"}));
    QVERIFY(calc.platform.messages.isEmpty());
}

// What a Japanese input method types reads as its ASCII twin; the box keeps it.
void TestForm2Actions::fullWidthNumbersReadAsTyped() {
    Calculator calc(0);
    calc.retype("txt1", QStringLiteral("１２．５"));
    calc.retype("txt2", QStringLiteral("８"));
    QCOMPARE(calc.text("txt1"), QStringLiteral("１２．５"));
    calc.click("cmd1");
    QVERIFY(calc.platform.messages.isEmpty());
    QCOMPARE(calc.answers(), (QStringList{"100", "1302.083", "208.3333", "13.02083"}));
    QCOMPARE(calc.text("txt1"), QStringLiteral("１２．５"));
    QCOMPARE(calc.text("txt2"), QStringLiteral("８"));

    calc.retype("txt2", QStringLiteral("－２"));
    calc.click("cmd1");
    QCOMPARE(calc.answers(), (QStringList{"-25", "-325.5208", "-52.08333", "13.02083"}));

    // A full-width blank or a unit typed after the number is still no number.
    calc.retype("txt2", QStringLiteral("８ｍｍ"));
    calc.click("cmd1");
    QCOMPARE(calc.messageTexts(), QStringList{kInputError});
    QCOMPARE(calc.answers(), QStringList(4, "0"));
}

void TestForm2Actions::enterRunsAnsFromAnywhere_data() {
    QTest::addColumn<QString>("focus");
    QTest::addColumn<int>("key");
    QTest::newRow("txt2, Return") << "txt2" << int(Qt::Key_Return);
    QTest::newRow("txt1, keypad Enter") << "txt1" << int(Qt::Key_Enter);
    QTest::newRow("cmd1, Return") << "cmd1" << int(Qt::Key_Return);
    QTest::newRow("chk3, Return") << "chk3" << int(Qt::Key_Return);
    QTest::newRow("cmb1, keypad Enter") << "cmb1" << int(Qt::Key_Enter);
}

void TestForm2Actions::enterRunsAnsFromAnywhere() {
    QFETCH(QString, focus);
    QFETCH(int, key);
    Calculator calc(16);
    calc.enter({"8", "10", "4", "6"});
    calc.pressEnter(focus, Qt::Key(key));
    QCOMPARE(calc.answers(), (QStringList{"28", "329.3333", "65.86667", "11.7619"}));
    QCOMPARE(calc.platform.endCount, 0);
    QVERIFY(calc.navigator.informationOwners.isEmpty());
    QVERIFY(calc.platform.messages.isEmpty());
}

void TestForm2Actions::enterPressesTheFocusedButton_data() {
    QTest::addColumn<QString>("focus");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("informations");
    QTest::addColumn<int>("ends");
    QTest::newRow("Info, Return") << "oc2" << int(Qt::Key_Return) << 1 << 0;
    QTest::newRow("Info, keypad Enter") << "oc2" << int(Qt::Key_Enter) << 1 << 0;
    QTest::newRow("Exit, Return") << "oc3" << int(Qt::Key_Return) << 0 << 1;
}

// A focused push button takes Enter from Ans, and shows itself as the default
// meanwhile; Ans gets both back once the focus leaves it.
void TestForm2Actions::enterPressesTheFocusedButton() {
    QFETCH(QString, focus);
    QFETCH(int, key);
    QFETCH(int, informations);
    QFETCH(int, ends);
    Calculator calc(16);
    calc.enter({"8", "10", "4", "6"});
    calc.pressEnter(focus, Qt::Key(key));
    QCOMPARE(calc.navigator.informationOwners.size(), informations);
    QCOMPARE(calc.platform.endCount, ends);
    QCOMPARE(calc.answers(), QStringList(4, "0"));
    QVERIFY(calc.platform.messages.isEmpty());

    auto* ans = calc.get<QPushButton>("cmd1");
    QVERIFY(calc.get<QPushButton>(focus)->isDefault());
    QVERIFY(!ans->isDefault());
    calc.pressEnter("txt4");
    QVERIFY(ans->isDefault());
    QVERIFY(!calc.get<QPushButton>(focus)->isDefault());
    QCOMPARE(calc.answers(), (QStringList{"28", "329.3333", "65.86667", "11.7619"}));
}

void TestForm2Actions::exitEndsAtOnceAndInfoOpensTheInformation() {
    Calculator calc(0);
    calc.click("oc2");
    QCOMPARE(calc.navigator.informationOwners, QList<QWidget*>{calc.form.get()});
    QCOMPARE(calc.platform.endCount, 0);
    calc.click("oc3");
    QCOMPARE(calc.platform.endCount, 1);
    QVERIFY(calc.form->close());  // the close box does not ask either
    QVERIFY(calc.platform.messages.isEmpty());
}

void TestForm2Actions::doubleClicks_data() {
    QTest::addColumn<QString>("control");  // double clicked at its centre; "" for the point
    QTest::addColumn<QPoint>("twips");     // in the window's client area
    QTest::addColumn<QString>("outcome");  // formula kind, "selection", "confirm" or "none"

    QTest::newRow("Frame2, empty part") << "" << QPoint(320, 6800) << "a";
    QTest::newRow("Frame2, caption") << "" << QPoint(570, 6040) << "a";
    QTest::newRow("Frame3, border") << "" << QPoint(7080, 6960) << "i";
    QTest::newRow("Frame4, right of the unit") << "" << QPoint(3420, 7900) << "z";
    QTest::newRow("Frame5, left of k") << "" << QPoint(3870, 7700) << "k";
    for (const char* label : {"Label1", "ansal", "aunil", "Label5", "Label4", "Label8", "anskl", "kunil"})
        QTest::newRow(label) << label << QPoint() << "none";
    QTest::newRow("drawing") << "img1" << QPoint() << "selection";
    QTest::newRow("Frame1 beside the drawing") << "" << QPoint(200, 200) << "none";
    QTest::newRow("background") << "" << QPoint(7300, 7000) << "confirm";
    QTest::newRow("background under hidden chk1") << "" << QPoint(7800, 3500) << "confirm";
    QTest::newRow("input caption") << "lbl1" << QPoint() << "none";
    QTest::newRow("greyed input") << "txt5" << QPoint() << "none";
    QTest::newRow("input") << "txt1" << QPoint() << "none";
}

void TestForm2Actions::doubleClicks() {
    QFETCH(QString, control);
    QFETCH(QPoint, twips);
    QFETCH(QString, outcome);

    Calculator calc(16);
    if (control.isEmpty())
        calc.doubleClickAt(twips.x(), twips.y());
    else
        calc.doubleClickOn(control);

    const bool formula = outcome.size() == 1;
    QCOMPARE(calc.navigator.formulaOwners.size(), formula ? 1 : 0);
    QCOMPARE(QString::fromStdString(calc.module.FormulaKind), formula ? outcome : QString());
    QCOMPARE(calc.navigator.selectionRequests, outcome == "selection" ? 1 : 0);
    const QList<MessageRequest> confirm{
        {"本当に終了しますか？", kTitle, MessageIcon::Question, MessageButtons::YesNo}};
    QCOMPARE(calc.platform.messages, outcome == "confirm" ? confirm : QList<MessageRequest>{});
    QCOMPARE(calc.platform.endCount, 0);  // the fake answers No
    QVERIFY(calc.form->isVisible());
}

void TestForm2Actions::shownSecondLineLabelTakesItsOwnDoubleClick() {
    Calculator calc(16);
    const QPoint underAnswer(120 + 1500, 6000 + 700);  // where unal stands, in Frame2
    calc.doubleClickAt(underAnswer.x(), underAnswer.y());
    QCOMPARE(calc.module.FormulaKind, "a");  // hidden: the frame is hit

    calc.module.FormulaKind.clear();
    calc.enter({"8", "10", "4", "6"});
    calc.tick("chk3");
    calc.click("cmd1");
    calc.doubleClickAt(underAnswer.x(), underAnswer.y());
    QCOMPARE(calc.module.FormulaKind, "");
    QCOMPARE(calc.navigator.formulaOwners.size(), 1);
}

void TestForm2Actions::backgroundYesEndsTheProgram() {
    Calculator calc(0);
    calc.platform.answer(MessageAnswer::Yes);
    calc.doubleClickAt(7300, 7000);
    QCOMPARE(calc.platform.messages.size(), 1);
    QCOMPARE(calc.platform.endCount, 1);
}

QTEST_MAIN(TestForm2Actions)
#include "test_form2_actions.moc"
