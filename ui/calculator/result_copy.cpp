#include "ui/calculator/result_copy.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>

#include "ui/calculator/result_frame.h"

namespace velmora::ui {
namespace {

// "2" as "²": the exponents the frames raise beside their text.
QString Superscript(const QString& digits) {
    static const QString kSuperscripts = QStringLiteral("⁰¹²³⁴⁵⁶⁷⁸⁹");
    QString raised;
    for (const QChar digit : digits) raised += digit.isDigit() ? kSuperscripts[digit.digitValue()] : digit;
    return raised;
}

QString LabelText(const ResultFrame& frame, const char* name) {
    const auto* label = frame.findChild<const QLabel*>(QLatin1String(name), Qt::FindDirectChildrenOnly);
    return label ? label->text() : QString();
}

// "A =" reads as "A"; k gets its exponent, the others their unit's. k² is a
// length², so its unit gets the exponent too (the frame shows the bare unit).
QString ResultLine(const ResultFrame& frame) {
    const ResultFrameDesign& design = frame.design();
    const QString exponent = Superscript(LabelText(frame, design.exponentName));
    QString symbol = LabelText(frame, design.symbolName);
    symbol = symbol.left(symbol.indexOf(QLatin1Char(' ')));
    const QString unit = frame.unit()->text() + exponent;

    QStringList cells{design.squaredSymbol ? symbol + exponent : symbol, frame.answer()->text(), unit};
    const QLabel* second = frame.secondLine();
    if (!second->isHidden() && !second->text().isEmpty()) cells << second->text() << unit;
    return cells.join(QLatin1Char('\t'));
}

}  // namespace

QString ResultsText(std::span<ResultFrame* const> frames) {
    QString text;
    for (const ResultFrame* frame : frames) text += ResultLine(*frame) + QLatin1Char('\n');
    return text;
}

void CopyResults(std::span<ResultFrame* const> frames) {
    QGuiApplication::clipboard()->setText(ResultsText(frames));
}

}  // namespace velmora::ui
