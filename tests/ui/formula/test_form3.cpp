// The formula viewer: which picture and caption each shape and kind gets, the
// window's look and place, and the ways it closes.

#include <QLabel>
#include <QTest>
#include <QTimer>

#include "core/formula_pictures.h"
#include "tests/ui/support/fake_platform.h"
#include "tests/ui/support/recording_navigator.h"
#include "tests/ui/support/test_setup.h"
#include "ui/common/pictures.h"
#include "ui/formula/form3.h"
#include "ui/formula/formula_text.h"

using namespace velmora;
using namespace velmora::ui;
using namespace velmora::ui::testing;

namespace {

const QString kNoCaption = QStringLiteral("...");

}  // namespace

class TestForm3 : public QObject {
    Q_OBJECT

private:
    Module1 module_;
    FakePlatform platform_;
    RecordingNavigator navigator_;
    AppContext context_{module_, platform_, navigator_};

    // A viewer opened (without blocking) for a shape and kind.
    std::unique_ptr<Form3> open(int shape, const QString& kind) {
        module_.SelectedShape = static_cast<ShapeType>(shape);
        module_.FormulaKind = kind.toStdString();
        auto form = std::make_unique<Form3>(context_, nullptr);
        form->show();
        return form;
    }

    static QLabel* picture(Form3& form) { return form.findChild<QLabel*>(QStringLiteral("Image1")); }

    static QImage shownImage(Form3& form) { return picture(form)->pixmap().toImage(); }

    // Nothing on show: the picture control is hidden and empty.
    static void verifyEmpty(Form3& form) {
        QCOMPARE(form.shownPicture(), -1);
        QVERIFY(picture(form)->isHidden());
        QVERIFY(picture(form)->pixmap().isNull());
    }

private slots:
    void initTestCase() { PrepareUiTest(); }

    void init() { module_ = Module1{}; }

