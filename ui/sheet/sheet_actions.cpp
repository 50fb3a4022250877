#include "ui/sheet/sheet_actions.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QWidget>

#include "ui/common/platform.h"
#include "ui/common/text.h"
#include "ui/sheet/sheet_dialog.h"
#include "ui/sheet/sheet_output.h"

namespace velmora::ui {
namespace {

// The last sheet's headings and folder, offered again while the program runs.
// The program keeps nothing between runs: this lives in memory only, shared
// by every calculator window of the run.
struct SheetMemory {
    SheetRequest headings;
    QString folder;
};

SheetMemory& Remembered() {
    static SheetMemory memory;
    return memory;
}

}  // namespace

SheetActions::SheetActions(QWidget* window, Platform& platform, Snapshot snapshot)
    : QObject(window), window_(window), platform_(platform), snapshot_(std::move(snapshot)) {}

std::optional<SheetContent> SheetActions::askSheet(const QString& acceptText) {
    const CalculatorSnapshot snapshot = snapshot_();
    SheetDialog dialog(window_, acceptText, Remembered().headings, snapshot.detailsUnitSuffix.has_value());
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    const SheetRequest request = dialog.request();
    SheetMemory& memory = Remembered();
    memory.headings.subject = request.subject;
    memory.headings.member = request.member;
    memory.headings.author = request.author;
    return BuildSheet(snapshot, request, QDate::currentDate());
}

void SheetActions::preview() {
    const std::optional<SheetContent> sheet = askSheet(QStringLiteral("プレビュー(&P)"));
    if (!sheet) return;
    const QString failure = PreviewSheet(window_, *sheet);
    if (failure.isEmpty()) return;
    const QString text = QStringLiteral("印刷の機能を読み込めませんでした。\n理由: %1").arg(failure);
    ShowMessage(platform_, window_, text.toStdString(), MessageIcon::Exclamation);
}

QString SheetActions::SuggestedPath(const SheetContent& content, const QString& lastFolder) {
    QString folder = lastFolder;
    if (folder.isEmpty()) folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QDir(folder).exists()) folder = QDir::homePath();
    const QString name = content.shapeName.isEmpty() ? content.title : content.shapeName;
    return QDir(folder).filePath(name + QLatin1Char('_') + content.date.toString(Qt::ISODate) +
                                 QStringLiteral(".pdf"));
}

void SheetActions::savePdf() {
    const std::optional<SheetContent> sheet = askSheet(QStringLiteral("保存(&S)…"));
    if (!sheet) return;
    QString offered = SuggestedPath(*sheet, Remembered().folder);
    // After a failed write the question comes again from the failed name, so
    // that another place can be chosen; cancelling ends it.
    for (;;) {
        const QString chosen =
            platform_.askSaveFileName(window_, QStringLiteral("計算書をPDFで保存"), offered,
                                      QStringLiteral("PDF (*.pdf)"), QStringLiteral("pdf"));
        if (chosen.isEmpty()) return;
        const QString path = PdfPath(chosen);
        const WriteOutcome outcome = WriteSheetPdf(path, *sheet);
        if (outcome.written) {
            Remembered().folder = QFileInfo(path).absolutePath();
            return;
        }
        const QString text = QStringLiteral("計算書を保存できませんでした。\nファイル: %1\n理由: %2")
                                 .arg(QDir::toNativeSeparators(path), outcome.reason);
        ShowMessage(platform_, window_, text.toStdString(), MessageIcon::Exclamation);
        offered = path;
    }
}

QString SheetActions::PdfPath(const QString& chosen) {
    const QFileInfo file(chosen);
    if (file.isDir()) return chosen;  // the write says what is wrong with it
    if (file.suffix().compare(QLatin1String("pdf"), Qt::CaseInsensitive) == 0) return chosen;
    return chosen + QStringLiteral(".pdf");
}

}  // namespace velmora::ui
