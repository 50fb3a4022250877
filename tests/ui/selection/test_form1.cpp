// The shape selection window on its own: layout, choosing a shape, and every
// hand-over it asks of the navigator.
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <memory>

#include "core/module1.h"
#include "tests/ui/support/fake_platform.h"
#include "tests/ui/support/recording_navigator.h"
#include "tests/ui/support/test_setup.h"
#include "tests/ui/support/user_input.h"
#include "ui/common/pictures.h"
#include "ui/selection/form1.h"

using namespace velmora;
using namespace velmora::ui;
using velmora::ui::testing::FakePlatform;
using velmora::ui::testing::HoverTip;
using velmora::ui::testing::RecordingNavigator;
using velmora::ui::testing::ShownChoice;

class TestForm1 : public QObject {
    Q_OBJECT

    Module1 module;
    FakePlatform platform;
    RecordingNavigator navigator;
    AppContext context{module, platform, navigator};
    std::unique_ptr<Form1> form;

    QLabel* picture(const char* array, int index) const {
        return form->findChild<QLabel*>(QStringLiteral("%1_%2").arg(QLatin1String(array)).arg(index));
    }
    QPushButton* button(const char* name) const { return form->findChild<QPushButton*>(QLatin1String(name)); }

    QString shownChoice() const { return ShownChoice(form.get()); }

    void openForm() {
        form = std::make_unique<Form1>(context);
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    }

private slots:
    void initTestCase() { velmora::ui::testing::PrepareUiTest(); }

    void init() {
        module = Module1{};
        module.SelectedShape = 6;  // left over from an earlier visit
        platform = FakePlatform{};
        navigator = RecordingNavigator{};
        openForm();
    }

    void cleanup() { form.reset(); }

    void loadShowsNoShapeChosen() {
        QCOMPARE(module.SelectedShape, kNoShape);
        QCOMPARE(shownChoice(), QString());
        QCOMPARE(form->windowTitle(), QStringLiteral("velmora: 断面選択"));
        QVERIFY(!(form->windowFlags() & Qt::WindowMinimizeButtonHint));
        QVERIFY(!(form->windowFlags() & Qt::WindowMaximizeButtonHint));
    }

    void layoutFollowsTheTwipsTable() {
        QCOMPARE(form->size(), QSize(362, 330));  // 5430 x 4950 twips

        auto* frame = form->findChild<QGroupBox*>(QStringLiteral("Frame1"));
        QVERIFY(frame);
        QCOMPARE(frame->title(), QStringLiteral(" 断面形状の選択 "));
        QVERIFY(frame->font().bold());
        QVERIFY(!form->font().bold());
        QCOMPARE(frame->geometry(), QRect(8, 16, 345, 281));

        QCOMPARE(button("cmd1")->text(), QStringLiteral("OK"));
        QCOMPARE(button("cmd1")->geometry(), QRect(296, 304, 57, 17));
        QVERIFY(button("cmd1")->isDefault());
        QCOMPARE(button("oc2")->text(), QStringLiteral("Info"));
        QCOMPARE(button("oc2")->geometry(), QRect(8, 304, 57, 17));
        QCOMPARE(button("oc3")->text(), QStringLiteral("Exit"));
        QCOMPARE(button("oc3")->geometry(), QRect(80, 304, 57, 17));

        // Corners and middle of the grid, both pictures of each pair in one rectangle.
        const QList<std::pair<int, QRect>> rects{{0, {24, 32, 40, 31}},
                                                 {4, {280, 32, 40, 31}},
                                                 {7, {152, 80, 40, 31}},
                                                 {20, {24, 224, 40, 31}},
                                                 {24, {280, 224, 40, 31}}};
        for (const auto& [index, rect] : rects) {
            QCOMPARE(picture("Image1", index)->geometry(), rect);
            QCOMPARE(picture("Image2", index)->geometry(), rect);
            QCOMPARE(picture("Image1", index)->parentWidget(), frame);
        }
        // Screen readers name each picture by its shape.
        QCOMPARE(picture("Image1", 16)->accessibleName(), QString::fromUtf8(FindShape(16)->japaneseName));
    }

