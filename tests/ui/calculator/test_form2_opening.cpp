// The calculator as it opens: layout, look, per-shape set-up and reopening.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>

#include "tests/ui/calculator/calculator_harness.h"
#include "tests/ui/support/test_setup.h"
#include "ui/common/look.h"
#include "ui/common/pictures.h"
#include "ui/common/twips.h"

using namespace velmora;
using namespace velmora::ui;
using namespace velmora::ui::testing;

namespace {

const QStringList kSlots{"1", "2", "3", "4", "5", "6", "7"};
const QString kMm = QStringLiteral("mm (ミリメートル)");

QString FocusName() {
    QWidget* focus = QApplication::focusWidget();
    if (!focus) return {};
    // The text field of the unit list belongs to the list.
    if (auto* list = qobject_cast<QComboBox*>(focus->parentWidget())) return list->objectName();
    return focus->objectName();
}

}  // namespace

class TestForm2Opening : public QObject {
    Q_OBJECT

private slots:
    void opensSetUpForTheShape_data();
    void opensSetUpForTheShape();
    void controlsStandWhereTheLayoutPutsThem_data();
    void controlsStandWhereTheLayoutPutsThem();
    void drawingIsCentredInFrame1_data();
    void drawingIsCentredInFrame1();
    void windowIsFixedCentredAndCaptioned();
    void fontsAndAlignments_data();
    void fontsAndAlignments();
    void theGothicFaceIsAnInstalledOne();
    void colours();
    void tabWalksTheShownControlsInOrder_data();
    void tabWalksTheShownControlsInOrder();
    void reopeningShowsAFreshWindow();
};

void TestForm2Opening::opensSetUpForTheShape_data() {
    QTest::addColumn<int>("shape");
    QTest::addColumn<QString>("roles");  // per slot: E entered, D derived (greyed), - hidden
    QTest::addColumn<QStringList>("captions");
    QTest::addColumn<QString>("option");

    // clang-format off
    QTest::newRow("0 rectangle") << 0 << "EE-----" << QStringList{"h", "b"} << "";
    QTest::newRow("12 circular tube") << 12 << "EEDD---" << QStringList{"d1", "d2", "dm", "t"} << "chk1";
    QTest::newRow("15 hollow ellipse") << 15 << "EEEED--" << QStringList{"a1", "a2", "b1", "b2", "t"} << "chk2";
    QTest::newRow("16 box section") << 16 << "EEEEDDD" << QStringList{"h1", "h2", "b1", "b2", "t1", "t2", "~h"} << "chk3";
    QTest::newRow("22 U-section") << 22 << "EEEE---" << QStringList{"h1", "h2", "b1", "b2"} << "";
    // clang-format on
}

void TestForm2Opening::opensSetUpForTheShape() {
    QFETCH(int, shape);
    QFETCH(QString, roles);
    QFETCH(QStringList, captions);
    QFETCH(QString, option);

    Calculator calc(shape);
    for (int i = 0; i < kSlotCount; ++i) {
        const QString n = kSlots[i];
        const QChar role = roles[i];
        auto* caption = calc.get<QLabel>("lbl" + n);
        auto* box = calc.get<QLineEdit>("txt" + n);
        QCOMPARE(caption->isVisible(), role != '-');
        QCOMPARE(box->isVisible(), role != '-');
        QCOMPARE(caption->isEnabled(), role == 'E');
        QCOMPARE(box->isEnabled(), role == 'E');
        QCOMPARE(caption->text(), i < captions.size() ? captions[i] : QString());
        QCOMPARE(box->text(), "0");
    }
    for (const QString name : {"chk1", "chk2", "chk3"}) {
        auto* box = calc.get<QCheckBox>(name);
        QCOMPARE(box->isVisible(), name == option);
        QCOMPARE(box->isEnabled(), name == option);
        QCOMPARE(box->checkState(), Qt::Unchecked);
        QCOMPARE(box->text(), "\"t\"を用いる");
    }

    auto* list = calc.get<QComboBox>("cmb1");
    QVERIFY(list->isVisible() && list->isEnabled());
    QCOMPARE(list->currentText(), kMm);
    QCOMPARE(list->count(), 8);
    QCOMPARE(calc.module.UnitSuffix, "mm");

    QCOMPARE(calc.answers(), QStringList(4, "0"));
    QCOMPARE(calc.units(), QStringList(4, "mm"));
    QCOMPARE(calc.secondLine(), QStringList(4, ""));
    QCOMPARE(calc.secondLineShown(), "----");
    QCOMPARE(
        (QStringList{calc.text("Label1"), calc.text("Label2"), calc.text("Label3"), calc.text("Label4")}),
        (QStringList{"A =", "I =", "Z =", "k ="}));
    QCOMPARE(
        (QStringList{calc.text("Label5"), calc.text("Label6"), calc.text("Label7"), calc.text("Label8")}),
        (QStringList{"2", "4", "3", "2"}));
    QCOMPARE(calc.get<QGroupBox>("Frame4")->title(), " 断面係数 ");

    QVERIFY(calc.get("img1")->isVisible());
    QCOMPARE(calc.module.values, SectionValues{});
    QVERIFY(calc.platform.messages.isEmpty());
    QCOMPARE(FocusName(), "cmd1");
}

