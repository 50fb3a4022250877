#include "tests/ui/sheet/pdf_tools.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QProcess>
#include <QTest>
#include <QTimer>
#include <memory>

#include "tests/ui/calculator/calculator_harness.h"
#include "ui/sheet/sheet_dialog.h"

namespace velmora::ui::testing {
namespace {

QString Run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        qWarning("%s failed: %s", qPrintable(program), process.readAllStandardError().constData());
    return QString::fromUtf8(process.readAllStandardOutput());
}

// Types into the focused widget: ASCII key by key, anything else committed
// by the input method, as a Japanese IME hands over a converted word.
void Type(const QString& text) {
    QString run;
    const auto commit = [&run] {
        if (run.isEmpty()) return;
        QInputMethodEvent event;
        event.setCommitString(run);
        QApplication::sendEvent(QApplication::focusWidget(), &event);
        run.clear();
    };
    for (const QChar c : text) {
        if (c.unicode() >= 0x20 && c.unicode() < 0x7F) {
            commit();
            QTest::keyClick(QApplication::focusWidget(), static_cast<char>(c.unicode()));
        } else {
            run += c;
        }
    }
    commit();
}

// Replaces the text of the focused box: the dialog offers the last sheet's headings.
void Replace(const QString& text) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Delete);
    Type(text);
}

}  // namespace

PdfReport ReadPdf(const QString& path) {
    PdfReport report;
    const QString raw = Run(QStringLiteral("pdftotext"),
                            {QStringLiteral("-enc"), QStringLiteral("UTF-8"), path, QStringLiteral("-")});
    report.lines = raw.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    report.text = raw.simplified();
    report.info = Run(QStringLiteral("pdfinfo"), {path});
    report.fonts = Run(QStringLiteral("pdffonts"), {path});
    report.images = Run(QStringLiteral("pdfimages"), {QStringLiteral("-list"), path});
    return report;
}

QStringList TableRows(const QString& listing) {
    QStringList rows = listing.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    return rows.mid(2);
}

void AnswerSheetDialog(const DialogAnswers& answers, DialogSeen* seen) {
    auto* timer = new QTimer;
    timer->setInterval(0);
    auto started = std::make_shared<QElapsedTimer>();
    started->start();
    QObject::connect(timer, &QTimer::timeout, [timer, answers, seen, started] {
        if (started->elapsed() > 10000) {  // no dialog came: leave the next one alone
            timer->stop();
            timer->deleteLater();
            return;
        }
        auto* dialog = qobject_cast<SheetDialog*>(QApplication::activeModalWidget());
        // Not yet: keys go to the focused box of the active window.
        if (!dialog || !dialog->isActiveWindow() || !QApplication::focusWidget()) return;
        timer->stop();
        timer->deleteLater();
        auto* tick = dialog->findChild<QCheckBox*>(QStringLiteral("includeDetails"));
        if (seen) {
            seen->shown = true;
            seen->detailsTick = tick->isChecked();
            seen->title = dialog->windowTitle();
            for (const char* name : {"subject", "member", "author"})
                seen->fields << dialog->findChild<QLineEdit*>(QLatin1String(name))->text();
        }
        // The focus starts in 件名; Tab walks on, as a user would.
        Replace(answers.subject);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        Replace(answers.member);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        Replace(answers.author);
        if (tick->isChecked() != answers.includeDetails) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        }
        QTest::keyClick(QApplication::focusWidget(), answers.accept ? Qt::Key_Return : Qt::Key_Escape);
    });
    timer->start();
}

void SaveWithKeys(Calculator& calc, const QString& path, const DialogAnswers& answers, DialogSeen* seen) {
    calc.platform.saveNames.push_back(path);
    AnswerSheetDialog(answers, seen);
    // The window's shortcuts act while it is the active window: after an
    // earlier dialog, as a user clicks on it, bring it back.
    calc.form->activateWindow();
    if (!QTest::qWaitForWindowActive(calc.form.get())) qFatal("the calculator is not active");
    QTest::keyClick(calc.form.get(), Qt::Key_S, Qt::ControlModifier);
}

}  // namespace velmora::ui::testing