    // Resting the pointer on a thumbnail names its shape in Japanese; the
    // pictures' accessible names stay the shapes' names.
    void thumbnailsNameTheirShapes() {
        openForm();
        for (const ShapeEntry& shape : AllShapes()) {
            const QString name = QString::fromUtf8(shape.japaneseName);
            QCOMPARE(HoverTip(picture("Image1", shape.index)), name);
            QCOMPARE(picture("Image1", shape.index)->accessibleName(), name);
        }
        // The chosen one too.
        QTest::mouseClick(picture("Image1", 7), Qt::LeftButton);
        QCOMPARE(HoverTip(picture("Image2", 7)), QString::fromUtf8(FindShape(7)->japaneseName));
    }

    void centredOnTheScreen_data() {
        QTest::addColumn<QRect>("screen");
        QTest::addColumn<QPoint>("position");
        // (28800 - 5520) / 2 = 11640 twips, (16200 - 5325) / 2 = 5437.5 twips
        QTest::newRow("1920x1080") << QRect(0, 0, 1920, 1080) << QPoint(776, 363);
        // Smaller than the window: negative halves, partly off screen.
        // (4800 - 5520) / 2 = -360 twips, (3600 - 5325) / 2 = -862.5 twips
        QTest::newRow("320x240") << QRect(0, 0, 320, 240) << QPoint(-24, -58);
    }

    void centredOnTheScreen() {
        QFETCH(QRect, screen);
        QFETCH(QPoint, position);
        platform.screen = screen;
        Form1 window(context);
        QCOMPARE(window.pos(), position);
    }

    void clickMovesTheChoice() {
        QTest::mouseClick(picture("Image1", 7), Qt::LeftButton);
        QCOMPARE(module.SelectedShape, ShapeType{7});
        QCOMPARE(shownChoice(), QStringLiteral("7"));

        QTest::mouseClick(picture("Image1", 12), Qt::LeftButton);
        QCOMPARE(module.SelectedShape, ShapeType{12});
        QCOMPARE(shownChoice(), QStringLiteral("12"));

        // No click handler on the selected picture, and only the left button chooses.
        QTest::mouseClick(picture("Image2", 12), Qt::LeftButton);
        QTest::mouseClick(picture("Image1", 3), Qt::RightButton);
        QCOMPARE(module.SelectedShape, ShapeType{12});
        QCOMPARE(shownChoice(), QStringLiteral("12"));

        // A press that leaves the picture before the release is no click.
        QTest::mousePress(picture("Image1", 3), Qt::LeftButton);
        QTest::mouseRelease(picture("Image1", 3), Qt::LeftButton, {}, QPoint(-5, -5));
        QCOMPARE(module.SelectedShape, ShapeType{12});

        QVERIFY(platform.messages.isEmpty());
        QCOMPARE(navigator.calculatorRequests, 0);
    }

    void okWithoutShapeAsksForOne() {
        QTest::mouseClick(button("cmd1"), Qt::LeftButton);
        QTest::keyClick(form.get(), Qt::Key_Return);  // the default button
        const MessageRequest expected{QStringLiteral("計算する断面形状を選択して下さい"),
                                      QStringLiteral("利用ナビ"), MessageIcon::Information,
                                      MessageButtons::Ok};
        QCOMPARE(platform.messages, (QList<MessageRequest>{expected, expected}));
        QCOMPARE(platform.messageParents.value(0), form.get());
        QCOMPARE(navigator.calculatorRequests, 0);
        QCOMPARE(module.SelectedShape, kNoShape);
    }

    // Each picture shows its own drawing: the normal ones from the start, a
    // selected one once its shape is chosen.
    void picturesShowTheirThumbnails() {
        const qreal ratio = form->devicePixelRatioF();
        for (const int shape : {0, 12, 24}) {
            QCOMPARE(picture("Image1", shape)->pixmap().toImage(),
                     ThumbnailPixmap(shape, false, ratio).toImage());
            QTest::mouseClick(picture("Image1", shape), Qt::LeftButton);
            QCOMPARE(picture("Image2", shape)->pixmap().toImage(),
                     ThumbnailPixmap(shape, true, ratio).toImage());
        }
        QVERIFY(ThumbnailPixmap(12, true, ratio).toImage() != ThumbnailPixmap(12, false, ratio).toImage());
    }