void TestForm2Opening::controlsStandWhereTheLayoutPutsThem_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("twips");  // Left, Top, Width, Height, in the parent

    const auto row = [](const QString& name, int l, int t, int w, int h) {
        QTest::newRow(qPrintable(name)) << name << QRect(l, t, w, h);
    };
    row("Frame1", 120, 120, 6975, 5655);
    row("cmb1", 7200, 240, 2055, 300);
    for (int n = 1; n <= 7; ++n) {
        row(QString("lbl%1").arg(n), 7440, 720 + 720 * (n - 1), 1815, 255);
        row(QString("txt%1").arg(n), 7680, 960 + 720 * (n - 1), 1455, 270);
    }
    row("chk1", 7680, 3360, 1455, 255);
    row("chk2", 7680, 4080, 1455, 255);
    row("chk3", 7680, 5520, 1335, 255);
    row("cmd1", 7680, 6120, 1575, 375);
    row("Frame2", 120, 6000, 3375, 975);
    row("Frame3", 3720, 6000, 3375, 975);
    row("Frame4", 120, 7200, 3375, 975);
    row("Frame5", 3720, 7200, 3375, 975);
    row("oc2", 8400, 7680, 855, 255);
    row("oc3", 8400, 8040, 855, 255);
    const QStringList symbols{"Label1", "Label2", "Label3", "Label4"};
    const QStringList answers{"ansal", "ansil", "anszl", "anskl"};
    const QStringList units{"aunil", "iunil", "zunil", "kunil"};
    const QStringList seconds{"unal", "unil", "unzl", "unkl"};
    for (int i = 0; i < 4; ++i) {
        row(symbols[i], 360, 360, 375, 255);
        row(answers[i], 720, 360, 2055, 255);
        row(units[i], 2760, 360, 375, 255);
        row(seconds[i], 720, 600, 2055, 255);
    }
    for (const QString exponent : {"Label5", "Label6", "Label7"}) row(exponent, 3000, 240, 255, 255);
    row("Label8", 480, 360, 135, 255);
}

void TestForm2Opening::controlsStandWhereTheLayoutPutsThem() {
    QFETCH(QString, name);
    QFETCH(QRect, twips);
    const Calculator calc(16);
    QCOMPARE(calc.get(name)->geometry(), TwipsRect(twips.x(), twips.y(), twips.width(), twips.height()));
}

void TestForm2Opening::drawingIsCentredInFrame1_data() {
    QTest::addColumn<int>("shape");
    QTest::addColumn<double>("left");  // twips, from Frame1's outer edge
    QTest::addColumn<double>("top");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");

    QTest::newRow("0 rectangle") << 0 << 975.0 << 682.5 << 5025 << 4290;
    QTest::newRow("12 circular tube") << 12 << 922.5 << 292.5 << 5130 << 5070;
    QTest::newRow("16 box, tallest") << 16 << 780.0 << 142.5 << 5415 << 5370;
    QTest::newRow("22 U-section, widest") << 22 << 232.5 << 330.0 << 6510 << 4995;
    QTest::newRow("23 T-section, widest") << 23 << 232.5 << 510.0 << 6510 << 4635;
}

