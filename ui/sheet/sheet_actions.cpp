#include "ui/sheet/sheet_actions.h"

#include <QDir>
#include <QStandardPaths>
#include <QWidget>

#include "ui/common/platform.h"
#include "ui/common/text.h"
#include "ui/sheet/sheet_dialog.h"
#include "ui/sheet/sheet_output.h"

namespace velmora::ui {

SheetActions::SheetActions(QWidget* window, Platform& platform, Snapshot snapshot)
    : QObject(window), window_(window), platform_(platform), snapshot_(std::move(snapshot)) {}

std::optional<SheetContent> SheetActions::askSheet(const QString& acceptText) {
    const CalculatorSnapshot snapshot = snapshot_();
    SheetDialog dialog(window_, acceptText, snapshot.detailsUnitSuffix.has_value());
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return BuildSheet(snapshot, dialog.request(), QDate::currentDate());
}

void SheetActions::preview() {
    const std::optional<SheetContent> sheet = askSheet(QStringLiteral("プレビュー(&P)"));
    if (!sheet) return;
    const QString failure = PreviewSheet(window_, *sheet);
    if (failure.isEmpty()) return;
    const QString text = QStringLiteral("印刷の機能を読み込めませんでした。\n理由: %1").arg(failure);
    ShowMessage(platform_, window_, text.toStdString(), MessageIcon::Exclamation);
}

QString SheetActions::SuggestedPath(const SheetContent& content) {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QDir(folder).exists()) folder = QDir::homePath();
    const QString name = content.shapeName.isEmpty() ? content.title : content.shapeName;
    return QDir(folder).filePath(name + QLatin1Char('_') + content.date.toString(Qt::ISODate) +
                                 QStringLiteral(".pdf"));
}

void SheetActions::savePdf() {
    const std::optional<SheetContent> sheet = askSheet(QStringLiteral("保存(&S)…"));
    if (!sheet) return;
    const QString path =
        platform_.askSaveFileName(window_, QStringLiteral("計算書をPDFで保存"), SuggestedPath(*sheet),
                                  QStringLiteral("PDF (*.pdf)"), QStringLiteral("pdf"));
    if (path.isEmpty()) return;
    const WriteOutcome outcome = WriteSheetPdf(path, *sheet);
    if (outcome.written) return;
    const QString text = QStringLiteral("計算書を保存できませんでした。\nファイル: %1\n理由: %2")
                             .arg(QDir::toNativeSeparators(path), outcome.reason);
    ShowMessage(platform_, window_, text.toStdString(), MessageIcon::Exclamation);
}

}  // namespace velmora::ui
