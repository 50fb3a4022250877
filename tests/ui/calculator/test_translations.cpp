// With Qt's Japanese catalogue installed, real message boxes read in Japanese.
#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>
#include <algorithm>

#include "ui/common/platform.h"
#include "ui/shell/qt_platform.h"
#include "ui/shell/translations.h"

using namespace velmora::ui;

Q_DECLARE_METATYPE(velmora::ui::MessageButtons)
Q_DECLARE_METATYPE(velmora::ui::MessageAnswer)

class TestTranslations : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void messageBoxButtonsReadInJapanese_data();
    void messageBoxButtonsReadInJapanese();
};

void TestTranslations::initTestCase() { QVERIFY(InstallTranslations(*qApp)); }

void TestTranslations::messageBoxButtonsReadInJapanese_data() {
    QTest::addColumn<MessageButtons>("buttons");
    QTest::addColumn<QStringList>("texts");  // without their keyboard mnemonics, left to right
    QTest::addColumn<int>("pressed");        // index into texts
    QTest::addColumn<MessageAnswer>("answer");

    QTest::newRow("OK") << MessageButtons::Ok << QStringList{"OK"} << 0 << MessageAnswer::Ok;
    QTest::newRow("OK/Cancel, Cancel")
        << MessageButtons::OkCancel << QStringList{"OK", "キャンセル"} << 1 << MessageAnswer::Cancel;
    QTest::newRow("Yes/No, Yes") << MessageButtons::YesNo << QStringList{"はい", "いいえ"} << 0
                                 << MessageAnswer::Yes;
    QTest::newRow("Yes/No, No") << MessageButtons::YesNo << QStringList{"はい", "いいえ"} << 1
                                << MessageAnswer::No;
}

void TestTranslations::messageBoxButtonsReadInJapanese() {
    QFETCH(MessageButtons, buttons);
    QFETCH(QStringList, texts);
    QFETCH(int, pressed);
    QFETCH(MessageAnswer, answer);

    QStringList shown;
    QTimer poll;  // looks for the box once its event loop runs, reads it, presses a button
    connect(&poll, &QTimer::timeout, this, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return;
        poll.stop();
        QList<QAbstractButton*> order = box->buttons();
        std::sort(order.begin(), order.end(),
                  [](QAbstractButton* a, QAbstractButton* b) { return a->x() < b->x(); });
        for (QAbstractButton* button : order) {
            // Japanese catalogues add the mnemonic in brackets: "はい(&Y)".
            QString text = button->text();
            text.remove(QRegularExpression(QStringLiteral("\\(&.\\)|&")));
            shown << text;
        }
        if (pressed < order.size()) order[pressed]->click();
    });
    poll.start(10);

    QtPlatform platform;
    const MessageAnswer result = platform.showMessage(
        nullptr,
        {QStringLiteral("本当に終了しますか？"), QStringLiteral("利用ナビ"), MessageIcon::Question, buttons});
    QCOMPARE(shown, texts);
    QCOMPARE(result, answer);
}

QTEST_MAIN(TestTranslations)
#include "test_translations.moc"
