// The information window on its own: texts, layout, reading order, the two
// links and the exit question.
#include <QAbstractButton>
#include <QAccessible>
#include <QLabel>
#include <QTest>
#include <memory>

#include "core/module1.h"
#include "tests/ui/support/fake_platform.h"
#include "tests/ui/support/recording_navigator.h"
#include "tests/ui/support/test_setup.h"
#include "ui/shell/form4.h"

using namespace velmora;
using namespace velmora::ui;
using velmora::ui::testing::FakePlatform;
using velmora::ui::testing::RecordingNavigator;

namespace {

const QUrl kMail(QStringLiteral("mailto:support@velmora.example"));
const QUrl kWeb(QStringLiteral("https://velmora.example/"));

}  // namespace

class TestForm4 : public QObject {
    Q_OBJECT

    Module1 module;
    FakePlatform platform;
    RecordingNavigator navigator;
    AppContext context{module, platform, navigator};
    std::unique_ptr<Form4> form;

    QLabel* label(const QString& name) const { return form->findChild<QLabel*>(name); }

private slots:
    void initTestCase() { velmora::ui::testing::PrepareUiTest(); }

    void init() {
        platform = FakePlatform{};
        navigator = RecordingNavigator{};
        form = std::make_unique<Form4>(context);
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    }

    void cleanup() {
        form.reset();
        QCOMPARE(navigator.requests(), 0);  // the information window hands over to no other window
    }

    void window() {
        QCOMPARE(form->windowTitle(), QStringLiteral("velmora: Information"));
        QCOMPARE(form->size(), QSize(357, 154));  // 5355 x 2310 twips
        // (28800 - 5445) / 2 = 11677.5 twips, (16200 - 2685) / 2 = 6757.5 twips
        QCOMPARE(form->pos(), QPoint(779, 451));
        const Qt::WindowFlags flags = form->windowFlags();
        QVERIFY(!(flags & Qt::WindowContextHelpButtonHint));
        QVERIFY(!(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
        QVERIFY(form->findChildren<QAbstractButton*>().isEmpty());

        auto* icon = form->findChild<QLabel*>(QStringLiteral("Image1"));
        QVERIFY(icon);
        QCOMPARE(icon->geometry(), QRect(32, 16, 32, 32));
    }

    void labels_data() {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QRect>("geometry");
        QTest::newRow("Label1") << ": velmora" << QRect(152, 16, 145, 17);
        QTest::newRow("Label2") << ": 0.0.2" << QRect(152, 32, 49, 17);
        QTest::newRow("Label3") << "ソフト名" << QRect(88, 16, 49, 17);
        QTest::newRow("Label4") << "バージョン" << QRect(88, 32, 65, 17);
        QTest::newRow("Label5") << "E-Mail" << QRect(8, 64, 41, 17);
        QTest::newRow("Label6") << ": support@velmora.example" << QRect(48, 64, 153, 17);
        QTest::newRow("Label7") << "URL" << QRect(8, 88, 25, 17);
        QTest::newRow("Label8") << ": https://velmora.example/" << QRect(48, 88, 305, 17);
        QTest::newRow("Label9") << "Copyright (C) 2026 velmora project" << QRect(32, 120, 273, 17);
    }

    void labels() {
        QFETCH(QString, caption);
        QFETCH(QRect, geometry);
        QLabel* l = label(QString::fromLatin1(QTest::currentDataTag()));
        QVERIFY(l);
        QCOMPARE(l->text(), caption);
        QCOMPARE(l->geometry(), geometry);
        QCOMPARE(l->textFormat(), Qt::PlainText);
        QCOMPARE(l->focusPolicy(), Qt::NoFocus);
        // The whole caption fits: nothing is cut off at 9 point.
        QVERIFY2(l->sizeHint().width() <= l->width(), qPrintable(QString::number(l->sizeHint().width())));
    }

    // Nothing takes the focus, so the tab indices order what screen readers read.
    void readingOrderFollowsTheTabIndices() {
        QAccessibleInterface* window = QAccessible::queryAccessibleInterface(form.get());
        QVERIFY(window);
        QStringList order;
        for (int i = 0; i < window->childCount(); ++i) {
            if (auto* l = qobject_cast<QLabel*>(window->child(i)->object()); l && !l->text().isEmpty())
                order.append(l->objectName());
        }
        QCOMPARE(order, (QStringList{"Label1", "Label2", "Label3", "Label4", "Label9", "Label8", "Label7",
                                     "Label6", "Label5"}));
    }

    void linksOpenTheirTargets() {
        QTest::mouseClick(label("Label6"), Qt::LeftButton);
        QTest::mouseClick(label("Label8"), Qt::LeftButton);
        QCOMPARE(platform.urls, (QList<QUrl>{kMail, kWeb}));
        QVERIFY(form->isVisible());  // the window stays open
        QCOMPARE(label("Label6")->cursor().shape(), Qt::PointingHandCursor);
    }

    // The release that ends a double click is not a second click.
    void doubleClickOnALinkOpensItOnce() {
        QLabel* mail = label("Label6");
        QTest::mousePress(mail, Qt::LeftButton);
        QTest::mouseRelease(mail, Qt::LeftButton);
        QTest::mouseDClick(mail, Qt::LeftButton);
        QTest::mouseRelease(mail, Qt::LeftButton);
        QCOMPARE(platform.urls, QList<QUrl>{kMail});

        // The same through the window system's own double-click detection.
        QWindow* window = form->windowHandle();
        const QPoint web = label("Label8")->geometry().center();
        QTest::mouseDClick(window, Qt::LeftButton, {}, web);
        QCOMPARE(platform.urls, (QList<QUrl>{kMail, kWeb}));
        QVERIFY(platform.messages.isEmpty());
    }

    void otherLabelsDoNothing() {
        for (const char* name :
             {"Label1", "Label2", "Label3", "Label4", "Label5", "Label7", "Label9", "Image1"}) {
            QTest::mouseClick(label(QLatin1String(name)), Qt::LeftButton);
            QTest::mouseDClick(label(QLatin1String(name)), Qt::LeftButton);
        }
        QTest::mouseClick(label("Label6"), Qt::RightButton);
        QVERIFY(platform.urls.isEmpty());
        QVERIFY(platform.messages.isEmpty());
    }

    void backgroundDoubleClickAsksToExit() {
        const QPoint belowTheCopyright(200, 145);
        QCOMPARE(form->childAt(belowTheCopyright), nullptr);

        QTest::mouseDClick(form.get(), Qt::LeftButton, {}, belowTheCopyright);  // answered No
        QCOMPARE(platform.messages.size(), 1);
        const MessageRequest question{QStringLiteral("本当に終了しますか？"), QStringLiteral("利用ナビ"),
                                      MessageIcon::Question, MessageButtons::YesNo};
        QCOMPARE(platform.messages.first(), question);
        QCOMPARE(platform.messageParents.first(), form.get());
        QCOMPARE(platform.endCount, 0);
        QVERIFY(form->isVisible());

        platform.answer(MessageAnswer::Yes);
        QTest::mouseDClick(form.get(), Qt::LeftButton, {}, belowTheCopyright);
        QCOMPARE(platform.endCount, 1);
    }
};

QTEST_MAIN(TestForm4)
#include "test_form4.moc"
