// The calculator's context menu (with the calculation sheet's entries) and its
// details window: the window opens from
// the menu or by Ctrl+D, follows every change of the calculator's inputs, unit
// and option, and goes when the calculator goes.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHideEvent>
#include <QKeySequence>
#include <QLineEdit>
#include <QPushButton>
#include <vector>

#include "ui/calculator/context_menu.h"
#include "ui/calculator/details_placement.h"
#include "ui/calculator/form2.h"
#include "ui/calculator/result_copy.h"
#include "ui/calculator/result_frame.h"
#include "ui/details/details_window.h"
#include "ui/sheet/sheet_actions.h"

namespace velmora::ui {

// The entries of the context menu, in menu order. A new entry is one more row
// here: its text, its shortcut (or none) and what it does; the menu, the
// shortcut and the result frames' tooltip follow from the row.
void Form2::setupContextMenu() {
    auto* sheet = new SheetActions(this, context_.platform, [this] { return sheetSnapshot(); });
    // One entry per result frame, named as the formula viewer's caption names it.
    std::vector<MenuEntry> formulas;
    for (ResultFrame* frame : frames) {
        const char* kind = frame->design().formulaKind;
        const QString symbol =
            QString::fromLatin1(frame->design().symbolText).section(QLatin1Char(' '), 0, 0);
        formulas.push_back({QString::fromUtf8(frame->design().caption).trimmed() + QLatin1Char('(') + symbol +
                                QLatin1Char(')'),
                            {},
                            [this, kind] { Frame_DblClick(kind); }});
    }
    const std::vector<MenuEntry> entries{
        {kCopyResultsText, {}, [this] { CopyResults(frames); }},
        {QStringLiteral("公式を表示"), {}, {}, formulas},
        {QStringLiteral("断面性能の詳細…"), QKeySequence(Qt::CTRL | Qt::Key_D), [this] { showDetails(); }},
        {QStringLiteral("計算書を印刷…"), QKeySequence::Print, [sheet] { sheet->preview(); }},
        {QStringLiteral("計算書をPDFで保存…"), QKeySequence::Save, [sheet] { sheet->savePdf(); }},
        // The navigator may discard this window: the entry does nothing after it.
        {QStringLiteral("断面形状の選択に戻る"), {}, [this] { img1_DblClick(); }},
    };
    menu_ = new ContextMenu(this, frames.front(), entries);
    for (ResultFrame* frame : frames) frame->setToolTip(menu_->summary());
}

// Connected after the calculator's own handlers, so the details see each
// change with the derived inputs and the unit already updated.
void Form2::setupDetails() {
    for (QLineEdit* box : txts) connect(box, &QLineEdit::textChanged, this, &Form2::updateDetails);
    for (QCheckBox* box : chks) connect(box, &QCheckBox::clicked, this, &Form2::updateDetails);
    connect(cmb1, &QComboBox::activated, this, &Form2::updateDetails);
    connect(cmd1, &QPushButton::clicked, this, &Form2::updateDetails);  // the unit check may set "mm"
}

void Form2::enableCopy(bool enabled) {
    if (!menu_) return;  // a call before the menu is built
    if (QAction* copy = menu_->action(kCopyResultsText)) copy->setEnabled(enabled);
}

DetailsWindow* Form2::detailsWindow() const { return details_; }

// The first request opens the details and leaves the keys with the
// calculator, so typing goes on; a request while they are open (from either
// window) hands the keys to the other of the two.
void Form2::showDetails() {
    if (details_) {
        QWidget* next = details_->isActiveWindow() ? static_cast<QWidget*>(this) : details_.data();
        next->raise();
        next->activateWindow();
        return;
    }
    details_ = new DetailsWindow(this);
    details_->setAttribute(Qt::WA_DeleteOnClose);
    details_->setAttribute(Qt::WA_ShowWithoutActivating);
    details_->addActions(menu_->shortcutActions());  // Ctrl+D, Ctrl+P and Ctrl+S there too
    updateDetails();
    placeDetails();
    const bool hadTheKeys = isActiveWindow();
    details_->show();
    // Some platforms activate a new window whatever it asks: the keys come back.
    if (hadTheKeys) activateWindow();
}

void Form2::placeDetails() {
    const QRect screen = context_.platform.screenGeometry();
    details_->placeBeside(screen);  // its height for this screen
    // The details have no frame before they are first shown: they take the calculator's.
    const QSize frame = frameGeometry().size() - geometry().size();
    const QRect drawing(Frame1->mapToGlobal(QPoint(0, 0)), Frame1->size());
    const PairPlacement place = PlaceDetails(frameGeometry(), details_->size() + frame, drawing, screen);
    if (place.calculator != frameGeometry().topLeft()) move(place.calculator);
    details_->resize(place.details.size() - frame);
    details_->move(place.details.topLeft());
}

void Form2::updateDetails() {
    if (details_)
        details_->showSection(
            {context_.module.SelectedShape, inputTexts(), context_.module.UnitSuffix, optionTicked()});
}

// Hidden when the selection window takes over: the details go at once.
void Form2::hideEvent(QHideEvent* event) {
    if (details_ && !event->spontaneous()) details_->close();
    QWidget::hideEvent(event);
}

}  // namespace velmora::ui
