// Saving a sheet where it cannot be written: a Japanese message names the file
// and the reason, and nothing is left behind, neither a part of a PDF nor the
// temporary file, and a file already there keeps its content.
#include <sys/resource.h>
#include <unistd.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>

#include "tests/ui/calculator/calculator_harness.h"
#include "tests/ui/sheet/pdf_tools.h"
#include "tests/ui/support/test_setup.h"

using namespace velmora;
using namespace velmora::ui;
using namespace velmora::ui::testing;

namespace {

// The box section, computed.
void Compute(Calculator& calc) {
    for (const auto& [box, keys] : {std::pair{"txt1", "8"}, {"txt2", "10"}, {"txt3", "4"}, {"txt4", "6"}})
        calc.retype(box, keys);
    calc.click("cmd1");
}

QStringList Listing(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

// Keeps every write beyond `bytes` from happening, as a full disk does, until destroyed.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &before_);
        previous_ = std::signal(SIGXFSZ, SIG_IGN);  // a failed write, not the end of the program
        rlimit limit = before_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &before_);
        std::signal(SIGXFSZ, previous_);
    }

private:
    rlimit before_{};
    void (*previous_)(int) = nullptr;
};

}  // namespace

class TestSheetFailures : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;

    // Saves to `path` and returns the one message shown.
    static MessageRequest SaveExpectingMessage(Calculator& calc, const QString& path) {
        DialogAnswers answers;
        answers.subject = QStringLiteral("件名");
        SaveWithKeys(calc, path, answers);
        if (calc.platform.messages.size() != 1)
            qFatal("expected one message, got %lld after %lld file questions; %s is %lld bytes",
                   calc.platform.messages.size(), calc.platform.saveRequests.size(), qPrintable(path),
                   QFileInfo(path).size());
        return calc.platform.messages.first();
    }

private slots:
    void initTestCase() {
        PrepareUiTest();
        QVERIFY(dir_.isValid());
    }

    // A folder the program may not write in. Permissions do not stop root;
    // /sys refuses new files even to root.
    void unwritableFolder() {
        Calculator calc(16);
        Compute(calc);
        QTemporaryDir locked(dir_.filePath(QStringLiteral("XXXXXX")));
        QString folder = locked.path();
        if (geteuid() == 0)
            folder = QStringLiteral("/sys");
        else
            QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
        const QStringList before = Listing(folder);
        const QString path = QDir(folder).filePath(QStringLiteral("計算書.pdf"));

        const MessageRequest message = SaveExpectingMessage(calc, path);
        QVERIFY2(message.text.startsWith(QStringLiteral("計算書を保存できませんでした。")),
                 qPrintable(message.text));
        QVERIFY(message.text.contains(QStringLiteral("ファイル: ") + path));
        QVERIFY(message.text.contains(QStringLiteral("理由: このフォルダーにはファイルを作れません")));
        QCOMPARE(message.title, QStringLiteral("利用ナビ"));
        QCOMPARE(message.icon, MessageIcon::Exclamation);
        QCOMPARE(Listing(folder), before);
        QFile::setPermissions(locked.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    // A folder's name as the file name, and a folder that is not there.
    void notAFile_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("reason");
        QTest::newRow("a folder") << ""
                                  << "フォルダーの名前です";
        QTest::newRow("a missing folder") << "missing/sheet.pdf"
                                          << "がありません";
    }

    void notAFile() {
        QFETCH(QString, name);
        QFETCH(QString, reason);
        Calculator calc(0);
        calc.retype("txt1", "3");
        calc.retype("txt2", "2");
        calc.click("cmd1");
        QTemporaryDir folder(dir_.filePath(QStringLiteral("XXXXXX")));
        const QString path = name.isEmpty() ? folder.path() : folder.filePath(name);
        const MessageRequest message = SaveExpectingMessage(calc, path);
        QVERIFY2(message.text.contains(QDir::toNativeSeparators(path)), qPrintable(message.text));
        QVERIFY2(message.text.contains(reason), qPrintable(message.text));
        QVERIFY(Listing(folder.path()).isEmpty());
    }

    // The disk fills up halfway through: the file that was there stays as it
    // was, and the temporary file goes.
    void writeFailsHalfway() {
        Calculator calc(16);
        Compute(calc);
        QTemporaryDir folder(dir_.filePath(QStringLiteral("XXXXXX")));
        const QString path = folder.filePath(QStringLiteral("sheet.pdf"));
        {
            QFile old(path);
            QVERIFY(old.open(QIODevice::WriteOnly));
            old.write("the sheet of yesterday");
        }
        MessageRequest message;
        {
            const FileSizeLimit limit(4096);  // far less than one sheet
            message = SaveExpectingMessage(calc, path);
        }
        QVERIFY2(message.text.contains(QStringLiteral("書き込みに失敗しました")), qPrintable(message.text));
        QVERIFY(message.text.contains(path));
        QCOMPARE(Listing(folder.path()), QStringList{"sheet.pdf"});
        QFile old(path);
        QVERIFY(old.open(QIODevice::ReadOnly));
        QCOMPARE(old.readAll(), QByteArray("the sheet of yesterday"));

        // Room again: the same save now replaces it.
        calc.platform.messages.clear();
        SaveWithKeys(calc, path, {});
        QVERIFY(calc.platform.messages.isEmpty());
        QCOMPARE(Listing(folder.path()), QStringList{"sheet.pdf"});
        QVERIFY(ReadPdf(path).text.contains(QStringLiteral("断面性能計算書")));
    }
};

QTEST_MAIN(TestSheetFailures)
#include "test_sheet_failures.moc"
