// The sheet's dialog and file question as a user meets them over several
// sheets of one run: a letter for every control, the last headings and
// folder offered again, ".pdf" added to another extension, and the question
// asked again after a failed write.
#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include "tests/ui/calculator/calculator_harness.h"
#include "tests/ui/sheet/pdf_tools.h"
#include "tests/ui/support/test_setup.h"
#include "tests/ui/support/user_input.h"
#include "ui/sheet/sheet_dialog.h"

using namespace velmora;
using namespace velmora::ui;
using namespace velmora::ui::testing;

namespace {

void Compute(Calculator& calc) {
    calc.enter({"300", "150"});
    calc.click("cmd1");
}

// The letter after '&' in a caption, upper case; "" for none.
QString Mnemonic(const QString& text) {
    const QRegularExpressionMatch match = QRegularExpression(QStringLiteral("&([^&])")).match(text);
    return match.hasMatch() ? match.captured(1).toUpper() : QString();
}

}  // namespace

class TestSheetDialog : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;

private slots:
    void initTestCase() {
        PrepareUiTest();
        QVERIFY(dir_.isValid());
    }

    // Every control has its own Alt letter, and each letter reaches its control.
    void everyControlItsOwnLetter_data() {
        QTest::addColumn<int>("key");  // Ctrl+P or Ctrl+S
        QTest::newRow("preview") << int(Qt::Key_P);
        QTest::newRow("save") << int(Qt::Key_S);
    }

    void everyControlItsOwnLetter() {
        QFETCH(int, key);
        Calculator calc(0);
        Compute(calc);
        QStringList letters;
        QStringList reached;
        const bool appeared = WhileModal<SheetDialog>(
            [&] { QTest::keyClick(calc.form->windowHandle(), Qt::Key(key), Qt::ControlModifier); },
            [&](SheetDialog* dialog) {
                for (const QLabel* label : dialog->findChildren<QLabel*>())
                    if (label->buddy()) letters << Mnemonic(label->text());
                for (const QAbstractButton* button : dialog->findChildren<QAbstractButton*>())
                    letters << Mnemonic(button->text());
                for (const char* name : {"author", "member", "subject"}) {
                    const auto* box = dialog->findChild<QLineEdit*>(QLatin1String(name));
                    const QLabel* caption = nullptr;
                    for (const QLabel* label : dialog->findChildren<QLabel*>())
                        if (label->buddy() == box) caption = label;
                    QTest::keyClick(dialog->windowHandle(), Mnemonic(caption->text()).at(0).toLatin1(),
                                    Qt::AltModifier);
                    reached << QApplication::focusWidget()->objectName();
                }
            });
        QVERIFY(appeared);
        QCOMPARE(letters.size(), 6);  // 3 captions, the tick, OK, Cancel
        QVERIFY2(!letters.contains(QString()), qPrintable(letters.join(',')));
        QCOMPARE(QSet<QString>(letters.begin(), letters.end()).size(), letters.size());
        QCOMPARE(reached, (QStringList{"author", "member", "subject"}));
    }

    // The headings and the folder of the last sheet come back, also in a
    // calculator opened afresh; the first question starts in the documents
    // folder (or home), and a name with another extension gets ".pdf".
    void remembersAndAddsTheExtension() {
        Calculator calc(0);
        Compute(calc);
        QTemporaryDir out(dir_.filePath(QStringLiteral("XXXXXX")));
        DialogSeen first;
        const QString typed = out.filePath(QStringLiteral("計算書 テスト.txt"));
        SaveWithKeys(calc, typed, {"ＡＢ邸", "梁 G1", "設計 花子", false}, &first);
        QVERIFY(first.shown);
        QVERIFY(calc.platform.messages.isEmpty());
        QCOMPARE(QDir(out.path()).entryList(QDir::Files), QStringList{"計算書 テスト.txt.pdf"});
        QCOMPARE(calc.platform.saveRequests.size(), 1);
        QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        if (documents.isEmpty() || !QDir(documents).exists()) documents = QDir::homePath();
        QCOMPARE(QFileInfo(calc.platform.saveRequests[0].suggestedPath).absolutePath(), documents);

        calc.reopen();  // a new calculator window, as after a new shape
        Compute(calc);
        DialogSeen second;
        SaveWithKeys(calc, out.filePath(QStringLiteral("二枚目.PDF")),
                     {"ＡＢ邸", "梁 G2", "設計 花子", false}, &second);
        QCOMPARE(second.fields, (QStringList{"ＡＢ邸", "梁 G1", "設計 花子"}));
        QCOMPARE(calc.platform.saveRequests.size(), 2);
        QCOMPARE(QFileInfo(calc.platform.saveRequests[1].suggestedPath).absolutePath(), out.path());
        QVERIFY(QFileInfo::exists(out.filePath(QStringLiteral("二枚目.PDF"))));  // already a PDF's name
    }

    // A failed write says why and asks again from the failed name; a good
    // second name is written.
    void asksAgainAfterAFailedWrite() {
        Calculator calc(0);
        Compute(calc);
        QTemporaryDir out(dir_.filePath(QStringLiteral("XXXXXX")));
        const QString missing = out.filePath(QStringLiteral("無い/計算書.pdf"));
        const QString good = out.filePath(QStringLiteral("計算書.pdf"));
        calc.platform.saveNames.push_back(missing);
        SaveWithKeys(calc, good, {});
        QCOMPARE(calc.platform.messages.size(), 1);
        QVERIFY(calc.platform.messages[0].text.startsWith(QStringLiteral("計算書を保存できませんでした。")));
        QCOMPARE(calc.platform.saveRequests.size(), 2);
        QCOMPARE(calc.platform.saveRequests[1].suggestedPath, missing);
        QVERIFY(QFileInfo(good).size() > 0);

        // Cancelling the second question ends it without a second message.
        calc.platform.messages.clear();
        calc.platform.saveRequests.clear();
        SaveWithKeys(calc, missing, {});
        QCOMPARE(calc.platform.messages.size(), 1);
        QCOMPARE(calc.platform.saveRequests.size(), 2);
    }
};

QTEST_MAIN(TestSheetDialog)
#include "test_sheet_dialog.moc"