void TestForm2Opening::drawingIsCentredInFrame1() {
    QFETCH(int, shape);
    QFETCH(double, left);
    QFETCH(double, top);
    QFETCH(int, width);
    QFETCH(int, height);

    const Calculator calc(shape);
    auto* drawing = calc.get<QLabel>("img1");
    QCOMPARE(drawing->parentWidget(), calc.get("Frame1"));
    QCOMPARE(drawing->geometry(), TwipsRect(left, top, width, height));
    const QPixmap pixmap = drawing->pixmap();
    QCOMPARE(pixmap.isNull(), !QFile::exists(DrawingPath(shape)));
    if (!pixmap.isNull()) {
        QCOMPARE(pixmap.deviceIndependentSize().toSize(), drawing->size());
        QCOMPARE(pixmap.devicePixelRatio(), calc.form->devicePixelRatioF());
    }
}

void TestForm2Opening::windowIsFixedCentredAndCaptioned() {
    Calculator calc(0);
    Form2& form = *calc.form;
    QCOMPARE(form.windowTitle(), "velmora: 電卓");
    QCOMPARE(form.size(), TwipsSize(9345, 8370));
    QCOMPARE(form.minimumSize(), form.maximumSize());
    QVERIFY(!(form.windowFlags() & (Qt::WindowMaximizeButtonHint | Qt::WindowMinimizeButtonHint)));
    // Centred on the fake 1920 × 1080 screen with the outer size 9435 × 8745 twips.
    QCOMPARE(form.pos(), QPoint(Px((1920 * 15 - 9435) / 2.0), Px((1080 * 15 - 8745) / 2.0)));
    QVERIFY(calc.get<QPushButton>("cmd1")->isDefault());
    QCOMPARE(calc.get<QPushButton>("cmd1")->text(), "Ans");
}

// The windows ask for "ＭＳ ゴシック" where it is installed, else for the first
// installed face that stands in for it, by that face's own name; and that is
// the face Qt draws with.
void TestForm2Opening::theGothicFaceIsAnInstalledOne() {
    testing::PrepareUiTest();
    const QString wanted = QString::fromUtf8(kFontFamily);
    const QStringList installed = QFontDatabase::families();
    if (installed.contains(wanted)) {
        QCOMPARE(GothicFamily(), wanted);
    } else {
        const QStringList standIns = QFont::substitutes(wanted);
        QVERIFY(!standIns.isEmpty());
        const auto first = std::find_if(standIns.begin(), standIns.end(), [&](const QString& name) {
            return installed.contains(name, Qt::CaseInsensitive);
        });
        QVERIFY2(first != standIns.end(), "no Japanese Gothic face is installed");
        QCOMPARE(GothicFamily().toLower(), first->toLower());  // Qt keeps substitutes in lower case
    }
    for (const bool bold : {false, true}) QCOMPARE(QFontInfo(GothicFont(9, bold)).family(), GothicFamily());
}

void TestForm2Opening::fontsAndAlignments_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<double>("points");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<int>("alignment");  // horizontal; 0 for controls that are no labels

    QTest::newRow("window") << "Form2" << 9.0 << false << 0;
    QTest::newRow("txt1") << "txt1" << 9.0 << false << 0;
    QTest::newRow("cmd1") << "cmd1" << 9.0 << false << 0;
    QTest::newRow("lbl1") << "lbl1" << 9.0 << true << int(Qt::AlignLeft);
    QTest::newRow("Frame2 caption") << "Frame2" << 9.0 << true << 0;
    QTest::newRow("Label1") << "Label1" << 11.25 << false << int(Qt::AlignLeft);
    QTest::newRow("ansal") << "ansal" << 11.25 << false << int(Qt::AlignRight);
    QTest::newRow("unzl") << "unzl" << 11.25 << false << int(Qt::AlignRight);
    QTest::newRow("Label6") << "Label6" << 9.0 << false << int(Qt::AlignRight);
    QTest::newRow("Label8") << "Label8" << 8.25 << false << int(Qt::AlignLeft);
}

