#include "ui/calculator/result_copy.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QShortcut>

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

// "A =" reads as "A"; k gets its exponent, the others their unit's.
QString ResultLine(const ResultFrame& frame) {
    const ResultFrameDesign& design = frame.design();
    const QString exponent = Superscript(LabelText(frame, design.exponentName));
    QString symbol = LabelText(frame, design.symbolName);
    symbol = symbol.left(symbol.indexOf(QLatin1Char(' ')));
    const QString unit = frame.unit()->text() + (design.squaredSymbol ? QString() : exponent);

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

ResultCopy::ResultCopy(std::span<ResultFrame* const> frames, QWidget* window)
    : QObject(window), frames_(frames.begin(), frames.end()), menu_(new QMenu(window)) {
    menu_->addAction(QStringLiteral("結果をコピー"), this, &ResultCopy::copy);

    for (ResultFrame* frame : frames_) {
        frame->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(frame, &QWidget::customContextMenuRequested, this,
                [this, frame](const QPoint& pos) { menu_->popup(frame->mapToGlobal(pos)); });
    }
    auto* shortcut = new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F10), window);
    connect(shortcut, &QShortcut::activated, this, &ResultCopy::popupOverResults);
    // The Menu key's request reaches the window when the focused control has no menu.
    window->installEventFilter(this);
}

void ResultCopy::addActions(const QList<QAction*>& actions) {
    menu_->addSeparator();
    menu_->addActions(actions);
}

void ResultCopy::copy() const { QGuiApplication::clipboard()->setText(ResultsText(frames_)); }

bool ResultCopy::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ContextMenu &&
        static_cast<QContextMenuEvent*>(event)->reason() == QContextMenuEvent::Keyboard) {
        popupOverResults();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

void ResultCopy::popupOverResults() {
    const ResultFrame* first = frames_.front();
    menu_->popup(first->mapToGlobal(first->rect().center()));
}

}  // namespace velmora::ui