    // Enter on a focused Info opens the information window, not OK's message.
    void enterOnInfoOpensTheInformation() {
        button("oc2")->setFocus(Qt::TabFocusReason);
        QTest::keyClick(form->windowHandle(), Qt::Key_Return);
        QCOMPARE(navigator.informationOwners, QList<QWidget*>{form.get()});
        QVERIFY(platform.messages.isEmpty());
        QVERIFY(button("oc2")->isDefault());
        QVERIFY(!button("cmd1")->isDefault());
    }

    // Shape 0 is a real shape, not "nothing chosen".
    void okOpensTheCalculatorForTheChosenShape() {
        QTest::mouseClick(picture("Image1", 0), Qt::LeftButton);
        QTest::keyClick(form.get(), Qt::Key_Enter);
        QCOMPARE(navigator.calculatorRequests, 1);
        QCOMPARE(module.SelectedShape, ShapeType{0});
        QCOMPARE(shownChoice(), QStringLiteral("0"));  // OK leaves the pictures as they are
        QVERIFY(platform.messages.isEmpty());
    }

    void doubleClickOnTheSelectedPictureOpensTheCalculator() {
        QTest::mouseClick(picture("Image1", 12), Qt::LeftButton);
        QTest::mouseDClick(picture("Image2", 12), Qt::LeftButton);
        QCOMPARE(navigator.calculatorRequests, 1);
        QCOMPARE(module.SelectedShape, ShapeType{12});
        QCOMPARE(shownChoice(), QString());  // reset before the hand-over
        QVERIFY(platform.messages.isEmpty());
    }

    // As the window system delivers it: the first click chooses the shape, and the
    // double click lands on the selected picture now in the same place.
    void doubleClickOnANormalPictureOpensTheCalculator() {
        QLabel* normal = picture("Image1", 16);
        QTest::mouseDClick(form->windowHandle(), Qt::LeftButton, {},
                           normal->mapTo(form.get(), normal->rect().center()));
        QCOMPARE(module.SelectedShape, ShapeType{16});
        QCOMPARE(navigator.calculatorRequests, 1);
        QVERIFY(platform.messages.isEmpty());
    }

    void infoAndExit() {
        QTest::mouseClick(button("oc2"), Qt::LeftButton);
        QCOMPARE(navigator.informationOwners, QList<QWidget*>{form.get()});
        QCOMPARE(platform.endCount, 0);

        QTest::mouseClick(button("oc3"), Qt::LeftButton);
        QCOMPARE(platform.endCount, 1);
        QVERIFY(platform.messages.isEmpty());  // no question
    }

    void backgroundDoubleClickAsksToExit() {
        QTest::mouseClick(picture("Image1", 9), Qt::LeftButton);
        const QPoint besideTheButtons(200, 312);
        QCOMPARE(form->childAt(besideTheButtons), nullptr);

        QTest::mouseDClick(form.get(), Qt::LeftButton, {}, besideTheButtons);  // answered No
        QCOMPARE(platform.messages.size(), 1);
        const MessageRequest question{QStringLiteral("本当に終了しますか？"), QStringLiteral("利用ナビ"),
                                      MessageIcon::Question, MessageButtons::YesNo};
        QCOMPARE(platform.messages.last(), question);
        QCOMPARE(platform.endCount, 0);
        QCOMPARE(module.SelectedShape, ShapeType{9});
        QCOMPARE(shownChoice(), QStringLiteral("9"));

        platform.answer(MessageAnswer::Yes);
        QTest::mouseDClick(form.get(), Qt::LeftButton, {}, QPoint(4, 4));
        QCOMPARE(platform.messages.size(), 2);
        QCOMPARE(platform.endCount, 1);
    }

    void doubleClicksOnControlsDoNotAsk() {
        auto* frame = form->findChild<QGroupBox*>(QStringLiteral("Frame1"));
        QTest::mouseDClick(frame, Qt::LeftButton, {}, QPoint(4, 4));          // caption corner
        QTest::mouseDClick(frame, Qt::LeftButton, {}, QPoint(10, 270));       // between pictures
        QTest::mouseDClick(picture("Image1", 5), Qt::LeftButton);             // a normal picture
        QTest::mouseDClick(button("oc2"), Qt::LeftButton, {}, QPoint(2, 2));  // a button
        QVERIFY(platform.messages.isEmpty());
        QCOMPARE(platform.endCount, 0);
        QCOMPARE(navigator.calculatorRequests, 0);
    }
};

QTEST_MAIN(TestForm1)
#include "test_form1.moc"