void TestForm2Opening::fontsAndAlignments() {
    QFETCH(QString, name);
    QFETCH(double, points);
    QFETCH(bool, bold);
    QFETCH(int, alignment);

    const Calculator calc(16);
    QWidget* widget = name == "Form2" ? calc.form.get() : calc.get(name);
    QCOMPARE(widget->font().family(), GothicFamily());
    QCOMPARE(widget->font().pointSizeF(), points);
    QCOMPARE(widget->font().bold(), bold);
    if (alignment) {
        // Labels draw from their top edge; that raises the smaller exponents.
        const Qt::Alignment actual = qobject_cast<QLabel*>(widget)->alignment();
        QCOMPARE(int(actual & Qt::AlignHorizontal_Mask), alignment);
        QCOMPARE(int(actual & Qt::AlignVertical_Mask), int(Qt::AlignTop));
    }
}

void TestForm2Opening::colours() {
    const Calculator calc(16);
    const QColor peach(255, 224, 192);
    for (const QString name : {"Frame1", "Frame3", "lbl2", "ansil", "chk3"})
        QCOMPARE(calc.get(name)->palette().color(QPalette::Window), peach);
    // Text boxes, the unit list and the buttons keep the system's colours.
    QVERIFY(calc.get("txt1")->palette().color(QPalette::Base) != peach);
    QVERIFY(calc.get("cmd1")->palette().color(QPalette::Button) != peach);
    QVERIFY(calc.get("cmb1")->palette().color(QPalette::Button) != peach);
}

void TestForm2Opening::tabWalksTheShownControlsInOrder_data() {
    QTest::addColumn<int>("shape");
    QTest::addColumn<QStringList>("order");  // from cmd1, which has the focus at opening

    QTest::newRow("16: greyed t1, t2, ~h skipped")
        << 16 << QStringList{"cmb1", "txt1", "txt2", "txt3", "txt4", "chk3", "oc2", "oc3", "cmd1"};
    QTest::newRow("12: chk1 after the entered inputs")
        << 12 << QStringList{"cmb1", "txt1", "txt2", "chk1", "oc2", "oc3", "cmd1"};
    QTest::newRow("15: chk2") << 15
                              << QStringList{"cmb1", "txt1", "txt2", "txt3", "txt4", "chk2", "oc2", "oc3"};
    QTest::newRow("2: one input") << 2 << QStringList{"cmb1", "txt1", "oc2", "oc3", "cmd1"};
}

void TestForm2Opening::tabWalksTheShownControlsInOrder() {
    QFETCH(int, shape);
    QFETCH(QStringList, order);
    const Calculator calc(shape);
    QCOMPARE(FocusName(), "cmd1");
    for (const QString& expected : order) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(FocusName(), expected);
    }
}

void TestForm2Opening::reopeningShowsAFreshWindow() {
    Calculator calc(16);
    calc.retype("txt1", "8");
    calc.retype("txt2", "10");
    calc.retype("txt3", "4");
    calc.retype("txt4", "6");
    calc.tick("chk3");
    calc.click("cmd1");
    QTest::keyClick(calc.get("cmb1"), Qt::Key_Up);  // cm
    QCOMPARE(calc.units(), QStringList(4, "cm"));
    QCOMPARE(calc.secondLineShown(), "vvvv");

    calc.reopen();
    for (const QString& n : kSlots) QCOMPARE(calc.text("txt" + n), "0");
    QCOMPARE(calc.get<QCheckBox>("chk3")->checkState(), Qt::Unchecked);
    QVERIFY(!calc.get("txt5")->isEnabled());
    QCOMPARE(calc.text("cmb1"), kMm);
    QCOMPARE(calc.module.UnitSuffix, "mm");
    QCOMPARE(calc.units(), QStringList(4, "mm"));
    QCOMPARE(calc.answers(), QStringList(4, "0"));
    QCOMPARE(calc.secondLine(), QStringList(4, ""));
    QCOMPARE(calc.secondLineShown(), "----");
    QCOMPARE(calc.module.values, SectionValues{});
    QVERIFY(calc.platform.messages.isEmpty());
}

QTEST_MAIN(TestForm2Opening)
#include "test_form2_opening.moc"