    void windowLookAndPlace() {
        const auto form = open(0, QStringLiteral("a"));
        QCOMPARE(form->windowTitle(), QStringLiteral("velmora: 公式：断面積(A)"));
        QCOMPARE(form->size(), QSize(527, 165));  // 7905 × 2475 twips
        QCOMPARE(form->minimumSize(), form->maximumSize());
        QCOMPARE(form->pos(), QPoint(694, 445));  // an outer 7995 × 2850 centred on 1920 × 1080
        QCOMPARE(picture(*form)->geometry(), QRect(8, 8, 508, 134));  // Left 120, Top 120
        QVERIFY(form->isModal());
        const Qt::WindowFlags flags = form->windowFlags();
        QVERIFY(!(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
        QVERIFY(!(flags & Qt::WindowContextHelpButtonHint));
        QCOMPARE(form->palette().color(QPalette::Window), QColor(255, 224, 192));
    }

    void pictureOfEveryShapeAndKind_data() {
        QTest::addColumn<int>("shape");
        QTest::addColumn<QString>("kind");
        for (int shape = 0; shape <= 24; ++shape)
            for (const char* kind : {"a", "i", "k", "z"})
                QTest::addRow("shape %d kind %s", shape, kind) << shape << QString::fromLatin1(kind);
    }

    // The right picture, at its natural size and the screen's ratio, named for screen readers.
    // Box, I- and channel section get the same pictures, as do H, cross and side T, and U, T and L.
    void pictureOfEveryShapeAndKind() {
        QFETCH(int, shape);
        QFETCH(QString, kind);
        const auto form = open(shape, kind);
        // The core's picture table (checked against the formula sources in
        // test_formula_pictures) says which picture belongs to the shape and kind.
        const int expected = FormulaPictureIndex(shape, kind.toStdString());
        QVERIFY(expected >= 0);
        QCOMPARE(form->shownPicture(), expected);

        QLabel* label = picture(*form);
        QVERIFY(label->isVisible());
        QCOMPARE(label->size(), FormulaSize(expected));
        const QPixmap pixmap = label->pixmap();
        QCOMPARE(pixmap.devicePixelRatio(), form->devicePixelRatio());
        QCOMPARE(pixmap.deviceIndependentSize().toSize(), FormulaSize(expected));
        QCOMPARE(pixmap.toImage(), FormulaPixmap(expected, form->devicePixelRatio()).toImage());

        const QString caption = QString::fromUtf8(FormulaCaption(kind.toStdString()));
        QCOMPARE(form->windowTitle(), caption);
        QVERIFY(caption.endsWith(label->accessibleName()) && label->accessibleName().startsWith("公式："));
        QVERIFY(!label->accessibleDescription().isEmpty());
        QCOMPARE(label->accessibleDescription(), FormulaText(expected));
    }

    // The two hexagons have the same A, I and k, and differ in Z.
    void hexagonsDifferInZOnly() {
        for (const char* kind : {"a", "i", "k"})
            QCOMPARE(shownImage(*open(7, QString::fromLatin1(kind))),
                     shownImage(*open(8, QString::fromLatin1(kind))));
        QVERIFY(shownImage(*open(7, QStringLiteral("z"))) != shownImage(*open(8, QStringLiteral("z"))));
    }

    void rectangleRadiusOfGyration() {
        const auto form = open(0, QStringLiteral("k"));
        QCOMPARE(form->windowTitle(), QStringLiteral("velmora: 公式：断面二次半径(k)"));
        QCOMPARE(form->shownPicture(), 2);
        QVERIFY(picture(*form)->accessibleDescription().contains(QLatin1String("(k=0.289h)")));
    }

    void unknownKind_data() {
        QTest::addColumn<QString>("kind");
        QTest::newRow("upper case") << "A";
        QTest::newRow("empty") << "";
        QTest::newRow("other letter") << "x";
        QTest::newRow("two letters") << "ak";
        QTest::newRow("trailing blank") << "z ";
    }

    void unknownKind() {
        QFETCH(QString, kind);
        const auto form = open(0, kind);
        QCOMPARE(form->windowTitle(), kNoCaption);
        verifyEmpty(*form);
    }

    void noShape_data() {
        QTest::addColumn<int>("shape");
        QTest::newRow("none chosen") << int(kNoShape);
        QTest::newRow("past the last") << 25;
        QTest::newRow("negative") << -1;
    }

    void noShape() {
        QFETCH(int, shape);
        const auto form = open(shape, QStringLiteral("i"));
        QCOMPARE(form->windowTitle(), QStringLiteral("velmora: 公式：断面二次モーメント(I)"));
        verifyEmpty(*form);
    }

    // A left double click on the formula closes the viewer; other double clicks do not. Closing
    // changes nothing in the program's values.
    void doubleClicks() {
        module_.UnitSuffix = "cm";
        module_.values.resA = 28;
        const auto form = open(16, QStringLiteral("i"));
        const Module1 before = module_;

        QTest::mouseDClick(form.get(), Qt::LeftButton, {}, QPoint(521, 158));  // background
        QTest::mouseDClick(picture(*form), Qt::RightButton);
        QVERIFY(form->isVisible());

        QTest::mouseDClick(picture(*form), Qt::LeftButton);
        QVERIFY(!form->isVisible());
        QCOMPARE(form->result(), int(QDialog::Accepted));
        QCOMPARE(module_.SelectedShape, before.SelectedShape);
        QCOMPARE(module_.FormulaKind, before.FormulaKind);
        QCOMPARE(module_.UnitSuffix, before.UnitSuffix);
        QVERIFY(module_.values == before.values);
    }

    void escapeAndCloseButtonClose() {
        auto form = open(13, QStringLiteral("z"));
        QTest::keyClick(form.get(), Qt::Key_Escape);
        QVERIFY(!form->isVisible());
        QCOMPARE(form->result(), int(QDialog::Rejected));

        form = open(13, QStringLiteral("z"));
        QVERIFY(form->close());
        QVERIFY(!form->isVisible());
        QCOMPARE(module_.FormulaKind, std::string("z"));
    }

    // The calculator waits in exec() until the formula is double-clicked.
    void modalRunEndsOnDoubleClick() {
        module_.SelectedShape = 13;
        module_.FormulaKind = "z";
        Form3 form(context_, nullptr);
        QTimer::singleShot(0, &form, [&form] { QTest::mouseDClick(picture(form), Qt::LeftButton); });
        QTimer::singleShot(5000, &form, &QDialog::reject);  // fail rather than hang
        QCOMPARE(form.exec(), int(QDialog::Accepted));
        QCOMPARE(form.shownPicture(), 55);
    }

    // Every showing starts from nothing: a second opening shows its own picture only.
    void reopeningShowsOnlyTheNewPicture() {
        const auto form = open(13, QStringLiteral("z"));
        QCOMPARE(form->shownPicture(), 55);
        QTest::mouseDClick(picture(*form), Qt::LeftButton);

        module_.FormulaKind = "x";
        form->show();
        QCOMPARE(form->windowTitle(), kNoCaption);
        verifyEmpty(*form);
        form->close();

        module_.FormulaKind = "a";
        form->show();
        QCOMPARE(form->shownPicture(), 52);
        QCOMPARE(picture(*form)->size(), FormulaSize(52));

        QCOMPARE(open(9, QStringLiteral("i"))->shownPicture(), 37);
    }
};

QTEST_MAIN(TestForm3)
#include "test_form3.moc"
